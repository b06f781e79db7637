// The help command opens the compiled help file in a help window of its own.
#include <gtest/gtest.h>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

struct Found {
  std::string title;
  HWND window = nullptr;
};

BOOL CALLBACK FindHelpWindow(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<Found*>(context);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == GetCurrentProcessId() && found->title == title) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

TEST(Help, OpensTheCompiledHelpFileByItsRelativeName) {
  ASSERT_NE(GetFileAttributesA("kestrel.chm"), INVALID_FILE_ATTRIBUTES)
      << "the help file sits beside the program";
  testing::FakeServices services;
  TFormMain form(services);
  form.HelpCmdExecute();
  Found found{"Kestrel32 帮助"};
  for (int i = 0; i < 100 && !found.window; ++i) {
    testing::Pump(50);
    EnumWindows(&FindHelpWindow, reinterpret_cast<LPARAM>(&found));
  }
  ASSERT_NE(found.window, nullptr);
  // It belongs to no window of the program.
  EXPECT_EQ(GetWindow(found.window, GW_OWNER), nullptr);
  DestroyWindow(found.window);
}

}  // namespace
}  // namespace k32
