// The names of the helper that lives outside code page 936: its folder and file (spelt the same in
// tests/CMakeLists.txt), its window's class and title.
#pragma once

namespace k32::testing {

inline constexpr const wchar_t* kWideChildFolder = L"폴더 Ω";
inline constexpr const wchar_t* kWideChildExe = L"한글창.exe";
inline constexpr const wchar_t* kWideChildClass = L"ΩЖ한";
inline constexpr const wchar_t* kWideChildTitle = L"한국어 🔴 Ελληνικά 测试";

}  // namespace k32::testing
