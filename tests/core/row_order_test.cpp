#include "gui/row_order.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace k32::gui {
namespace {

// Runs of insertions and deletions, rising, falling or anywhere, read as a vector edited one by one.
TEST(RowOrder, ReadsAsTheControlsOrderWhateverRunsOfChangesCame) {
  std::mt19937 random(7);
  std::vector<int> rows(300);
  std::vector<int*> control;
  for (int& row : rows) control.push_back(&row);
  RowOrder<int> order;
  order.Assign(control);
  for (int step = 0; step < 3000; ++step) {
    const auto count = control.size();
    const unsigned kind = random() % 8;
    if (kind < 3 || count == 0) {  // in at a place after the last one, or anywhere
      const std::size_t at = kind == 0 ? random() % (count + 1) : count - random() % (count / 4 + 1);
      int* row = &rows[random() % rows.size()];
      control.insert(control.begin() + static_cast<std::ptrdiff_t>(at), row);
      order.Inserted(at, row);
    } else if (kind < 6) {
      const std::size_t at = kind == 3 ? random() % count : random() % (count / 3 + 1);
      control.erase(control.begin() + static_cast<std::ptrdiff_t>(at));
      order.Deleted(at);
    } else {
      const std::size_t at = random() % (count + 2);
      EXPECT_EQ(order.At(at), at < count ? control[at] : nullptr) << step;
    }
    ASSERT_EQ(order.Count(), control.size()) << step;
  }
  for (std::size_t i = 0; i < control.size(); ++i) EXPECT_EQ(order.At(i), control[i]) << i;
  order.Deleted(control.size());  // a place the order cannot hold: unknown, not wrong
  EXPECT_FALSE(order.Known());
  EXPECT_EQ(order.At(0), nullptr);
}

}  // namespace
}  // namespace k32::gui
