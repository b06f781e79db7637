#include "gui/application.h"

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "gui/actions.h"
#include "gui/control.h"
#include "gui/dialogs.h"
#include "gui/form.h"
#include "gui/guard.h"
#include "gui/menus.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {

class SystemMessageBoxes final : public IMessageBoxes {
 public:
  int Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  }
};

class SystemShell final : public IShell {
 public:
  HINSTANCE Execute(HWND owner, const char* verb, const wchar_t* file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override {
    const std::wstring wideVerb = Wide(verb ? verb : "");
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    // Done before this returns: the program may end right after a start.
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = verb ? wideVerb.c_str() : nullptr;
    request.lpFile = file;
    request.lpParameters = parameters;
    request.lpDirectory = directory;
    request.nShow = show;
    const bool started = ShellExecuteExW(&request) != FALSE;
    // Above 32 exactly when it started, as the older call answers.
    const auto code = reinterpret_cast<INT_PTR>(request.hInstApp);
    if (started) return code > 32 ? request.hInstApp : reinterpret_cast<HINSTANCE>(33);
    return code <= 32 ? request.hInstApp : nullptr;
  }
  BOOL NotifyIcon(DWORD message, void* data) override {
    return Shell_NotifyIconA(message, static_cast<PNOTIFYICONDATAA>(data));
  }
};

constexpr char kUtilityClass[] = "Kestrel32.Application";
// Posted to the utility window: show the error reports kept since.
constexpr UINT kShowReportsMessage = WM_APP + 13;

}  // namespace

TApplication& Application() {
  static TApplication application;
  return application;
}

TApplication::TApplication()
    : defaultBoxes_(new SystemMessageBoxes),
      boxes_(defaultBoxes_),
      defaultShell_(new SystemShell),
      shell_(defaultShell_) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TApplication::UtilityProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kUtilityClass;
  RegisterClassExA(&wc);
  utility_ = CreateWindowExA(0, kUtilityClass, Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

TApplication::~TApplication() {
  if (utility_) DestroyWindow(utility_);
  delete defaultBoxes_;
  delete defaultShell_;
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) OnHint();
}

std::string TApplication::ErrorReportText(const std::string& message) {
  if (message.empty()) return message;
  // The last character, read as code page 936: a trail byte belongs to the character before it.
  std::size_t last = 0;
  for (std::size_t i = 0; i < message.size(); ++i) {
    last = i;
    const auto c = static_cast<unsigned char>(message[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < message.size()) ++i;
  }
  return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}

void TApplication::HandleException(const std::exception& error) {
  try {
    MessageBox(ErrorReportText(error.what()), MB_OK | MB_ICONERROR);
  } catch (...) {
    // The report itself must never throw out of a window procedure.
  }
}

void ReportCaughtLater() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    Application().ReportLater(error.what());
  } catch (...) {
    Application().ReportLater("未知错误");
  }
}

void TApplication::ReportLater(const std::string& message) noexcept {
  try {
    pendingReports_.push_back(message);
  } catch (...) {
    return;  // no memory left even for the text
  }
  if (utility_) PostMessageA(utility_, kShowReportsMessage, 0, 0);
}

void TApplication::ShowPendingReports() {
  if (showingReports_) return;
  showingReports_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{showingReports_};
  while (!pendingReports_.empty()) {
    const std::string message = std::move(pendingReports_.front());
    pendingReports_.erase(pendingReports_.begin());
    MessageBox(ErrorReportText(message), MB_OK | MB_ICONERROR);
  }
}

int TApplication::MessageBox(const std::string& text, UINT flags) {
  return boxes_->Show(ActiveFormWindow(), text, Title, flags);
}

ISaveDialogs& TApplication::SaveDialogs() { return saveDialogs_ ? *saveDialogs_ : SystemSaveDialogs(); }

void TApplication::AddActionList(TActionList* list) { actionLists_.push_back(list); }

void TApplication::RemoveActionList(TActionList* list) {
  actionLists_.erase(std::remove(actionLists_.begin(), actionLists_.end(), list), actionLists_.end());
}

HWND TApplication::ActiveFormWindow() const {
  HWND active = GetActiveWindow();
  if (active && TControl::FromHandle(active)) return active;
  return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::UpdateHint(const MSG& msg) {
  TControl* control = TControl::FromHandle(msg.hwnd);
  POINT point{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  if (msg.message == WM_MOUSELEAVE) {
    // The hint of whatever is under the mouse now: none when that is no window of the program.
    GetCursorPos(&point);
    HWND under = WindowFromPoint(point);
    control = TControl::FromHandle(under);
    ScreenToClient(under, &point);
  } else {
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, msg.hwnd, 0};
    TrackMouseEvent(&leave);
  }
  std::string hint;
  while (control) {
    hint = control->HintAt(point);
    if (!hint.empty()) break;
    if (!control->HandleAllocated()) break;
    MapWindowPoints(control->Handle(), GetParent(control->Handle()), &point, 1);
    control = control->Parent();
  }
  SetHint(LongHint(hint));
}

bool TApplication::PreTranslate(MSG& msg) {
  if ((msg.message == WM_MOUSEMOVE || msg.message == WM_MOUSELEAVE) && TControl::FromHandle(msg.hwnd))
    UpdateHint(msg);
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    for (TActionList* list : actionLists_) {
      if (list->OwnerWindow() == root && IsWindowEnabled(root) && list->IsShortCut(msg)) return false;
    }
    if (msg.message == WM_SYSKEYDOWN) {
      if (auto* form = dynamic_cast<TForm*>(TControl::FromHandle(root)); form && form->DialogChar(msg))
        return false;
    }
  }
  // Tab, arrow keys, Enter and Esc between the controls of the form the message is for, whether or
  // not that form has the activation at this moment.
  if (auto* form = dynamic_cast<TForm*>(TControl::FromHandle(root)); form && form->IsDialog()) {
    if (IsDialogMessageA(root, &msg)) return false;
  }
  return true;
}

void TApplication::HandleMessage(MSG& msg) {
  // Shortcut keys run handlers outside any window procedure: this is their boundary.
  if (!Guarded([&] { return PreTranslate(msg); }, false)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HandleMessage(msg);
  }
}

int TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  MSG msg;
  BOOL got = 0;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) HandleMessage(msg);
  return got == 0 ? static_cast<int>(msg.wParam) : 0;  // a failed GetMessage carries no code
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated()) {
    HWND window = mainForm_->Handle();
    // A maximised window stays maximised: only a minimised or hidden one is shown again.
    if (IsIconic(window))
      ShowWindow(window, SW_RESTORE);
    else if (!IsWindowVisible(window))
      ShowWindow(window, SW_SHOW);
    // A modal dialog open over the window comes to the front with it, not behind it.
    HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup && IsWindowVisible(popup) && IsWindowEnabled(popup) ? popup : window);
  }
}

HWND TApplication::TaskbarWindow() const {
  return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::NotifyMinimized(bool minimized) {
  if (minimized == minimized_) return;
  minimized_ = minimized;
  if (minimized && OnMinimize) OnMinimize();
  if (!minimized && OnRestore) OnRestore();
}

void TApplication::RegisterTimer(UINT_PTR id, std::function<void()> handler) {
  UnregisterTimer(id);
  timers_.emplace_back(id, std::move(handler));
}

void TApplication::UnregisterTimer(UINT_PTR id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [id](auto& t) { return t.first == id; }),
                timers_.end());
}

int TApplication::AddSystemChangeHandler(std::function<void(UINT message)> handler) {
  systemChangeHandlers_.emplace_back(++nextSystemChangeId_, std::move(handler));
  return nextSystemChangeId_;
}

void TApplication::RemoveSystemChangeHandler(int id) {
  std::erase_if(systemChangeHandlers_, [id](auto& entry) { return entry.first == id; });
}

LRESULT CALLBACK TApplication::UtilityProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) {
    TApplication& app = Application();
    // A handler may remove itself or another: each is looked up again before it runs.
    std::vector<int> ids;
    for (auto& entry : app.systemChangeHandlers_) ids.push_back(entry.first);
    for (int id : ids) {
      auto it = std::find_if(app.systemChangeHandlers_.begin(), app.systemChangeHandlers_.end(),
                             [id](auto& entry) { return entry.first == id; });
      if (it == app.systemChangeHandlers_.end()) continue;
      auto handler = it->second;
      Guarded([&] { handler(message); });
    }
  }
  if (message == kShowReportsMessage) {
    Guarded([] { Application().ShowPendingReports(); });
    return 0;
  }
  if (message == WM_TIMER) {
    TApplication& app = Application();
    for (auto& [id, handler] : app.timers_) {
      if (id != wparam) continue;
      auto run = handler;  // the handler may stop its own timer
      Guarded(run);
      break;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

namespace {
constexpr char kHiddenClass[] = "Kestrel32.Hidden";
}  // namespace

THiddenWindow::THiddenWindow(Handler handler) : handler_(std::move(handler)) {
  static const ATOM atom = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &THiddenWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHiddenClass;
    return RegisterClassExA(&wc);
  }();
  (void)atom;
  // Top-level, so that broadcasts (the shell's "TaskbarCreated") reach it too.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
  if (!window_) throw std::runtime_error("CreateWindowEx failed for a hidden window");
}

THiddenWindow::~THiddenWindow() {
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK THiddenWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<THiddenWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || !self->handler_) return DefWindowProcA(window, message, wparam, lparam);
  return Guarded([&] { return self->handler_(window, message, wparam, lparam); });
}

}  // namespace k32::gui
