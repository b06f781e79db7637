// A test_child.exe from the build folder, started for a test and never outliving it.
#pragma once

#include <windows.h>

#include <string>

namespace k32::testing {

class TestChild {
 public:
  // Started with the quoted path of the helper, then the arguments as given.
  explicit TestChild(const std::wstring& arguments = L"", const std::wstring& exeName = L"test_child.exe") {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    exe_ = path;
    exe_ = exe_.substr(0, exe_.find_last_of(L'\\') + 1) + exeName;
    commandLine_ = L"\"" + exe_ + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::wstring command = commandLine_;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(exe_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != FALSE;
  }
  ~TestChild() { Release(); }
  TestChild(const TestChild&) = delete;
  TestChild& operator=(const TestChild&) = delete;

  [[nodiscard]] bool Started() const { return started_; }
  [[nodiscard]] std::string Pid() const { return std::to_string(info_.dwProcessId); }
  [[nodiscard]] DWORD Id() const { return info_.dwProcessId; }
  [[nodiscard]] HANDLE Process() const { return info_.hProcess; }
  [[nodiscard]] const std::wstring& ExePath() const { return exe_; }
  [[nodiscard]] const std::wstring& CommandLine() const { return commandLine_; }
  [[nodiscard]] bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  // Waits for the end and returns the exit code (STILL_ACTIVE when it did not end in time).
  [[nodiscard]] DWORD ExitCode(DWORD wait = 10000) const {
    WaitForSingleObject(info_.hProcess, wait);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  // Ends it from here and lets its identifier go; true once the identifier names no process.
  bool EndAndForget() {
    const DWORD pid = info_.dwProcessId;
    Release();
    // The system may hold an ended process a moment longer than its last handle.
    for (int i = 0; i < 100; ++i, Sleep(50)) {
      HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
      if (!process) return true;
      CloseHandle(process);
    }
    return false;
  }

 private:
  void Release() {
    if (!started_) return;
    if (Running()) {
      TerminateProcess(info_.hProcess, 0);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    started_ = false;
  }

  std::wstring exe_, commandLine_;
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

}  // namespace k32::testing
