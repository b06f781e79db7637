// Readers of what does not change in a process's life: its user, command line and image path, and
// the version texts of its executable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gui/handles.h"

namespace k32 {

// The process opened with the rights these readers use: reading its memory where the system
// allows it, else the limited query that protected and other users' processes still answer. Null
// when it cannot be opened at all.
gui::KernelHandle OpenToReadDetails(std::uint32_t processId);

// When the process was created, in 100-nanosecond units since 1601 (UTC); 0 when unknown.
std::uint64_t ProcessCreateTime(HANDLE process);

// A 64-bit process seen from this 32-bit program on a 64-bit system.
bool WiderThanThisProgram(HANDLE process);

// DOMAIN\user of the process token; empty when it cannot be read.
std::wstring ProcessUserName(HANDLE process);
// The command line as the process was started, at most 32,767 characters; empty when it cannot be
// read (also for a 64-bit process seen from a 32-bit program where the system offers no way).
std::wstring ProcessCommandLine(HANDLE process);
// The full path of the executable; empty when it cannot be read.
std::wstring ProcessImagePath(HANDLE process);

struct VersionTexts {
  std::wstring description;  // FileDescription
  std::wstring company;      // CompanyName
};
// The texts of an executable's version resource in the user's language, else in the first
// translation it lists, else in US English or Simplified Chinese; empty when it has none.
VersionTexts ReadVersionTexts(const std::wstring& path);

}  // namespace k32
