// What the window properties dialog shows about one window, read once through the services.
#pragma once

#include <string>

#include "system/services.h"
#include "window/style_names.h"

namespace k32 {

struct WindowPropertyTexts {
  std::string handle, instance, parent;
  std::wstring className, title;  // as the system holds them
  // "---" each when the rectangle cannot be read.
  std::string left, top, width, height;
  DecodedStyles styles;
};

WindowPropertyTexts ReadWindowProperties(ISystemServices& services, WindowId window);

}  // namespace k32
