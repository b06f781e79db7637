// The real program's process list sorted by a click on its header, read back from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/text.h"
#include "e2e/driver.h"

namespace k32::e2e {
namespace {

std::vector<std::uint32_t> Pids(const Program& program, HWND list) {
  std::vector<std::uint32_t> pids;
  for (int row = 0; row < program.RowCount(list); ++row)
    pids.push_back(ParseDecimalModulo32(program.CellText(list, row, 1)));
  return pids;
}

TEST(ListSortE2E, HeaderClickSortsTheProcessListByPidAndTheNextReverses) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const std::vector<HWND> lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  HWND procList = lists[0];
  WaitUntil([&] { return program.RowCount(procList) >= 3; });
  ASSERT_GE(program.RowCount(procList), 3);

  // The first click sorts in the direction of the last run (ascending when none was stored).
  program.ClickHeader(procList, 1);
  std::vector<std::uint32_t> pids = Pids(program, procList);
  const bool ascending = std::is_sorted(pids.begin(), pids.end());
  EXPECT_TRUE(ascending || std::is_sorted(pids.rbegin(), pids.rend()));
  EXPECT_NE(pids.front(), pids.back());
  program.ClickHeader(procList, 1);
  pids = Pids(program, procList);
  if (ascending)
    EXPECT_TRUE(std::is_sorted(pids.rbegin(), pids.rend()));
  else
    EXPECT_TRUE(std::is_sorted(pids.begin(), pids.end()));
  // Numbers, not texts: 9 never follows 10 in ascending order.
  EXPECT_EQ(pids.front() > pids.back(), ascending);
}

}  // namespace
}  // namespace k32::e2e
