#include "system/win32_services.h"

#include <windows.h>
#include <tlhelp32.h>

#include <memory>
#include <optional>
#include <utility>

#include "common/text.h"
#include "gui/guard.h"
#include "gui/handles.h"
#include "system/system_processes.h"

namespace k32 {

#ifdef _WIN64
// A 64-bit program takes the modules of 32-bit processes too.
constexpr DWORD kModuleSnapshot = TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32;
#else
constexpr DWORD kModuleSnapshot = TH32CS_SNAPMODULE;
#endif

namespace {
// Window handles hold 32 significant bits; a 64-bit program sees them sign-extended.
HWND ToHwnd(WindowId window) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}
WindowId ToId(HWND window) { return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window)); }

// Cuts a fixed buffer at its terminator, or at its end when it has none. A text that fills the
// buffer may have been cut by the system within a character: it ends on a whole one.
std::wstring Terminated(const wchar_t* buffer, std::size_t size) {
  std::size_t length = 0;
  while (length < size && buffer[length] != L'\0') ++length;
  const std::wstring_view text(buffer, length);
  return std::wstring(length + 1 >= size ? WithoutHalfCharacterAtEnd(text) : text);
}
template <std::size_t N>
std::wstring Terminated(const wchar_t (&buffer)[N]) {
  return Terminated(buffer, N);
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
  if (WiderThanThisProgram(process.Get())) return ModuleFailure::OtherWordSize;
  return ModuleFailure::AccessDenied;
}

gui::KernelHandle OwnToken(DWORD access) {
  HANDLE token = nullptr;
  return gui::KernelHandle(OpenProcessToken(GetCurrentProcess(), access, &token) ? token : nullptr);
}

// The tool-help snapshot, where the system's own query is not to be had: creation times one by one.
std::vector<ProcessEntry> ToolHelpProcesses() {
  std::vector<ProcessEntry> processes;
  gui::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry)) {
    const gui::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    processes.push_back({Terminated(entry.szExeFile), entry.th32ProcessID, entry.th32ParentProcessID,
                         entry.cntThreads, process ? ProcessCreateTime(process.Get()) : 0});
  }
  return processes;
}

class OpenedProcess final : public IProcessToEnd {
 public:
  explicit OpenedProcess(gui::KernelHandle process) : process_(std::move(process)) {}
  bool Terminate() override { return TerminateProcess(process_.Get(), static_cast<UINT>(-9)) != FALSE; }

 private:
  gui::KernelHandle process_;
};

// An error in a visit ends the enumeration.
BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  const auto& visit = *reinterpret_cast<const ISystemServices::WindowVisitor*>(context);
  return gui::Guarded([&] { return visit(ToId(window)) ? TRUE : FALSE; }, FALSE);
}
}  // namespace

std::vector<ProcessEntry> Win32Services::ProcessSnapshot() {
  std::vector<ProcessEntry> processes;
  if (QuerySystemProcesses(processBuffer_, processes)) return processes;
  return ToolHelpProcesses();
}

std::vector<ModuleEntry> Win32Services::ModuleSnapshot(std::uint32_t processId) {
  std::vector<ModuleEntry> modules;
  lastModuleFailure_ = ModuleFailure::None;
  if (processId == 0) return modules;
  // The snapshot where the loader's list cannot be read whole: it tells why, or waits out a change.
  if (std::optional<std::vector<ModuleEntry>> listed = loaderModules_.Read(processId))
    return std::move(*listed);
  gui::KernelHandle snapshot(ModuleSnapshotHandle(processId));
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  BOOL more = snapshot ? Module32FirstW(snapshot.Get(), &entry) : FALSE;
  if (!more && (!snapshot || GetLastError() != ERROR_NO_MORE_FILES)) {
    lastModuleFailure_ = WhyNoModules(processId);
    return modules;
  }
  for (; more; more = Module32NextW(snapshot.Get(), &entry)) {
    modules.push_back({Terminated(entry.szModule), Terminated(entry.szExePath),
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

std::unique_ptr<IProcessToEnd> Win32Services::OpenToTerminate(std::uint32_t processId, std::uint64_t createTime) {
  gui::KernelHandle process(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process || ProcessCreateTime(process.Get()) != createTime) return nullptr;
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE) return nullptr;
  return std::make_unique<OpenedProcess>(std::move(process));
}

ProcessDetails Win32Services::ReadProcessDetails(std::uint32_t processId, std::uint64_t createTime) {
  const gui::KernelHandle process = OpenToReadDetails(processId);
  if (!process || ProcessCreateTime(process.Get()) != createTime) return {};
  const std::wstring imagePath = ProcessImagePath(process.Get());
  auto texts = versionTexts_.find(imagePath);
  if (texts == versionTexts_.end()) texts = versionTexts_.emplace(imagePath, ReadVersionTexts(imagePath)).first;
  return {ProcessUserName(process.Get()), ProcessCommandLine(process.Get()), imagePath, texts->second.description,
          texts->second.company};
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

std::wstring Win32Services::WindowClassName(WindowId window) {
  wchar_t buffer[100] = {};
  const int length = GetClassNameW(ToHwnd(window), buffer, static_cast<int>(std::size(buffer)));
  return length > 0 ? Terminated(buffer) : std::wstring();
}

std::wstring Win32Services::WindowTitle(WindowId window) {
  wchar_t buffer[250] = {};
  const int length = GetWindowTextW(ToHwnd(window), buffer, static_cast<int>(std::size(buffer)));
  return length > 0 ? Terminated(buffer) : std::wstring();
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
