// Times one full refresh of the main window on a large scripted system (2,000 processes, 2,000
// top-level windows with 5 descendants each): the lists brought up to date in place when nothing,
// 1 %, a quarter or everything changed, against the rebuild of every list (how refreshes worked
// before) and the floor: the same rows inserted into bare list views with drawing off, all in the
// same run. Then times the refresh on the real services.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "bench/window_bench.h"
#include "gui/application.h"
#include "process/list_rows.h"
#include "system/win32_services.h"
#include "window/window_rows.h"

namespace {

using namespace k32;
using bench::Now;
using bench::Pump;

constexpr int kProcesses = 2000;
constexpr int kTopLevel = 2000;
constexpr int kDescendants = 5;
constexpr int kModules = 60;
constexpr int kRounds = 21;

// The scripted system, indexed so that the services cost next to nothing. Each process is the child
// of one created before it: a tree of 8 levels (see ParentOf). Each Change replaces
// every `every`-th process and top-level window by a new one (every 1: all of them).
// Process i is the child of process i / 3, but for the last 500: process 1500 is a child of the
// first and the root of their subtree, the one the tree folds.
int ParentOf(int i) {
  constexpr int kFoldedRoot = kProcesses - 500;
  if (i == kFoldedRoot) return 0;
  return i > kFoldedRoot ? kFoldedRoot + (i - kFoldedRoot - 1) / 3 : i / 3;
}

class LargeSystem final : public ISystemServices {
 public:
  LargeSystem() {
    for (int i = 0; i < kProcesses; ++i)
      processes_.push_back({L"C:\\Program Files\\Vendor " + std::to_wstring(i % 37) + L"\\process" +
                                std::to_wstring(i) + (i % 5 ? L".exe" : L".scr"),
                            static_cast<std::uint32_t>(i * 4), static_cast<std::uint32_t>(ParentOf(i) * 4),
                            static_cast<std::uint32_t>(1 + i % 23), static_cast<std::uint64_t>(i + 1),
                            static_cast<std::uint64_t>(i) * 1'000'000, static_cast<std::uint64_t>(i + 1) << 20,
                            static_cast<std::uint64_t>(i + 2) << 20, static_cast<std::uint32_t>(32 + i % 500)});
    for (int i = 0; i < kTopLevel; ++i) tops_.push_back(Top(i));
    for (int i = 0; i < kModules; ++i)
      modules_.push_back({L"module" + std::to_wstring(i) + L".dll",
                          L"C:\\WINDOWS\\SYSTEM32\\module" + std::to_wstring(i) + L".dll",
                          0x70000000u + static_cast<std::uint32_t>(i) * 0x100000u, 4096u * (i + 1)});
  }

  void Change(int every) {
    ++generation_;
    for (int i = 0; i < kProcesses; i += every)
      processes_[static_cast<std::size_t>(i)].processId =
          static_cast<std::uint32_t>((generation_ * kProcesses + i) * 4 + 2);
    for (int i = 0; i < kTopLevel; i += every)
      tops_[static_cast<std::size_t>(i)] =
          0x1000000u + static_cast<WindowId>(generation_ * kTopLevel + i) * 8;
  }

  // Every process as it was first made (the tree's parents are there again).
  void Renumber() {
    for (int i = 0; i < kProcesses; ++i)
      processes_[static_cast<std::size_t>(i)].processId = static_cast<std::uint32_t>(i * 4);
  }

  // Every `every`-th process used some processor time and memory since.
  void ChangeCosts(int every) {
    for (int i = 0; i < kProcesses; i += every) {
      ProcessEntry& process = processes_[static_cast<std::size_t>(i)];
      process.cpuTime += 150'000;
      process.privateBytes += 8192;
      process.workingSet += 4096;
    }
  }

  std::vector<ProcessEntry> ProcessSnapshot() override { return processes_; }
  std::vector<ModuleEntry> ModuleSnapshot(std::uint32_t processId) override {
    return processId == 0 ? std::vector<ModuleEntry>{} : modules_;
  }
  std::uint32_t PriorityClass(std::uint32_t processId) override { return processId % 3 ? 0x20 : 0x80; }
  std::unique_ptr<IProcessToEnd> OpenToTerminate(std::uint32_t, std::uint64_t) override { return nullptr; }

  // Top-level window i is 0x10000 + 8 i; its descendants follow it.
  void EnumTopLevelWindows(const WindowVisitor& visit) override {
    for (WindowId window : tops_)
      if (!visit(window)) return;
  }
  void EnumDescendantWindows(WindowId parent, const WindowVisitor& visit) override {
    if (!IsTop(parent)) return;
    for (int d = 1; d <= kDescendants; ++d)
      if (!visit(parent + static_cast<WindowId>(d))) return;
  }
  std::uint32_t WindowProcessId(WindowId window, std::uint32_t* threadId) override {
    if (threadId) *threadId = 1;
    return ((window - 0x10000u) / 8 % kProcesses) * 4;
  }
  std::wstring WindowClassName(WindowId window) override {
    return IsTop(window) ? L"TopLevelClass" + std::to_wstring(window % 97) : L"ChildClass";
  }
  std::wstring WindowTitle(WindowId window) override { return L"窗口标题 " + std::to_wstring(window); }
  bool IsWindowVisible(WindowId window) override { return window % 3 != 0; }
  bool IsWindow(WindowId) override { return true; }
  bool WindowRect(WindowId, ScreenRect*) override { return false; }
  std::int64_t WindowLongValue(WindowId, WindowLong) override { return 0; }

 private:
  static WindowId Top(int i) { return 0x10000u + static_cast<WindowId>(i) * 8; }
  static bool IsTop(WindowId window) { return window >= 0x10000u && (window - 0x10000u) % 8 == 0; }
  std::vector<ProcessEntry> processes_;
  std::vector<ModuleEntry> modules_;
  std::vector<WindowId> tops_;
  int generation_ = 0;
};

// The refresh as it was: the lower lists emptied, then every list emptied and filled again.
void Rebuild(TFormMain& form, ISystemServices& system) {
  form.WindowPage().ClearChildren();
  form.ProcessPage().ClearModules();
  const std::vector<ProcessEntry> processes = system.ProcessSnapshot();
  form.WindowPage().RebuildWindowList(processes);
  form.ProcessPage().Rebuild(processes);
}

struct Timing {
  double median = 0, best = 0;  // milliseconds
};

Timing Summary(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

// One round of work, ended with the window drawn.
double Round(HWND window, const std::function<void()>& work) {
  const double start = Now();
  work();
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Now() - start;
}

// Answers the bare views' text requests from the rows their items point at.
LRESULT CALLBACK FloorFrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    const auto* row = reinterpret_cast<const ListRow*>(info->item.lParam);
    if (row && (info->item.mask & LVIF_TEXT) && info->item.cchTextMax > 0) {
      const int column = info->item.iSubItem;
      const auto& text = column == 0 ? row->caption : row->subItems.at(static_cast<std::size_t>(column - 1));
      lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Bare list views in a plain window: report view, the same columns and images, no class library.
struct BareLists {
  HWND frame = nullptr;
  HWND lists[4] = {};

  explicit BareLists(TFormMain& like) {
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = FloorFrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "BenchFloorFrame";
    RegisterClassA(&frameClass);
    frame = CreateWindowExA(0, "BenchFloorFrame", "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 660, 10, 642,
                            455, nullptr, nullptr, nullptr, nullptr);
    TMainListView* models[4] = {like.ProcessPage().ProcList(), like.ProcessPage().ModuleList(),
                                like.WindowPage().WindowList(), like.WindowPage().ChildList()};
    for (int i = 0; i < 4; ++i) {
      // Like the two pages: the process page shown, the window page hidden.
      const bool upper = i % 2 == 0;
      HWND list = CreateWindowExA(
          WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
          WS_CHILD | (i < 2 ? WS_VISIBLE : 0) | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SINGLESEL, 0,
          upper ? 0 : 212, 630, upper ? 207 : 170, frame, nullptr, nullptr, nullptr);
      SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
      SendMessageA(list, CCM_SETUNICODEFORMAT, TRUE, 0);  // wide texts, as the program's lists
      SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                   SendMessageA(models[i]->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
      for (int c = 0; c < models[i]->ColumnCount(); ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>("c");
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
      }
      lists[i] = list;
    }
  }
  ~BareLists() { DestroyWindow(frame); }

  // The rows' texts stay with the caller; the view asks for them when it draws.
  static void FillByCallback(HWND list, const std::vector<ListRow>& rows) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = static_cast<int>(r);
      item.pszText = LPSTR_TEXTCALLBACKW;
      item.iImage = rows[r].image;
      item.lParam = reinterpret_cast<LPARAM>(&rows[r]);
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }

  // The view keeps its own copy of every text.
  static void FillWithTexts(HWND list, const std::vector<ListRow>& rows) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = static_cast<int>(r);
      item.pszText = const_cast<wchar_t*>(rows[r].caption.c_str());
      item.iImage = rows[r].image;
      const int at =
          static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      for (std::size_t s = 0; s < rows[r].subItems.size(); ++s) {
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(s + 1);
        sub.pszText = const_cast<wchar_t*>(rows[r].subItems[s].c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
      }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }

  // The refresh's sequence: lower lists emptied, window list, its first row's descendants, process
  // list, the selected process's modules.
  template <typename Fill>
  void Refresh(Fill fill, const std::vector<ListRow>& procRows, const std::vector<ListRow>& moduleRows,
               const std::vector<ListRow>& windowRows, const std::vector<ListRow>& childRows) {
    fill(lists[3], std::vector<ListRow>{});
    fill(lists[1], std::vector<ListRow>{});
    fill(lists[2], windowRows);
    fill(lists[3], childRows);
    fill(lists[0], procRows);
    fill(lists[1], moduleRows);
  }
};

}  // namespace

int main() {
  bench::WindowBench bench;

  Timing rebuild, same, few, quarter, all, floor, textFloor, wideRebuild, costs, wideAll, wideFloor, flatSame,
      treeSame, fold, unfold;
  int foldedRows = 0;
  {
    LargeSystem system;
    TFormMain form(system);
    form.Show();
    Pump();

    // The rows the refresh shows, made once, for the floor.
    std::vector<ListRow> procRows, moduleRows;
    for (const ProcessEntry& process : system.ProcessSnapshot())
      procRows.push_back(ProcessRow(process, system.PriorityClass(process.processId)));
    for (const ModuleEntry& module : system.ModuleSnapshot(4)) moduleRows.push_back(ModuleRow(module));
    const std::vector<ListRow> windowRows = TopLevelWindowRows(system, system.ProcessSnapshot());
    const std::vector<ListRow> childRows = DescendantWindowRows(system, 0x10000);

    form.ProcessPage().ProcList()->SelectIndex(1);  // a process with modules
    form.RefreshCmdExecute();
    std::printf("rows: %d processes, %d modules, %d top-level windows, %d descendants\n",
                form.ProcessPage().ProcList()->Count(), form.ProcessPage().ModuleList()->Count(),
                form.WindowPage().WindowList()->Count(), form.WindowPage().ChildList()->Count());

    // The rounds alternate, so that other work on the machine weighs on both sides alike.
    BareLists bare(form);
    std::vector<double> rebuildTimes, sameTimes, fewTimes, quarterTimes, allTimes, floorTimes, textTimes;
    for (int i = 0; i < kRounds; ++i) {
      rebuildTimes.push_back(Round(form.Handle(), [&] { Rebuild(form, system); }));
      form.RefreshCmdExecute();  // from the rebuilt lists to in-place updates
      sameTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      system.Change(100);
      fewTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      system.Change(1);
      allTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      floorTimes.push_back(Round(bare.frame, [&] {
        bare.Refresh(&BareLists::FillByCallback, procRows, moduleRows, windowRows, childRows);
      }));
      textTimes.push_back(Round(bare.frame, [&] {
        bare.Refresh(&BareLists::FillWithTexts, procRows, moduleRows, windowRows, childRows);
      }));
      form.ProcessPage().ProcList()->SelectIndex(1);
    }
    // Then a quarter goes and a quarter comes at every refresh: the rows that went at the one
    // before are taken out, as many new rows go in between the others (more rounds of the floor in
    // between).
    system.Change(4);
    form.RefreshCmdExecute();
    for (int i = 0; i < kRounds; ++i) {
      system.Change(4);
      quarterTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      floorTimes.push_back(Round(bare.frame, [&] {
        bare.Refresh(&BareLists::FillByCallback, procRows, moduleRows, windowRows, childRows);
      }));
    }
    // Last, every process column shown, as wide as the floor's lists: the costs of a tenth of the
    // processes change at each refresh, against a rebuild of the same rows; and everything changes.
    TMainListView& procs = *form.ProcessPage().ProcList();
    for (int column = 0; column < procs.ColumnCount(); ++column) procs.SetColumnVisible(column, true);
    std::vector<double> wideRebuildTimes, costTimes, wideAllTimes, wideFloorTimes;
    for (int i = 0; i < kRounds; ++i) {
      wideRebuildTimes.push_back(Round(form.Handle(), [&] { Rebuild(form, system); }));
      form.RefreshCmdExecute();
      system.ChangeCosts(10);
      costTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      system.Change(1);
      wideAllTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      wideFloorTimes.push_back(Round(bare.frame, [&] {
        bare.Refresh(&BareLists::FillByCallback, procRows, moduleRows, windowRows, childRows);
      }));
    }
    // The tree: the refresh with nothing changed, flat and as a tree; folding and unfolding the
    // process with 500 rows in its subtree (itself and 499 below it).
    std::vector<double> flatSameTimes, treeSameTimes, foldTimes, unfoldTimes;
    system.Renumber();
    form.RefreshCmdExecute();
    form.RefreshCmdExecute();
    for (int i = 0; i < kRounds; ++i) {
      flatSameTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      form.TreeCmdExecute();
      form.RefreshCmdExecute();
      treeSameTimes.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
      int best = 0, bestSize = 0;
      for (int row = 0; row < procs.Count(); ++row) {
        int size = 0;
        while (row + size + 1 < procs.Count() &&
               procs.Item(row + size + 1)->Look.Indent > procs.Item(row)->Look.Indent)
          ++size;
        if (std::abs(size - 500) < std::abs(bestSize - 500)) best = row, bestSize = size;
      }
      foldedRows = bestSize;
      foldTimes.push_back(Round(form.Handle(), [&] { form.ProcessPage().ToggleFold(best); }));
      unfoldTimes.push_back(Round(form.Handle(), [&] { form.ProcessPage().ToggleFold(best); }));
      form.TreeCmdExecute();
    }
    flatSame = Summary(flatSameTimes);
    treeSame = Summary(treeSameTimes);
    fold = Summary(foldTimes);
    unfold = Summary(unfoldTimes);
    wideRebuild = Summary(wideRebuildTimes);
    costs = Summary(costTimes);
    wideAll = Summary(wideAllTimes);
    wideFloor = Summary(wideFloorTimes);
    rebuild = Summary(rebuildTimes);
    same = Summary(sameTimes);
    few = Summary(fewTimes);
    quarter = Summary(quarterTimes);
    all = Summary(allTimes);
    floor = Summary(floorTimes);
    textFloor = Summary(textTimes);
  }
  std::printf("%d rounds each, milliseconds (median / best):\n", kRounds);
  std::printf("  rebuild of every list (the refresh before):           %8.2f / %8.2f\n", rebuild.median,
              rebuild.best);
  std::printf("  in place, nothing changed:                            %8.2f / %8.2f   %.2f x rebuild\n",
              same.median, same.best, same.median / rebuild.median);

  std::printf("  in place, 1 %% of processes and windows changed:       %8.2f / %8.2f   %.2f x rebuild\n",
              few.median, few.best, few.median / rebuild.median);
  std::printf("  in place, everything changed:                         %8.2f / %8.2f   %.2f x floor\n",
              all.median, all.best, all.median / floor.median);
  std::printf("  in place, a quarter gone and a quarter new:           %8.2f / %8.2f   %.2f x floor\n",
              quarter.median, quarter.best, quarter.median / floor.median);
  std::printf("  floor: same rows into bare list views, text callback: %8.2f / %8.2f\n", floor.median,
              floor.best);
  std::printf("  (bare list views holding copies of the texts:         %8.2f / %8.2f)\n", textFloor.median,
              textFloor.best);
  std::printf("every process column shown:\n");
  std::printf("  rebuild of every list:                                %8.2f / %8.2f\n", wideRebuild.median,
              wideRebuild.best);
  std::printf("  in place, the costs of 10 %% of the processes changed: %8.2f / %8.2f   %.2f x rebuild\n",
              costs.median, costs.best, costs.median / wideRebuild.median);
  std::printf("  in place, everything changed:                         %8.2f / %8.2f   %.2f x floor\n",
              wideAll.median, wideAll.best, wideAll.median / wideFloor.median);
  std::printf("  floor: same rows into bare list views, text callback: %8.2f / %8.2f\n", wideFloor.median,
              wideFloor.best);

  std::printf("as a tree (every column shown):\n");
  std::printf("  in place, nothing changed, flat:                      %8.2f / %8.2f\n", flatSame.median,
              flatSame.best);
  std::printf("  in place, nothing changed, tree:                      %8.2f / %8.2f   order and indents %.2f x\n",
              treeSame.median, treeSame.best, (treeSame.median - flatSame.median) / flatSame.median);
  std::printf("  folding %d rows:                                     %8.2f / %8.2f\n", foldedRows, fold.median,
              fold.best);
  std::printf("  unfolding them:                                       %8.2f / %8.2f\n", unfold.median,
              unfold.best);

  {
    Win32Services services;
    TFormMain form(services);
    form.Show();
    Pump();
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i)
      times.push_back(Round(form.Handle(), [&] { form.RefreshCmdExecute(); }));
    const Timing real = Summary(times);
    std::printf("  full refresh, real services:                         %8.2f / %8.2f\n", real.median,
                real.best);
    std::printf("  (%d processes, %d modules, %d top-level windows, %d descendants)\n",
                form.ProcessPage().ProcList()->Count(), form.ProcessPage().ModuleList()->Count(),
                form.WindowPage().WindowList()->Count(), form.WindowPage().ChildList()->Count());
  }
  return 0;
}
