// GoogleTest on top of the Windows and standard headers, for the Win32 test programs.
#pragma GCC system_header
#include "windows.h"
#include <gtest/gtest.h>
