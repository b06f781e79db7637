#include "gui/clipboard.h"

#include <cstring>
#include <new>

#include "gui/error.h"

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

}  // namespace

void ClipboardSetText(HWND owner, const std::string& text) {
  // The text is made ready first: what the user had there stays when it cannot be.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  void* bytes = memory ? GlobalLock(memory) : nullptr;
  if (!bytes) {
    if (memory) GlobalFree(memory);
    throw std::bad_alloc();
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  OpenedClipboard clipboard(owner);
  if (!clipboard.Open()) {
    GlobalFree(memory);
    throw EGuiError("无法打开剪贴板");
  }
  EmptyClipboard();
  // The clipboard owns the memory once it is set; the user must not believe a copy that failed.
  if (!SetClipboardData(CF_TEXT, memory)) {
    GlobalFree(memory);
    throw EGuiError("无法设置剪贴板数据");
  }
}

}  // namespace k32::gui
