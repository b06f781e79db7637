#include "system/loader_modules.h"

#include <windows.h>
#include <winternl.h>

#include "gui/handles.h"
#include "system/loader_list.h"
#include "system/paged_reader.h"
#include "system/process_details.h"
#include "system/remote_layout.h"
#include "system/remote_process.h"

namespace k32 {

namespace {
std::size_t PageSize() {
  static const std::size_t size = [] {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    // A page size that is no power of two would be no page: single bytes are read then.
    const DWORD page = system.dwPageSize;
    return page != 0 && (page & (page - 1)) == 0 ? page : 1;
  }();
  return size;
}
}  // namespace

std::optional<std::vector<ModuleEntry>> LoaderModuleReader::Read(std::uint32_t processId) {
  const gui::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return std::nullopt;
  const std::uint64_t createTime = ProcessCreateTime(process.Get());
  if (processId != processId_ || createTime != createTime_ || createTime == 0) {
    if (!SameWordSizeAsThisProgram(process.Get())) return std::nullopt;
    processId_ = processId;
    createTime_ = createTime;
    loader_ = first_ = 0;
    pages_.clear();
  }
  const auto readProcess = [&](std::uint64_t address, void* buffer, std::size_t size) {
    return ReadSameWordSize(process.Get(), address, buffer, size);
  };
  PagedReader pages(readProcess, PageSize());
  const RemoteRead read = [&](std::uint64_t address, void* buffer, std::size_t size) {
    return pages.Read(address, buffer, size);
  };
  pages.ReadAhead(pages_);
  if (loader_ == 0) {
    BasicInformation<std::uintptr_t> basic{};
    if (!NT_SUCCESS(QueryProcess(process.Get(), kProcessBasicInformation, &basic, sizeof basic)))
      return std::nullopt;
    const std::optional<std::uint64_t> loader = ReadLoaderAddress(basic.pebBaseAddress, sizeof(void*), read);
    if (!loader) return std::nullopt;
    loader_ = *loader;
  }
  std::optional<LoaderList> list = ReadLoaderList(loader_, sizeof(void*), read, first_);
  pages_ = pages.PagesUsed();
  if (!list) return std::nullopt;
  first_ = list->first;
  return std::move(list->modules);
}

}  // namespace k32
