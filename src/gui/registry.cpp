#include "gui/registry.h"

#include <cstring>
#include <vector>

#include "gui/error.h"

namespace k32::gui {

namespace {

constexpr char kCannotRead[] = "无法获取 '%s' 的数据";
constexpr char kInvalidType[] = "'%s' 的数据类型无效";
constexpr char kCannotWrite[] = "无法设置 '%s' 的数据";

[[noreturn]] void Raise(const char* pattern, const std::string& name) {
  throw EGuiError(FormatMessage1(pattern, name));
}

std::string TrimBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

TRegistry::TRegistry(HKEY root, REGSAM access) : root_(root), access_(access) {}

bool TRegistry::OpenKey(const std::string& path, bool create) {
  const bool absolute = !path.empty() && path.front() == '\\';
  const std::string relative = TrimBackslashes(absolute ? path.substr(1) : path);
  const bool fromCurrent = !absolute && current_.Valid();
  HKEY base = fromCurrent ? current_.Get() : root_;
  std::string full = fromCurrent ? path_ : std::string();
  if (!relative.empty()) full += (full.empty() ? "" : "\\") + relative;

  HKEY opened = nullptr;
  LONG status;
  if (create) {
    status = RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                             &opened, nullptr);
  } else {
    status = RegOpenKeyExA(base, relative.c_str(), 0, access_, &opened);
  }
  CloseKey();
  if (status != ERROR_SUCCESS) return false;
  current_.Reset(opened);
  path_ = full;
  return true;
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!current_.Valid()) return false;
  return RegQueryValueExA(current_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
  if (!current_.Valid()) Raise(kCannotRead, name);
  BYTE data[4] = {};
  DWORD type = REG_NONE;
  DWORD size = sizeof data;
  if (RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, data, &size) != ERROR_SUCCESS)
    Raise(kCannotRead, name);
  // A short REG_DWORD is no number either: its missing bytes would be made up.
  if (type != REG_DWORD || size != sizeof data) Raise(kInvalidType, name);
  std::int32_t value;
  static_assert(sizeof value == sizeof data);
  std::memcpy(&value, data, sizeof value);
  return value;
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!current_.Valid()) Raise(kCannotRead, name);
  // The value may grow between asking its size and reading it: ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS) Raise(kCannotRead, name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) Raise(kInvalidType, name);
    std::vector<char> buffer(size + 1, '\0');  // room for a NUL the stored text may lack
    DWORD read = size;
    status = RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &read);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS) Raise(kCannotRead, name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) Raise(kInvalidType, name);
    return std::string(buffer.data());  // up to the first NUL
  }
  Raise(kCannotRead, name);
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  if (!current_.Valid() ||
      RegSetValueExA(current_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value) != ERROR_SUCCESS)
    Raise(kCannotWrite, name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!current_.Valid() ||
      RegSetValueExA(current_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    Raise(kCannotWrite, name);
}

}  // namespace k32::gui
