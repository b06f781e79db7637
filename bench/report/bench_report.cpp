// Times the report command on a scripted system of 500 processes with 60 modules each, from the
// command to the report window shown (busy window, snapshots, text, the lines into the control,
// showing). The floor does the same work but sets the whole text into the control in one call;
// Wine's control lays out one large insertion in more than linear time, so that floor grows
// faster than the command. The growth lines run the command on a quarter, a half and all of the
// processes. Run under Wine: wine bench_report.exe [runs [processes modules [--no-floor]]]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "gui/application.h"
#include "report/form_report.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "report_system.h"

namespace {

// The first run without stored settings reports it in a box; nobody is there to answer.
class SilentBoxes final : public k32::gui::IMessageBoxes {
 public:
  int Show(HWND, const std::string& text, const std::string&, UINT) override {
    std::printf("  message box: %s\n", text.c_str());
    return IDOK;
  }
};

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Figures {
  double best = 0, median = 0;
};

Figures Summary(std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  return {runs.front(), runs[runs.size() / 2]};
}

// Milliseconds from the start of the work to the report window shown; negative when it did not open.
double TimeToShown(const std::function<void()>& work) {
  double shown = 0;
  k32::gui::Application().OnModalShow = [&](k32::gui::TForm& form) {
    shown = NowMs();
    form.SetModalResult(k32::gui::mrCancel);
  };
  const double start = NowMs();
  try {
    work();
  } catch (const std::exception& error) {  // the program's error report would show it
    std::printf("  error: %s\n", error.what());
  }
  k32::gui::Application().OnModalShow = nullptr;
  return shown == 0 ? -1 : shown - start;
}

// The report of the scripted system, as the window's control receives it, set in one insertion.
void OneInsertion(k32::TFormMain& main, k32::testing::FakeServices& system) {
  std::wstring text;
  k32::WriteReport(text, system, main.settings, {L"PC", L"user", L"2001-5-17", L"14:03:26"});
  const std::wstring whole = k32::WithCrLf(text);
  k32::TFormReport report(&main);
  report.Memo->SetMaxLength(whole.size() + 1);
  report.Memo->BeginUpdate();
  SETTEXTEX replace{ST_SELECTION, 1200};
  SendMessageA(report.Memo->Handle(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
               reinterpret_cast<LPARAM>(whole.c_str()));
  report.Memo->SetSelStart(0);
  report.Memo->EndUpdate();
  report.ShowModal();
}

double PeakWorkingSetMb() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int processes = argc > 3 ? std::max(4, std::atoi(argv[2])) : 500;
  const int modulesPerProcess = argc > 3 ? std::max(0, std::atoi(argv[3])) : 60;
  const bool withFloor = !(argc > 4 && std::string(argv[4]) == "--no-floor");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SilentBoxes boxes;
  k32::gui::Application().SetMessageBoxes(&boxes);
  k32::testing::FakeServices system = k32::bench::MakeReportSystem(processes, modulesPerProcess);
  const auto allProcesses = system.processes;
  k32::TFormMain main(system);
  k32::gui::Application().SetMainForm(&main);
  main.Show();
  k32::gui::Application().ProcessMessages();

  // Growth first, on a fresh heap: the command on a quarter, a half and all of the processes.
  for (const int part : {4, 2, 1}) {
    system.processes.assign(allProcesses.begin(), allProcesses.begin() + processes / part);
    const double ms = TimeToShown([&] { main.ReportCmdExecute(); });
    const std::size_t partLines = k32::SplitLines(main.reportText).size();
    if (ms < 0)
      std::printf("  growth %6zu lines: the window did not open\n", partLines);
    else
      std::printf("  growth %6zu lines: %8.1f ms, %.3f ms per 1000 lines\n", partLines, ms,
                  ms * 1000.0 / partLines);
  }
  system.processes = allProcesses;

  std::vector<double> command, floor;
  for (int run = 0; run < runs; ++run) {
    command.push_back(TimeToShown([&] { main.ReportCmdExecute(); }));
    if (withFloor) floor.push_back(TimeToShown([&] { OneInsertion(main, system); }));
    k32::gui::Application().ProcessMessages();
  }
  const std::size_t lines = k32::SplitLines(main.reportText).size();
  const Figures c = Summary(command);
  std::printf("report of %d processes x %d modules: %zu lines, %zu bytes, %d runs\n", processes,
              modulesPerProcess, lines, main.reportText.size(), runs);
  if (c.best < 0)
    std::printf("  command: the window did not open\n");
  else
    std::printf("  command to window shown (line by line): best %8.1f ms  median %8.1f ms\n", c.best,
                c.median);
  if (withFloor) {
    const Figures f = Summary(floor);
    std::printf("  floor (same text, one insertion):       best %8.1f ms  median %8.1f ms\n", f.best,
                f.median);
    std::printf("  ratio: best %.2f  median %.2f\n", c.best / f.best, c.median / f.median);
  }
  std::printf("  peak working set %.0f MB\n", PeakWorkingSetMb());
  k32::gui::Application().SetMessageBoxes(nullptr);
  return 0;
}
