// The settings a list keeps in the registry by itself: column widths, sort column and direction,
// view style and (for the extended list) the display order of the columns. Each value is a text in
// a section (subkey) of the list's own key under HKEY_CURRENT_USER.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/listview.h"

namespace k32 {

class TdfsEnhLVSaveSettings {
 public:
  virtual ~TdfsEnhLVSaveSettings() = default;

  // Read when the list has been loaded, written when its window is destroyed.
  bool AutoSave = false;
  // Path of the list's key, relative to HKEY_CURRENT_USER.
  std::string RegistryKey;
  bool SaveColumnSizes = true;
  bool SaveCurrentSort = true;
  bool SaveViewStyle = true;

  // Each operation opens the list's key afresh, creating it when missing, and closes it again.
  // Writing raises the registry's error when a value cannot be stored. Reading never raises: a
  // missing key, section or value, one that is not text or cannot be read, counts as no value.

  // Widths by display position, in pixels at dpi, kept as 96-DPI values so that they read the same
  // on a display of another scale; nothing for count 0. Stored and read at 144 DPI, a width of
  // 3n + 1 pixels comes back as 3n + 2 (its 96-DPI value is that of 3n + 2), then stays.
  void StoreColumnSizes(int count, const int* sizes, int dpi = kDesignDpi);
  // sizes holds the current widths; each stored width that reads replaces one. Without a value
  // (or with -1 first) sizes[0] becomes -1 and the rest stay.
  void ReadColumnSizes(int count, int* sizes, int dpi = kDesignDpi);
  void StoreCurrentSort(bool ascending, int sortColumn);
  // Defaults: ascending, column 0. The column is not clamped here.
  void ReadCurrentSort(bool& ascending, int& sortColumn);
  void StoreViewStyle(gui::TViewStyle style);
  // The stored style when it is one of the four, otherwise current.
  gui::TViewStyle ReadViewStyle(gui::TViewStyle current);

 protected:
  void WriteText(const char* section, const char* name, const std::string& value);
  // The empty text when there is no value to read.
  std::string ReadText(const char* section, const char* name);
};

class TdfsExtLVSaveSettings : public TdfsEnhLVSaveSettings {
 public:
  bool SaveColumnOrder = true;

  // Column indices from left to right; nothing for count 0.
  void StoreColumnOrder(int count, const int* order);
  // The stored order when it holds each column exactly once; the identity order otherwise.
  void ReadColumnOrder(int count, int* order);
  // Which columns are shown; read gives nothing when no usable value is stored.
  void StoreVisibleColumns(const std::vector<bool>& visible);
  [[nodiscard]] std::optional<std::vector<bool>> ReadVisibleColumns(int count);
};

}  // namespace k32
