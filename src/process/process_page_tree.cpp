// The process list as a tree: each process under the one that started it, folded and unfolded.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "process/process_page.h"
#include "process/process_tree.h"

namespace k32 {

namespace {

constexpr int kParentColumn = kPidColumn + 1;
// The fold boxes' pictures among the state images.
constexpr int kUnfoldedBox = 1;
constexpr int kFoldedBox = 2;

TreeNode NodeOf(const std::wstring& key, const RowText& parentText) {
  TreeNode node;
  if (const std::optional<ProcessIdentity> identity = ParseProcessKey(key)) {
    node.processId = identity->processId;
    node.createTime = identity->createTime;
  }
  node.parentId = ParseDecimalModulo32(parentText);
  return node;
}

const RowText& ItemText(const gui::TListItem& item, int column) { return item.Text(column); }

}  // namespace

void TProcessPage::SetTree(bool on) {
  if (on == tree_) return;
  tree_ = on;
  procList_.SetStateImages(on ? foldBoxes_.Handle() : nullptr);
  if (on) {
    procList_.OnArrangeRows = [this](int, bool) { ShowRows(RowUpdate::Filter); };
    procList_.OnKeyDown = [this](WPARAM key) { return TreeKey(key); };
    procList_.OnStateImageClick = [this](int index) { ToggleFold(index); };
  } else {
    procList_.OnArrangeRows = nullptr;
    procList_.OnKeyDown = nullptr;
    procList_.OnStateImageClick = nullptr;
  }
  if (!refreshed_) return;
  ShowRows(RowUpdate::Filter);
  if (!on) ResortList(procList_);  // the rows stood in the tree's order
}

TProcessPage::TreeShape TProcessPage::ShapeTree(RowUpdate kind) const {
  const std::vector<ListRow>& all = rows_.All();
  const std::vector<bool> passing = rows_.PassingMask();
  std::vector<TreeNode> nodes;
  std::vector<const RowText*> sortTexts;
  nodes.reserve(all.size());
  const int column = procList_.LastColumnClicked();
  const bool sorted = procList_.AutoColumnSort() != acsNoSort && column >= 0 && column < procList_.ColumnCount();
  for (std::size_t i = 0; i < all.size(); ++i) {
    TreeNode node = NodeOf(all[i].key, CellText(all[i], kParentColumn));
    node.matches = passing[i];
    node.folded = folded_.contains(all[i].key);
    nodes.push_back(node);
    if (sorted) sortTexts.push_back(&CellText(all[i], column));
  }
  // Rows of processes that ended stay a refresh longer (drawn as gone): their children stay under
  // them until then. A refresh's ended rows are the ones not yet marked; a filter's, the marked.
  for (int i = 0; i < procList_.Count(); ++i) {
    const gui::TListItem& item = *procList_.Item(i);
    if (rows_.Keys().present.contains({item.Key, {}})) continue;
    const bool gone = item.Mark == gui::TRowMark::rmGone;
    if (kind == RowUpdate::Refresh ? gone : !gone) continue;
    TreeNode node = NodeOf(item.Key, ItemText(item, kParentColumn));
    node.matches = false;  // a place for its children, not a row of this snapshot
    node.folded = folded_.contains(item.Key);
    nodes.push_back(node);
    if (sorted) sortTexts.push_back(&ItemText(item, column));
  }

  std::vector<int> ranks;
  if (sorted) ranks = procList_.CellRanks(column, procList_.CurrentSortAscending(), sortTexts);
  const auto before = [&](std::size_t a, std::size_t b) { return sorted && ranks[a] < ranks[b]; };
  TreeShape shape;
  shape.order.reserve(all.size());
  shape.looks.reserve(all.size());
  for (const TreePlace& place : TreeOrder(nodes, before)) {
    if (place.node >= all.size()) continue;  // an ended process's own row stays where it is
    shape.order.push_back(place.node);
    shape.looks.push_back(
        {place.level, place.hasChildren ? (nodes[place.node].folded ? kFoldedBox : kUnfoldedBox) : 0, place.context});
  }
  return shape;
}

void TProcessPage::SetFolded(int index, bool folded) {
  const gui::TListItem* item = procList_.Item(index);
  if (!item || item->Look.StateImage == 0 || folded_.contains(item->Key) == folded) return;
  if (folded) {
    // A selected row below goes with the fold: the folded row takes the selection.
    const int selected = procList_.SelectedIndex();
    bool below = false;
    for (int i = index + 1; i <= selected && procList_.Item(i)->Look.Indent > item->Look.Indent; ++i)
      below = i == selected;
    folded_.insert(item->Key);
    if (below) procList_.SelectIndex(index);
  } else {
    folded_.erase(item->Key);
  }
  ShowRows(RowUpdate::Filter);
}

void TProcessPage::ToggleFold(int index) {
  if (const gui::TListItem* item = procList_.Item(index)) SetFolded(index, !folded_.contains(item->Key));
}

bool TProcessPage::TreeKey(WPARAM key) {
  const int index = procList_.SelectedIndex();
  const gui::TListItem* item = index >= 0 ? procList_.Item(index) : nullptr;
  const bool left = key == VK_LEFT, right = key == VK_RIGHT;
  const bool fold = key == VK_SUBTRACT || key == VK_OEM_MINUS, unfold = key == VK_ADD || key == VK_OEM_PLUS;
  if (!left && !right && !fold && !unfold) return false;
  if (!item) return true;
  const bool hasBelow = item->Look.StateImage != 0;
  const bool folded = folded_.contains(item->Key);
  if (fold || unfold) {
    SetFolded(index, fold);
  } else if (left && hasBelow && !folded) {
    SetFolded(index, true);
  } else if (left) {
    for (int i = index - 1; i >= 0; --i)  // the parent: the nearest row above one step out
      if (procList_.Item(i)->Look.Indent < item->Look.Indent) {
        SelectAndShow(procList_, i);
        break;
      }
  } else if (hasBelow && folded) {
    SetFolded(index, false);
  } else if (hasBelow && index + 1 < procList_.Count()) {
    SelectAndShow(procList_, index + 1);
  }
  return true;
}

}  // namespace k32
