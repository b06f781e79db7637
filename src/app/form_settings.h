// The settings dialog: automatic refresh and its period, the confirmation before terminating, and
// the items of the process report.
#pragma once

#include "common/settings.h"
#include "gui/comctrls.h"
#include "gui/form.h"
#include "gui/stdctrls.h"

namespace k32 {

class TFormSettings : public gui::TForm {
 public:
  // Edits settings and applies the refresh settings to timer.
  TFormSettings(gui::TForm& owner, Settings& settings, gui::TTimer& timer);

  gui::TGroupBox* GroupBox1;
  gui::TCheckBox* cbAutoRefresh;
  gui::TEdit* edSec;
  gui::TLabel* Label1;
  gui::TGroupBox* GroupBox2;
  gui::TCheckBox* cbConfirm;
  gui::TGroupBox* GroupBox3;
  gui::TCheckBox* cbProcID;
  gui::TCheckBox* cbPProcID;
  gui::TCheckBox* cbThreadCount;
  gui::TCheckBox* cbPriority;
  gui::TCheckBox* cbModules;
  gui::TCheckBox* cbPath;
  gui::TCheckBox* cbHandle;
  gui::TCheckBox* cbSize;
  gui::TButton* btnOK;
  gui::TButton* btnCancel;

  void FormShow() override;
  bool FormClose() override;
  void btnOKClick();

 private:
  Settings& settings_;
  gui::TTimer& timer_;
};

}  // namespace k32
