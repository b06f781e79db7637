#include "gui/clipboard.h"

#include <cstring>
#include <new>

#include "gui/error.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {

// Closes the clipboard however the scope ends.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  [[nodiscard]] bool Open() const { return open_; }

 private:
  bool open_;
};

// Memory the clipboard takes: the text with its terminating zero, freed unless the clipboard
// takes it.
class GlobalText {
 public:
  template <typename Char>
  explicit GlobalText(const std::basic_string<Char>& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(Char);
    memory_ = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* locked = memory_ ? GlobalLock(memory_) : nullptr;
    if (!locked) {
      if (memory_) GlobalFree(memory_);
      throw std::bad_alloc();
    }
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory_);
  }
  ~GlobalText() {
    if (memory_) GlobalFree(memory_);
  }
  GlobalText(const GlobalText&) = delete;
  GlobalText& operator=(const GlobalText&) = delete;

  // The clipboard owns the memory once it is set; the user must not believe a copy that failed.
  void SetAs(UINT format) {
    if (!SetClipboardData(format, memory_)) throw EGuiError("无法设置剪贴板数据");
    memory_ = nullptr;
  }

 private:
  HGLOBAL memory_ = nullptr;
};

}  // namespace

void ClipboardSetText(HWND owner, const std::string& text) {
  GlobalText ansi(text);
  OpenedClipboard clipboard(owner);
  if (!clipboard.Open()) throw EGuiError("无法打开剪贴板");
  EmptyClipboard();
  ansi.SetAs(CF_TEXT);
}

void ClipboardSetText(HWND owner, const std::wstring& text) {
  GlobalText unicode(text), ansi(Narrow(text));
  OpenedClipboard clipboard(owner);
  if (!clipboard.Open()) throw EGuiError("无法打开剪贴板");
  EmptyClipboard();
  unicode.SetAs(CF_UNICODETEXT);
  ansi.SetAs(CF_TEXT);
}

}  // namespace k32::gui
