#include "gui/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "common/text.h"
#include "gui/application.h"
#include "gui/guard.h"
#include "gui/menus.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {
constexpr char kObjectProp[] = "Kestrel32.Object";
constexpr char kOwnClass[] = "Kestrel32.Window";

// The objects of this thread's windows. Every message to every control looks its object up, and a
// window property costs a round trip to the window server under Wine; the property stays for other
// readers, this table answers first.
std::unordered_map<HWND, TControl*>& ThreadObjects() {
  thread_local std::unordered_map<HWND, TControl*> objects;
  return objects;
}

ATOM RegisterOwnClass() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &TControl::StaticProc;  // ties the object named in the creation data
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kOwnClass;
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  return RegisterClassExA(&wc);
}
// The object whose system control is being made on this thread, and the hook that ties it.
thread_local TControl* pendingObject = nullptr;
thread_local HHOOK creationHook = nullptr;

// Child windows get distinct identifiers above those of the dialog keys (IDOK, IDCANCEL).
UINT_PTR NextControlId() {
  static UINT_PTR next = 1000;
  if (++next > 0xFFFF) next = 1000;
  return next;
}
}  // namespace

const char* OwnWindowClass() {
  static const ATOM atom = RegisterOwnClass();
  (void)atom;
  return kOwnClass;
}

std::string ShortHint(const std::string& hint) { return hint.substr(0, HintBar(hint)); }

std::string LongHint(const std::string& hint) {
  const auto bar = HintBar(hint);
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TControl::TControl(TWinControl* parent) : parent_(parent) {
  if (parent_) parent_->InsertControl(this);
}

TControl::~TControl() {
  DestroyHandle();
  if (parent_) parent_->RemoveControl(this);
}

TControl* TControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  const auto& objects = ThreadObjects();
  if (const auto found = objects.find(window); found != objects.end()) return found->second;
  // Another instance's window carries the same property, holding an address of that process.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() ? static_cast<TControl*>(GetPropA(window, kObjectProp)) : nullptr;
}

HWND TControl::Handle() {
  if (!window_ && !creating_) CreateHandle();
  return window_;
}

void TControl::CreateHandle() {
  creating_ = true;
  HWND parentWindow = CreationParent();
  TCreateParams params;
  params.caption = text_;
  CreateParams(params);
  if (visible_) params.style |= WS_VISIBLE;
  if (!enabled_) params.style |= WS_DISABLED;
  const bool own = params.className == kOwnClass;
  if (own) OwnWindowClass();
  // The program's own windows take the object from the creation data at WM_NCCREATE; a system
  // control is tied by the creation hook.
  struct Hooked {
    TControl* outer = pendingObject;
    bool installed = false;
    explicit Hooked(TControl* object) {
      pendingObject = object;
      if (!creationHook) {
        creationHook = SetWindowsHookExA(WH_CBT, &TControl::CreationHook, nullptr, GetCurrentThreadId());
        installed = creationHook != nullptr;
      }
    }
    ~Hooked() {
      pendingObject = outer;
      if (installed) UnhookWindowsHookEx(std::exchange(creationHook, nullptr));
    }
  };
  std::optional<Hooked> hooked;
  if (!own) hooked.emplace(this);
  HMENU id = (params.style & WS_CHILD) ? reinterpret_cast<HMENU>(NextControlId()) : nullptr;
  // A control made through the code-page call is a window of the code page: on Windows it keeps
  // its text in it, and other programs read it so.
  HWND window =
      wideMessages_
          ? CreateWindowExW(params.exStyle, Wide(params.className).c_str(), Wide(params.caption).c_str(),
                            params.style, left_, top_, width_, height_, parentWindow, id,
                            GetModuleHandleW(nullptr), this)
          : CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                            left_, top_, width_, height_, parentWindow, id, GetModuleHandleA(nullptr), this);
  hooked.reset();
  creating_ = false;
  if (!window) throw std::runtime_error("CreateWindowEx failed for " + params.className);
  if (window_ != window) {  // no hook could be set: the window would miss its object's handling
    DestroyWindow(window);
    throw std::runtime_error("No object was tied to the window of " + params.className);
  }
  if (HFONT font = Font()) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  CreateWnd();
}

LRESULT CALLBACK TControl::CreationHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && pendingObject) {
    // Only the window asked for: a control may make windows of its own while it is made.
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    if (create->lpCreateParams == pendingObject)
      std::exchange(pendingObject, nullptr)->Attach(reinterpret_cast<HWND>(wparam));
  }
  return CallNextHookEx(creationHook, code, wparam, lparam);
}

void TControl::Attach(HWND window) {
  window_ = window;
  SetPropA(window, kObjectProp, this);
  ThreadObjects()[window] = this;
  const auto proc = reinterpret_cast<LONG_PTR>(&TControl::StaticProc);
  superProc_ = reinterpret_cast<WNDPROC>(wideMessages_ ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                       : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
  if (superProc_ == &TControl::StaticProc) superProc_ = wideMessages_ ? DefWindowProcW : DefWindowProcA;
}

void TControl::Detach() {
  if (!window_) return;
  RemovePropA(window_, kObjectProp);
  ThreadObjects().erase(window_);
  if (wideMessages_)
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
  else
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
  window_ = nullptr;
}

void TControl::DestroyHandle() {
  if (!window_) return;
  HWND window = window_;
  DestroyWindow(window);  // WM_NCDESTROY detaches
  if (window_ == window) Detach();
}

void TControl::RecreateWnd() {
  if (!window_) return;
  DestroyHandle();
  CreateHandle();
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (TControl* child : container->Controls()) child->HandleNeeded();
    container->AlignControls();
  }
}

LRESULT CALLBACK TControl::StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE && !FromHandle(window)) {
    if (auto* self = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams))
      self->Attach(window);
  }
  TControl* self = FromHandle(window);
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // The window's last message: the object lets go of it whatever its handlers raise.
    Guarded([&] { self->DestroyWnd(); });
    const LRESULT result = Guarded([&] { return self->WndProc(message, wparam, lparam); });
    self->Detach();
    return result;
  }
  return Guarded([&] { return self->WndProc(message, wparam, lparam); });
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam) {
  if (wideMessages_)
    return CallWindowProcW(superProc_ ? superProc_ : DefWindowProcW, window_, message, wparam, lparam);
  return CallWindowProcA(superProc_ ? superProc_ : DefWindowProcA, window_, message, wparam, lparam);
}

void TControl::ContextPopup(POINT screen) {
  if (!PopupMenu) return;
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: the control's corner
    screen = {0, 0};
    ClientToScreen(window_, &screen);
  }
  PopupMenu->Popup(screen.x, screen.y, window_);
}

LRESULT TControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CONTEXTMENU:
      if (PopupMenu && reinterpret_cast<HWND>(wparam) == window_) {
        ContextPopup({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (Cursor && reinterpret_cast<HWND>(wparam) == window_ && LOWORD(lparam) == HTCLIENT) {
        SetCursor(Cursor);
        return TRUE;
      }
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUSELECT:
    case WM_EXITMENULOOP: {
      // The images and hints of a popup menu, whichever control owns it (a list view, say).
      LRESULT result = 0;
      if (TPopupMenu::HandleMenuMessage(message, wparam, lparam, &result)) return result;
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
      if (!(pos->flags & SWP_NOMOVE)) left_ = pos->x, top_ = pos->y;
      if (!(pos->flags & SWP_NOSIZE)) width_ = pos->cx, height_ = pos->cy;
      break;
    }
    default:
      break;
  }
  return DefaultHandler(message, wparam, lparam);
}

bool TControl::NotifyReflected(NMHDR*, LRESULT*) { return false; }
bool TControl::CommandReflected(WPARAM, LRESULT*) { return false; }
bool TControl::DrawItemReflected(DRAWITEMSTRUCT*) { return false; }
bool TControl::MeasureItemReflected(MEASUREITEMSTRUCT*) { return false; }
bool TControl::ColorReflected(HDC, LRESULT*) { return false; }

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (window_) {
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::SetDesignBounds(int left, int top, int width, int height) {
  design_ = TDesignBounds{left, top, width, height};
  SetBounds(Scale(left), Scale(top), Scale(width), Scale(height));
}

int TControl::Dpi() const { return parent_ ? parent_->Dpi() : kDesignDpi; }

void TControl::ChangeScale(int oldDpi) {
  if (design_) {
    SetBounds(Scale(design_->left), Scale(design_->top), Scale(design_->width), Scale(design_->height));
  } else if (align_ != TAlign::alNone && align_ != TAlign::alClient) {
    // The user's size, carried over from the DPI it was left at: back and forth never drifts.
    int& size = align_ == TAlign::alTop || align_ == TAlign::alBottom ? height_ : width_;
    if (!carried_ || carried_->scaled != size) carried_ = TCarried{size, oldDpi, 0};
    size = carried_->scaled = ScaleBetweenDpi(carried_->size, carried_->dpi, Dpi());
  }
  if (HFONT font = Font(); font && window_)
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
  if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (window_) EnableWindow(window_, enabled);
}

std::string TControl::Text() {
  if (!window_) return text_;
  const int length = GetWindowTextLengthA(window_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window_, text.data(), length + 1)));
  return text;
}

void TControl::SetText(const std::string& text) {
  text_ = text;
  if (window_) SetWindowTextA(window_, text.c_str());
}

std::wstring TControl::WideText() {
  if (!window_) return Wide(text_);
  const int length = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
  return text;
}

void TControl::SetText(const std::wstring& text) {
  text_ = Narrow(text);
  if (window_) SetWindowTextW(window_, text.c_str());
}

void TControl::SetFocus() {
  if (Handle()) ::SetFocus(window_);
}

bool TControl::Focused() const { return window_ && GetFocus() == window_; }

HWND TControl::CreationParent() { return parent_ ? parent_->Handle() : nullptr; }

HFONT TControl::Font() const { return parent_ ? parent_->Font() : nullptr; }

// ---------------------------------------------------------------------------------------------

void TWinControl::DestroyControls() {
  while (!owned_.empty()) owned_.pop_back();
}

TWinControl::~TWinControl() {
  // Children go first, while this window still exists for them to leave.
  while (!owned_.empty()) owned_.pop_back();
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

HFONT TWinControl::Font() const { return font_ ? font_ : TControl::Font(); }

void TWinControl::SetFont(HFONT font) { font_ = font; }

void TWinControl::CreateParams(TCreateParams& params) {
  params.className = OwnWindowClass();
  params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.exStyle = WS_EX_CONTROLPARENT;
}

void TWinControl::CreateWnd() {
  for (TControl* child : controls_) child->HandleNeeded();
  AlignControls();
}

void TWinControl::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  for (TControl* child : controls_) child->ChangeScale(oldDpi);
  AlignControls();
}

void TWinControl::AlignControls() {
  if (!HandleAllocated()) return;
  RECT area{};
  GetClientRect(Handle(), &area);
  auto place = [](TControl* c, int l, int t, int w, int h) {
    if (c->left_ == l && c->top_ == t && c->width_ == w && c->height_ == h) return;
    c->left_ = l, c->top_ = t, c->width_ = std::max(w, 0), c->height_ = std::max(h, 0);
    if (c->window_)
      SetWindowPos(c->window_, nullptr, l, t, c->width_, c->height_, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (TAlign kind : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : controls_) {
      if (c->align_ != kind || !c->visible_) continue;
      const int w = area.right - area.left, h = area.bottom - area.top;
      switch (kind) {
        case TAlign::alTop:
          place(c, area.left, area.top, w, c->height_);
          area.top += c->height_;
          break;
        case TAlign::alBottom:
          place(c, area.left, area.bottom - c->height_, w, c->height_);
          area.bottom -= c->height_;
          break;
        case TAlign::alLeft:
          place(c, area.left, area.top, c->width_, h);
          area.left += c->width_;
          break;
        case TAlign::alRight:
          place(c, area.right - c->width_, area.top, c->width_, h);
          area.right -= c->width_;
          break;
        default:
          place(c, area.left, area.top, w, h);
          break;
      }
    }
  }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  switch (message) {
    case WM_SIZE:
      AlignControls();
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (TControl* child = FromHandle(header->hwndFrom); child && child != this) {
        if (child->NotifyReflected(header, &result)) return result;
      }
      break;
    }
    case WM_COMMAND:
      if (lparam) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lparam)); child && child != this) {
          if (child->CommandReflected(wparam, &result)) return result;
        }
      } else if (TPopupMenu::HandleMenuMessage(message, wparam, lparam, &result)) {
        return result;
      }
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_MENU) break;
      if (TControl* child = FromHandle(item->hwndItem); child && child != this) {
        if (child->DrawItemReflected(item)) return TRUE;
      }
      break;
    }
    case WM_MEASUREITEM: {
      // Owner-drawn controls ask while they are being made: they are found by their identifier.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_MENU) break;
      TControl* child = FromHandle(GetDlgItem(Handle(), static_cast<int>(item->CtlID)));
      if (child && child != this && child->MeasureItemReflected(item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lparam)); child && child != this) {
        if (child->ColorReflected(reinterpret_cast<HDC>(wparam), &result)) return result;
      }
      break;
    default:
      break;
  }
  return TControl::WndProc(message, wparam, lparam);
}

void TPanel::CreateParams(TCreateParams& params) { TWinControl::CreateParams(params); }

}  // namespace k32::gui
