#include "system/system_processes.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <utility>

#include "gui/system_entry.h"

namespace k32 {

namespace {

constexpr ULONG kSystemProcessInformation = 5;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// The system's record of one process, as far as the program reads it; its threads follow it.
struct ProcessRecord {
  ULONG NextEntryOffset;
  ULONG NumberOfThreads;
  LARGE_INTEGER WorkingSetPrivateSize;
  ULONG HardFaultCount;
  ULONG NumberOfThreadsHighWatermark;
  ULONGLONG CycleTime;
  LARGE_INTEGER CreateTime;
  LARGE_INTEGER UserTime;
  LARGE_INTEGER KernelTime;
  UNICODE_STRING ImageName;
  LONG BasePriority;
  HANDLE UniqueProcessId;
  HANDLE InheritedFromUniqueProcessId;
  ULONG HandleCount;
  ULONG SessionId;
  ULONG_PTR UniqueProcessKey;
  SIZE_T PeakVirtualSize;
  SIZE_T VirtualSize;
  ULONG PageFaultCount;
  SIZE_T PeakWorkingSetSize;
  SIZE_T WorkingSetSize;
  SIZE_T QuotaPeakPagedPoolUsage;
  SIZE_T QuotaPagedPoolUsage;
  SIZE_T QuotaPeakNonPagedPoolUsage;
  SIZE_T QuotaNonPagedPoolUsage;
  SIZE_T PagefileUsage;  // the private commit
};
static_assert(offsetof(ProcessRecord, ImageName) == 0x38);
static_assert(offsetof(ProcessRecord, UniqueProcessId) == (sizeof(void*) == 8 ? 0x50 : 0x44));
static_assert(offsetof(ProcessRecord, HandleCount) == (sizeof(void*) == 8 ? 0x60 : 0x4C));
static_assert(offsetof(ProcessRecord, PagefileUsage) == (sizeof(void*) == 8 ? 0xB8 : 0x7C));

using QueryProc = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

QueryProc Query() {
  static const auto query = gui::SystemEntry<QueryProc>(L"ntdll.dll", "NtQuerySystemInformation");
  return query;
}

std::uint32_t Id(HANDLE value) { return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(value)); }

}  // namespace

bool QuerySystemProcesses(std::vector<std::uint64_t>& buffer, std::vector<ProcessEntry>& processes) {
  const QueryProc query = Query();
  if (!query) return false;
  if (buffer.empty()) buffer.resize(64 * 1024);
  ULONG needed = 0;
  NTSTATUS status = kInfoLengthMismatch;
  // Processes may start between asking the size and reading: a few tries, each with room to spare.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const auto bytes = static_cast<ULONG>(buffer.size() * sizeof buffer[0]);
    status = query(kSystemProcessInformation, buffer.data(), bytes, &needed);
    if (status != kInfoLengthMismatch) break;
    const std::size_t wanted = std::max<std::size_t>(needed, bytes) + bytes / 2;
    buffer.resize((wanted + sizeof buffer[0] - 1) / sizeof buffer[0]);
  }
  if (!NT_SUCCESS(status)) return false;

  processes.clear();
  const auto* base = reinterpret_cast<const std::byte*>(buffer.data());
  const std::size_t size = buffer.size() * sizeof buffer[0];
  for (std::size_t offset = 0; offset + sizeof(ProcessRecord) <= size;) {
    const auto& record = *reinterpret_cast<const ProcessRecord*>(base + offset);
    ProcessEntry entry;
    if (record.ImageName.Buffer && record.ImageName.Length > 0)
      entry.exeFile.assign(record.ImageName.Buffer, record.ImageName.Length / sizeof(wchar_t));
    else if (record.UniqueProcessId == nullptr)
      entry.exeFile = L"[System Process]";  // the name the system's other snapshots give it
    entry.processId = Id(record.UniqueProcessId);
    entry.parentProcessId = Id(record.InheritedFromUniqueProcessId);
    entry.threadCount = record.NumberOfThreads;
    entry.createTime = static_cast<std::uint64_t>(record.CreateTime.QuadPart);
    entry.cpuTime = static_cast<std::uint64_t>(record.KernelTime.QuadPart + record.UserTime.QuadPart);
    entry.privateBytes = record.PagefileUsage;
    entry.workingSet = record.WorkingSetSize;
    entry.handleCount = record.HandleCount;
    processes.push_back(std::move(entry));
    if (record.NextEntryOffset == 0) break;
    offset += record.NextEntryOffset;
  }
  return true;
}

}  // namespace k32
