#include "process/win32_services.h"

#include <windows.h>
#include <tlhelp32.h>

#include "gui/guard.h"
#include "gui/handles.h"

namespace k32 {

#ifdef _WIN64
static_assert(sizeof(PROCESSENTRY32) == 304, "process entries are 304 bytes in a 64-bit program");
static_assert(sizeof(MODULEENTRY32) == 568, "module entries are 568 bytes in a 64-bit program");
// A 64-bit program takes the modules of 32-bit processes too.
constexpr DWORD kModuleSnapshot = TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32;
#else
static_assert(sizeof(PROCESSENTRY32) == 296, "process entries are 296 bytes");
static_assert(sizeof(MODULEENTRY32) == 548, "module entries are 548 bytes");
constexpr DWORD kModuleSnapshot = TH32CS_SNAPMODULE;
#endif

namespace {
// Window handles hold 32 significant bits; a 64-bit program sees them sign-extended.
HWND ToHwnd(WindowId window) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}
WindowId ToId(HWND window) { return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window)); }

// Cuts a fixed buffer at its terminator, or at its end when it has none.
std::string Terminated(const char* buffer, std::size_t size) {
  std::size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  return std::string(buffer, length);
}

// A module snapshot fails with ERROR_BAD_LENGTH while the process is loading or unloading a
// module: a passing state, asked again a few times before the process counts as one that cannot
// be inspected.
HANDLE ModuleSnapshotHandle(std::uint32_t processId) {
  constexpr int kAttempts = 5;
  for (int attempt = 1;; ++attempt) {
    HANDLE snapshot = CreateToolhelp32Snapshot(kModuleSnapshot, processId);
    if (snapshot != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH || attempt == kAttempts)
      return snapshot;
    Sleep(1);
  }
}

// Why the module snapshot of a process failed: a process that is gone, a 64-bit process seen from
// a 32-bit program on a 64-bit system (which can never read its modules), or else a lack of rights.
ModuleFailure WhyNoModules(std::uint32_t processId) {
  gui::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process)
    return GetLastError() == ERROR_INVALID_PARAMETER ? ModuleFailure::Ended : ModuleFailure::AccessDenied;
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE) return ModuleFailure::Ended;
#ifndef _WIN64
  BOOL selfOnWow64 = FALSE, targetOnWow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &selfOnWow64) && selfOnWow64 &&
      IsWow64Process(process.Get(), &targetOnWow64) && !targetOnWow64)
    return ModuleFailure::OtherWordSize;
#endif
  return ModuleFailure::AccessDenied;
}

gui::KernelHandle OwnToken(DWORD access) {
  HANDLE token = nullptr;
  return gui::KernelHandle(OpenProcessToken(GetCurrentProcess(), access, &token) ? token : nullptr);
}

// An error in a visit ends the enumeration.
BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  const auto& visit = *reinterpret_cast<const ISystemServices::WindowVisitor*>(context);
  return gui::Guarded([&] { return visit(ToId(window)) ? TRUE : FALSE; }, FALSE);
}
}  // namespace

std::vector<ProcessEntry> Win32Services::ProcessSnapshot() {
  std::vector<ProcessEntry> processes;
  gui::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more;
       more = Process32Next(snapshot.Get(), &entry)) {
    processes.push_back({Terminated(entry.szExeFile, sizeof entry.szExeFile), entry.th32ProcessID,
                         entry.th32ParentProcessID, entry.cntThreads});
  }
  return processes;
}

std::vector<ModuleEntry> Win32Services::ModuleSnapshot(std::uint32_t processId) {
  std::vector<ModuleEntry> modules;
  lastModuleFailure_ = ModuleFailure::None;
  if (processId == 0) return modules;
  gui::KernelHandle snapshot(ModuleSnapshotHandle(processId));
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  BOOL more = snapshot ? Module32First(snapshot.Get(), &entry) : FALSE;
  if (!more && (!snapshot || GetLastError() != ERROR_NO_MORE_FILES)) {
    lastModuleFailure_ = WhyNoModules(processId);
    return modules;
  }
  for (; more; more = Module32Next(snapshot.Get(), &entry)) {
    modules.push_back({Terminated(entry.szModule, sizeof entry.szModule),
                       Terminated(entry.szExePath, sizeof entry.szExePath),
                       static_cast<Address>(reinterpret_cast<UINT_PTR>(entry.hModule)), entry.modBaseSize});
  }
  return modules;
}

void Win32Services::EnableDebugPrivilege() {
  gui::KernelHandle token = OwnToken(TOKEN_ADJUST_PRIVILEGES);
  TOKEN_PRIVILEGES privileges{1, {{{}, SE_PRIVILEGE_ENABLED}}};
  if (!token || !LookupPrivilegeValueA(nullptr, SE_DEBUG_NAME, &privileges.Privileges[0].Luid)) return;
  // A token without the privilege reports ERROR_NOT_ALL_ASSIGNED: nothing to tell the user.
  AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr);
}

bool Win32Services::Elevated() {
  gui::KernelHandle token = OwnToken(TOKEN_QUERY);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  // A system without elevation (before Vista) has no such question: every user runs with his rights.
  if (!token || !GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size))
    return true;
  return elevation.TokenIsElevated != 0;
}

std::uint32_t Win32Services::PriorityClass(std::uint32_t processId) {
  gui::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return 0;
  return GetPriorityClass(process.Get());
}

TerminateOutcome Win32Services::Terminate(std::uint32_t processId) {
  gui::KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  if (!process) return TerminateOutcome::CannotOpen;
  return TerminateProcess(process.Get(), static_cast<UINT>(-9)) ? TerminateOutcome::Terminated
                                                                : TerminateOutcome::Failed;
}

void Win32Services::EnumTopLevelWindows(const WindowVisitor& visit) {
  EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

void Win32Services::EnumDescendantWindows(WindowId parent, const WindowVisitor& visit) {
  EnumChildWindows(ToHwnd(parent), &VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::uint32_t Win32Services::WindowProcessId(WindowId window, std::uint32_t* threadId) {
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(ToHwnd(window), &processId);
  if (threadId) *threadId = thread;
  return processId;
}

std::string Win32Services::WindowClassName(WindowId window) {
  char buffer[100] = {};
  const int length = GetClassNameA(ToHwnd(window), buffer, sizeof buffer);
  return length > 0 ? Terminated(buffer, sizeof buffer) : std::string();
}

std::string Win32Services::WindowTitle(WindowId window) {
  char buffer[250] = {};
  const int length = GetWindowTextA(ToHwnd(window), buffer, sizeof buffer);
  return length > 0 ? Terminated(buffer, sizeof buffer) : std::string();
}

bool Win32Services::IsWindowVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)) != FALSE; }

bool Win32Services::IsWindow(WindowId window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32Services::WindowRect(WindowId window, ScreenRect* rect) {
  RECT r{};
  if (!GetWindowRect(ToHwnd(window), &r)) return false;
  *rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

std::int64_t Win32Services::WindowLongValue(WindowId window, WindowLong index) {
  return GetWindowLongPtrA(ToHwnd(window), static_cast<int>(index));
}

}  // namespace k32
