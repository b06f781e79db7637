// The main window at its own level: pages, commands, shortcuts, hints, menus, stay on top, exit.
#include "app/form_main.h"

#include <gtest/gtest.h>

#include "system/fake_services.h"
#include "win/import_patch.h"
#include "win/main_window_fixture.h"
#include "win/recording_shell.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class MainWindow : public testing::MainWindowTest {
 protected:
  // Sends a key the way the keyboard does, through the program's loop.
  void Key(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    testing::Pump();
  }
  gui::TToolButton* Button(const char* name) {
    gui::TToolButton* button = form->ToolBar1->Find(name);
    return button ? button : form->ToolBar2->Find(name);
  }
  // Whether the tool bar shows the button (a hidden action hides its buttons).
  bool Shown(const char* name) {
    gui::TToolButton* button = Button(name);
    HWND bar = form->ToolBar1->Find(name) ? form->ToolBar1->Handle() : form->ToolBar2->Handle();
    return !SendMessageA(bar, TB_ISBUTTONHIDDEN, button->CommandId(), 0);
  }
  bool ButtonEnabled(const char* name) {
    gui::TToolButton* button = Button(name);
    return SendMessageA(form->ToolBar1->Handle(), TB_ISBUTTONENABLED, button->CommandId(), 0) != 0;
  }
  // The captions and states a menu shows when it opens.
  struct ShownItem {
    std::string caption;
    bool enabled;
  };
  std::vector<ShownItem> Open(gui::TPopupMenu& menu, POINT* at = nullptr) {
    std::vector<ShownItem> items;
    gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu&, HMENU built, POINT point) -> UINT {
      if (at) *at = point;
      for (int i = 0; i < GetMenuItemCount(built); ++i) {
        char text[128] = {};
        GetMenuStringA(built, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(built, i, MF_BYPOSITION);
        if (!(state & MF_SEPARATOR)) items.push_back({text, !(state & (MF_DISABLED | MF_GRAYED))});
      }
      return 0;
    };
    menu.Popup(0, 0, form->Handle());
    gui::TPopupMenu::TrackHook = nullptr;
    return items;
  }
  std::vector<std::string> Captions(gui::TPopupMenu& menu) {
    std::vector<std::string> captions;
    for (const auto& item : Open(menu)) captions.push_back(item.caption);
    return captions;
  }
};

TEST_F(MainWindow, StartsOnTheProcessesPageWithItsCaptionPlaceAndSize) {
  EXPECT_EQ(form->Caption(), "Kestrel32");
  RECT rect{};
  GetWindowRect(form->Handle(), &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  EXPECT_EQ(rect.right - rect.left, 642);
  EXPECT_EQ(rect.bottom - rect.top, 455);
  EXPECT_EQ(form->Notebook->PageIndex(), 0);
  EXPECT_TRUE(IsWindowVisible(form->ProcessPage().ProcList()->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->WindowPage().WindowList()->Handle()));
  EXPECT_TRUE(form->ProcessesCmd->Checked());
  EXPECT_FALSE(form->WindowsCmd->Checked());
  EXPECT_FALSE(form->WinPropCmd->Visible());
  EXPECT_FALSE(form->OnTopCmd->Checked());
  EXPECT_EQ(form->StatusBar->PanelText(2), "");
  // The lists fill the page: the upper one 207 high, the splitter, the lower one the rest.
  EXPECT_EQ(form->ProcessPage().ProcList()->Height(), 207);
  EXPECT_EQ(form->Splitter1->Top(), 207);
  EXPECT_EQ(form->ProcessPage().ModuleList()->Top(), 212);
}

TEST_F(MainWindow, PageSwitchingSetsCommandsButtonsAndMenuItemsBothWays) {
  form->WindowsCmdExecute();
  EXPECT_EQ(form->Notebook->PageIndex(), 1);
  EXPECT_FALSE(form->ProcessesCmd->Checked());
  EXPECT_TRUE(form->WindowsCmd->Checked());
  EXPECT_FALSE(form->TerminateCmd->Visible());
  EXPECT_FALSE(form->TerminateCmd->Enabled());
  EXPECT_FALSE(form->ReportCmd->Visible());
  EXPECT_TRUE(form->ReportCmd->Enabled());  // F4 still works on this page
  EXPECT_TRUE(form->WinPropCmd->Visible());
  EXPECT_TRUE(form->WinPropCmd->Enabled());
  EXPECT_FALSE(Shown("tbTerminate"));
  EXPECT_FALSE(Shown("tbReport"));
  EXPECT_TRUE(Shown("tbProperties"));
  EXPECT_TRUE(ButtonEnabled("tbProperties"));
  EXPECT_TRUE(
      SendMessageA(form->ToolBar1->Handle(), TB_ISBUTTONCHECKED, Button("ToolButton8")->CommandId(), 0));
  EXPECT_FALSE(
      SendMessageA(form->ToolBar1->Handle(), TB_ISBUTTONCHECKED, Button("ToolButton7")->CommandId(), 0));
  EXPECT_TRUE(Shown("tbFindWindow"));
  EXPECT_EQ(Captions(form->CommandsMenu),
            (std::vector<std::string>{"刷新列表\tF5", "窗口属性...\tAlt+Enter", "导出列表(&E)...", "打开模块文件夹",
                                      "查找模块...\tShift+Ctrl+F", "退出(&X)\tEsc"}));

  form->ProcessesCmdExecute();
  EXPECT_EQ(form->Notebook->PageIndex(), 0);
  EXPECT_TRUE(form->ProcessesCmd->Checked());
  EXPECT_FALSE(form->WindowsCmd->Checked());
  EXPECT_TRUE(form->TerminateCmd->Visible());
  EXPECT_TRUE(form->TerminateCmd->Enabled());
  EXPECT_TRUE(form->ReportCmd->Visible());
  EXPECT_FALSE(form->WinPropCmd->Visible());
  EXPECT_FALSE(form->WinPropCmd->Enabled());
  EXPECT_TRUE(Shown("tbTerminate"));
  EXPECT_TRUE(Shown("tbReport"));
  EXPECT_FALSE(Shown("tbProperties"));
  EXPECT_FALSE(Shown("tbFindWindow"));
  EXPECT_EQ(Captions(form->CommandsMenu),
            (std::vector<std::string>{"刷新列表\tF5", "终止进程\tF2", "查看报告...\tF4", "导出列表(&E)...", "打开模块文件夹",
                                      "查找模块...\tShift+Ctrl+F", "退出(&X)\tEsc"}));
  // The view menu mirrors the page in its checked items.
  form->ProcessesCmdExecute();
  EXPECT_EQ(form->Notebook->PageIndex(), 0);
}

// An empty module list says why in panel 2 whenever no hint shows there.
TEST_F(MainWindow, AnEmptyModuleListSaysWhyWheneverPanelTwoShowsNoHint) {
  for (std::uint32_t pid : {8, 12, 16, 20}) services.AddProcess(L"p.exe", pid);
  services.AddModule(20, L"p.exe", L"C:\\p.exe", 0x400000, 4096);
  services.moduleFailures = {
      {8, ModuleFailure::AccessDenied}, {12, ModuleFailure::Ended}, {16, ModuleFailure::OtherWordSize}};
  form->RefreshCmdExecute();
  const char* reasons[] = {"无法读取此进程的模块: 拒绝访问。", "无法读取此进程的模块: 该进程已结束。",
                           "无法读取 64 位进程的模块: 请使用 kestrel64.exe。", ""};
  for (int row : {0, 1, 3, 2}) {
    form->ProcessPage().ProcList()->SelectIndex(row);
    testing::Pump();
    EXPECT_EQ(form->StatusBar->PanelText(2), reasons[row]);
  }
  gui::Application().SetHint("刷新进程列表");
  EXPECT_EQ(form->StatusBar->PanelText(2), "刷新进程列表");
  gui::Application().SetHint("");
  EXPECT_EQ(form->StatusBar->PanelText(2), reasons[2]);
  // Once the module list no longer shows that process, the reason goes with it.
  form->FilterEdit->SetText("none");
  EXPECT_EQ(form->StatusBar->PanelText(2), "");
}

// Not elevated: the commands menu offers the restart, which ends this program only once the
// elevated one has started. The debug privilege is asked for at start either way.
class NotElevated : public MainWindow {
 protected:
  void SetUp() override {
    services.elevated = false;
    MainWindow::SetUp();
  }
  testing::RecordingShell shell;
};

TEST_F(NotElevated, RestartsThroughTheShellAndEndsOnlyWhenTheStartSucceeded) {
  EXPECT_EQ(services.debugPrivilegeRequests, 1);
  EXPECT_EQ(Captions(form->CommandsMenu)[6], "以管理员身份重新启动(&A)");
  MSG quit{};
  shell.executeAnswer = reinterpret_cast<HINSTANCE>(SE_ERR_ACCESSDENIED);  // the user declined
  form->miRunAsAdminClick();
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  shell.executeAnswer = reinterpret_cast<HINSTANCE>(42);
  form->miRunAsAdminClick();
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  char own[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  EXPECT_TRUE(shell.opened.size() == 2 && shell.opened[1].verb == "runas" && shell.opened[1].file == own);
}

const wchar_t* WINAPI WideCommandLine() { return L"\"C:\\프로그램\\kestrel32.exe\"  /x \"한글 Ω\""; }

// The new one starts in this one's folder with this one's arguments, named in any script.
TEST_F(NotElevated, TheRestartGivesTheFolderAndTheArgumentsWhole) {
  wchar_t temp[MAX_PATH] = {}, before[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  GetCurrentDirectoryW(MAX_PATH, before);
  const std::wstring folder = std::wstring(temp) + L"폴더 Ω", arguments = L"/x \"한글 Ω\"";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
  testing::ImportPatch commandLine("kernel32.dll", "GetCommandLineW",
                                   reinterpret_cast<void*>(&WideCommandLine));
  form->miRunAsAdminClick();
  SetCurrentDirectoryW(before);
  RemoveDirectoryW(folder.c_str());
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].directory, folder);
  EXPECT_EQ(shell.opened[0].parameters, arguments);
}

TEST_F(MainWindow, ShortcutsFireEnabledActionsEvenWhenHiddenAndNeverDisabledOnes) {
  int terminations = 0, reports = 0, pages = 0;
  form->TerminateCmd->OnExecute = [&] { ++terminations; };
  form->ReportCmd->OnExecute = [&] { ++reports; };
  form->WindowsCmd->OnExecute = [&] {
    ++pages;
    form->WindowsCmdExecute();
  };
  form->WindowsCmd->Execute();
  ASSERT_EQ(pages, 1);
  HWND list = form->WindowPage().WindowList()->Handle();
  Key(list, VK_F4);  // hidden but enabled
  EXPECT_EQ(reports, 1);
  Key(list, VK_F2);  // hidden and disabled
  EXPECT_EQ(terminations, 0);
  form->ProcessesCmdExecute();
  Key(form->ProcessPage().ProcList()->Handle(), VK_F2);
  EXPECT_EQ(terminations, 1);
  EXPECT_TRUE(form->ActionList.ExecuteShortCut(gui::scCtrl | 'W'));
  EXPECT_EQ(pages, 2);
  EXPECT_FALSE(form->ActionList.ExecuteShortCut(gui::scCtrl | 'Q'));
}

TEST_F(MainWindow, StayOnTopTwiceReturnsToTheNormalStyle) {
  auto topmost = [&] { return (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  EXPECT_FALSE(topmost());
  form->OnTopCmd->Execute();
  EXPECT_TRUE(form->OnTopCmd->Checked());
  EXPECT_TRUE(topmost());
  EXPECT_EQ(form->FormStyle(), gui::TFormStyle::fsStayOnTop);
  form->OnTopCmd->Execute();
  EXPECT_FALSE(form->OnTopCmd->Checked());
  EXPECT_FALSE(topmost());
}

TEST_F(MainWindow, TheHintOfTheButtonUnderTheMouseReachesPanelTwo) {
  const RECT rect = Button("tbRefresh")->Rect();
  PostMessageA(form->ToolBar1->Handle(), WM_MOUSEMOVE, 0,
               MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
  testing::Pump();
  EXPECT_EQ(form->StatusBar->PanelText(2), "刷新进程列表");
  EXPECT_EQ(gui::ShortHint(Button("tbRefresh")->Hint()), "刷新列表");
  // A place without a hint clears it.
  PostMessageA(form->ProcessPage().ProcList()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 40));
  testing::Pump();
  EXPECT_EQ(form->StatusBar->PanelText(2), "");
}

TEST_F(MainWindow, ModuleMenuEnablesOpenFolderOnlyWithASelectedModule) {
  form->ProcessPage().ModuleList()->AddItem(
      L"KERNEL32.DLL", {L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", L"-1074331648", L"456 K"}, 0);
  auto openFolder = [&] {
    for (const auto& item : Open(form->ModuleMenu))
      if (item.caption == "打开模块文件夹") return item.enabled;
    ADD_FAILURE() << "no open-folder item";
    return false;
  };
  EXPECT_FALSE(openFolder());
  form->ProcessPage().ModuleList()->SelectIndex(0);
  EXPECT_TRUE(openFolder());
  // The commands menu shows what the last opening left.
  bool inCommands = false;
  for (const auto& item : Open(form->CommandsMenu))
    if (item.caption == "打开模块文件夹") inCommands = item.enabled;
  EXPECT_TRUE(inCommands);
}

TEST_F(MainWindow, DropDownButtonsOpenTheirMenusBelowThemAndAltLettersPressThem) {
  const RECT rect = Button("tbView")->Rect();
  POINT expected{rect.left, rect.bottom};
  ClientToScreen(form->ToolBar2->Handle(), &expected);
  POINT at{};
  std::string opened;
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& menu, HMENU, POINT point) -> UINT {
    opened = menu.Name;
    at = point;
    return 0;
  };
  form->tbViewClick();
  EXPECT_EQ(opened, "ViewMenu");
  EXPECT_EQ(at.x, expected.x);
  EXPECT_EQ(at.y, expected.y);
  MSG alt{form->Handle(), WM_SYSKEYDOWN, 'H', 0x20000001, 0, {}};
  EXPECT_TRUE(form->DialogChar(alt));
  EXPECT_EQ(opened, "HelpMenu");
  alt.wParam = 'C';
  EXPECT_TRUE(form->DialogChar(alt));
  EXPECT_EQ(opened, "CommandsMenu");
  alt.wParam = 'Q';
  EXPECT_FALSE(form->DialogChar(alt));
}

TEST_F(MainWindow, ChoosingAMenuItemRunsItsAction) {
  int refreshes = 0;
  form->RefreshCmd->OnExecute = [&] { ++refreshes; };
  gui::TPopupMenu::TrackHook = [](gui::TPopupMenu&, HMENU, POINT) -> UINT { return 2; };  // RefreshList1
  form->ProcMenu.Popup(0, 0, form->Handle());
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(form->TrayMenu.Find("miRestore")->Caption, "最小化(&M)");
  EXPECT_TRUE(form->TrayMenu.Find("miRestore")->Default);
}

TEST_F(MainWindow, ExitPostsTheQuitMessageWithoutTheClosePath) {
  form->miExitClick();
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));  // not closed: FormClose did not run
}

TEST_F(MainWindow, TheCloseBoxEndsTheLoop) {
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  MSG msg{};
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

}  // namespace
}  // namespace k32
