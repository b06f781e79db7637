#include "tray/systray.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "gui/system_entry.h"
#include "tray/tooltip.h"

namespace k32 {

// The first form of the notification record: 88 bytes, 104 with 64-bit handles.
static_assert(sizeof(TNotifyIconRecord) == (sizeof(void*) == 8 ? 104 : 88));
static_assert(NOTIFYICONDATAA_V1_SIZE == sizeof(TNotifyIconRecord));
static_assert(offsetof(TNotifyIconRecord, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(TNotifyIconRecord, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(kToolTipLimit < sizeof(TNotifyIconRecord::szTip));

namespace {
// Sent to every top-level window when the shell's task bar comes back (after the shell restarted).
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

// A program run as administrator hears from the shell, which runs below it, only the messages it
// lets through: without this its icon would not come back when the shell restarts.
void LetTheShellReach(HWND window, UINT message) {
  if (!message) return;
  using WindowFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);  // Windows 7 and later
  using ProcessFilter = BOOL(WINAPI*)(UINT, DWORD);              // Windows Vista
  constexpr DWORD kAllow = 1;                                    // MSGFLT_ALLOW, MSGFLT_ADD
  if (const auto filter = gui::SystemEntry<WindowFilter>(L"user32.dll", "ChangeWindowMessageFilterEx"))
    filter(window, message, kAllow, nullptr);
  else if (const auto processFilter =
               gui::SystemEntry<ProcessFilter>(L"user32.dll", "ChangeWindowMessageFilter"))
    processFilter(message, kAllow);
}
}  // namespace

TSysTray::TSysTray()
    : window_([this](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        return WndProc(window, message, wparam, lparam);
      }) {
  LetTheShellReach(window_.Handle(), TaskbarCreatedMessage());
  timer_.SetEnabled(false);
  timer_.OnTimer = [this] { ChangeIcon(); };
}

TSysTray::~TSysTray() {
  if (active_) DeleteIcon();
  timer_.SetEnabled(false);
}

void TSysTray::FillRecord() {
  record_ = {};
  record_.cbSize = sizeof record_;
  record_.hWnd = window_.Handle();
  record_.uID = 0;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kCallbackMessage;
  record_.hIcon = icon_.Handle();
  std::memcpy(record_.szTip, toolTip_.data(), toolTip_.size());  // the record came zeroed: terminated
}

bool TSysTray::AddIcon() {
  FillRecord();
  const bool added = gui::Application().Shell().NotifyIcon(NIM_ADD, &record_) != FALSE;
  // Set up before its tip was known (as a window's layout does): send the tip once set-up is over.
  if (toolTip_.empty()) PostMessageA(window_.Handle(), kToolTipMessage, 0, 0);
  return added;
}

bool TSysTray::ModifyIcon() {
  FillRecord();
  if (!active_) return true;
  return gui::Application().Shell().NotifyIcon(NIM_MODIFY, &record_) != FALSE;
}

bool TSysTray::DeleteIcon() { return gui::Application().Shell().NotifyIcon(NIM_DELETE, &record_) != FALSE; }

void TSysTray::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value)
    AddIcon();
  else
    DeleteIcon();
}

void TSysTray::SetIcon(const gui::TIcon& icon) {
  if (&icon == &icon_) return;
  icon_.Assign(icon);
  ModifyIcon();
}

void TSysTray::SetToolTip(const std::string& text) {
  toolTip_ = CutToolTip(text);
  ModifyIcon();
}

void TSysTray::SetAnimateInterval(int milliseconds) {
  if (milliseconds <= 0) return;
  animateInterval_ = milliseconds;
  timer_.SetInterval(static_cast<UINT>(milliseconds));
}

void TSysTray::SetAnimate(bool value) {
  if (value && (!images_ || images_->Count() == 0 || !active_)) return;
  const bool was = animate_;
  animate_ = value;
  // The icon from before the animation is kept once, when it starts, and given back when it stops:
  // a second "on" must not keep a frame, and an "off" without an animation must not blank the icon.
  if (value && !was) {
    savedIcon_.Assign(icon_);
    frame_ = 0;
  }
  timer_.SetEnabled(value);
  if (!value && was) SetIcon(savedIcon_);
}

void TSysTray::SetShowDesigning(bool value) {
  // Only a form designer shows the icon of a form being designed; at run time this is a plain flag.
  showDesigning_ = value;
}

void TSysTray::SetImages(gui::TImageList* images) {
  if (images == images_) return;
  if (images_) RemoveFreeNotification(images_);
  images_ = images;
  if (images_) FreeNotification(images_);
}

void TSysTray::ChangeIcon() {
  const int count = images_ ? images_->Count() : 0;
  if (count == 0) return;
  // The list may have shrunk since the last step: wrap at its end, wherever the index stands.
  frame_ = frame_ + 1 >= count ? 0 : frame_ + 1;
  const gui::TIcon frame = images_->GetIcon(frame_);
  SetIcon(frame);
}

void TSysTray::Notification(gui::TComponent* component, gui::TOperation operation) {
  if (operation != gui::TOperation::opRemove || component != images_ || !images_) return;
  SetAnimate(false);
  images_ = nullptr;
}

void TSysTray::DoRightClick() {
  GetCursorPos(&rightClickAt_);
  // The menu's owner must be the foreground window, or a click elsewhere would not close it.
  if (PopupMenu) SetForegroundWindow(window_.Handle());
  PostMessageA(window_.Handle(), kRightClickMessage, 0, 0);
}

void TSysTray::RightClickMenu() {
  const POINT cursor = rightClickAt_;
  if (PopupMenu) {
    HWND owner = window_.Handle();
    PopupMenu->Popup(cursor.x, cursor.y, owner);
    PostMessageA(owner, WM_NULL, 0, 0);  // lets the menu close at once if it is opened again
  }
  if (OnRightClick) OnRightClick(*this, gui::TMouseButton::mbRight, 0, cursor.x, cursor.y);
}

LRESULT TSysTray::WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kToolTipMessage:
      SetToolTip(toolTip_);
      return 0;
    case kRightClickMessage:
      RightClickMenu();
      return 0;
    case kCallbackMessage:
      switch (LOWORD(lparam)) {
        case WM_LBUTTONUP:
          if (OnClick) OnClick();
          break;
        case WM_LBUTTONDBLCLK:
          if (OnDblClick) OnDblClick();
          break;
        case WM_RBUTTONUP:
          DoRightClick();
          break;
        default:
          break;  // moves and presses
      }
      return 0;
    default:
      break;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    // The shell lost its icons with its task bar.
    if (active_) AddIcon();
    return 0;
  }
  LRESULT result = 0;
  if (gui::TPopupMenu::HandleMenuMessage(message, wparam, lparam, &result)) return result;
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace k32
