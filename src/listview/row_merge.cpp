#include "listview/row_merge.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

namespace k32 {

namespace {
const RowText kNoText;

// Positions, within values, of one longest strictly increasing run (values -1 are skipped).
std::vector<bool> LongestIncreasing(const std::vector<int>& values) {
  std::vector<int> tails;  // index into values of the smallest tail of each run length
  std::vector<int> before(values.size(), -1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] < 0) continue;
    const auto at = std::lower_bound(tails.begin(), tails.end(), values[i], [&](int index, int value) {
      return values[static_cast<std::size_t>(index)] < value;
    });
    if (at != tails.begin()) before[i] = *(at - 1);
    if (at == tails.end())
      tails.push_back(static_cast<int>(i));
    else
      *at = static_cast<int>(i);
  }
  std::vector<bool> kept(values.size(), false);
  for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = before[static_cast<std::size_t>(i)])
    kept[static_cast<std::size_t>(i)] = true;
  return kept;
}
}  // namespace

std::size_t RowKeyHash::operator()(const RowKey& key) const noexcept {
  const std::hash<RowTextView> hash;
  return hash(key.first) * 31 + hash(key.second);
}

const RowText& CellText(const ListRow& row, int column) {
  if (column == 0) return row.caption;
  if (column == kKeyColumn) return row.key;
  const auto sub = static_cast<std::size_t>(column - 1);
  return column > 0 && sub < row.subItems.size() ? row.subItems[sub] : kNoText;
}

RowKey KeyOf(const ListRow& row, RowKeyColumns columns) {
  return {CellText(row, columns.first), CellText(row, columns.second)};
}

RowPlan PlanRows(const std::vector<ShownRow>& shown, const std::vector<RowKey>& freshKeys, bool keepOrder) {
  // Each shown row that is not an old gone row is matched to the first unmatched fresh row of its
  // key: the map holds that row, `later` chains the fresh rows of the same key.
  std::unordered_map<RowKey, int, RowKeyHash> freshByKey;
  freshByKey.reserve(freshKeys.size());
  std::vector<int> later(freshKeys.size(), -1);
  for (int i = static_cast<int>(freshKeys.size()) - 1; i >= 0; --i) {
    const auto [at, added] = freshByKey.try_emplace(freshKeys[static_cast<std::size_t>(i)], i);
    if (!added) later[static_cast<std::size_t>(i)] = std::exchange(at->second, i);
  }
  std::vector<int> match(shown.size(), -1);
  std::vector<int> shownOf(freshKeys.size(), -1);
  for (std::size_t s = 0; s < shown.size(); ++s) {
    if (shown[s].gone) continue;
    const auto found = freshByKey.find(shown[s].key);
    if (found == freshByKey.end() || found->second < 0) continue;
    match[s] = found->second;
    found->second = later[static_cast<std::size_t>(found->second)];
    shownOf[static_cast<std::size_t>(match[s])] = static_cast<int>(s);
  }

  std::vector<bool> stays(shown.size(), false);
  if (keepOrder) {
    for (std::size_t s = 0; s < shown.size(); ++s) stays[s] = match[s] >= 0;
  } else {
    stays = LongestIncreasing(match);
  }

  RowPlan plan;
  for (int s = static_cast<int>(shown.size()) - 1; s >= 0; --s) {
    const auto i = static_cast<std::size_t>(s);
    if (shown[i].gone || (match[i] >= 0 && !stays[i])) plan.removals.push_back(s);
  }

  // Rows that went, after the nearest staying row above them (-1: at the top).
  std::unordered_map<int, std::vector<int>> goneAfter;
  int anchor = -1;
  for (std::size_t s = 0; s < shown.size(); ++s) {
    if (stays[s])
      anchor = match[s];
    else if (!shown[s].gone && match[s] < 0)
      goneAfter[anchor].push_back(static_cast<int>(s));
  }
  plan.target.reserve(freshKeys.size() + shown.size());
  const auto placeGone = [&](int after) {
    const auto found = goneAfter.find(after);
    if (found == goneAfter.end()) return;
    for (int s : found->second) plan.target.push_back({s, -1, false});
  };
  placeGone(-1);
  if (keepOrder) {
    // Staying rows in the list's order, each followed by the rows that went below it; then the new.
    for (std::size_t s = 0; s < shown.size(); ++s) {
      if (!stays[s]) continue;
      plan.target.push_back({static_cast<int>(s), match[s], false});
      placeGone(match[s]);
    }
    for (std::size_t f = 0; f < freshKeys.size(); ++f)
      if (shownOf[f] < 0) plan.target.push_back({-1, static_cast<int>(f), true});
    return plan;
  }
  for (std::size_t f = 0; f < freshKeys.size(); ++f) {
    const int s = shownOf[f];
    const bool inPlace = s >= 0 && stays[static_cast<std::size_t>(s)];
    plan.target.push_back({s, static_cast<int>(f), !inPlace});
    if (inPlace) placeGone(static_cast<int>(f));
  }
  return plan;
}

}  // namespace k32
