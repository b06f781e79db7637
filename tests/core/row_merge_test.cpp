// The plan that brings a list to fresh rows in place, carried out on a plain list of keys.
#include "listview/row_merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace k32 {
namespace {

// Carries the plan out as the list view does: removals bottom first, then one pass of insertions.
std::vector<ShownRow> Apply(const std::vector<ShownRow>& shown, const std::vector<RowText>& fresh,
                            const RowPlan& plan, int* inserted) {
  std::vector<ShownRow> list = shown;
  std::vector<int> origin(shown.size());
  for (std::size_t i = 0; i < origin.size(); ++i) origin[i] = static_cast<int>(i);
  for (int removal : plan.removals) {
    list.erase(list.begin() + removal);
    origin.erase(origin.begin() + removal);
  }
  *inserted = 0;
  for (std::size_t at = 0; at < plan.target.size(); ++at) {
    const RowPlan::Slot& slot = plan.target[at];
    if (slot.inserted) {
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), ShownRow{fresh.at(static_cast<std::size_t>(slot.fresh)), false});
      origin.insert(origin.begin() + static_cast<std::ptrdiff_t>(at), slot.shown);
      ++*inserted;
    } else {
      // A row that stays must already stand here.
      EXPECT_EQ(origin.at(at), slot.shown);
      list[at].gone = slot.fresh < 0;
    }
  }
  EXPECT_EQ(list.size(), plan.target.size());
  return list;
}

TEST(RowPlan, RandomSnapshotsGiveTheFreshRowsInOrderPlusTheRowsThatWentMovingFew) {
  std::mt19937 random(17);
  for (const bool keepOrder : {false, true}) {
    std::vector<ShownRow> list;
    for (int round = 0; round < 400; ++round) {
      // A pool of 30 keys: each snapshot holds some of them, mostly in one order, a few swapped;
      // now and then a key twice.
      std::vector<RowText> fresh;
      for (int k = 0; k < 30; ++k)
        if (random() % 3 != 0) fresh.push_back("p" + std::to_string(k));
      for (int swaps = static_cast<int>(random() % 3); swaps > 0 && fresh.size() > 1; --swaps)
        std::swap(fresh[random() % fresh.size()], fresh[random() % fresh.size()]);
      if (random() % 10 == 0 && !fresh.empty()) fresh.push_back(fresh.front());
      std::multiset<RowText> before;
      for (const ShownRow& row : list)
        if (!row.gone) before.insert(row.key);

      const RowPlan plan = PlanRows(list, fresh, keepOrder);
      int inserted = 0;
      list = Apply(list, fresh, plan, &inserted);

      std::vector<RowText> live, gone;
      for (const ShownRow& row : list) (row.gone ? gone : live).push_back(row.key);
      std::multiset<RowText> wentAway = before;
      for (const RowText& key : fresh)
        if (auto it = wentAway.find(key); it != wentAway.end()) wentAway.erase(it);
      EXPECT_EQ(std::multiset<RowText>(gone.begin(), gone.end()), wentAway);
      if (keepOrder) {
        EXPECT_EQ(std::multiset<RowText>(live.begin(), live.end()), std::multiset<RowText>(fresh.begin(), fresh.end()));
      } else {
        EXPECT_EQ(live, fresh);
      }
      // Only new rows, and in fresh order rows that moved, are put in; unchanged lists put in none.
      const int added = static_cast<int>(fresh.size()) - static_cast<int>(before.size() - wentAway.size());
      EXPECT_GE(inserted, added);
      if (keepOrder) {
        EXPECT_EQ(inserted, added);
      }
      if (round % 50 == 0) {
        EXPECT_EQ(PlanRows(list, live, keepOrder).removals.size(), gone.size());
        for (const RowPlan::Slot& slot : PlanRows(list, live, keepOrder).target) EXPECT_FALSE(slot.inserted);
      }
    }
  }
}

TEST(RowPlan, ARowThatMovesIsTheOnlyOneTakenOutAndTheGoneStayUnderTheirNeighbour) {
  const std::vector<ShownRow> list{{"a"}, {"b"}, {"c"}, {"d"}, {"e"}};
  const RowPlan plan = PlanRows(list, {"a", "c", "d", "b"}, false);
  EXPECT_EQ(plan.removals, std::vector<int>{1});
  int inserted = 0;
  const std::vector<ShownRow> after = Apply(list, {"a", "c", "d", "b"}, plan, &inserted);
  std::vector<RowText> keys;
  for (const ShownRow& row : after) keys.push_back(row.key + (row.gone ? "-" : ""));
  EXPECT_EQ(keys, (std::vector<RowText>{"a", "c", "d", "e-", "b"}));
  EXPECT_EQ(inserted, 1);
}

}  // namespace
}  // namespace k32
