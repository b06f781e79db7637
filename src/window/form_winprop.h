// The window properties dialog: handle, class, title, instance, parent, rectangle and the decoded
// styles of one window, read once when it is shown.
#pragma once

#include "gui/form.h"
#include "gui/stdctrls.h"
#include "system/services.h"

namespace k32 {

class TFormWinProp : public gui::TForm {
 public:
  TFormWinProp(gui::TForm* owner, ISystemServices& services);

  // The window to show; set before the dialog is shown.
  WindowId Window = 0;

  gui::TGroupBox* gbGeneral;
  gui::TEdit* edHandle;
  gui::TEdit* edClass;
  gui::TEdit* edCaption;
  gui::TEdit* edAppInst;
  gui::TEdit* edParent;
  gui::TGroupBox* gdSizePos;
  gui::TLabel* lblTop;
  gui::TLabel* lblLeft;
  gui::TLabel* lblHeight;
  gui::TLabel* lblWidth;
  gui::TGroupBox* gbStyles;
  gui::TListBox* lbStyles;
  gui::TGroupBox* gbExStyles;
  gui::TListBox* lbExStyles;
  gui::TButton* btnClose;

  void FormShow() override;
  bool FormClose() override;
  bool DialogChar(const MSG& msg) override;

 private:
  ISystemServices& services_;
};

}  // namespace k32
