// The program's options end to end: read at start from the prefix's registry, edited in the
// settings dialog, written when the main window is closed.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "win/registry_values.h"

namespace k32::e2e {
namespace {

using testing::GetValue;
using testing::kProgramKeyPath;
using testing::kReportFlagNames;
using testing::SetDword;

class SettingsE2E : public ::testing::Test {
 protected:
  void SetUp() override { testing::DeleteKeyTree("Software\\Tobin Quillmark"); }
  void TearDown() override { testing::DeleteKeyTree("Software\\Tobin Quillmark"); }
  static RECT Bounds(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  static void Close(Program& program) {
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10000), 0u);
  }
  RegistryTurn turn;
};

TEST_F(SettingsE2E, AFirstStartReportsTheMissingSettingsOnceAndTheCloseBoxStoresThem) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  EXPECT_EQ(program.StartupMessages(), std::vector<std::string>{"无法获取 'StayOnTop' 的数据."});
  const RECT rect = Bounds(program.MainWindow());
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  EXPECT_EQ(rect.right - rect.left, 642);
  EXPECT_EQ(rect.bottom - rect.top, 455);
  Close(program);

  const std::pair<const char*, std::uint32_t> expected[] = {
      {"Top", 10},      {"Left", 10},  {"Width", 642},     {"Height", 455},
      {"StayOnTop", 0}, {"Timer", 20}, {"AutoRefresh", 0}, {"Confirm", 1}};
  for (const auto& [name, value] : expected) {
    const auto stored = GetValue(kProgramKeyPath, name);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(stored.Dword(), value) << name;
  }
  for (const char* flag : kReportFlagNames) {
    const auto stored = GetValue(kProgramKeyPath + "\\Report", flag);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << flag;
    EXPECT_EQ(stored.Dword(), 1u) << flag;
  }
}

TEST_F(SettingsE2E, TheStoredPlaceIsWhereTheWindowOpensAndWhereItWasIsStored) {
  testing::StoreDefaultSettings();
  SetDword(kProgramKeyPath, "Left", 150);
  SetDword(kProgramKeyPath, "Top", 120);
  SetDword(kProgramKeyPath, "Width", 600);
  SetDword(kProgramKeyPath, "Height", 430);
  SetDword(kProgramKeyPath, "StayOnTop", 1);
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  EXPECT_TRUE(program.StartupMessages().empty());
  RECT rect = Bounds(program.MainWindow());
  EXPECT_EQ(rect.left, 150);
  EXPECT_EQ(rect.top, 120);
  EXPECT_EQ(rect.right - rect.left, 600);
  EXPECT_EQ(rect.bottom - rect.top, 430);
  EXPECT_TRUE(GetWindowLongA(program.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  SetWindowPos(program.MainWindow(), nullptr, 200, 210, 620, 440, SWP_NOZORDER | SWP_NOACTIVATE);
  Close(program);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Left").Dword(), 200u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Top").Dword(), 210u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Width").Dword(), 620u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Height").Dword(), 440u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "StayOnTop").Dword(), 1u);
}

TEST_F(SettingsE2E, TheSettingsDialogRefusesBadSecondsAndItsOkIsStoredAtTheClose) {
  testing::StoreDefaultSettings();
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  // Alt+S presses the settings button.
  PostMessageA(program.MainWindow(), WM_SYSKEYDOWN, 'S', 0x20000001);
  HWND dialog = WaitForWindow(program.ProcessId(), "设置", 10000);
  ASSERT_NE(dialog, nullptr);
  const auto edits = ChildrenOfClass(dialog, "Edit");
  ASSERT_EQ(edits.size(), 1u);
  char text[16] = {};
  SendMessageA(edits[0], WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "20");
  HWND ok = nullptr, autoRefresh = nullptr, confirm = nullptr;
  for (HWND button : ChildrenOfClass(dialog, "Button")) {
    const std::string caption = WindowText(button);
    if (caption == "确定") ok = button;
    if (caption == "自动刷新每隔(&R)") autoRefresh = button;
    if (caption == "确认进程终止(&C)") confirm = button;
  }
  ASSERT_TRUE(ok && autoRefresh && confirm);

  SendMessageA(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  PostMessageA(ok, BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(program.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "您在刷新设置中输入的是无效数值。");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  Sleep(200);
  EXPECT_TRUE(IsWindowVisible(dialog));  // still open for a better entry

  SendMessageA(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("$1F"));
  PostMessageA(autoRefresh, BM_CLICK, 0, 0);
  PostMessageA(confirm, BM_CLICK, 0, 0);
  PostMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntilGone(dialog, 10000));
  // Nothing reaches the registry before the close.
  EXPECT_EQ(GetValue(kProgramKeyPath, "Timer").Dword(), 20u);
  Close(program);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Timer").Dword(), 31u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "AutoRefresh").Dword(), 1u);
  EXPECT_EQ(GetValue(kProgramKeyPath, "Confirm").Dword(), 0u);
}

TEST_F(SettingsE2E, EachListOpensAsItWasLeftAndStoresItsColumnsAtTheEnd) {
  const std::string procList = "Software\\Tobin Quillmark\\Kestrel32\\2.0\\Lists\\ProcList";
  testing::StoreDefaultSettings();
  testing::SetString(procList + "\\Columns", "Order", "2,0,1,3,4");
  testing::SetString(procList + "\\Columns", "Sizes", "45,120,70,70,170");
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  // Stored with five columns: the later ones follow them.
  EXPECT_EQ(program.ColumnOrder(lists[0]), (std::vector<int>{2, 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETCOLUMNWIDTH, 2, 0), 45);
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETCOLUMNWIDTH, 0, 0), 120);
  EXPECT_EQ(program.ColumnOrder(lists[1]), (std::vector<int>{0, 1, 2, 3}));

  // The user drags the columns about; the order that the list shows at the end is stored.
  program.SetColumnOrder(lists[0], {4, 3, 2, 1, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  SendMessageA(lists[0], LVM_SETCOLUMNWIDTH, 4, MAKELPARAM(33, 0));
  Close(program);
  const auto order = GetValue(procList + "\\Columns", "Order");
  EXPECT_EQ(order.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(order.Text(), "4,3,2,1,0,5,6,7,8,9,10,11,12,13,14,15");
  EXPECT_EQ(GetValue(procList + "\\Columns", "Sizes").Text(), "33,70,45,70,120,50,90,90,90,60,120,130,300,160,140,250");
  EXPECT_EQ(GetValue(procList + "\\Sort", "SortCol").Text(), "0");
  EXPECT_EQ(GetValue(procList + "\\ViewStyle", "ViewStyle").Text(), "3");
  const std::string childList = "Software\\Tobin Quillmark\\Kestrel32\\2.0\\Lists\\ChildList";
  EXPECT_EQ(GetValue(childList + "\\Columns", "Order").Text(), "0,1,2");
  EXPECT_EQ(GetValue(childList + "\\Columns", "Sizes").Text(), "70,150,250");
}

TEST_F(SettingsE2E, ListsThatCannotStoreAreToldOnceEachAfterTheWindowsAreGoneAndTheProgramEnds) {
  testing::StoreDefaultSettings();
  SetDword(kProgramKeyPath, "AutoRefresh", 1);  // a refresh each second while the window is there
  SetDword(kProgramKeyPath, "Timer", 1);
  // A volatile key takes no lasting subkey: two of the lists cannot store their columns.
  testing::SetString(kProgramKeyPath + "\\2.0\\Lists", "", "");
  for (const char* list : {"ProcList", "WindowList"}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kProgramKeyPath + "\\2.0\\Lists\\" + list).c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  Program program;
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(program.StartupMessages().empty());
  PostMessageA(main, WM_CLOSE, 0, 0);
  std::vector<std::string> told;
  const DWORD start = GetTickCount();
  while (program.WaitForExit(50) == STILL_ACTIVE && GetTickCount() - start < 20000) {
    if (HWND box = WaitForMessageBox(program.ProcessId(), 200)) {
      EXPECT_FALSE(IsWindow(main)) << "a box while the windows are there, their handlers able to run";
      told.push_back(MessageBoxText(box));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      WaitUntilGone(box);
    }
  }
  EXPECT_EQ(program.WaitForExit(0), 0u);
  EXPECT_EQ(told, std::vector<std::string>(2, "无法设置 'Order' 的数据."));
}

}  // namespace
}  // namespace k32::e2e
