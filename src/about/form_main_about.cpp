// The Help menu's about box, and the maker's web page.
#include "about/form_about.h"
#include "app/form_main.h"
#include "gui/application.h"

namespace k32 {

void TFormMain::miAboutClick() {
  TFormAbout about(this);
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) about.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  about.ShowModal();
}

void TFormMain::miQuillmarkSoftwareClick() {
  // Whatever the shell answers, nothing is shown.
  gui::Application().Shell().Execute(Handle(), nullptr, kMakerWebAddress, nullptr, nullptr, SW_SHOWDEFAULT);
}

}  // namespace k32
