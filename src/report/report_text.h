// The plain-text report of the running processes and their modules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/settings.h"
#include "system/services.h"

namespace k32 {

// What the caller reads from the system before the report is written; an empty name is written as
// it is.
struct ReportHeader {
  std::wstring computerName;
  std::wstring userName;
  std::wstring dateText;
  std::wstring timeText;
};

// Writes the report into a text that the caller owns, wide so that every name the system gives is
// written as it is. The report flags are read as each line is written. Line ends are single line
// feeds.
class ReportWriter {
 public:
  ReportWriter(std::wstring& text, ISystemServices& services, const Settings& settings);

  // Replaces the whole text with the title and the header.
  void WriteHeader(const ReportHeader& header);
  // Walks a fresh process snapshot: each process's section head, then its modules.
  void FillProcessList();
  // The head of one process section.
  void AddPidItem(std::wstring_view exeFile, std::uint32_t processId, std::uint32_t parentProcessId,
                  std::uint32_t threadCount);
  // Walks a fresh module snapshot of one process; process 0 has none to take.
  void FillModuleList(std::uint32_t processId);
  // The lines of one module.
  void AddRsItem(std::wstring_view moduleName, std::wstring_view modulePath, Address moduleHandle,
                 std::uint32_t moduleSize);

 private:
  // Makes room for extra more characters, at least doubling, so that growth stays linear.
  void Reserve(std::size_t extra);

  std::wstring& text_;
  ISystemServices& services_;
  const Settings& settings_;
};

// The whole report: the header, then every process of a fresh snapshot with its modules.
void WriteReport(std::wstring& text, ISystemServices& services, const Settings& settings,
                 const ReportHeader& header);

}  // namespace k32
