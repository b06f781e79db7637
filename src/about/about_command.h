// The Help menu's about box, and the maker's web page.
#pragma once

#include <windows.h>

#include "gui/form.h"

namespace k32 {

// Shown modally, owned by owner and on top when owner is.
void ShowAboutBox(gui::TForm& owner);
// Whatever the shell answers, nothing is shown.
void OpenMakerWebPage(HWND owner);

}  // namespace k32
