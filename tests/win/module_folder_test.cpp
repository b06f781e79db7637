// Opening the folder of the selected module: the focus rule, the folder text, the shell request.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/form_main.h"
#include "system/win32_services.h"
#include "win/main_window_fixture.h"
#include "win/recording_shell.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class ModuleFolder : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    services.AddProcess(L"KERNEL32.EXE", 12);
    services.AddModule(12, L"KERNEL32.DLL", L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", 0xBFF70000, 73728);
    services.AddModule(12, L"LOOSE.DLL", L"LOOSE.DLL", 0x10000000, 4096);
    services.AddModule(12, L"D.DLL", L"D:LIB.DLL", 0x10010000, 4096);
    // The second byte of "俓" is 0x5C, a backslash, and no separator.
    services.AddModule(12, L"A.DLL", L"C:\\程序\\A俓B.DLL", 0x10020000, 4096);
    MainWindowTest::SetUp();
    ASSERT_EQ(form->ProcessPage().ModuleList()->Count(), 4);
  }
  // The folder the command hands to the shell for the module row at index.
  std::string FolderOf(int index) {
    form->ProcessPage().ModuleList()->SelectIndex(index);
    form->ProcessPage().ModuleList()->SetFocus();
    const std::size_t before = shell.opened.size();
    form->ExplorerCmd->Execute();
    return shell.opened.size() == before + 1 ? shell.opened.back().file : "<nothing>";
  }

  testing::RecordingShell shell;
};

TEST_F(ModuleFolder, HandsTheFolderOfThePathToTheShellToExplore) {
  EXPECT_EQ(FolderOf(0), "C:\\WINDOWS\\SYSTEM\\");
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].verb, "explore");
  EXPECT_EQ(shell.opened[0].owner, form->Handle());
  EXPECT_FALSE(shell.opened[0].hasParameters);
  EXPECT_FALSE(shell.opened[0].hasDirectory);
  EXPECT_EQ(shell.opened[0].show, SW_SHOWNORMAL);

  EXPECT_EQ(FolderOf(1), "");
  EXPECT_EQ(FolderOf(2), "D:");
  EXPECT_EQ(FolderOf(3), "C:\\程序\\");
}

TEST_F(ModuleFolder, DoesNothingWithoutFocusOrSelection) {
  form->ProcessPage().ModuleList()->SelectIndex(0);
  form->ProcessPage().ProcList()->SetFocus();
  form->ExplorerCmd->Execute();
  EXPECT_TRUE(shell.opened.empty());

  form->ProcessPage().ModuleList()->SelectIndex(-1);
  form->ProcessPage().ModuleList()->SetFocus();
  form->ExplorerCmd->Execute();
  EXPECT_TRUE(shell.opened.empty());
}

// The module menu opens from a right click, which takes the focus into the list and selects the row
// under the mouse, or none below the rows.
TEST_F(ModuleFolder, TheModuleMenuFollowsTheRightClickedRow) {
  form->ProcessPage().ModuleList()->SelectIndex(3);
  form->ProcessPage().ProcList()->SetFocus();
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(form->ProcessPage().ModuleList()->Handle(), LVM_GETITEMRECT, 0,
               reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
  std::vector<std::string> shownItems;
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& menu, HMENU, POINT) -> UINT {
    for (const auto& item : menu.Items())
      shownItems.push_back(item->Name + (item->Enabled() ? "" : " (off)"));
    return 1;  // the first item
  };
  PostMessageA(form->ProcessPage().ModuleList()->Handle(), WM_RBUTTONUP, 0, at);
  SendMessageA(form->ProcessPage().ModuleList()->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  testing::Pump(50);
  gui::TPopupMenu::TrackHook = nullptr;
  EXPECT_EQ(shownItems, (std::vector<std::string>{"OpeninWindowsExplorer2", "RefreshList2", "CopyRow2"}));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, "C:\\WINDOWS\\SYSTEM\\");

  // Below the rows nothing is selected: the command is off, in this menu and the commands menu.
  form->ProcessPage().ModuleList()->SelectIndex(-1);
  shownItems.clear();
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& menu, HMENU, POINT) -> UINT {
    for (const auto& item : menu.Items())
      shownItems.push_back(item->Name + (item->Enabled() ? "" : " (off)"));
    return 0;
  };
  const LPARAM below = MAKELPARAM(row.left + 20, row.bottom + 4 * (row.bottom - row.top) + 10);
  PostMessageA(form->ProcessPage().ModuleList()->Handle(), WM_RBUTTONUP, 0, below);
  SendMessageA(form->ProcessPage().ModuleList()->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, below);
  testing::Pump(50);
  gui::TPopupMenu::TrackHook = nullptr;
  EXPECT_EQ(shownItems, (std::vector<std::string>{"OpeninWindowsExplorer2 (off)", "RefreshList2", "CopyRow2"}));
  EXPECT_FALSE(form->ExplorerCmd->Enabled());
}

class ModuleFolderReal : public testing::MainWindowHost {
 protected:
  void SetUp() override { OpenMainWindow(services); }

  Win32Services services;
};

// One request to the real shell: the file browser opens on the folder of a module of this process.
TEST_F(ModuleFolderReal, TheShellOpensTheFolder) {
  const int row = testing::RowWhere(form->ProcessPage().ProcList(), 1, std::to_string(GetCurrentProcessId()));
  ASSERT_GE(row, 0);
  form->ProcessPage().ProcList()->SelectIndex(row);
  int module = -1;
  for (int i = 0; i < form->ProcessPage().ModuleList()->Count(); ++i)
    if (lstrcmpiW(form->ProcessPage().ModuleList()->Item(i)->Caption.c_str(), L"kernel32.dll") == 0)
      module = i;
  ASSERT_GE(module, 0);
  form->ProcessPage().ModuleList()->SelectIndex(module);
  form->ProcessPage().ModuleList()->SetFocus();

  // Passes the request on to the system's shell and keeps what went and came back.
  struct Watch final : gui::IShell {
    explicit Watch(gui::IShell& system) : system(system) {}
    HINSTANCE Execute(HWND owner, const char* verb, const wchar_t* file, const wchar_t* parameters,
                      const wchar_t* directory, int show) override {
      folder = file;
      result = system.Execute(owner, verb, file, parameters, directory, show);
      return result;
    }
    BOOL NotifyIcon(DWORD, void*) override { return TRUE; }
    gui::IShell& system;
    std::wstring folder;
    HINSTANCE result = nullptr;
  } watch(gui::Application().Shell());
  std::set<std::uint32_t> before;
  for (const ProcessEntry& process : services.ProcessSnapshot()) before.insert(process.processId);
  gui::Application().SetShell(&watch);
  form->ExplorerCmd->Execute();
  gui::Application().SetShell(nullptr);
  EXPECT_EQ(lstrcmpiW(watch.folder.c_str(), L"C:\\windows\\system32\\"), 0) << gui::Narrow(watch.folder);
  EXPECT_GT(reinterpret_cast<INT_PTR>(watch.result), 32);

  // The shell started a file browser for it; it must not outlive the test.
  int browsers = 0;
  for (const ProcessEntry& process : services.ProcessSnapshot()) {
    if (before.count(process.processId) || process.parentProcessId != GetCurrentProcessId()) continue;
    if (HANDLE started = OpenProcess(PROCESS_TERMINATE, FALSE, process.processId)) {
      ++browsers;
      TerminateProcess(started, 0);
      CloseHandle(started);
    }
  }
  EXPECT_EQ(browsers, 1);
}

}  // namespace
}  // namespace k32
