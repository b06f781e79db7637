// Direct registry helpers under HKEY_CURRENT_USER for arranging and checking stored values, shared
// by the in-process and the end-to-end tests.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace k32::testing {

// Deletes every subkey and value below a key (and, with a name, that subkey itself).
inline void DeleteBelow(HKEY base, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(base, name ? name : "", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  for (;;) {
    DWORD length = sizeof child;
    if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteBelow(key, child);
  }
  for (;;) {
    char value[16384];
    DWORD length = sizeof value;
    if (RegEnumValueA(key, 0, value, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (RegDeleteValueA(key, value) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  if (name) RegDeleteKeyA(base, name);
}

inline void DeleteKeyTree(const std::string& path) { DeleteBelow(HKEY_CURRENT_USER, path.c_str()); }

inline bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline void SetRaw(const std::string& key, const std::string& name, DWORD type, const void* data,
                   DWORD size) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create test key " + key);
  const LONG status = RegSetValueExA(opened, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set test value " + name);
}

inline void SetDword(const std::string& key, const std::string& name, std::uint32_t value) {
  SetRaw(key, name, REG_DWORD, &value, sizeof value);
}

inline void SetString(const std::string& key, const std::string& name, const std::string& value) {
  SetRaw(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

struct StoredValue {
  bool exists = false;
  DWORD type = REG_NONE;
  std::string bytes;
  [[nodiscard]] std::uint32_t Dword() const {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data(), std::min(bytes.size(), sizeof value));
    return value;
  }
  [[nodiscard]] std::string Text() const { return std::string(bytes.c_str()); }  // up to the first NUL
};

inline StoredValue GetValue(const std::string& key, const std::string& name) {
  StoredValue value;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return value;
  DWORD size = 0;
  if (RegQueryValueExA(opened, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.bytes.assign(size, '\0');
    value.exists = RegQueryValueExA(opened, name.c_str(), nullptr, &value.type,
                                    reinterpret_cast<BYTE*>(value.bytes.data()), &size) == ERROR_SUCCESS;
    value.bytes.resize(size);
  }
  RegCloseKey(opened);
  return value;
}

inline const std::string kProgramKeyPath = "Software\\Tobin Quillmark\\Kestrel32";
inline const char* const kReportFlagNames[] = {"ProcID",  "PProcID", "Threads", "Priority",
                                               "Modules", "Path",    "Handle",  "Size"};

// The sixteen program settings as a first close writes them.
inline void StoreDefaultSettings() {
  const std::string program = kProgramKeyPath;
  SetDword(program, "Top", 10);
  SetDword(program, "Left", 10);
  SetDword(program, "Width", 642);
  SetDword(program, "Height", 455);
  SetDword(program, "StayOnTop", 0);
  SetDword(program, "Timer", 20);
  SetDword(program, "AutoRefresh", 0);
  SetDword(program, "Confirm", 1);
  for (const char* flag : kReportFlagNames) SetDword(program + "\\Report", flag, 1);
}

}  // namespace k32::testing
