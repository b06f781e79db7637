// Starts the real program and reads its windows from outside, as another process would.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace k32::e2e {

// The program this build makes: kestrel32.exe, or kestrel64.exe in the 64-bit build.
inline constexpr const char* kProgramExe = KESTREL_EXE;

// Runs of the program never overlap: they share the prefix's registry, which each run reads at
// start and writes when it closes. A test that arranges stored values holds this before it does.
// Held again by the same thread it nests.
class RegistryTurn {
 public:
  RegistryTurn();
  ~RegistryTurn();
  RegistryTurn(const RegistryTurn&) = delete;
  RegistryTurn& operator=(const RegistryTurn&) = delete;

 private:
  HANDLE mutex_;
};

class Program {
 public:
  // Starts the program from the build folder and waits for its main window. Message boxes the
  // program shows before its main window (a first start's missing settings) are read and answered.
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  [[nodiscard]] HWND MainWindow() const { return main_; }
  // Texts of the message boxes answered while waiting for the main window.
  [[nodiscard]] const std::vector<std::string>& StartupMessages() const { return startupMessages_; }
  [[nodiscard]] DWORD ProcessId() const { return info_.dwProcessId; }
  [[nodiscard]] HANDLE Process() const { return info_.hProcess; }
  // The list views of the main window in creation order.
  std::vector<HWND> ListViews() const;
  std::vector<std::string> ColumnCaptions(HWND list) const;
  int RowCount(HWND list) const;
  std::string CellText(HWND list, int row, int column) const;
  std::wstring WideCellText(HWND list, int row, int column) const;
  // A left click in the middle of a row's caption, as the mouse gives it (the list takes the focus).
  void ClickRow(HWND list, int row) const;
  // Column indices from left to right as the header shows them, and a new such order.
  std::vector<int> ColumnOrder(HWND list) const;
  void SetColumnOrder(HWND list, const std::vector<int>& order) const;
  std::string StatusText(int panel) const;
  // The code page the program's ANSI calls use (0 when it cannot be read).
  DWORD AnsiCodePage() const;
  // The whole text of a rich-edit control of the program.
  std::string RichEditText(HWND edit) const;
  // The first row whose cell in that column reads text; -1 when there is none.
  int FindRow(HWND list, int column, const std::string& text) const;
  int FindRow(HWND list, int column, const std::wstring& text) const;
  // The selected row; -1 when none is.
  int SelectedRow(HWND list) const;
  // The window of the program that has the keyboard focus.
  HWND FocusedWindow() const;
  // The colour the row is drawn on, read from the screen across its visible width.
  COLORREF RowColor(HWND list, int row) const;
  // The row's indent in steps.
  int RowIndent(HWND list, int row) const;
  // A click on the picture before the row's own (its fold box in the process tree).
  void ClickStateImage(HWND list, int row) const;
  // Selects and focuses one row, as a click does; the program's selection handler runs.
  void SelectRow(HWND list, int row) const;
  // A left click in the middle of a column's header item, as the mouse gives it.
  void ClickHeader(HWND list, int column) const;
  // F4: the report window and its text control once they are up; null both when none came up.
  void OpenReport(HWND& report, HWND& edit) const;
  // The tool bar of the main window that has this many buttons (separators counted).
  HWND ToolBar(int buttons) const;
  // Where a button of a tool bar is, in the bar's client coordinates.
  RECT ToolButtonRect(HWND bar, int index) const;
  // Waits until the process has ended; returns its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD milliseconds) const;
  // The part of the row (LVIR_*) in the list's client coordinates, once the row is scrolled into view.
  RECT ShownItemRect(HWND list, int row, int part) const;

 private:
  RegistryTurn turn_;
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
  std::vector<std::string> startupMessages_;
};

// Keys as the keyboard gives them (to the window in the foreground): each one down, then all up in
// reverse order (modifiers first in).
void Press(std::initializer_list<WORD> keys);

// Asks until the condition holds or the time is up; answers whether it held.
template <typename Condition>
bool WaitUntil(const Condition& condition, DWORD milliseconds = 10000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
  return true;
}
// Until the window is destroyed or hidden; false when it is still up after the time.
bool WaitUntilGone(HWND window, DWORD milliseconds = 10000);

// The folder of this test program, where the program and the test helpers are built too.
std::string ExeFolder();
// Texts of the program as code page 936, read through the wide calls (as are the column captions and
// the status bar's texts), whatever this process's code page.
std::string WindowText(HWND window);
std::string ClassName(HWND window);
// What an edit of the program holds as typed (its window text is not kept up to date for others).
std::string EditText(HWND edit);

// Finds a top-level window of a process by its caption, polling for a while.
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD milliseconds = 15000);
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
// A dialog (class "#32770") that a window of the program owns, polling for a while.
HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds = 15000);
// A child of a window whose caption reads text; null when there is none.
HWND ChildWithText(HWND parent, const std::string& text);
// The open popup menu of a process, polling for a while; null when none comes up.
HWND WaitForPopupMenu(DWORD processId, DWORD milliseconds = 10000);
// A message box of a process, polling for a while; null when none comes up.
HWND WaitForMessageBox(DWORD processId, DWORD milliseconds = 10000);
// Types a name into the system's save dialog and answers it with a button, as a user does.
void TypeNameAndPress(HWND dialog, const std::string& name, int button);
// The text of a message box (its static text that is not the icon).
std::string MessageBoxText(HWND box);

}  // namespace k32::e2e
