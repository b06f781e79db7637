#include "gui/form.h"

#include <utility>

#include "gui/application.h"
#include "gui/dpi.h"
#include "gui/stdctrls.h"

namespace k32::gui {

HFONT CreateProgramFont(int dpi) {
  return CreateFontA(-ScaleToDpi(12, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
}

TForm::TForm(TForm* owner)
    : TWinControl(nullptr),
      owner_(owner),
      dpi_(owner ? owner->Dpi() : SystemDpi()),
      font_(CreateProgramFont(dpi_)) {
  SetVisible(false);
  SetFont(font_.Get());
}

TForm::~TForm() {
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
  DestroyHandle();
}

HWND TForm::CreationParent() { return owner_ ? owner_->Handle() : nullptr; }

void TForm::CreateParams(TCreateParams& params) {
  params.className = OwnWindowClass();
  params.caption = text_;
  switch (BorderStyle) {
    case TBorderStyle::bsDialog:
      params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
      params.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
      break;
    case TBorderStyle::bsNone:
      params.style = WS_POPUP | WS_CLIPCHILDREN;
      params.exStyle = WS_EX_CONTROLPARENT;
      break;
    default:
      params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
      params.exStyle = WS_EX_CONTROLPARENT | (IsMainForm ? WS_EX_APPWINDOW : 0);
      break;
  }
  if (formStyle_ == TFormStyle::fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  LoadIcons();
  // Laid out for the owner's or the system's DPI; the monitor the window came up on may differ.
  if (const int dpi = WindowDpi(Handle()); dpi != dpi_) ChangeDpi(dpi);
  if (Position != TPosition::poDesigned) Center();
}

void TForm::ChangeDpi(int dpi, const RECT* bounds) {
  if (dpi <= 0 || dpi == dpi_) return;
  const int oldDpi = dpi_;
  dpi_ = dpi;
  // The old font stays until every control holds the new one.
  FontHandle oldFont(font_.Release());
  font_.Reset(CreateProgramFont(dpi_));
  SetFont(font_.Get());
  ChangeScale(oldDpi);
  if (HandleAllocated()) LoadIcons();
  if (bounds) {
    SetBounds(bounds->left, bounds->top, bounds->right - bounds->left, bounds->bottom - bounds->top);
  } else {
    ApplyDesignSize();
  }
}

// The caption's and the task switcher's icons drawn for this DPI from the sizes the program carries:
// the class's icon is the system DPI's only.
void TForm::LoadIcons() {
  const auto load = [this](int metric) {
    const int size = SystemMetricForDpi(metric, dpi_);
    return IconHandle(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, 0)));
  };
  IconHandle small = load(SM_CXSMICON), big = load(SM_CXICON);
  if (!small || !big) return;
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  smallIcon_ = std::move(small);
  bigIcon_ = std::move(big);
}

void TForm::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  if (HandleAllocated()) {
    SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TForm::SetClientSize(int width, int height) {
  designClient_ = {width, height};
  designOuter_ = {0, 0};
  ApplyDesignSize();
}

void TForm::SetDesignSize(int width, int height) {
  designOuter_ = {width, height};
  designClient_ = {0, 0};
  ApplyDesignSize();
}

void TForm::ApplyDesignSize() {
  if (designOuter_.cx > 0) {
    SetBounds(Left(), Top(), Scale(designOuter_.cx), Scale(designOuter_.cy));
  } else if (designClient_.cx > 0) {
    TCreateParams params;
    CreateParams(params);
    RECT rect{0, 0, Scale(designClient_.cx), Scale(designClient_.cy)};
    AdjustWindowRectForDpi(rect, params.style, params.exStyle, dpi_);
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
  }
}

int TForm::ClientWidth() {
  RECT rect{};
  GetClientRect(Handle(), &rect);
  return rect.right;
}

int TForm::ClientHeight() {
  RECT rect{};
  GetClientRect(Handle(), &rect);
  return rect.bottom;
}

void TForm::Center() {
  RECT area{};
  if (Position == TPosition::poOwnerFormCenter && owner_ && owner_->HandleAllocated()) {
    GetWindowRect(owner_->Handle(), &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int left = area.left + (area.right - area.left - Width()) / 2;
  const int top = area.top + (area.bottom - area.top - Height()) / 2;
  SetBounds(left < 0 ? 0 : left, top < 0 ? 0 : top, Width(), Height());
}

void TForm::Show() {
  HandleNeeded();
  FormShow();
  SetVisible(true);
  if (HandleAllocated()) {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
  }
}

void TForm::Hide() { SetVisible(false); }

int TForm::ShowModal() {
  HandleNeeded();
  HWND ownerWindow = owner_ && owner_->HandleAllocated() ? owner_->Handle() : nullptr;
  const bool ownerWasEnabled = ownerWindow && IsWindowEnabled(ownerWindow);
  if (ownerWasEnabled) EnableWindow(ownerWindow, FALSE);
  // However the showing ends, a handler's error included, the owner takes input again.
  struct Ending {
    TForm& form;
    HWND owner;
    bool enableOwner;
    ~Ending() {
      if (enableOwner) EnableWindow(owner, TRUE);
      if (form.HandleAllocated()) {
        if (owner) SetActiveWindow(owner);  // before it hides, so that the owner comes back to the front
        form.Hide();
      }
      form.modal_ = false;
    }
  } ending{*this, ownerWindow, ownerWasEnabled};
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  if (Application().OnModalShow) Application().OnModalShow(*this);
  MSG msg;
  while (modalResult_ == mrNone) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must end too
    if (got <= 0) {
      modalResult_ = mrCancel;  // a failed GetMessage carries no message, and no code to pass on
      break;
    }
    Application().HandleMessage(msg);
  }
  return modalResult_;
}

void TForm::Close() {
  if (!FormClose()) return;
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  Hide();
  if (IsMainForm) PostQuitMessage(0);
}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && HIWORD(wparam) == 0) {
        if (LOWORD(wparam) == IDOK && DefaultButton && DefaultButton->Enabled()) {
          DefaultButton->Click();
          return 0;
        }
        if (LOWORD(wparam) == IDCANCEL) {
          if (CancelButton && CancelButton->Enabled())
            CancelButton->Click();
          else if (modal_)
            Close();
          return 0;
        }
      }
      break;
    case WM_NEXTDLGCTL: {
      // Controls that take Tab themselves (rich edits) ask their form to move the focus on.
      HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0);
      if (next) ::SetFocus(next);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (TControl* control = FromHandle(focus); control && IsChild(Handle(), focus))
          ActiveControl = control;
      } else if (!HIWORD(wparam)) {
        // The control that had the focus gets it back; the first in tab order when there is none.
        HWND target = ActiveControl && ActiveControl->HandleAllocated() ? ActiveControl->Handle() : nullptr;
        if (!target || !IsWindowVisible(target) || !IsWindowEnabled(target))
          target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (!target) break;
        TWinControl::WndProc(message, wparam, lparam);
        ::SetFocus(target);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (!IsIconic(Handle())) GetWindowRect(Handle(), &restored_);
      break;
    case WM_SIZE:
      if (IsMainForm) {
        if (wparam == SIZE_MINIMIZED) Application().NotifyMinimized(true);
        if (wparam == SIZE_RESTORED || wparam == SIZE_MAXIMIZED) Application().NotifyMinimized(false);
      }
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wparam, lparam);
}

}  // namespace k32::gui
