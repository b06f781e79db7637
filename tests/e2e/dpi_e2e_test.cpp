// The real program's first start at the display's DPI (96 with the rest, 144 in a prefix of its own).
#include <gtest/gtest.h>

#include "common/dpi_scale.h"
#include "e2e/driver.h"
#include "win/registry_values.h"

namespace k32::e2e {
namespace {

TEST(DpiE2E, FirstStartOpensAtTheDesignedSizeScaledAndStoresIt) {
  // Read as a program that knows the DPI (an unaware one is told 96).
  auto aware = reinterpret_cast<BOOL(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")));
  if (aware) aware();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (const char* wanted = std::getenv("KESTREL_DPI")) {
    EXPECT_EQ(dpi, std::atoi(wanted));
  }
  RegistryTurn turn;
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
  RECT rect{};
  {
    Program program;
    GetWindowRect(program.MainWindow(), &rect);
    EXPECT_EQ(rect.right - rect.left, ScaleToDpi(642, dpi));
    EXPECT_EQ(rect.bottom - rect.top, ScaleToDpi(455, dpi));
    const RECT button = program.ToolButtonRect(program.ToolBar(10), 0);
    EXPECT_GE(button.bottom - button.top, PictureSizeForDpi(dpi));
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10000), 0u);
  }
  // Kept as 96-DPI values, whatever the display's scale.
  EXPECT_EQ(testing::GetValue(testing::kProgramKeyPath, "Width").Dword(), 642u);
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

}  // namespace
}  // namespace k32::e2e
