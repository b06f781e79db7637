// The settings command of the main window.
#include "app/form_main.h"
#include "app/form_settings.h"

namespace k32 {

// Everything is applied by the dialog's OK handler; nothing is left to do once it closes.
void TFormMain::SettingsCmdExecute() {
  TFormSettings dialog(*this);
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) dialog.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  dialog.ShowModal();
}

}  // namespace k32
