// What the program asks of the operating system about processes, modules and windows.
// Pure interface: the Win32 implementation lives in win32_services.*, tests hand in fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace k32 {

// A window handle as its 32-bit value, so pure code can carry it without windows.h. The system
// keeps window handles within 32 bits on 64-bit Windows too.
using WindowId = std::uint32_t;
// A pointer-sized value (load address, instance) kept whole whatever the build's word size.
using Address = std::uint64_t;

// Names travel as the system holds them (UTF-16 on Windows), whatever the program's code page.
struct ProcessEntry {
  std::wstring exeFile;  // up to 259 characters, with or without a directory
  std::uint32_t processId = 0;
  std::uint32_t parentProcessId = 0;
  std::uint32_t threadCount = 0;
  // When the process was created, in 100-nanosecond units since 1601 (UTC); 0 when unknown. Once a
  // process has ended, the system may give its identifier to another one: the two tell them apart.
  std::uint64_t createTime = 0;
  // What it has cost so far, as the system counts it (0 where the system does not tell).
  std::uint64_t cpuTime = 0;       // kernel and user time, 100-nanosecond units
  std::uint64_t privateBytes = 0;  // private commit
  std::uint64_t workingSet = 0;    // bytes in memory
  std::uint32_t handleCount = 0;
};

// What does not change in a process's life; each text empty when it cannot be read.
struct ProcessDetails {
  std::wstring userName;     // DOMAIN\user of the process token
  std::wstring commandLine;  // as the process was started
  std::wstring imagePath;    // full path of the executable
  std::wstring description;  // FileDescription of the executable's version resource
  std::wstring company;      // CompanyName of the same
};

// A process as nothing else can be: its identifier, and when it was created.
struct ProcessIdentity {
  std::uint32_t processId = 0;
  std::uint64_t createTime = 0;
  bool operator==(const ProcessIdentity&) const = default;
};
struct ProcessIdentityHash {
  std::size_t operator()(const ProcessIdentity& process) const noexcept {
    return std::hash<std::uint64_t>()(process.createTime * 31 + process.processId);
  }
};
[[nodiscard]] inline ProcessIdentity IdentityOf(const ProcessEntry& process) {
  return {process.processId, process.createTime};
}

// A process held open to be ended: while it is held, its identifier names no other process.
class IProcessToEnd {
 public:
  virtual ~IProcessToEnd() = default;
  // Ends it with exit code -9; false when the system refuses.
  [[nodiscard]] virtual bool Terminate() = 0;
};

struct ModuleEntry {
  std::wstring moduleName;       // up to 255 characters
  std::wstring exePath;          // up to 259 characters
  Address moduleHandle = 0;      // load address
  std::uint32_t moduleSize = 0;  // bytes
};

struct ScreenRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

enum class TerminateOutcome { CannotOpen, Failed, Terminated };

// Why a module snapshot gave nothing: None when it was read (or the process has no modules).
enum class ModuleFailure { None, AccessDenied, Ended, OtherWordSize };

// Index of the window values the window properties use; instance and parent are pointer-sized.
enum class WindowLong : int { Instance = -6, Parent = -8, Style = -16, ExStyle = -20 };

class ISystemServices {
 public:
  virtual ~ISystemServices() = default;

  // Every process in the system's order; empty when the snapshot cannot be taken.
  virtual std::vector<ProcessEntry> ProcessSnapshot() = 0;
  // Modules of one process in the system's order; empty when it cannot be inspected.
  virtual std::vector<ModuleEntry> ModuleSnapshot(std::uint32_t processId) = 0;
  // Why the last module snapshot gave nothing.
  virtual ModuleFailure LastModuleFailure() { return ModuleFailure::None; }
  // The debug privilege enabled when the user's token holds it; nothing happens otherwise.
  virtual void EnableDebugPrivilege() {}
  // Whether the program runs with an administrator's rights.
  virtual bool Elevated() { return true; }
  // The priority class value, or 0 when the process cannot be opened or queried.
  virtual std::uint32_t PriorityClass(std::uint32_t processId) = 0;
  // Opens the process to end it, if it is still the one created at createTime; null when it cannot
  // be opened or has ended (its identifier may name another process by now).
  virtual std::unique_ptr<IProcessToEnd> OpenToTerminate(std::uint32_t processId, std::uint64_t createTime) = 0;
  // The details of the process, if it is still the one created at createTime; {} otherwise.
  virtual ProcessDetails ReadProcessDetails(std::uint32_t /*processId*/, std::uint64_t /*createTime*/) {
    return {};
  }

  // The callback answers false to stop the enumeration.
  using WindowVisitor = std::function<bool(WindowId)>;
  virtual void EnumTopLevelWindows(const WindowVisitor& visit) = 0;
  virtual void EnumDescendantWindows(WindowId parent, const WindowVisitor& visit) = 0;

  // Owning process; threadId 0 means the window is gone.
  virtual std::uint32_t WindowProcessId(WindowId window, std::uint32_t* threadId) = 0;
  virtual std::wstring WindowClassName(WindowId window) = 0;  // at most 99 characters
  virtual std::wstring WindowTitle(WindowId window) = 0;      // at most 249 characters
  virtual bool IsWindowVisible(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) = 0;
  virtual bool WindowRect(WindowId window, ScreenRect* rect) = 0;
  // The value as wide as the system stores it (a pointer for Instance and Parent), sign-extended.
  virtual std::int64_t WindowLongValue(WindowId window, WindowLong index) = 0;
};

}  // namespace k32
