// The main window's four lists as sortable lists: their configuration, header clicks that switch
// sorting on, and refreshes that keep every list sorted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_main.h"
#include "gui/wide_text.h"
#include "win/list_view_test_support.h"
#include "win/main_window_fixture.h"

namespace k32 {
namespace {

class MainLists : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    services.AddProcess(L"C:\\WINDOWS\\system32\\smss.exe", 312, 4, 3);
    services.AddProcess(L"C:\\WINDOWS\\explorer.exe", 1024, 980, 14);
    services.AddProcess(L"C:\\Tools\\kestrel32.exe", 96, 1024, 1);
    services.AddProcess(L"C:\\WINDOWS\\system32\\winlogon.exe", 9, 312, 19);
    services.AddModule(312, L"smss.exe", L"C:\\WINDOWS\\system32\\smss.exe", 0x48580000, 50 * 1024);
    services.AddModule(312, L"ntdll.dll", L"C:\\WINDOWS\\system32\\ntdll.dll", 0x7C900000, 704 * 1024);
    services.AddModule(312, L"kernel.dll", L"C:\\WINDOWS\\system32\\kernel.dll", 0x7C800000, 9 * 1024);
    services.AddWindow(0x20010).className = L"Shell_TrayWnd";
    services.AddWindow(0x1A0).className = L"Progman";
    services.AddWindow(0x30B2).className = L"Button";
    MainWindowTest::SetUp();
  }

  static std::vector<std::string> Column(TMainListView* list, int column) {
    return testing::ColumnTexts(*list, column);
  }
  static void ClickHeader(TMainListView* list, int column) {
    testing::ClickHeader(list->GetHeaderHandle(), column);
  }
  std::vector<TMainListView*> Lists() const {
    return {form->ProcessPage().ProcList(), form->ProcessPage().ModuleList(), form->WindowPage().WindowList(),
            form->WindowPage().ChildList()};
  }
};

TEST_F(MainLists, AreExtendedListsWithTheirStylesAndOwnerDrawnHeaders) {
  for (TMainListView* list : Lists()) {
    SCOPED_TRACE(list->Name);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x431 | LVS_EX_DOUBLEBUFFER);
    EXPECT_TRUE(list->ShowSortArrows());
    EXPECT_FALSE(list->NoColumnResize());
    EXPECT_TRUE(list->HeaderOwnerDrawn());
    EXPECT_EQ(list->AutoColumnSort(), acsNoSort);
    EXPECT_EQ(list->AutoSortStyle(), assSmart);
    EXPECT_TRUE(list->AutoResort());
    const LONG style = GetWindowLongA(list->Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    const bool keepsSelection =
        list == form->ProcessPage().ProcList() || list == form->WindowPage().WindowList();
    EXPECT_EQ((style & LVS_SHOWSELALWAYS) != 0, keepsSelection);
  }
  // Until the first click the rows stand in snapshot order.
  EXPECT_EQ(Column(form->ProcessPage().ProcList(), 1), (std::vector<std::string>{"312", "1024", "96", "9"}));
}

TEST_F(MainLists, HeaderClicksSortAndARefreshKeepsTheSort) {
  TMainListView* procs = form->ProcessPage().ProcList();
  ClickHeader(procs, 1);
  EXPECT_EQ(procs->AutoColumnSort(), acsSortToggle);
  EXPECT_EQ(Column(procs, 1), (std::vector<std::string>{"9", "96", "312", "1024"}));
  ClickHeader(procs, 1);
  EXPECT_EQ(Column(procs, 1), (std::vector<std::string>{"1024", "312", "96", "9"}));
  // Other lists are not switched on by it.
  EXPECT_EQ(form->ProcessPage().ModuleList()->AutoColumnSort(), acsNoSort);

  services.AddProcess(L"C:\\WINDOWS\\system32\\lsass.exe", 500, 312, 20);
  form->RefreshCmdExecute();
  EXPECT_EQ(Column(procs, 1), (std::vector<std::string>{"1024", "500", "312", "96", "9"}));
  // The process selected before (smss.exe, moved to 1 by the sort) is selected again where it is now.
  EXPECT_EQ(procs->SelectedIndex(), 2);
  EXPECT_EQ(gui::Narrow(procs->Item(2)->Text(1)), "312");

  // The thread counts: another column sorts ascending.
  ClickHeader(procs, 3);
  EXPECT_EQ(Column(procs, 3), (std::vector<std::string>{"1", "3", "14", "19", "20"}));
}

TEST_F(MainLists, ModulesStaySortedBySizeAcrossSelections) {
  TMainListView* procs = form->ProcessPage().ProcList();
  procs->SelectIndex(0);  // smss.exe, 312
  testing::Pump();
  TMainListView* modules = form->ProcessPage().ModuleList();
  ASSERT_EQ(modules->Count(), 3);
  ClickHeader(modules, 3);
  EXPECT_EQ(modules->AutoColumnSort(), acsSortToggle);
  EXPECT_EQ(Column(modules, 3), (std::vector<std::string>{"9 K", "50 K", "704 K"}));
  ClickHeader(modules, 3);
  EXPECT_EQ(Column(modules, 3), (std::vector<std::string>{"704 K", "50 K", "9 K"}));
  // Refilled by the next selection and by a refresh, the list comes out sorted as a whole.
  procs->SelectIndex(1);
  procs->SelectIndex(0);
  testing::Pump();
  EXPECT_EQ(Column(modules, 3), (std::vector<std::string>{"704 K", "50 K", "9 K"}));
  form->RefreshCmdExecute();
  EXPECT_EQ(Column(modules, 3), (std::vector<std::string>{"704 K", "50 K", "9 K"}));
}

TEST_F(MainLists, WindowListsSortByTheirHeaders) {
  form->WindowsCmdExecute();
  testing::Pump();
  TMainListView* windows = form->WindowPage().WindowList();
  ClickHeader(windows, 0);
  // Handles in signed decimal, as numbers.
  EXPECT_EQ(Column(windows, 0), (std::vector<std::string>{"416", "12466", "131088"}));
  ClickHeader(windows, 1);
  EXPECT_EQ(Column(windows, 1), (std::vector<std::string>{"Button", "Progman", "Shell_TrayWnd"}));
  form->RefreshCmdExecute();
  EXPECT_EQ(Column(windows, 1), (std::vector<std::string>{"Button", "Progman", "Shell_TrayWnd"}));
  ClickHeader(form->WindowPage().ChildList(), 0);
  EXPECT_EQ(form->WindowPage().ChildList()->AutoColumnSort(), acsSortToggle);
}

}  // namespace
}  // namespace k32
