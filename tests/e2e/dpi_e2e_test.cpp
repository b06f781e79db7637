// The real program at the display's DPI (96 with the rest, 144 in a prefix of its own): the first
// start opens at the designed size scaled, its bars and pictures with it, and writes back the
// window's own pixels.
#include <gtest/gtest.h>

#include "common/dpi_scale.h"
#include "e2e/driver.h"
#include "win/registry_values.h"

namespace k32::e2e {
namespace {

// The display's DPI, read as a program that knows it reads it (an unaware one is told 96).
int DisplayDpi() {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (auto aware = reinterpret_cast<BOOL(WINAPI*)()>(
          reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware"))))
    aware();
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

TEST(DpiE2E, FirstStartOpensAtTheDesignedSizeScaledAndStoresItsPixels) {
  const int dpi = DisplayDpi();
  if (const char* wanted = std::getenv("KESTREL_DPI")) EXPECT_EQ(dpi, std::atoi(wanted));
  RegistryTurn turn;
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
  RECT rect{};
  {
    Program program;
    ASSERT_NE(program.MainWindow(), nullptr);
    GetWindowRect(program.MainWindow(), &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 10);
    EXPECT_EQ(rect.right - rect.left, ScaleToDpi(642, dpi));
    EXPECT_EQ(rect.bottom - rect.top, ScaleToDpi(455, dpi));
    // The image buttons hold the pictures drawn for this DPI; the status bar is scaled.
    const RECT button = program.ToolButtonRect(program.ToolBar(9), 0);
    EXPECT_GE(button.bottom - button.top, PictureSizeForDpi(dpi));
    HWND status = FindWindowExA(program.MainWindow(), nullptr, "msctls_statusbar32", nullptr);
    RECT bar{};
    GetWindowRect(status, &bar);
    EXPECT_EQ(bar.bottom - bar.top, ScaleToDpi(20, dpi));
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10000), 0u);
  }
  EXPECT_EQ(static_cast<LONG>(testing::GetValue(testing::kProgramKeyPath, "Width").Dword()), rect.right - rect.left);
  EXPECT_EQ(static_cast<LONG>(testing::GetValue(testing::kProgramKeyPath, "Height").Dword()),
            rect.bottom - rect.top);
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

}  // namespace
}  // namespace k32::e2e
