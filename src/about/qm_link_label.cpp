#include "about/qm_link_label.h"

#include <windows.h>

#include "gui/application.h"
#include "gui/wide_text.h"

namespace k32 {

TQMLinkLabel::TQMLinkLabel(gui::TWinControl* parent, const std::string& caption) : TLabel(parent, caption) {
  version_ = "TQMLinkLabel v1.0";
  FontColor = RGB(0, 0, 255);
  Underline = true;
  Cursor = LoadCursorA(nullptr, IDC_HAND);
}

void TQMLinkLabel::Click() {
  // A failure to open shows nothing: the shell's result is not looked at.
  if (!Address.empty())
    gui::Application().Shell().Execute(nullptr, nullptr, gui::Wide(Address).c_str(), nullptr, nullptr,
                                       SW_SHOWDEFAULT);
  if (OnClick) OnClick();
}

}  // namespace k32
