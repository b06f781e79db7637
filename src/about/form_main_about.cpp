// The Help menu's about box.
#include "about/form_about.h"
#include "app/form_main.h"

namespace k32 {

void TFormMain::miAboutClick() {
  TFormAbout about(this);
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) about.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  about.ShowModal();
}

}  // namespace k32
