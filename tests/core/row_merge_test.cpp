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

// Keys whose texts stay put for the whole test.
RowKey Key(const std::string& name) {
  static std::set<std::string> names;
  return {*names.insert(name).first, {}};
}
std::vector<RowKey> Keys(const std::vector<std::string>& names) {
  std::vector<RowKey> keys;
  for (const std::string& name : names) keys.push_back(Key(name));
  return keys;
}
std::string Name(const ShownRow& row) { return std::string(row.key.first) + (row.gone ? "-" : ""); }

// Carries the plan out as the list view does: removals bottom first, then one pass of insertions.
std::vector<ShownRow> Apply(const std::vector<ShownRow>& shown, const std::vector<RowKey>& fresh,
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
      std::vector<RowKey> fresh;
      for (int k = 0; k < 30; ++k)
        if (random() % 3 != 0) fresh.push_back(Key("p" + std::to_string(k)));
      for (int swaps = static_cast<int>(random() % 3); swaps > 0 && fresh.size() > 1; --swaps)
        std::swap(fresh[random() % fresh.size()], fresh[random() % fresh.size()]);
      if (random() % 10 == 0 && !fresh.empty()) fresh.push_back(fresh.front());
      std::multiset<std::string> before;
      for (const ShownRow& row : list)
        if (!row.gone) before.insert(Name(row));

      const RowPlan plan = PlanRows(list, fresh, keepOrder);
      int inserted = 0;
      list = Apply(list, fresh, plan, &inserted);

      std::vector<std::string> live, gone, freshNames;
      std::vector<RowKey> liveKeys;
      for (const ShownRow& row : list) {
        (row.gone ? gone : live).push_back(std::string(row.key.first));
        if (!row.gone) liveKeys.push_back(row.key);
      }
      for (const RowKey& key : fresh) freshNames.emplace_back(key.first);
      std::multiset<std::string> wentAway = before;
      for (const std::string& name : freshNames)
        if (auto it = wentAway.find(name); it != wentAway.end()) wentAway.erase(it);
      EXPECT_EQ(std::multiset<std::string>(gone.begin(), gone.end()), wentAway);
      if (keepOrder) {
        EXPECT_EQ(std::multiset<std::string>(live.begin(), live.end()),
                  std::multiset<std::string>(freshNames.begin(), freshNames.end()));
      } else {
        EXPECT_EQ(live, freshNames);
      }
      // Only new rows, and in fresh order rows that moved, are put in; unchanged lists put in none.
      const int added = static_cast<int>(fresh.size()) - static_cast<int>(before.size() - wentAway.size());
      EXPECT_GE(inserted, added);
      if (keepOrder) {
        EXPECT_EQ(inserted, added);
      }
      if (round % 50 == 0) {
        EXPECT_EQ(PlanRows(list, liveKeys, keepOrder).removals.size(), gone.size());
        for (const RowPlan::Slot& slot : PlanRows(list, liveKeys, keepOrder).target) EXPECT_FALSE(slot.inserted);
      }
    }
  }
}

TEST(RowPlan, ARowThatMovesIsTheOnlyOneTakenOutAndTheGoneStayUnderTheirNeighbour) {
  std::vector<ShownRow> list;
  for (const RowKey& key : Keys({"a", "b", "c", "d", "e"})) list.push_back({key});
  const std::vector<RowKey> fresh = Keys({"a", "c", "d", "b"});
  const RowPlan plan = PlanRows(list, fresh, false);
  EXPECT_EQ(plan.removals, std::vector<int>{1});
  int inserted = 0;
  std::vector<std::string> names;
  for (const ShownRow& row : Apply(list, fresh, plan, &inserted)) names.push_back(Name(row));
  EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "d", "e-", "b"}));
  EXPECT_EQ(inserted, 1);
}

}  // namespace
}  // namespace k32
