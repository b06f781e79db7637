// Times the process list's refresh on the real system (the prefix's processes and 60 helpers), every
// column shown, against its floor measured in the same run: the bare system query of all processes
// and the priority read of each. Counts what the later refreshes read of processes they know.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "bench/window_bench.h"
#include "gui/application.h"
#include "system/system_processes.h"
#include "system/win32_services.h"

namespace {

using namespace k32;
using bench::Median;
using bench::Now;
using bench::Pump;

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
  bench::WindowBench bench;
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
