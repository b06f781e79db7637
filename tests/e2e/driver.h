// Starts the real program and reads its windows from outside, as another process would.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace k32::e2e {

class Program {
 public:
  // Starts kestrel32.exe from the build folder and waits for its main window.
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  [[nodiscard]] HWND MainWindow() const { return main_; }
  [[nodiscard]] DWORD ProcessId() const { return info_.dwProcessId; }
  [[nodiscard]] HANDLE Process() const { return info_.hProcess; }
  // The list views of the main window in creation order.
  std::vector<HWND> ListViews() const;
  std::vector<std::string> ColumnCaptions(HWND list) const;
  int RowCount(HWND list) const;
  std::string CellText(HWND list, int row, int column) const;
  std::string StatusText(int panel) const;
  // Waits until the process has ended; returns its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD milliseconds) const;

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

// Finds a top-level window of a process by its caption, polling for a while.
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD milliseconds = 15000);
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);

}  // namespace k32::e2e
