#include "process/process_tree.h"

#include <algorithm>
#include <unordered_map>

namespace k32 {

std::vector<std::ptrdiff_t> TreeParents(const std::vector<TreeNode>& nodes) {
  std::unordered_map<std::uint32_t, std::vector<std::size_t>> byId;
  byId.reserve(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) byId[nodes[i].processId].push_back(i);
  std::vector<std::ptrdiff_t> parents(nodes.size(), -1);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const auto found = byId.find(nodes[i].parentId);
    if (found == byId.end()) continue;
    for (std::size_t candidate : found->second) {
      const TreeNode& parent = nodes[candidate];
      // Created strictly before: a process is never its own parent, and no two can be each other's.
      if (parent.createTime >= nodes[i].createTime) continue;
      if (parents[i] < 0 || nodes[static_cast<std::size_t>(parents[i])].createTime < parent.createTime)
        parents[i] = static_cast<std::ptrdiff_t>(candidate);
    }
  }
  return parents;
}

std::vector<TreePlace> TreeOrder(const std::vector<TreeNode>& nodes,
                                 const std::function<bool(std::size_t, std::size_t)>& before) {
  const std::vector<std::ptrdiff_t> parents = TreeParents(nodes);
  std::vector<std::vector<std::size_t>> children(nodes.size());
  std::vector<std::size_t> roots;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (parents[i] < 0)
      roots.push_back(i);
    else
      children[static_cast<std::size_t>(parents[i])].push_back(i);
  }

  // Parents are created before their children, so by creation time every node comes after its
  // parent: walked backwards, a node's match is known before its parent asks.
  std::vector<std::size_t> byCreation(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) byCreation[i] = i;
  std::stable_sort(byCreation.begin(), byCreation.end(),
                   [&](std::size_t a, std::size_t b) { return nodes[a].createTime < nodes[b].createTime; });
  std::vector<bool> kept(nodes.size(), false);
  for (auto at = byCreation.rbegin(); at != byCreation.rend(); ++at) {
    if (nodes[*at].matches) kept[*at] = true;
    if (kept[*at] && parents[*at] >= 0) kept[static_cast<std::size_t>(parents[*at])] = true;
  }

  const auto order = [&](std::vector<std::size_t>& siblings) {
    std::erase_if(siblings, [&](std::size_t node) { return !kept[node]; });
    std::stable_sort(siblings.begin(), siblings.end(), before);
  };
  order(roots);
  std::vector<TreePlace> places;
  places.reserve(nodes.size());
  // Depth first without recursion: a chain of parents may be as long as the list.
  struct Step {
    std::size_t node;
    int level;
  };
  std::vector<Step> pending;
  for (auto at = roots.rbegin(); at != roots.rend(); ++at) pending.push_back({*at, 0});
  while (!pending.empty()) {
    const Step step = pending.back();
    pending.pop_back();
    std::vector<std::size_t>& below = children[step.node];
    order(below);
    places.push_back({step.node, step.level, !below.empty(), !nodes[step.node].matches});
    if (nodes[step.node].folded) continue;
    for (auto at = below.rbegin(); at != below.rend(); ++at) pending.push_back({*at, step.level + 1});
  }
  return places;
}

}  // namespace k32
