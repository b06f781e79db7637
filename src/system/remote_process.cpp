#include "system/remote_process.h"

#include <limits>

namespace k32 {

namespace {
constexpr NTSTATUS kNotImplemented = static_cast<NTSTATUS>(0xC0000002L);
}  // namespace

NTSTATUS QueryProcess(HANDLE process, ULONG infoClass, void* buffer, ULONG size, ULONG* needed) {
  using QueryProc = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  static const auto query = SystemEntry<QueryProc>(L"ntdll.dll", "NtQueryInformationProcess");
  return query ? query(process, infoClass, buffer, size, needed) : kNotImplemented;
}

bool ReadSameWordSize(HANDLE process, std::uint64_t address, void* buffer, std::size_t size) {
  if (address == 0 || address > std::numeric_limits<std::uintptr_t>::max() - size) return false;
  SIZE_T read = 0;
  return ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)),
                           buffer, size, &read) &&
         read == size;
}

bool SameWordSizeAsThisProgram(HANDLE process) {
  static const bool selfOnWow64 = [] {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }();
  BOOL targetOnWow64 = FALSE;
  return IsWow64Process(process, &targetOnWow64) && (targetOnWow64 != FALSE) == selfOnWow64;
}

}  // namespace k32
