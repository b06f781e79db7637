// Times sorting 10,000 rows of a real list view by a column of mixed numbers, sizes ("12 K"), dates,
// times and words. Figures, best and median of several runs, each on the same unsorted rows:
//   list       the list's own sort (each cell read once into a sort key, then the control's sort);
//   per-pair   the control's sort with the smart comparison reading both texts at every pair;
//   floor      the control's sort with CompareStringA of the two texts as the whole comparison.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/form.h"
#include "listview/ext_list_view.h"
#include "listview/user_sort_locale.h"

namespace {

constexpr int kRows = 10000;
constexpr int kRuns = 7;

std::vector<std::wstring> MixedCells() {
  std::vector<std::wstring> cells;
  unsigned seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFFF; };
  const wchar_t* words[] = {L"kernel32.dll", L"ntdll.dll", L"Explorer.EXE", L"svchost.exe",
                            L"---",          L"用户界面",  L"abc"};
  for (int i = 0; i < kRows; ++i) {
    switch (i % 6) {
      case 0:
        cells.push_back(std::to_wstring(next() % 100000));
        break;
      case 1:
        cells.push_back(std::to_wstring(next() % 5000) + L" K");
        break;
      case 2:
        cells.push_back(std::to_wstring(1990 + next() % 30) + L"/" + std::to_wstring(1 + next() % 12) + L"/" +
                        std::to_wstring(1 + next() % 28));
        break;
      case 3:
        cells.push_back(std::to_wstring(next() % 24) + L":" + std::to_wstring(10 + next() % 50));
        break;
      case 4:
        cells.push_back(L"-" + std::to_wstring(next() % 1000) + L"." + std::to_wstring(next() % 100));
        break;
      default:
        cells.push_back(std::wstring(words[next() % 7]) + std::to_wstring(next() % 100));
        break;
    }
  }
  return cells;
}

double NowMs() {
  LARGE_INTEGER count{}, frequency{};
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Figures {
  double best = 0, median = 0;
};

Figures Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

int CALLBACK CompareTextOnly(LPARAM a, LPARAM b, LPARAM) {
  const auto& x = reinterpret_cast<const k32::TListItem*>(a)->SubItems[0];
  const auto& y = reinterpret_cast<const k32::TListItem*>(b)->SubItems[0];
  return CompareStringW(LOCALE_USER_DEFAULT, 0, x.c_str(), static_cast<int>(x.size()), y.c_str(),
                        static_cast<int>(y.size())) -
         CSTR_EQUAL;
}

k32::SortLocale perPairLocale;

int CALLBACK ComparePerPair(LPARAM a, LPARAM b, LPARAM) {
  return k32::SmartCompare(reinterpret_cast<const k32::TListItem*>(a)->SubItems[0],
                           reinterpret_cast<const k32::TListItem*>(b)->SubItems[0], k32::assSmart,
                           perPairLocale, k32::CompareLocaleText, 1);
}

void Refill(k32::TdfsExtListView& list, const std::vector<std::wstring>& cells) {
  list.BeginUpdate();
  list.Clear();
  for (int i = 0; i < kRows; ++i)
    list.AddItem(L"row" + std::to_wstring(i), {cells[static_cast<std::size_t>(i)]});
  list.EndUpdate();
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const std::vector<std::wstring> cells = MixedCells();
  perPairLocale = k32::UserSortLocale();

  k32::gui::TForm form;
  form.SetBounds(0, 0, 400, 300);
  auto* list = form.Add<k32::TdfsExtListView>();
  list->SetBounds(0, 0, 380, 280);
  list->AddColumn("name", 100);
  list->AddColumn("mixed", 100);
  form.HandleNeeded();

  std::vector<double> own, perPair, floor;
  for (int run = 0; run < kRuns; ++run) {
    Refill(*list, cells);
    double start = NowMs();
    list->DoSort(1, true);
    own.push_back(NowMs() - start);

    Refill(*list, cells);
    start = NowMs();
    list->Sort(&ComparePerPair, 0);
    perPair.push_back(NowMs() - start);

    Refill(*list, cells);
    start = NowMs();
    list->Sort(&CompareTextOnly, 0);
    floor.push_back(NowMs() - start);
  }
  const Figures ownF = Summarise(own), pairF = Summarise(perPair), floorF = Summarise(floor);
  std::printf("sort of %d rows by a mixed column, %d runs (ms, best / median)\n", kRows, kRuns);
  std::printf("  list      %8.1f / %8.1f\n", ownF.best, ownF.median);
  std::printf("  per-pair  %8.1f / %8.1f\n", pairF.best, pairF.median);
  std::printf("  floor     %8.1f / %8.1f\n", floorF.best, floorF.median);
  std::printf("  ratio list / floor (median): %.2f\n", ownF.median / floorF.median);
  return 0;
}
