// The Windows headers and the standard ones, compiled once per target that touches Win32.
#pragma GCC system_header
#include "std.h"
// after std.h; commctrl.h needs windows.h before it
#include <windows.h>
#include <commctrl.h>
