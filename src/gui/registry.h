// The registry accessor: one open key at a time under a root, 32-bit integers and texts, every
// failure raised as an EGuiError whose text names the value.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gui/handles.h"

namespace k32::gui {

class TRegistry {
 public:
  explicit TRegistry(HKEY root = HKEY_CURRENT_USER, REGSAM access = KEY_ALL_ACCESS);
  TRegistry(TRegistry&&) noexcept = default;
  TRegistry& operator=(TRegistry&&) noexcept = default;

  [[nodiscard]] HKEY RootKey() const { return root_; }
  [[nodiscard]] HKEY CurrentKey() const { return current_.Get(); }
  // Path of the open key from the root, without a leading backslash; empty when none is open.
  [[nodiscard]] const std::string& CurrentPath() const { return path_; }

  // Opens a key, creating it first when create is set. A path starting with "\" is taken from the
  // root, any other from the open key (from the root when none is open); a trailing "\" is
  // ignored. The key open before is closed in every case, so after a failed open no key is open
  // and the reads that follow fail. False when the key could not be opened.
  bool OpenKey(const std::string& path, bool create);
  void CloseKey() { current_.Reset(), path_.clear(); }

  [[nodiscard]] bool ValueExists(const std::string& name) const;

  // A REG_DWORD of 4 bytes. Raises "无法获取 '%s' 的数据" when the value cannot be read into 4
  // bytes (missing, longer, no key open) and "'%s' 的数据类型无效" for another type or size.
  [[nodiscard]] std::int32_t ReadInteger(const std::string& name) const;
  // True when the stored integer is not 0.
  [[nodiscard]] bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  // A REG_SZ or REG_EXPAND_SZ up to its first NUL; empty when the value is missing. Raises
  // "'%s' 的数据类型无效" for a value of another type, "无法获取 '%s' 的数据" when it cannot be read.
  [[nodiscard]] std::string ReadString(const std::string& name) const;

  // Each raises "无法设置 '%s' 的数据" when the value cannot be written.
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  void WriteString(const std::string& name, const std::string& value);

 private:
  HKEY root_;
  REGSAM access_;
  RegKey current_;
  std::string path_;
};

}  // namespace k32::gui
