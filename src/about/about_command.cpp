// The Help menu's about box, and the maker's web page.
#include "about/about_command.h"

#include "about/form_about.h"
#include "gui/application.h"
#include "gui/wide_text.h"

namespace k32 {

void ShowAboutBox(gui::TForm& owner) {
  TFormAbout about(&owner);
  if (owner.FormStyle() == gui::TFormStyle::fsStayOnTop) about.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  about.ShowModal();
}

void OpenMakerWebPage(HWND owner) {
  gui::Application().Shell().Execute(owner, nullptr, gui::Wide(kMakerWebAddress).c_str(), nullptr, nullptr,
                                     SW_SHOWDEFAULT);
}

}  // namespace k32
