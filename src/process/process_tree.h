// Processes as a tree: each one under the process that started it. Pure: the page shows the order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace k32 {

struct TreeNode {
  std::uint32_t processId = 0;
  std::uint32_t parentId = 0;
  std::uint64_t createTime = 0;
  bool matches = true;  // the filter lets it through
  bool folded = false;  // what lies below it is not shown
};

struct TreePlace {
  std::size_t node = 0;
  int level = 0;
  bool hasChildren = false;  // children shown or folded away: it has a fold box
  bool context = false;      // shown only because something below it matches
};

// A node's parent is the node of its parent identifier created before it (of several, the latest):
// an identifier the system gave again to a later process makes no parent.
std::vector<std::ptrdiff_t> TreeParents(const std::vector<TreeNode>& nodes);

// The nodes in tree order: each after its parent, one level deeper; siblings in the order before
// gives (a strict weak order of node indices; nodes it does not tell apart keep their order in
// nodes). A node that neither matches nor has a match below it is left out, and so is all that
// lies below a folded node.
std::vector<TreePlace> TreeOrder(const std::vector<TreeNode>& nodes,
                                 const std::function<bool(std::size_t, std::size_t)>& before);

}  // namespace k32
