// What the readers of another process's memory share: the native query of a process and the read
// of its memory at its own addresses.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

#include "gui/system_entry.h"

namespace k32 {

inline constexpr ULONG kProcessBasicInformation = 0;
inline constexpr ULONG kProcessWow64Information = 26;
inline constexpr ULONG kProcessCommandLineInformation = 60;  // Windows 8.1 and later

using gui::SystemEntry;

// NtQueryInformationProcess; STATUS_NOT_IMPLEMENTED where the system has none.
NTSTATUS QueryProcess(HANDLE process, ULONG infoClass, void* buffer, ULONG size, ULONG* needed = nullptr);

// Reads bytes of a process of this program's word size; false unless every byte was read.
[[nodiscard]] bool ReadSameWordSize(HANDLE process, std::uint64_t address, void* buffer, std::size_t size);

// The process runs with this program's word size (both 32-bit on a 64-bit system, or neither).
[[nodiscard]] bool SameWordSizeAsThisProgram(HANDLE process);

}  // namespace k32
