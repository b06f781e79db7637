#include "window/window_rows.h"

#include "common/text.h"

namespace k32 {

namespace {
const std::wstring kNoPath;
}

ProcessNames::ProcessNames(const std::vector<ProcessEntry>& snapshot) {
  paths_.reserve(snapshot.size());
  for (const ProcessEntry& process : snapshot) paths_.insert_or_assign(process.processId, &process.exeFile);
}

const std::wstring& ProcessNames::GetPidExeName(std::uint32_t processId) const {
  const auto found = paths_.find(processId);
  return found == paths_.end() ? kNoPath : *found->second;
}

bool WindowRowCollector::AddWindowItem(WindowId window, const ProcessNames& owners) {
  if (window == 0) return false;
  std::uint32_t threadId = 0;
  const std::uint32_t processId = services_.WindowProcessId(window, &threadId);
  if (threadId == 0) return true;
  ListRow& row = rows.emplace_back();
  row.caption = WidenAscii(SignedText(window));
  row.subItems = Cells(services_.WindowClassName(window), services_.WindowTitle(window),
                       FileNamePart(owners.GetPidExeName(processId)));
  row.image = services_.IsWindowVisible(window) ? kWindowImage : kHiddenWindowImage;
  return true;
}

bool WindowRowCollector::AddChildItem(WindowId window) {
  if (window == 0) return false;
  ListRow& row = rows.emplace_back();
  row.caption = WidenAscii(SignedText(window));
  row.subItems = Cells(services_.WindowClassName(window), services_.WindowTitle(window));
  row.image = services_.IsWindowVisible(window) ? kChildImage : kHiddenChildImage;
  return true;
}

std::vector<ListRow> TopLevelWindowRows(ISystemServices& services,
                                        const std::vector<ProcessEntry>& processes) {
  const ProcessNames owners(processes);
  WindowRowCollector collector(services);
  services.EnumTopLevelWindows([&](WindowId window) { return collector.AddWindowItem(window, owners); });
  return std::move(collector.rows);
}

std::vector<ListRow> DescendantWindowRows(ISystemServices& services, WindowId parent) {
  WindowRowCollector collector(services);
  services.EnumDescendantWindows(parent, [&](WindowId window) { return collector.AddChildItem(window); });
  return std::move(collector.rows);
}

}  // namespace k32
