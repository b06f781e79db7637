// Entry points of the system's libraries looked up at run time.
#pragma once

#include <windows.h>

namespace k32::gui {

// An entry point the system may lack (an older one) or the import libraries may not name; null then.
template <typename Proc>
Proc SystemEntry(const wchar_t* library, const char* name) {
  const HMODULE module = GetModuleHandleW(library);
  return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace k32::gui
