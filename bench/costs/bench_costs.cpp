// Times the process list's refresh on the real system (the prefix's processes and 60 helpers), every
// column shown, against its floor measured in the same run: the bare system query of all processes
// and the priority read of each. Counts what the later refreshes read of processes they know.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "gui/application.h"
#include "system/system_processes.h"
#include "system/win32_services.h"

namespace {

using namespace k32;

constexpr int kHelpers = 60;
constexpr int kRounds = 21;

// The system's services, counting the reads done once per process.
class CountingServices final : public Win32Services {
 public:
  ProcessDetails ReadProcessDetails(std::uint32_t processId, std::uint64_t createTime) override {
    ++detailReads;
    return Win32Services::ReadProcessDetails(processId, createTime);
  }
  int detailReads = 0;
};

// The first start's question about missing settings is answered without a user.
class SilentBoxes final : public gui::IMessageBoxes {
 public:
  int Show(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Helpers that wait to be ended, started beside this program.
class Helpers {
 public:
  explicit Helpers(int count) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe = path;
    exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"test_child.exe";
    for (int i = 0; i < count; ++i) {
      std::wstring command = L"\"" + exe + L"\" helper " + std::to_wstring(i);
      STARTUPINFOW startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION info{};
      if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        processes_.push_back(info.hProcess);
      }
    }
  }
  ~Helpers() {
    for (HANDLE process : processes_) {
      TerminateProcess(process, 0);
      CloseHandle(process);
    }
  }
  [[nodiscard]] int Count() const { return static_cast<int>(processes_.size()); }

 private:
  std::vector<HANDLE> processes_;
};

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SilentBoxes boxes;
  gui::Application().SetMessageBoxes(&boxes);
  Helpers helpers(kHelpers);
  Sleep(1000);  // the helpers up and waiting
  CountingServices services;
  TFormMain form(services);
  form.Show();
  Pump();
  TMainListView& procs = *form.ProcessPage().ProcList();
  for (int column = 0; column < procs.ColumnCount(); ++column) procs.SetColumnVisible(column, true);
  form.ProcessPage().Refresh(services.ProcessSnapshot());
  const int readsAfterFirst = services.detailReads;

  std::vector<std::uint64_t> buffer;
  std::vector<ProcessEntry> processes;
  std::vector<double> refreshTimes, floorTimes, snapTimes, noPaint;
  for (int i = 0; i < kRounds; ++i) {
    double start = Now();
    auto snap = services.ProcessSnapshot();
    snapTimes.push_back(Now() - start);
    start = Now();
    form.ProcessPage().Refresh(snap);
    noPaint.push_back(Now() - start);
    start = Now();
    form.ProcessPage().Refresh(services.ProcessSnapshot());
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    refreshTimes.push_back(Now() - start);
    start = Now();
    if (QuerySystemProcesses(buffer, processes))
      for (const ProcessEntry& process : processes) (void)services.PriorityClass(process.processId);
    floorTimes.push_back(Now() - start);
  }
  const double refresh = Median(refreshTimes), floor = Median(floorTimes);
  std::printf("%d processes (%d helpers), every column shown; %d rounds, medians in milliseconds:\n",
              procs.Count(), helpers.Count(), kRounds);
  std::printf("  process list refresh, real system:            %8.2f   %.2f x floor\n", refresh, refresh / floor);
  std::printf("  floor: system query and priority reads:       %8.2f\n", floor);
  std::printf("  (of the refresh: the query %.2f; the rows, priorities and the selected process's modules\n"
              "   without the paint %.2f)\n",
              Median(snapTimes), Median(noPaint));
  std::printf("  details read at the first refresh: %d; at the %d later ones: %d\n", readsAfterFirst, kRounds,
              services.detailReads - readsAfterFirst);
  return 0;
}
