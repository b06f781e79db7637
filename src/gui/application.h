// The application object: title, hint, minimise and restore events, the general error report,
// the message loop with shortcut keys, and the seams a test uses to answer boxes and dialogs.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace k32::gui {

class TForm;
class TActionList;
class ISaveDialogs;

// Message boxes go through this, so a test can read them and answer.
class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  virtual int Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
};

// Shell requests go through this, so a test can see them without a browser opening.
class IShell {
 public:
  virtual ~IShell() = default;
  // The file, its arguments and folder as the system names them, so that a path in any script
  // reaches the shell whole. Above 32: started.
  virtual HINSTANCE Execute(HWND owner, const char* verb, const wchar_t* file, const wchar_t* parameters,
                            const wchar_t* directory, int show) = 0;
  virtual BOOL NotifyIcon(DWORD message, void* data) = 0;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  std::string Title = "Kestrel32";

  // The hint of what is under the mouse or highlighted in a menu (its long text).
  [[nodiscard]] const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  std::function<void()> OnHint;
  std::function<void()> OnMinimize;
  std::function<void()> OnRestore;

  // The general error report: the error's text (with a full stop when its last character sorts
  // after "."), the title as caption, an error icon. Shown now: for errors outside any handler.
  void HandleException(const std::exception& error);
  static std::string ErrorReportText(const std::string& message);
  // The same report for an error caught at a boundary (gui/guard.h): kept, and shown from the
  // message loop once the failing handler is over. Never raises.
  void ReportLater(const std::string& message) noexcept;
  // Shows the reports kept so far, each once, in order. The loop calls it; so does the program's
  // end, once its windows are gone. A report's box does not show the ones kept meanwhile itself:
  // they come after it.
  void ShowPendingReports();
  [[nodiscard]] bool ReportsPending() const { return !pendingReports_.empty(); }

  int MessageBox(const std::string& text, UINT flags);
  void SetMessageBoxes(IMessageBoxes* boxes) { boxes_ = boxes ? boxes : defaultBoxes_; }
  IShell& Shell() { return *shell_; }
  void SetShell(IShell* shell) { shell_ = shell ? shell : defaultShell_; }
  // The save-file dialog; null restores the system's.
  ISaveDialogs& SaveDialogs();
  void SetSaveDialogs(ISaveDialogs* dialogs) { saveDialogs_ = dialogs; }

  // Called once a form shown modally is up; a test may act on it (set a modal result, click).
  std::function<void(TForm&)> OnModalShow;

  void SetMainForm(TForm* form) { mainForm_ = form; }
  [[nodiscard]] TForm* MainForm() const { return mainForm_; }
  // Forms whose actions' shortcut keys the loop dispatches.
  void AddActionList(TActionList* list);
  void RemoveActionList(TActionList* list);

  // Shows the main form and runs the loop until the quit message; returns its exit code.
  int Run();
  // Handles every message waiting now, as the loop would.
  void ProcessMessages();
  // One message through shortcut keys, hints and dialog navigation; false when it was consumed.
  bool PreTranslate(MSG& msg);
  void HandleMessage(MSG& msg);

  void Minimize();
  // Shows the main form again when it is minimised or hidden, then brings it (or the dialog open
  // over it) to the front.
  void Restore();
  // The window that holds the program's task-bar button: the main form's.
  [[nodiscard]] HWND TaskbarWindow() const;
  [[nodiscard]] bool Minimized() const { return minimized_; }
  void NotifyMinimized(bool minimized);

  // Hidden window that receives timers and other application messages.
  [[nodiscard]] HWND UtilityWindow() const { return utility_; }
  void RegisterTimer(UINT_PTR id, std::function<void()> handler);
  void UnregisterTimer(UINT_PTR id);
  // Handlers of what the system announces to every top-level window (WM_SETTINGCHANGE,
  // WM_SYSCOLORCHANGE), received by the hidden window; the id removes the handler again.
  int AddSystemChangeHandler(std::function<void(UINT message)> handler);
  void RemoveSystemChangeHandler(int id);

  // The window most recently made active among the program's forms (for dialog navigation).
  HWND ActiveFormWindow() const;

 private:
  static LRESULT CALLBACK UtilityProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void UpdateHint(const MSG& msg);

  std::string hint_;
  std::vector<std::string> pendingReports_;
  bool showingReports_ = false;
  IMessageBoxes* defaultBoxes_;
  IMessageBoxes* boxes_;
  IShell* defaultShell_;
  IShell* shell_;
  ISaveDialogs* saveDialogs_ = nullptr;
  TForm* mainForm_ = nullptr;
  std::vector<TActionList*> actionLists_;
  HWND utility_ = nullptr;
  std::vector<std::pair<UINT_PTR, std::function<void()>>> timers_;
  std::vector<std::pair<int, std::function<void(UINT)>>> systemChangeHandlers_;
  int nextSystemChangeId_ = 0;
  bool minimized_ = false;
};

// A hidden top-level window whose messages go to a handler (which calls DefWindowProcA for the
// ones it leaves); errors the handler raises go to the application's error report.
class THiddenWindow {
 public:
  using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
  explicit THiddenWindow(Handler handler);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;
  [[nodiscard]] HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  Handler handler_;
  HWND window_ = nullptr;
};

// The one application object of the process.
TApplication& Application();

}  // namespace k32::gui
