// Comparisons per second of the column sort on cells like the lists show: identifiers, sizes,
// handles, dates, times and names. The floor is a plain byte comparison of the same pairs, the
// least any text sort does per pair.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "listview/smart_compare.h"

using namespace k32;

namespace {

// <chrono> cannot be built with the code page 936 execution character set; the bench is native only.
double Now() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

// Keeps the compiler from dropping the comparisons whose results nothing else reads.
volatile int g_sink;

int Bytes(std::string_view a, std::string_view b) { return a.compare(b); }

std::vector<std::string> Cells(const char* kind, int count, std::mt19937& random) {
  static const char* const kNames[] = {"kernel32.dll", "NTDLL.DLL",    "explorer.exe", "winlogon.exe",
                                       "user32.dll",   "svchost.exe",  "进程",         "comctl32.dll",
                                       "C:\\TEMP",     "Shell_TrayWnd"};
  std::uniform_int_distribution<int> pid(4, 40000), kb(1, 90000), day(1, 28), month(1, 12), year(1995, 2030);
  std::uniform_int_distribution<int> hour(0, 23), minute(0, 59), name(0, std::size(kNames) - 1);
  std::uniform_int_distribution<long long> handle(-2147483648LL, 2147483647LL);
  std::vector<std::string> cells;
  const std::string k = kind;
  for (int i = 0; i < count; ++i) {
    const int pick = k == "mix" ? i % 5 : -1;
    if (k == "numbers" || pick == 0)
      cells.push_back(std::to_string(i % 2 ? pid(random) : static_cast<int>(handle(random))));
    else if (k == "sizes" || pick == 1)
      cells.push_back(std::to_string(kb(random)) + " K");
    else if (k == "dates" || pick == 2)
      cells.push_back(std::to_string(month(random)) + "/" + std::to_string(day(random)) + "/" +
                      std::to_string(year(random)) + " " + std::to_string(hour(random)) + ":" +
                      std::to_string(minute(random)));
    else if (k == "times" || pick == 3)
      cells.push_back(std::to_string(hour(random)) + ":" + std::to_string(minute(random)) + ":00");
    else
      cells.push_back(std::string(kNames[name(random)]) + std::to_string(i % 7));
  }
  return cells;
}

template <typename Compare>
double PerSecond(int pairs, Compare compare) {
  double best = 0;
  for (int round = 0; round < 3; ++round) {
    const double start = Now();
    int sum = 0;
    for (int i = 0; i < pairs; ++i) sum += compare(i);
    const double took = Now() - start;
    g_sink = g_sink + sum;
    best = std::max(best, pairs / took);
  }
  return best;
}

}  // namespace

int main() {
  const SortLocale locale = MakeSortLocale(",", ".", "/", ":", "M/d/yyyy", "AM", "PM", 2024);
  constexpr int kCells = 1000;
  constexpr int kPairs = 1'000'000;
  std::printf("%-8s %14s %14s %14s %12s %10s\n", "cells", "floor/s", "per pair/s", "by keys/s", "keys made/s",
              "pair/keys");
  for (const char* kind : {"numbers", "sizes", "dates", "times", "names", "mix"}) {
    std::mt19937 random(7);
    const std::vector<std::string> cells = Cells(kind, kCells, random);
    std::vector<std::pair<int, int>> pairs(kPairs);
    std::uniform_int_distribution<int> index(0, kCells - 1);
    for (auto& p : pairs) p = {index(random), index(random)};

    std::vector<SortKey> keys;
    const double start = Now();
    for (const auto& cell : cells) keys.push_back(MakeSortKey(cell, locale));
    const double made = Now() - start;

    const double floor =
        PerSecond(kPairs, [&](int i) { return Bytes(cells[pairs[i].first], cells[pairs[i].second]) < 0; });
    const double per_pair = PerSecond(kPairs, [&](int i) {
      return SmartCompare(cells[pairs[i].first], cells[pairs[i].second], assSmart, locale, Bytes, 1);
    });
    const double by_keys = PerSecond(kPairs, [&](int i) {
      return CompareSortKeys(keys[pairs[i].first], keys[pairs[i].second], assSmart, Bytes, 1);
    });
    std::printf("%-8s %14.0f %14.0f %14.0f %12.0f %9.1fx\n", kind, floor, per_pair, by_keys, kCells / made,
                by_keys / per_pair);
  }
  return 0;
}
