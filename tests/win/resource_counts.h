// Counts of what a process holds, for leak checks under Wine, where GetGuiResources and
// GetProcessHandleCount answer 0 whatever is held.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace k32::testing {

struct ResourceCounts {
  int kernelHandles = 0;
  int gdiObjects = 0;
  int userWindows = 0;
  bool operator==(const ResourceCounts&) const = default;
};

namespace detail {

// One entry of the system handle table as ntdll returns it.
struct SystemHandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT handleValue;
  PVOID object;
  ULONG access;
};

inline int KernelHandles() {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<std::uint8_t> buffer(1 << 16);
  LONG status = 0;
  for (int tries = 0; tries < 16; ++tries) {
    ULONG needed = 0;
    status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != kLengthMismatch) break;
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status < 0) return -1;
  const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entry = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
  const DWORD self = GetCurrentProcessId();
  int count = 0;
  for (ULONG i = 0; i < entries; ++i)
    if (entry[i].ownerPid == self) ++count;
  return count;
}

inline int GdiObjects() {
  int count = 0;
  for (UINT_PTR value = 1; value <= 0xFFFF; ++value)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++count;
  return count;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

inline BOOL CALLBACK CountTop(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, &CountChild, count);
  return TRUE;
}

}  // namespace detail

// Kernel handles in the system handle table, GDI objects by handle value, windows of this thread.
inline ResourceCounts CountResources() {
  ResourceCounts counts;
  counts.kernelHandles = detail::KernelHandles();
  counts.gdiObjects = detail::GdiObjects();
  EnumThreadWindows(GetCurrentThreadId(), &detail::CountTop, reinterpret_cast<LPARAM>(&counts.userWindows));
  return counts;
}

}  // namespace k32::testing
