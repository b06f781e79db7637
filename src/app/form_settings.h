// The settings dialog: automatic refresh and its period, the confirmation before terminating, and
// the items of the process report.
#pragma once

#include "gui/form.h"
#include "gui/stdctrls.h"

namespace k32 {

class TFormMain;

class TFormSettings : public gui::TForm {
 public:
  // Edits the record of main and applies the refresh settings to its timer.
  explicit TFormSettings(TFormMain& main);

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
  TFormMain& main_;
};

}  // namespace k32
