// Move-only owners for the handles the program opens.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace k32::gui {

template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T value) : value_(value) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  [[nodiscard]] T Get() const { return value_; }
  [[nodiscard]] bool Valid() const { return Traits::Valid(value_); }
  explicit operator bool() const { return Valid(); }
  [[nodiscard]] T Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) {
    if (Traits::Valid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

struct RegKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool Valid(HKEY h) { return h != nullptr; }
  static void Close(HKEY h) { ::RegCloseKey(h); }
};
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;

template <typename G>
struct GdiTraits {
  static G Invalid() { return nullptr; }
  static bool Valid(G h) { return h != nullptr; }
  static void Close(G h) { ::DeleteObject(h); }
};
using FontHandle = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, GdiTraits<HPEN>>;

struct MemoryDCTraits {
  static HDC Invalid() { return nullptr; }
  static bool Valid(HDC h) { return h != nullptr; }
  static void Close(HDC h) { ::DeleteDC(h); }
};
using MemoryDCHandle = UniqueHandle<HDC, MemoryDCTraits>;  // from CreateCompatibleDC

struct ImageListTraits {
  static HIMAGELIST Invalid() { return nullptr; }
  static bool Valid(HIMAGELIST h) { return h != nullptr; }
  static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListTraits>;

struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static bool Valid(HICON h) { return h != nullptr; }
  static void Close(HICON h) { ::DestroyIcon(h); }
};
using IconHandle = UniqueHandle<HICON, IconTraits>;

struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool Valid(HMENU h) { return h != nullptr; }
  static void Close(HMENU h) { ::DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;

// Selects a GDI object into a device context for one scope.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~SelectObjectScope() { ::SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A screen or window device context released at the end of the scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace k32::gui
