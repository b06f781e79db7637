// GoogleTest on top of the standard headers, for the pure logic's tests.
#pragma GCC system_header
#include "std.h"
#include <gtest/gtest.h>
