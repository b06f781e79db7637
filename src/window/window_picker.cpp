#include "window/window_picker.h"

#include <commctrl.h>

#include <array>

#include "gui/dpi.h"
#include "gui/guard.h"

namespace k32 {

namespace {

constexpr char kOutlineClass[] = "Kestrel32.Outline";
constexpr int kOutlineWidth = 3;  // at 96 DPI

// Four thin top-most windows around the picked window's rectangle: shown over any window without
// drawing into it, so hiding them leaves nothing behind.
class Outline {
 public:
  explicit Outline(int width) : width_(width) {
    static const ATOM atom = [] {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
      wc.lpszClassName = kOutlineClass;
      return RegisterClassExA(&wc);
    }();
    (void)atom;
    for (HWND& edge : edges_)
      edge = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOutlineClass, "", WS_POPUP,
                             0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~Outline() {
    for (HWND edge : edges_)
      if (edge) DestroyWindow(edge);
  }
  Outline(const Outline&) = delete;
  Outline& operator=(const Outline&) = delete;

  [[nodiscard]] bool Owns(HWND window) const {
    for (HWND edge : edges_)
      if (edge == window) return true;
    return false;
  }

  void Around(HWND window) {
    RECT r{};
    if (!window || !GetWindowRect(window, &r)) {
      Hide();
      return;
    }
    const int w = width_;
    const RECT sides[4] = {{r.left - w, r.top - w, r.right + w, r.top},
                           {r.left - w, r.bottom, r.right + w, r.bottom + w},
                           {r.left - w, r.top, r.left, r.bottom},
                           {r.right, r.top, r.right + w, r.bottom}};
    for (std::size_t i = 0; i < edges_.size(); ++i)
      SetWindowPos(edges_[i], HWND_TOPMOST, sides[i].left, sides[i].top, sides[i].right - sides[i].left,
                   sides[i].bottom - sides[i].top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }

  void Hide() {
    for (HWND edge : edges_) ShowWindow(edge, SW_HIDE);
  }

 private:
  int width_;
  std::array<HWND, 4> edges_{};
};

WindowId IdOf(HWND window) { return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window)); }

bool OwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// The deepest visible window at the point: WindowFromPoint passes over disabled and transparent
// children, which are worth picking too.
HWND WindowAt(POINT screen) {
  HWND window = WindowFromPoint(screen);
  for (HWND child = window; child;) {
    window = child;
    POINT client = screen;
    ScreenToClient(window, &client);
    child = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE);
    if (child == window) break;
  }
  return window;
}

// The capture can go without a message in the queue (another window takes the activation, a
// WM_CANCELMODE): the window that held it posts itself a message, so that the drag ends at once.
class CaptureWatch {
 public:
  explicit CaptureWatch(HWND window) : window_(window) { SetWindowSubclass(window_, &Watch, kId, 0); }
  ~CaptureWatch() { RemoveWindowSubclass(window_, &Watch, kId); }
  CaptureWatch(const CaptureWatch&) = delete;
  CaptureWatch& operator=(const CaptureWatch&) = delete;

 private:
  static constexpr UINT_PTR kId = 0x4B33;
  static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CAPTURECHANGED) PostMessageA(window, WM_NULL, 0, 0);
    return DefSubclassProc(window, message, wparam, lparam);
  }
  HWND window_;
};

}  // namespace

std::optional<PickedWindow> PickWindow(HWND capture, const std::function<void(WindowId under)>& hover) {
  Outline outline(ScaleToDpi(kOutlineWidth, gui::WindowDpi(capture)));
  HCURSOR cross = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
  const HCURSOR before = SetCursor(cross);
  const CaptureWatch watch(capture);
  SetCapture(capture);
  HWND under = nullptr;
  bool picked = false;
  MSG msg;
  while (GetCapture() == capture) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must end too
    if (got <= 0) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT point{};
      GetCursorPos(&point);
      HWND now = WindowAt(point);
      if (outline.Owns(now)) continue;  // the pointer is on the outline's own edge
      if (now && OwnWindow(now)) now = nullptr;
      SetCursor(cross);
      if (now == under) continue;
      under = now;
      outline.Around(under);
      gui::Guarded([&] { hover(IdOf(under)); });
      continue;
    }
    if (msg.message == WM_LBUTTONUP) {
      picked = true;
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      if (msg.wParam == VK_ESCAPE) break;
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (GetCapture() == capture) ReleaseCapture();
  outline.Hide();
  SetCursor(before);
  if (!picked || !under || !IsWindow(under)) return std::nullopt;
  return PickedWindow{IdOf(under), IdOf(GetAncestor(under, GA_ROOT))};
}

}  // namespace k32
