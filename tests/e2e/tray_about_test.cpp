// The real program hidden to its notification-area icon and back, and its about box.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace k32::e2e {
namespace {

struct ClassSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopOfClass(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ClassSearch*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->processId && ClassName(window) == search->className) search->found.push_back(window);
  return TRUE;
}

// The hidden window the shell reports the icon's mouse messages to.
HWND TrayWindow(DWORD processId) {
  ClassSearch search{processId, "Kestrel32.Hidden", {}};
  EnumWindows(&CollectTopOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found.size() == 1 ? search.found[0] : nullptr;
}

TEST(TrayE2E, MinimisingHidesTheWindowAndAClickOnTheIconBringsItBack) {
  Program program;
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  HWND tray = TrayWindow(program.ProcessId());
  ASSERT_NE(tray, nullptr);
  EXPECT_FALSE(IsWindowVisible(tray));

  for (int round = 0; round < 2; ++round) {
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "no task-bar button while minimised";
    // The shell's message for a left click on the icon.
    PostMessageA(tray, WM_USER + 1, 0, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); })) << round;
  }
}

TEST(AboutE2E, TheHelpMenuOpensTheAboutBoxAndEscClosesIt) {
  Program program;
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  // Alt+H drops the Help menu down; "A" chooses "关于(&A)...".
  PostMessageA(main, WM_SYSKEYDOWN, 'H', 0x20000001);
  PostMessageA(main, WM_CHAR, 'a', 1);
  HWND about = WaitForWindow(program.ProcessId(), "关于 Kestrel32");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), main);
  EXPECT_FALSE(IsWindowEnabled(main)) << "modal";

  std::vector<std::string> texts;
  HBITMAP banner = nullptr;
  for (HWND child : ChildrenOfClass(about, "Static")) {
    texts.push_back(WindowText(child));
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
      banner = reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
  }
  EXPECT_NE(banner, nullptr) << "the banner comes from the program's resources";
  // The picture as the program carries it: 280 x 40 over a palette of at most 256 colours.
  HMODULE image = LoadLibraryExA((ExeFolder() + kProgramExe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  HRSRC resource = FindResourceA(image, "BANNER", MAKEINTRESOURCEA(2));  // RT_BITMAP
  ASSERT_NE(resource, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(image, resource)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 280);
  EXPECT_EQ(header->biHeight, 40);
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_GT(header->biClrUsed, 1u);
  EXPECT_LE(header->biClrUsed, 256u);
  FreeLibrary(image);
  for (const char* expected :
       {"版本 2.01", "Tobin Quillmark", "tq@example.com", "http://quillmark.example.com"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  const auto buttons = ChildrenOfClass(about, "Button");
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(WindowText(buttons[0]), "确定");

  PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
}

}  // namespace
}  // namespace k32::e2e
