#include "window/window_properties.h"

#include <cstdint>

#include "common/text.h"

namespace k32 {

namespace {
// Styles are 32-bit values at every word size.
std::uint32_t StyleBits(ISystemServices& services, WindowId window, WindowLong index) {
  return static_cast<std::uint32_t>(services.WindowLongValue(window, index));
}
}  // namespace

WindowPropertyTexts ReadWindowProperties(ISystemServices& services, WindowId window) {
  WindowPropertyTexts texts;
  texts.handle = SignedText(window);
  texts.className = services.WindowClassName(window);
  texts.title = services.WindowTitle(window);

  texts.left = texts.top = texts.width = texts.height = "---";
  if (ScreenRect rect; services.WindowRect(window, &rect)) {
    // Unsigned differences: a rectangle spanning more than 2^31 wraps instead of overflowing.
    const auto left = static_cast<std::uint32_t>(rect.left), top = static_cast<std::uint32_t>(rect.top);
    texts.left = SignedText(left);
    texts.top = SignedText(top);
    texts.width = SignedText(static_cast<std::uint32_t>(rect.right) - left);
    texts.height = SignedText(static_cast<std::uint32_t>(rect.bottom) - top);
  }

  // The instance is an address, written at the program's word size; the parent is a window handle.
  texts.instance = PointerText(static_cast<Address>(services.WindowLongValue(window, WindowLong::Instance)));
  texts.parent = SignedText(static_cast<std::uint32_t>(services.WindowLongValue(window, WindowLong::Parent)));
  texts.styles = DecodeStyles(StyleBits(services, window, WindowLong::Style),
                              StyleBits(services, window, WindowLong::ExStyle));
  return texts;
}

}  // namespace k32
