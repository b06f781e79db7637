// The refresh and the four lists in the real main window: rows as the controls show them, the
// selections kept, the status bar, F5 and the timer, one redraw per rebuild, no leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "common/text.h"
#include "system/fake_services.h"
#include "core/list_row_support.h"
#include "gui/wide_text.h"
#include "listview/list_update.h"
#include "process/list_rows.h"
#include "win/list_view_test_support.h"
#include "win/main_window_fixture.h"
#include "win/resource_counts.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

using testing::FakeServices;

// The rows as the control itself answers for them: texts through the view, images from its items.
std::vector<ListRow> Shown(TMainListView* list) {
  HWND view = list->Handle();
  std::vector<ListRow> rows;
  const int count = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    ListRow row;
    for (int column = 0; column < list->ColumnCount(); ++column) {
      wchar_t text[300] = {};
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = std::size(text);
      SendMessageW(view, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
      (column == 0 ? row.caption : row.subItems.emplace_back()) = text;
    }
    LVITEMA image{};
    image.mask = LVIF_IMAGE;
    image.iItem = i;
    SendMessageA(view, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&image));
    row.image = image.iImage;
    rows.push_back(std::move(row));
  }
  return rows;
}

// The Part's five cells of each process row (the costs' columns follow them).
std::vector<ListRow> FirstFive(std::vector<ListRow> rows) {
  for (ListRow& row : rows) row.subItems.resize(std::min<std::size_t>(row.subItems.size(), 4));
  return rows;
}

std::vector<std::wstring> Captions(TMainListView* list) {
  std::vector<std::wstring> captions;
  for (const ListRow& row : Shown(list)) captions.push_back(row.caption);
  return captions;
}

void Script(FakeServices& fake) {
  fake.AddProcess(L"[System Process]", 0, 0, 1, 0);
  fake.AddProcess(L"C:\\WINDOWS\\EXPLORER.EXE", 120, 0, 14, 0x20);
  fake.AddProcess(L"C:\\工具\\嘰.exe", 300, 120, 3, 0x4000);
  fake.AddProcess(L"svchost", 4000000000u, 120, 7, 0x80);
  fake.AddModule(120, L"EXPLORER.EXE", L"C:\\WINDOWS\\EXPLORER.EXE", 0x00400000, 1023);
  fake.AddModule(120, L"KERNEL32.DLL", L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", 0xBFF70000u, 524288);
  fake.AddModule(300, L"嘰.exe", L"C:\\工具\\嘰.exe", 0x00400000, 4096);

  auto& progman = fake.AddWindow(0x100C4);
  progman.className = L"Progman";
  progman.title = L"Program Manager";
  progman.processId = 120;
  auto& closing = fake.AddWindow(0x100D0);
  closing.processId = 120;
  closing.vanishAfterEnumeration = true;
  auto& tool = fake.AddWindow(0x200);
  tool.className = L"工具窗口";
  tool.visible = false;
  tool.processId = 300;
  auto& view = fake.AddWindow(0x100C6, 0x100C4);
  view.className = L"SHELLDLL_DefView";
  auto& folder = fake.AddWindow(0x100C8, 0x100C6);
  folder.className = L"SysListView32";
  folder.title = L"FolderView";
  folder.visible = false;
  auto& button = fake.AddWindow(0x210, 0x200);
  button.className = L"Button";
  button.title = L"确定";
}

class Refresh : public testing::MainWindowHost {
 protected:
  void SetUp() override {
    Script(fake);
    OpenMainWindow(fake);
  }

  testing::RecordingBoxes boxes;
  FakeServices fake;
};

TEST_F(Refresh, FillsTheFourListsAndTheStatusBar) {
  EXPECT_EQ(FirstFive(Shown(form->ProcessPage().ProcList())),
            (std::vector<ListRow>{
                Row(L"[System Process]", {L"0", L"0", L"1", L"---"}, 0),
                Row(L"EXPLORER.EXE", {L"120", L"0", L"14", L"NORMAL_PRIORITY_CLASS"}, 1),
                Row(L"嘰.exe", {L"300", L"120", L"3", L"---"}, 1),
                Row(L"svchost", {L"4000000000", L"120", L"7", L"HIGH_PRIORITY_CLASS"}, 0),
            }));
  // The first row is selected: the idle process, which has no modules and is not asked for any.
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 0);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 0u);
  EXPECT_TRUE(Shown(form->ProcessPage().ModuleList()).empty());
  EXPECT_TRUE(fake.moduleSnapshots.empty());

  EXPECT_EQ(Shown(form->WindowPage().WindowList()),
            (std::vector<ListRow>{
                Row(L"65732", {L"Progman", L"Program Manager", L"EXPLORER.EXE"}, 0),
                Row(L"512", {L"工具窗口", L"", L"嘰.exe"}, 1),
            }));
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), 0);
  EXPECT_EQ(Shown(form->WindowPage().ChildList()), (std::vector<ListRow>{
                                                       Row(L"65734", {L"SHELLDLL_DefView", L""}, 2),
                                                       Row(L"65736", {L"SysListView32", L"FolderView"}, 3),
                                                   }));

  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 4");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 2");
  // One process snapshot serves the whole refresh, the window owners included.
  const int snapshots = fake.processSnapshots;
  form->RefreshCmdExecute();
  EXPECT_EQ(fake.processSnapshots, snapshots + 1);

  form->ProcessPage().ProcList()->SelectIndex(1);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 120u);
  EXPECT_EQ(Shown(form->ProcessPage().ModuleList()),
            (std::vector<ListRow>{
                Row(L"EXPLORER.EXE", {L"C:\\WINDOWS\\EXPLORER.EXE", L"4194304", L"0 K"}, 1),
                Row(L"KERNEL32.DLL",
                    {L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL",
                     kPointerBits == 64 ? L"3220635648" : L"-1074331648", L"512 K"},
                    0),
            }));
  // A process that has ended since: no modules, but it is still the target.
  fake.modules.erase(300);
  form->ProcessPage().ProcList()->SelectIndex(2);
  EXPECT_TRUE(Shown(form->ProcessPage().ModuleList()).empty());
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 300u);
}

TEST_F(Refresh, KeepsTheSelectedRowWhileItIsListedElseTheSelectedPosition) {
  form->ProcessPage().ProcList()->SelectIndex(2);
  form->WindowPage().WindowList()->SelectIndex(1);
  ASSERT_EQ(Captions(form->WindowPage().ChildList()), std::vector<std::wstring>{L"528"});
  // Rows come in above: the same process and window stay selected, where they stand now.
  fake.processes.insert(fake.processes.begin(), ProcessEntry{L"new.exe", 900, 0, 1});
  fake.windows.emplace_front().id = 0x300;
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 3);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 300u);
  EXPECT_EQ(Captions(form->ProcessPage().ModuleList()), std::vector<std::wstring>{L"嘰.exe"});
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), 2);
  EXPECT_EQ(Captions(form->WindowPage().ChildList()), std::vector<std::wstring>{L"528"});

  // Deselecting leaves the lower lists and the target as they were.
  form->ProcessPage().ProcList()->SelectIndex(-1);
  form->WindowPage().WindowList()->SelectIndex(-1);
  EXPECT_EQ(Captions(form->ProcessPage().ModuleList()).size(), 1u);
  EXPECT_EQ(Captions(form->WindowPage().ChildList()).size(), 1u);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 300u);

  // Nothing selected in a non-empty list: the first row is selected.
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 0);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 900u);
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), 0);
  EXPECT_TRUE(Captions(form->WindowPage().ChildList()).empty());

  // The selected rows gone: they stay for one refresh, marked and still selected, their lower lists
  // marked too; then the row now at the same position is selected, or none when the list has become
  // too short for it, and the lower lists stay empty.
  form->ProcessPage().ProcList()->SelectIndex(3);
  form->WindowPage().WindowList()->SelectIndex(2);
  fake.processes.erase(fake.processes.begin() + 3);
  fake.Vanish(0x200);
  form->RefreshCmdExecute();
  EXPECT_TRUE(IsGone(form->ProcessPage().ProcList()->Selected()));
  EXPECT_TRUE(IsGone(form->WindowPage().WindowList()->Selected()));
  EXPECT_TRUE(IsGone(form->WindowPage().ChildList()->Item(0)));
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 3);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 4000000000u);
  EXPECT_EQ(form->WindowPage().WindowList()->Count(), 2);
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), -1);
  EXPECT_TRUE(Shown(form->WindowPage().ChildList()).empty());
  fake.processes.resize(3);
  form->RefreshCmdExecute();
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 3");
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->Count(), 3);
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), -1);
  EXPECT_TRUE(Shown(form->ProcessPage().ModuleList()).empty());
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 4000000000u);
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 3");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 2");

  // Everything gone: empty lists, zero counts.
  fake.processes.clear();
  fake.windows.clear();
  form->RefreshCmdExecute();
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 0");
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->Count(), 0);
  EXPECT_EQ(form->WindowPage().WindowList()->Count(), 0);
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 0");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 0");
}

TEST_F(Refresh, F5OnEitherPageAndTheTimerRebuildAllFourLists) {
  const auto post = [](HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    testing::Pump();
  };
  form->ProcessPage().ProcList()->SelectIndex(1);
  fake.processes[1].threadCount = 15;
  fake.modules[120][1].moduleSize = 2048;
  fake.windows[0].title = L"桌面";
  fake.windows[3].title = L"内容";
  SetFocus(form->ProcessPage().ProcList()->Handle());
  post(form->ProcessPage().ProcList()->Handle(), VK_F5);
  EXPECT_EQ(Shown(form->ProcessPage().ProcList())[1].subItems[2], L"15");
  EXPECT_EQ(Shown(form->ProcessPage().ModuleList())[1].subItems[2], L"2 K");
  EXPECT_EQ(Shown(form->WindowPage().WindowList())[0].subItems[1], L"桌面");
  EXPECT_EQ(Shown(form->WindowPage().ChildList())[0].subItems[1], L"内容");

  form->WindowsCmdExecute();
  fake.AddProcess(L"late.exe", 777);
  fake.AddWindow(0x300).processId = 777;
  SetFocus(form->WindowPage().WindowList()->Handle());
  post(form->WindowPage().WindowList()->Handle(), VK_F5);
  EXPECT_EQ(Captions(form->ProcessPage().ProcList()).back(), L"late.exe");
  EXPECT_EQ(Shown(form->WindowPage().WindowList()).back(), Row(L"768", {L"", L"", L"late.exe"}, 0));
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 5");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 3");

  fake.AddProcess(L"ticked.exe", 778);
  form->Timer.SetInterval(30);
  form->Timer.SetEnabled(true);
  testing::Pump(200);
  form->Timer.SetEnabled(false);
  EXPECT_EQ(Captions(form->ProcessPage().ProcList()).back(), L"ticked.exe");
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 6");
}

TEST_F(Refresh, SpaceOrTheLastViewItemPausesTheTimerNotF5AndThePanelSaysSoWhenItHasNoHint) {
  ASSERT_EQ(form->ViewMenu.Items().back().get(), form->ViewMenu.Find("miPauseRefresh"));
  PostMessageA(form->ProcessPage().ProcList()->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  testing::Pump();
  EXPECT_TRUE(form->PauseCmd->Checked());
  gui::Application().SetHint("提示");
  EXPECT_EQ(form->StatusBar->PanelText(2), "提示");
  gui::Application().SetHint("");
  EXPECT_EQ(form->StatusBar->PanelText(2), "自动刷新已暂停");
  const int snapshots = fake.processSnapshots;
  form->Timer.SetInterval(30);
  form->Timer.SetEnabled(true);
  testing::Pump(200);
  form->RefreshCmd->Execute();
  EXPECT_EQ(fake.processSnapshots, snapshots + 1);
  form->PauseCmd->Execute();
  EXPECT_EQ(form->StatusBar->PanelText(2), "");
  testing::Pump(200);
  form->Timer.SetEnabled(false);
  EXPECT_GT(fake.processSnapshots, snapshots + 1);
}

// Watches one list's window: rows may only arrive while its drawing is off; it counts how often
// drawing is turned back on and how many rows are drawn again one by one.
class RedrawWatch {
 public:
  explicit RedrawWatch(HWND view) : view_(view) {
    SetPropA(view_, "RedrawWatch", this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(view_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RedrawWatch::Proc)));
  }
  ~RedrawWatch() {
    SetWindowLongPtrA(view_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(view_, "RedrawWatch");
  }
  int redrawsOn = 0;
  int rowsWhileDrawing = 0;
  int rowsRedrawn = 0;

 private:
  static LRESULT CALLBACK Proc(HWND view, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<RedrawWatch*>(GetPropA(view, "RedrawWatch"));
    if (message == WM_SETREDRAW) {
      self->drawing_ = wparam != FALSE;
      if (self->drawing_) ++self->redrawsOn;
    }
    if ((message == LVM_INSERTITEMA || message == LVM_INSERTITEMW || message == LVM_DELETEITEM) &&
        self->drawing_)
      ++self->rowsWhileDrawing;
    if (message == LVM_REDRAWITEMS) self->rowsRedrawn += static_cast<int>(lparam - wparam + 1);
    return CallWindowProcA(self->previous_, view, message, wparam, lparam);
  }
  HWND view_;
  WNDPROC previous_;
  bool drawing_ = true;
};

TEST_F(Refresh, AnUnchangedRefreshDrawsNothingAChangedCellItsRowANewRowTheListOnce) {
  form->ProcessPage().ProcList()->SelectIndex(1);
  RedrawWatch procs(form->ProcessPage().ProcList()->Handle()),
      modules(form->ProcessPage().ModuleList()->Handle());
  form->RefreshCmdExecute();
  fake.modules[120][0].moduleSize = 4096;
  form->RefreshCmdExecute();
  EXPECT_EQ(procs.redrawsOn + procs.rowsRedrawn + modules.redrawsOn, 0);
  EXPECT_EQ(modules.rowsRedrawn, 1);
  fake.AddProcess(L"new.exe", 900);
  form->RefreshCmdExecute();
  EXPECT_EQ(procs.redrawsOn, 1);
  EXPECT_EQ(procs.rowsWhileDrawing, 0);
}

// What the screen shows of a window, its frame and its children included.
std::vector<COLORREF> OnScreen(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  HDC screen = GetWindowDC(window);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < bounds.bottom - bounds.top; ++y)
    for (int x = 0; x < bounds.right - bounds.left; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(window, screen);
  return pixels;
}

// A list that loses its scroll bar shows no trace of it: what it shows is what it draws from scratch.
TEST_F(Refresh, AListTheFilterEmptiesShowsNoTraceOfItsScrollBar) {
  for (std::uint32_t i = 0; i < 60; ++i)
    fake.AddProcess(L"many" + std::to_wstring(i) + L".exe", 1000 + i * 4);
  form->RefreshCmdExecute();
  testing::Pump();
  HWND view = form->ProcessPage().ProcList()->Handle();
  ASSERT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL);
  form->FilterEdit->SetText("无此进程");
  testing::Pump();
  ASSERT_EQ(form->ProcessPage().ProcList()->Count(), 0);
  const std::vector<COLORREF> shown = OnScreen(view);
  RedrawWindow(view, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(shown == OnScreen(view));
}

std::string Marks(const TMainListView* list) {
  std::string marks;  // unmarked ., new +, gone -
  for (int i = 0; i < list->Count(); ++i) marks += ".+-"[static_cast<int>(list->Item(i)->Mark)];
  return marks;
}

TEST_F(Refresh, NewRowsAreMarkedGoneRowsStayMarkedUncountedAndActAsEndedForOneRefresh) {
  TMainListView* procs = form->ProcessPage().ProcList();
  const auto marks = [&] { return Marks(procs); };
  EXPECT_EQ(marks(), "....");  // the first refresh marks nothing
  procs->SelectIndex(2);
  fake.processes.erase(fake.processes.begin() + 2);  // 嘰.exe ends; its identifier goes to another file
  fake.AddProcess(L"other.exe", 300);
  form->RefreshCmdExecute();
  EXPECT_EQ(marks(), "..-.+");
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 4");
  EXPECT_TRUE(IsGone(procs->Selected()));
  EXPECT_TRUE(IsGone(form->ProcessPage().ModuleList()->Item(0)));
  form->settings.Confirm = false;
  form->TerminateCmdExecute();
  EXPECT_TRUE(fake.terminations.empty());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法终止请求的进程。拒绝访问。"});
  EXPECT_EQ(marks(), "....");  // the refresh after the attempt
}

// A keystroke in the filter narrows the last snapshot's rows in place and marks nothing: the rows it
// hides go at once (a gone row too), a new row keeps its mark until the next refresh.
TEST_F(Refresh, TheFilterNarrowsInPlaceMarkingNothingAndCountsNoGoneRow) {
  TMainListView* procs = form->ProcessPage().ProcList();
  fake.processes.erase(fake.processes.begin() + 2);
  fake.AddProcess(L"other.exe", 300);
  form->RefreshCmdExecute();
  ASSERT_EQ(Marks(procs), "..-.+");
  const gui::TListItem* explorer = procs->Item(1);
  form->FilterEdit->SetText("e");
  EXPECT_EQ(Captions(procs), (std::vector<std::wstring>{L"[System Process]", L"EXPLORER.EXE", L"other.exe"}));
  EXPECT_EQ(Marks(procs), "..+");
  EXPECT_EQ(procs->Item(1), explorer);
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 3 / 4");
  form->FilterEdit->SetText("");
  EXPECT_EQ(Marks(procs), "...+");
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 4");
  form->RefreshCmdExecute();
  EXPECT_EQ(Marks(procs), "....");
}

// A filter set while the other page is shown reaches the hidden list at the next refresh: the rows
// it hides and shows again are neither gone nor new; a process that really came is new.
TEST_F(Refresh, AFilterNeverMarksTheRowsOfTheHiddenPage) {
  TMainListView* procs = form->ProcessPage().ProcList();
  form->WindowsCmdExecute();
  form->FilterEdit->SetText("e");
  form->RefreshCmdExecute();
  EXPECT_EQ(Captions(procs), (std::vector<std::wstring>{L"[System Process]", L"EXPLORER.EXE", L"嘰.exe"}));
  EXPECT_EQ(Marks(procs), "...");
  fake.AddProcess(L"new.exe", 500);
  form->FilterEdit->SetText("");
  form->RefreshCmdExecute();
  form->ProcessesCmdExecute();
  EXPECT_EQ(Marks(procs), "....+");
}

// A selected row the user could see stays in view when rows come above it; the first visible row
// stays where it was as long as it can.
TEST_F(Refresh, ASelectedRowInViewStaysInViewWhenRowsComeAboveIt) {
  TMainListView* procs = form->ProcessPage().ProcList();
  HWND view = procs->Handle();
  procs->SelectIndex(1);
  const auto page = static_cast<std::uint32_t>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
  for (std::uint32_t i = 0; i < page + 5; ++i)
    fake.processes.insert(fake.processes.begin() + 1, ProcessEntry{L"n.exe", 1000 + i, 0, 1, 5000 + i});
  form->RefreshCmdExecute();
  const int at = procs->SelectedIndex();
  ASSERT_EQ(procs->Item(at)->Caption, L"EXPLORER.EXE");
  const auto top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
  EXPECT_TRUE(at >= top && at < top + static_cast<int>(page)) << at << " " << top;
}

// The process list of a scripted system that changes at random while the user scrolls and selects
// (sorted by thread count from round 40): after each refresh it holds a rebuild's rows plus the rows
// that went, and the user's top row (unless the list became too short below it) and selected row.
TEST_F(Refresh, RandomSnapshotsLeaveARebuildsRowsPlusTheGoneAndKeepThePlace) {
  std::mt19937 random(11);
  TMainListView* procs = form->ProcessPage().ProcList();
  HWND view = procs->Handle();
  const auto key = [&](int i) {
    return i < 0 ? std::wstring() : procs->Item(i)->Caption + L"|" + procs->Item(i)->SubItems[0];
  };
  const auto live = [&](bool gone) {
    std::multiset<std::wstring> keys;
    for (int i = 0; i < procs->Count(); ++i)
      if (IsGone(procs->Item(i)) == gone) keys.insert(key(i));
    return keys;
  };
  for (int round = 0; round < 60; ++round) {
    if (round == 40) testing::ClickHeader(procs->GetHeaderHandle(), 3);
    fake.processes.clear();
    for (std::uint32_t k = 0; k < 50; ++k)
      if (random() % 4 != 0) {
        const std::uint32_t pid = k * 4 + (round % 5 == 0 && k % 9 == 0 ? 2 : 0);
        fake.AddProcess(L"p" + std::to_wstring(k % 7) + L".exe", pid, 0, 1 + random() % 3, 0x20);
        fake.processes.back().createTime = pid * 8 + k % 7;  // the same process while name and PID stay
      }
    std::shuffle(fake.processes.begin(), fake.processes.begin() + 3, random);
    procs->SelectIndex(static_cast<int>(random() % static_cast<unsigned>(procs->Count())));
    SendMessageA(view, LVM_ENSUREVISIBLE, random() % static_cast<unsigned>(procs->Count()), FALSE);
    const int top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
    const std::wstring topKey = IsGone(procs->Item(top)) ? std::wstring() : key(top);
    const std::wstring selectedKey = IsGone(procs->Selected()) ? std::wstring() : key(procs->SelectedIndex());
    const auto inView = [&](int row) {
      const auto first = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
      return row >= first && row < first + SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0);
    };
    // A row the user could see is brought into view, the same one or the one selected in its place.
    const bool selectedInView = procs->SelectedIndex() >= 0 && inView(procs->SelectedIndex());
    std::multiset<std::wstring> went = live(false);

    form->RefreshCmdExecute();
    std::vector<ListRow> rows, rebuilt;
    for (int i = 0; i < procs->Count(); ++i)
      if (const gui::TListItem* item = procs->Item(i); !IsGone(item))
        rows.push_back({item->Caption, item->SubItems, item->ImageIndex, item->Key});
    for (const ProcessEntry& process : fake.processes) rebuilt.push_back(ProcessRow(process, 0x20));
    if (round >= 40) {
      const auto byThreads = [](const ListRow& a, const ListRow& b) { return a.subItems[2] < b.subItems[2]; };
      EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), byThreads));
      const auto byKey = [](const ListRow& a, const ListRow& b) {
        return a.caption + a.subItems[0] < b.caption + b.subItems[0];
      };
      std::sort(rows.begin(), rows.end(), byKey);
      std::sort(rebuilt.begin(), rebuilt.end(), byKey);
    }
    EXPECT_EQ(FirstFive(rows), FirstFive(rebuilt)) << round;
    for (const std::wstring& k : live(false))
      if (auto it = went.find(k); it != went.end()) went.erase(it);
    EXPECT_EQ(live(true), went) << round;
    int topNow = procs->Count() - 1;
    while (topNow >= 0 && key(topNow) != topKey) --topNow;
    const int page = static_cast<int>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
    // The top row stays, unless the selected row was in view and would not be from there.
    const int selectedNow = procs->SelectedIndex();
    const bool stillShown = !selectedInView || (selectedNow >= topNow && selectedNow < topNow + page);
    if (topNow >= 0 && topNow <= procs->Count() - page && stillShown) {
      EXPECT_EQ(key(static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0))), topKey) << round;
    }
    if (!selectedKey.empty()) {
      EXPECT_EQ(key(selectedNow), selectedKey) << round;
    }
    if (selectedInView && selectedNow >= 0) {
      EXPECT_TRUE(inView(selectedNow)) << round;
    }
  }
}

TEST_F(Refresh, AThousandRefreshesHoldNoMoreHandlesThanTen) {
  for (int i = 0; i < 10; ++i) form->RefreshCmdExecute();
  testing::Pump();
  const testing::ResourceCounts afterTen = testing::CountResources();
  for (int i = 0; i < 990; ++i) form->RefreshCmdExecute();
  testing::Pump();
  const testing::ResourceCounts afterThousand = testing::CountResources();
  std::printf("after 10 refreshes:   %d kernel handles, %d GDI objects, %d windows\n", afterTen.kernelHandles,
              afterTen.gdiObjects, afterTen.userWindows);
  std::printf("after 1000 refreshes: %d kernel handles, %d GDI objects, %d windows\n",
              afterThousand.kernelHandles, afterThousand.gdiObjects, afterThousand.userWindows);
  EXPECT_GT(afterTen.kernelHandles, 0);
  EXPECT_GT(afterTen.gdiObjects, 0);
  EXPECT_GT(afterTen.userWindows, 10);
  EXPECT_EQ(afterThousand, afterTen);
  EXPECT_EQ(form->ProcessPage().ProcList()->Count(), 4);
}

}  // namespace
}  // namespace k32
