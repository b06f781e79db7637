#include "gui/filter_edit.h"

#include <utility>

#include "gui/handles.h"

namespace k32::gui {

TFilterEdit::TFilterEdit(TWinControl* parent, std::string cue) : TEdit(parent), cue_(std::move(cue)) {}

// Drawn by the program: the system's own cue banner needs a newer edit control than every system has.
void TFilterEdit::DrawCue() {
  HWND edit = Handle();
  if (GetWindowTextLengthA(edit) > 0 || GetFocus() == edit) return;
  RECT area{};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  HDC dc = GetDC(edit);
  if (!dc) return;
  {
    SelectObjectScope font(dc, Font());
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, cue_.c_str(), -1, &area, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_VCENTER);
  }
  ReleaseDC(edit, dc);
}

LRESULT TFilterEdit::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      const LRESULT code = TEdit::WndProc(message, wparam, lparam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return code | DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) {
        if (OnEscape) OnEscape();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == 27) return 0;  // no beep for the Esc handled above
      break;
    case WM_PAINT: {
      const LRESULT result = TEdit::WndProc(message, wparam, lparam);
      DrawCue();
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, TRUE);
      break;
    default:
      break;
  }
  return TEdit::WndProc(message, wparam, lparam);
}

}  // namespace k32::gui
