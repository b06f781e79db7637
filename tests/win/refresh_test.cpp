// The refresh and the four lists in the real main window: rows as the controls show them, the
// selections kept, the status bar, F5 and the timer, one redraw per rebuild, no leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "common/text.h"
#include "core/fake_services.h"
#include "core/list_row_support.h"
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
      char text[300] = {};
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(view, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
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

std::vector<std::string> Captions(TMainListView* list) {
  std::vector<std::string> captions;
  for (const ListRow& row : Shown(list)) captions.push_back(row.caption);
  return captions;
}

void Script(FakeServices& fake) {
  fake.AddProcess("[System Process]", 0, 0, 1, 0);
  fake.AddProcess("C:\\WINDOWS\\EXPLORER.EXE", 120, 0, 14, 0x20);
  fake.AddProcess("C:\\工具\\嘰.exe", 300, 120, 3, 0x4000);
  fake.AddProcess("svchost", 4000000000u, 120, 7, 0x80);
  fake.AddModule(120, "EXPLORER.EXE", "C:\\WINDOWS\\EXPLORER.EXE", 0x00400000, 1023);
  fake.AddModule(120, "KERNEL32.DLL", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", 0xBFF70000u, 524288);
  fake.AddModule(300, "嘰.exe", "C:\\工具\\嘰.exe", 0x00400000, 4096);

  auto& progman = fake.AddWindow(0x100C4);
  progman.className = "Progman";
  progman.title = "Program Manager";
  progman.processId = 120;
  auto& closing = fake.AddWindow(0x100D0);
  closing.processId = 120;
  closing.vanishAfterEnumeration = true;
  auto& tool = fake.AddWindow(0x200);
  tool.className = "工具窗口";
  tool.visible = false;
  tool.processId = 300;
  auto& view = fake.AddWindow(0x100C6, 0x100C4);
  view.className = "SHELLDLL_DefView";
  auto& folder = fake.AddWindow(0x100C8, 0x100C6);
  folder.className = "SysListView32";
  folder.title = "FolderView";
  folder.visible = false;
  auto& button = fake.AddWindow(0x210, 0x200);
  button.className = "Button";
  button.title = "确定";
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
  EXPECT_EQ(Shown(form->ProcessPage().ProcList()),
            (std::vector<ListRow>{
                Row("[System Process]", {"0", "0", "1", "---"}, 0),
                Row("EXPLORER.EXE", {"120", "0", "14", "NORMAL_PRIORITY_CLASS"}, 1),
                Row("嘰.exe", {"300", "120", "3", "---"}, 1),
                Row("svchost", {"4000000000", "120", "7", "HIGH_PRIORITY_CLASS"}, 0),
            }));
  // The first row is selected: the idle process, which has no modules and is not asked for any.
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 0);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 0u);
  EXPECT_TRUE(Shown(form->ProcessPage().ModuleList()).empty());
  EXPECT_TRUE(fake.moduleSnapshots.empty());

  EXPECT_EQ(Shown(form->WindowPage().WindowList()),
            (std::vector<ListRow>{
                Row("65732", {"Progman", "Program Manager", "EXPLORER.EXE"}, 0),
                Row("512", {"工具窗口", "", "嘰.exe"}, 1),
            }));
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), 0);
  EXPECT_EQ(Shown(form->WindowPage().ChildList()), (std::vector<ListRow>{
                                                       Row("65734", {"SHELLDLL_DefView", ""}, 2),
                                                       Row("65736", {"SysListView32", "FolderView"}, 3),
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
                Row("EXPLORER.EXE", {"C:\\WINDOWS\\EXPLORER.EXE", "4194304", "0 K"}, 1),
                Row("KERNEL32.DLL",
                    {"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", kPointerBits == 64 ? "3220635648" : "-1074331648",
                     "512 K"},
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
  ASSERT_EQ(Captions(form->WindowPage().ChildList()), std::vector<std::string>{"528"});
  // Rows come in above: the same process and window stay selected, where they stand now.
  fake.processes.insert(fake.processes.begin(), ProcessEntry{"new.exe", 900, 0, 1});
  fake.windows.emplace_front().id = 0x300;
  form->RefreshCmdExecute();
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 3);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 300u);
  EXPECT_EQ(Captions(form->ProcessPage().ModuleList()), std::vector<std::string>{"嘰.exe"});
  EXPECT_EQ(form->WindowPage().WindowList()->SelectedIndex(), 2);
  EXPECT_EQ(Captions(form->WindowPage().ChildList()), std::vector<std::string>{"528"});

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
  fake.windows[0].title = "桌面";
  fake.windows[3].title = "内容";
  SetFocus(form->ProcessPage().ProcList()->Handle());
  post(form->ProcessPage().ProcList()->Handle(), VK_F5);
  EXPECT_EQ(Shown(form->ProcessPage().ProcList())[1].subItems[2], "15");
  EXPECT_EQ(Shown(form->ProcessPage().ModuleList())[1].subItems[2], "2 K");
  EXPECT_EQ(Shown(form->WindowPage().WindowList())[0].subItems[1], "桌面");
  EXPECT_EQ(Shown(form->WindowPage().ChildList())[0].subItems[1], "内容");

  form->WindowsCmdExecute();
  fake.AddProcess("late.exe", 777);
  fake.AddWindow(0x300).processId = 777;
  SetFocus(form->WindowPage().WindowList()->Handle());
  post(form->WindowPage().WindowList()->Handle(), VK_F5);
  EXPECT_EQ(Captions(form->ProcessPage().ProcList()).back(), "late.exe");
  EXPECT_EQ(Shown(form->WindowPage().WindowList()).back(), Row("768", {"", "", "late.exe"}, 0));
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 5");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 3");

  fake.AddProcess("ticked.exe", 778);
  form->Timer.SetInterval(30);
  form->Timer.SetEnabled(true);
  testing::Pump(200);
  form->Timer.SetEnabled(false);
  EXPECT_EQ(Captions(form->ProcessPage().ProcList()).back(), "ticked.exe");
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 6");
}

TEST_F(Refresh, SpaceOrTheViewMenuPausesTheTimerButNotF5AndThePanelSaysSoWhenItHasNoHint) {
  const auto key = [&](WPARAM code) {
    SetFocus(form->ProcessPage().ProcList()->Handle());
    PostMessageA(form->ProcessPage().ProcList()->Handle(), WM_KEYDOWN, code, 1);
    PostMessageA(form->ProcessPage().ProcList()->Handle(), WM_KEYUP, code, 0xC0000001);
    testing::Pump();
  };
  const gui::TMenuItem* item = form->ViewMenu.Find("miPauseRefresh");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(form->ViewMenu.Items().back().get(), item);
  key(VK_SPACE);
  EXPECT_TRUE(form->PauseCmd->Checked());
  EXPECT_EQ(form->StatusBar->PanelText(2), "自动刷新已暂停");
  gui::Application().SetHint("提示");
  EXPECT_EQ(form->StatusBar->PanelText(2), "提示");
  gui::Application().SetHint("");
  EXPECT_EQ(form->StatusBar->PanelText(2), "自动刷新已暂停");

  const int snapshots = fake.processSnapshots;
  form->Timer.SetInterval(30);
  form->Timer.SetEnabled(true);
  testing::Pump(200);
  EXPECT_EQ(fake.processSnapshots, snapshots);
  key(VK_F5);
  EXPECT_EQ(fake.processSnapshots, snapshots + 1);
  form->PauseCmd->Execute();  // as the menu item does
  EXPECT_FALSE(form->PauseCmd->Checked());
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
    if ((message == LVM_INSERTITEMA || message == LVM_INSERTITEMW || message == LVM_DELETEITEM) && self->drawing_)
      ++self->rowsWhileDrawing;
    if (message == LVM_REDRAWITEMS) self->rowsRedrawn += static_cast<int>(lparam - wparam + 1);
    return CallWindowProcA(self->previous_, view, message, wparam, lparam);
  }
  HWND view_;
  WNDPROC previous_;
  bool drawing_ = true;
};

TEST_F(Refresh, AnUnchangedRefreshDrawsNothingAChangedOneDrawsTheChangedRowsOrTheListOnce) {
  form->ProcessPage().ProcList()->SelectIndex(1);
  form->RefreshCmdExecute();
  RedrawWatch procs(form->ProcessPage().ProcList()->Handle()),
      modules(form->ProcessPage().ModuleList()->Handle()), windows(form->WindowPage().WindowList()->Handle()),
      children(form->WindowPage().ChildList()->Handle());
  form->RefreshCmdExecute();
  for (const RedrawWatch* watch : {&procs, &modules, &windows, &children}) {
    EXPECT_EQ(watch->redrawsOn, 0);
    EXPECT_EQ(watch->rowsRedrawn, 0);
  }
  // A changed cell: that row alone; a new row: the list once, with drawing off.
  fake.processes[2].threadCount = 4;
  fake.modules[120][0].moduleSize = 4096;
  form->RefreshCmdExecute();
  EXPECT_EQ(procs.redrawsOn, 0);
  EXPECT_EQ(procs.rowsRedrawn, 1);
  EXPECT_EQ(modules.rowsRedrawn, 1);
  fake.AddProcess("new.exe", 900);
  form->RefreshCmdExecute();
  EXPECT_EQ(procs.redrawsOn, 1);
  EXPECT_EQ(procs.rowsWhileDrawing, 0);
  EXPECT_EQ(Shown(form->ProcessPage().ModuleList()).size(), 2u);
}

std::vector<gui::TRowMark> Marks(TMainListView* list) {
  std::vector<gui::TRowMark> marks;
  for (int i = 0; i < list->Count(); ++i) marks.push_back(list->Item(i)->Mark);
  return marks;
}

TEST_F(Refresh, NewRowsAreMarkedGoneRowsStayMarkedUncountedAndActAsEndedForOneRefresh) {
  using gui::TRowMark;
  const TRowMark o = TRowMark::rmNone, n = TRowMark::rmNew, g = TRowMark::rmGone;
  TMainListView* procs = form->ProcessPage().ProcList();
  EXPECT_EQ(Marks(procs), (std::vector<TRowMark>{o, o, o, o}));  // the first refresh marks nothing
  procs->SelectIndex(2);
  fake.processes.erase(fake.processes.begin() + 2);  // 嘰.exe ends; its identifier goes to another file
  fake.AddProcess("other.exe", 300);
  fake.Vanish(0x200);
  form->RefreshCmdExecute();
  EXPECT_EQ(Captions(procs), (std::vector<std::string>{"[System Process]", "EXPLORER.EXE", "嘰.exe", "svchost", "other.exe"}));
  EXPECT_EQ(Marks(procs), (std::vector<TRowMark>{o, o, g, o, n}));
  EXPECT_EQ(Marks(form->WindowPage().WindowList()), (std::vector<TRowMark>{o, g}));
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: 4");
  EXPECT_EQ(form->StatusBar->PanelText(1), "顶层窗口: 1");
  // The gone row stays selected, its modules gone with it; commands treat it as ended.
  EXPECT_EQ(procs->SelectedIndex(), 2);
  EXPECT_EQ(Marks(form->ProcessPage().ModuleList()), (std::vector<TRowMark>{g}));
  fake.terminations.clear();
  form->settings.Confirm = true;
  boxes.answers.push_back(IDYES);
  form->TerminateCmdExecute();
  EXPECT_TRUE(fake.terminations.empty());
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"您确定要终止选定的进程吗？", "无法终止请求的进程。拒绝访问。"}));
  // The refresh after the attempt takes the gone row out and the marks off; the position stays.
  EXPECT_EQ(Marks(procs), (std::vector<TRowMark>{o, o, o, o}));
  EXPECT_EQ(procs->SelectedIndex(), 2);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 4000000000u);
}

// The process list of a scripted system that changes at random between refreshes while the user
// scrolls and selects: after each refresh it holds a rebuild's rows plus the rows that went, and the
// user's top row and selection stay.
TEST_F(Refresh, RandomSnapshotsLeaveARebuildsRowsPlusTheGoneAndKeepThePlace) {
  std::mt19937 random(11);
  TMainListView* procs = form->ProcessPage().ProcList();
  HWND view = procs->Handle();
  const auto keyAt = [&](int i) { return procs->Item(i)->Caption + "|" + procs->Item(i)->Text(kPidColumn); };
  std::vector<std::string> live;
  for (int i = 0; i < procs->Count(); ++i) live.push_back(keyAt(i));
  for (int round = 0; round < 60; ++round) {
    if (round == 40) testing::ClickHeader(procs->GetHeaderHandle(), 3);  // sorted by thread count from here
    fake.processes.clear();
    for (std::uint32_t k = 0; k < 50; ++k)
      if (random() % 4 != 0)
        fake.AddProcess("p" + std::to_string(k % 7) + ".exe", k * 4 + (round % 5 == 0 && k % 9 == 0 ? 2 : 0), 0,
                        1 + random() % 3, 0x20);
    std::shuffle(fake.processes.begin(), fake.processes.begin() + 3, random);
    if (procs->Count() > 0) {
      procs->SelectIndex(static_cast<int>(random() % static_cast<unsigned>(procs->Count())));
      SendMessageA(view, LVM_ENSUREVISIBLE, random() % static_cast<unsigned>(procs->Count()), FALSE);
    }
    // Rows marked gone go at this refresh; every other row stays, marked gone or not.
    const auto stays = [&](int i) { return i >= 0 && i < procs->Count() && !IsGone(procs->Item(i)); };
    const int top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
    const int selected = procs->SelectedIndex();
    const std::string topKey = stays(top) ? keyAt(top) : "", selectedKey = stays(selected) ? keyAt(selected) : "";

    form->RefreshCmdExecute();
    std::vector<ListRow> rows, rebuilt;
    std::vector<std::string> gone, nowLive;
    for (int i = 0; i < procs->Count(); ++i) {
      const gui::TListItem* item = procs->Item(i);
      if (IsGone(item)) {
        gone.push_back(keyAt(i));
        continue;
      }
      rows.push_back({item->Caption, item->SubItems, item->ImageIndex});
      nowLive.push_back(keyAt(i));
    }
    for (const ProcessEntry& process : fake.processes) rebuilt.push_back(ProcessRow(process, 0x20));
    if (round >= 40) {
      std::vector<ListRow> sorted = rows;
      std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.caption + a.subItems[0] < b.caption + b.subItems[0]; });
      std::sort(rebuilt.begin(), rebuilt.end(), [](auto& a, auto& b) { return a.caption + a.subItems[0] < b.caption + b.subItems[0]; });
      EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.subItems[2] < b.subItems[2]; }));
    }
    EXPECT_EQ(rows, rebuilt) << "round " << round;
    std::vector<std::string> wentAway;
    for (const std::string& key : live)
      if (std::find(nowLive.begin(), nowLive.end(), key) == nowLive.end()) wentAway.push_back(key);
    std::sort(gone.begin(), gone.end());
    std::sort(wentAway.begin(), wentAway.end());
    EXPECT_EQ(gone, wentAway) << "round " << round;
    live = nowLive;
    // The top row stays on top unless the list has become too short below it for that.
    int topNow = procs->Count() - 1;
    while (topNow >= 0 && keyAt(topNow) != topKey) --topNow;
    const int lastTop = procs->Count() - static_cast<int>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
    if (!topKey.empty() && topNow >= 0 && topNow <= lastTop) {
      EXPECT_EQ(keyAt(static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0))), topKey) << round;
    }
    if (!selectedKey.empty()) {
      EXPECT_EQ(keyAt(procs->SelectedIndex()), selectedKey) << round;
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
