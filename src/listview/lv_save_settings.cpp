#include "listview/lv_save_settings.h"

#include <algorithm>
#include <span>
#include <vector>

#include "gui/error.h"
#include "gui/registry.h"
#include "listview/list_settings_codec.h"

namespace k32 {

void TdfsEnhLVSaveSettings::WriteText(const char* section, const char* name, const std::string& value) {
  gui::TRegistry registry(HKEY_CURRENT_USER);
  // A key that cannot be opened makes the write below fail with the value's name.
  if (registry.OpenKey(RegistryKey, true)) registry.OpenKey(section, true);
  registry.WriteString(name, value);
}

std::string TdfsEnhLVSaveSettings::ReadText(const char* section, const char* name) {
  gui::TRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKey(RegistryKey, true) || !registry.OpenKey(section, false)) return {};
  try {
    return registry.ReadString(name);
  } catch (const gui::EGuiError&) {
    return {};  // not text: the layout's value stands, and the next write mends it
  }
}

void TdfsEnhLVSaveSettings::StoreColumnSizes(int count, const int* sizes, int dpi) {
  if (count <= 0) return;
  WriteText(kColumnsSection, kSizesValue,
            FormatColumnSizes(std::span(sizes, static_cast<std::size_t>(count)), dpi));
}

void TdfsEnhLVSaveSettings::ReadColumnSizes(int count, int* sizes, int dpi) {
  if (count <= 0) return;
  const auto read =
      ParseColumnSizes(ReadText(kColumnsSection, kSizesValue), std::vector<int>(sizes, sizes + count), dpi);
  if (read)
    std::copy(read->begin(), read->end(), sizes);
  else
    sizes[0] = -1;
}

void TdfsEnhLVSaveSettings::StoreCurrentSort(bool ascending, int sortColumn) {
  WriteText(kSortSection, kAscendingValue, FormatFlag(ascending));
  WriteText(kSortSection, kSortColValue, FormatInteger(sortColumn));
}

void TdfsEnhLVSaveSettings::ReadCurrentSort(bool& ascending, int& sortColumn) {
  ascending = ParseAscending(ReadText(kSortSection, kAscendingValue));
  sortColumn = ParseInteger(ReadText(kSortSection, kSortColValue)).value_or(0);
}

void TdfsEnhLVSaveSettings::StoreViewStyle(gui::TViewStyle style) {
  WriteText(kViewStyleSection, kViewStyleValue, FormatInteger(style));
}

gui::TViewStyle TdfsEnhLVSaveSettings::ReadViewStyle(gui::TViewStyle current) {
  return static_cast<gui::TViewStyle>(ParseViewStyle(ReadText(kViewStyleSection, kViewStyleValue), current));
}

void TdfsExtLVSaveSettings::StoreColumnOrder(int count, const int* order) {
  if (count <= 0) return;
  WriteText(kColumnsSection, kOrderValue,
            FormatIntegerList(std::span(order, static_cast<std::size_t>(count))));
}

void TdfsExtLVSaveSettings::StoreVisibleColumns(const std::vector<bool>& visible) {
  std::vector<int> shown;
  for (std::size_t i = 0; i < visible.size(); ++i)
    if (visible[i]) shown.push_back(static_cast<int>(i));
  if (!shown.empty()) WriteText(kColumnsSection, kVisibleValue, FormatIntegerList(shown));
}

std::optional<std::vector<bool>> TdfsExtLVSaveSettings::ReadVisibleColumns(int count) {
  return ParseVisibleColumns(ReadText(kColumnsSection, kVisibleValue), count);
}

void TdfsExtLVSaveSettings::ReadColumnOrder(int count, int* order) {
  if (count <= 0) return;
  const std::vector<int> read = ParseColumnOrder(ReadText(kColumnsSection, kOrderValue), count);
  std::copy(read.begin(), read.end(), order);
}

}  // namespace k32
