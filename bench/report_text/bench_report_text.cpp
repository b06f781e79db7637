// Times the report of 500 processes with 60 modules each. Figures, best and median of several runs:
//   report       the whole report from the scripted services into a fresh string;
//   report-reuse the same into a string that kept its capacity from the last report;
//   services     the snapshots and priority queries alone, the input the report cannot avoid here;
//   floor        the finished report's lines appended, one by one, to a fresh string.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_text.h"
#include "report_system.h"

namespace {

constexpr int kProcesses = 500;
constexpr int kModulesPerProcess = 60;
constexpr int kRuns = 25;

// <chrono> cannot be compiled with the program's execution character set; this bench runs on Linux.
double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Figures {
  double best = 0, median = 0;  // milliseconds
};

Figures Time(const std::function<std::size_t()>& work) {
  std::vector<double> runs;
  std::size_t sink = 0;
  for (int i = 0; i < kRuns; ++i) {
    const double start = NowMs();
    sink += work();
    runs.push_back(NowMs() - start);
  }
  std::sort(runs.begin(), runs.end());
  if (sink == 0) std::puts("(no output)");
  return {runs.front(), runs[runs.size() / 2]};
}

void Print(const char* name, const Figures& f, const Figures& floor) {
  std::printf("%-13s best %8.3f ms  median %8.3f ms  (%.1fx floor)\n", name, f.best, f.median,
              f.median / floor.median);
}

}  // namespace

int main() {
  k32::testing::FakeServices fake = k32::bench::MakeReportSystem(kProcesses, kModulesPerProcess);
  const k32::Settings settings;  // every report item on: the largest text
  const k32::ReportHeader header{L"BENCH-PC", L"bench", L"2001-5-17", L"14:03:26"};

  std::wstring report;
  k32::WriteReport(report, fake, settings, header);
  std::vector<std::wstring_view> lines;
  for (std::size_t start = 0, end; (end = report.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    lines.push_back(std::wstring_view(report).substr(start, end - start));

  const Figures floor = Time([&] {
    std::wstring text;
    for (std::wstring_view line : lines) text.append(line).append(L"\n");
    return text.size();
  });
  const Figures services = Time([&] {
    std::size_t n = 0;
    for (const k32::ProcessEntry& p : fake.ProcessSnapshot()) {
      n += fake.PriorityClass(p.processId);
      n += fake.ModuleSnapshot(p.processId).size();
    }
    return n;
  });
  const Figures fresh = Time([&] {
    std::wstring text;
    k32::WriteReport(text, fake, settings, header);
    return text.size();
  });
  std::wstring kept;
  const Figures reuse = Time([&] {
    k32::WriteReport(kept, fake, settings, header);
    return kept.size();
  });
  if (kept != report) {
    std::puts("report text differs between runs");
    return 1;
  }

  std::printf("report of %d processes x %d modules: %zu bytes, %zu lines, %d runs\n", kProcesses,
              kModulesPerProcess, report.size(), lines.size(), kRuns);
  Print("floor", floor, floor);
  Print("services", services, floor);
  Print("report", fresh, floor);
  Print("report-reuse", reuse, floor);
  std::printf("report less services: %.3f ms median (%.1fx floor)\n", fresh.median - services.median,
              (fresh.median - services.median) / floor.median);
  return 0;
}
