// Times the finding commands on a large scripted system against floors measured in the same run:
// the module search (2,000 processes x 100 modules) against just taking the same module snapshots,
// and through the 查找模块 window until its last hit is listed; the filter narrowing the main
// window's lists (2,000 processes, 2,000 top-level windows) a keystroke at a time against matching
// the same rows without showing them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gui/wide_text.h"
#include "app/form_main.h"
#include "system/fake_services.h"
#include "gui/application.h"
#include "process/module_search.h"
#include "listview/row_filter.h"
#include "window/window_rows.h"

namespace {

using namespace k32;

constexpr int kProcesses = 2000;
constexpr int kModules = 100;
constexpr int kRounds = 7;

testing::FakeServices LargeSystem() {
  testing::FakeServices fake;
  for (int p = 1; p <= kProcesses; ++p) {
    const auto pid = static_cast<std::uint32_t>(p * 4);
    fake.AddProcess(
        L"C:\\Program Files\\Vendor " + std::to_wstring(p % 37) + L"\\process" + std::to_wstring(p) + L".exe",
        pid);
    for (int m = 0; m < kModules; ++m)
      fake.AddModule(pid, L"module" + std::to_wstring(m) + L".dll",
                     L"C:\\WINDOWS\\SYSTEM32\\module" + std::to_wstring(m) + L".dll", 0x70000000u + m * 0x10000u,
                     4096);
    auto& window = fake.AddWindow(0x10000u + static_cast<WindowId>(p) * 8);
    window.className = L"TopLevelClass" + std::to_wstring(p % 97);
    window.title = L"\u7A97\u53E3\u6807\u9898 " + std::to_wstring(p);
    window.processId = pid;
  }
  return fake;
}

double Milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

class SilentBoxes final : public gui::IMessageBoxes {
 public:
  int Show(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

}  // namespace

int main() {
  SilentBoxes boxes;
  gui::Application().SetMessageBoxes(&boxes);
  testing::FakeServices system = LargeSystem();
  TFormMain form(system);
  form.Show();
  gui::Application().ProcessMessages();

  // "module7" is in 11 of each process's 100 module names: 22,000 hits.
  std::vector<double> search, snapshots, window;
  std::size_t hits = 0, listed = 0;
  TFormFindModule find(&form, system);
  find.Show();
  for (int round = 0; round < kRounds; ++round) {
    snapshots.push_back(Milliseconds([&] {
      std::size_t modules = 0;
      for (const ProcessEntry& process : system.ProcessSnapshot())
        modules += system.ModuleSnapshot(process.processId).size();
      if (modules != std::size_t{kProcesses} * kModules)
        std::printf("unexpected module count %zu\n", modules);
    }));
    search.push_back(Milliseconds([&] {
      ModuleSearch bare(L"MODULE7", system.ProcessSnapshot());
      while (bare.Step(system, 64)) {
      }
      hits = bare.TakeHits().size();
    }));
    window.push_back(Milliseconds([&] {
      find.edText->SetText("MODULE7");
      find.Search();
      MSG msg;
      while (find.Searching() && GetMessageA(&msg, nullptr, 0, 0) > 0) gui::Application().HandleMessage(msg);
      listed = static_cast<std::size_t>(find.lvResults->Count());
    }));
    system.moduleSnapshots.clear();
  }
  find.Hide();
  std::printf("module search, %d processes x %d modules, %zu hits (%zu listed), median of %d rounds, ms:\n",
              kProcesses, kModules, hits, listed, kRounds);
  std::printf("  floor: the module snapshots alone          %8.2f\n", Median(snapshots));
  std::printf("  the search                                 %8.2f  (%.2f x floor)\n", Median(search),
              Median(search) / Median(snapshots));
  std::printf("  the 查找模块 window, to its last hit listed %8.2f  (%.2f x floor)\n", Median(window),
              Median(window) / Median(snapshots));

  // Each keystroke narrows both pages; the floor matches the same rows without showing them.
  const std::string typed = "process1999";
  std::vector<ListRow> procRows, windowRows = TopLevelWindowRows(system, system.ProcessSnapshot());
  for (const ProcessEntry& process : system.ProcessSnapshot()) procRows.push_back(ProcessRow(process, 0x20));
  std::vector<double> keystrokes, matching;
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t n = 1; n <= typed.size(); ++n) {
      const std::string text = typed.substr(0, n);
      keystrokes.push_back(Milliseconds([&] {
        form.FilterEdit->SetText(text);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      }));
      matching.push_back(Milliseconds([&] {
        const RowFilter procs(gui::Wide(text), 2), windows(gui::Wide(text), 4);
        std::size_t shown = 0;
        for (const ListRow& row : procRows) shown += procs(row);
        for (const ListRow& row : windowRows) shown += windows(row);
        if (shown == 0) std::printf("nothing matched %s\n", text.c_str());
      }));
    }
    form.FilterEdit->SetText("");
  }
  std::printf("filter, %d processes and %zu top-level windows, per keystroke, median of %zu, ms:\n",
              kProcesses, windowRows.size(), keystrokes.size());
  std::printf("  floor: matching the rows alone             %8.2f\n", Median(matching));
  std::printf("  narrowing both pages' lists, drawn         %8.2f  (%.2f x floor; slowest keystroke %.2f)\n",
              Median(keystrokes), Median(keystrokes) / Median(matching),
              *std::max_element(keystrokes.begin(), keystrokes.end()));
  return 0;
}
