#include "process/process_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k32 {
namespace {

// The places as "node@level" texts, with "+" for a fold box and "~" for a row shown for context.
std::string Shape(const std::vector<TreePlace>& places) {
  std::string text;
  for (const TreePlace& place : places) {
    if (!text.empty()) text += ' ';
    text += std::to_string(place.node) + '@' + std::to_string(place.level);
    if (place.hasChildren) text += '+';
    if (place.context) text += '~';
  }
  return text;
}

bool ByIndex(std::size_t a, std::size_t b) { return a < b; }

TEST(ProcessTree, ChildrenFollowTheParentThatWasThereBeforeThem) {
  const std::vector<TreeNode> nodes = {
      {10, 0, 100},   // 0: a root
      {20, 10, 200},  // 1: child of 0
      {30, 20, 300},  // 2: grandchild of 0
      {40, 99, 150},  // 3: its parent is not listed: a root
      {50, 60, 400},  // 4: its parent identifier belongs to a process started after it: a root
      {60, 10, 500},  // 5: child of 0
      {70, 20, 50},   // 6: started before the only 20 there is: a root
  };
  EXPECT_EQ(Shape(TreeOrder(nodes, ByIndex)), "0@0+ 1@1+ 2@2 5@1 3@0 4@0 6@0");

  // The identifier 10 given again: the later process takes the children started after it.
  std::vector<TreeNode> reused = nodes;
  reused.push_back({10, 0, 350});   // 7
  reused.push_back({80, 10, 360});  // 8: child of 7, not of 0; so is 5
  EXPECT_EQ(Shape(TreeOrder(reused, ByIndex)), "0@0+ 1@1+ 2@2 3@0 4@0 6@0 7@0+ 5@1 8@1");

  // A process that names itself as its parent (the idle process) stands alone.
  EXPECT_EQ(Shape(TreeOrder({{0, 0, 0}, {4, 0, 0}}, ByIndex)), "0@0 1@0");
}

TEST(ProcessTree, SiblingsSortUnderTheirParentAndTheShapeStays) {
  const std::vector<TreeNode> nodes = {{1, 0, 1}, {2, 1, 2}, {3, 1, 3}, {4, 2, 4}, {5, 0, 5}, {6, 1, 6}};
  // Largest index first, as a descending sort would order them.
  EXPECT_EQ(Shape(TreeOrder(nodes, [](std::size_t a, std::size_t b) { return a > b; })),
            "4@0 0@0+ 5@1 2@1 1@1+ 3@2");
  // Nodes the order does not tell apart keep their own order.
  EXPECT_EQ(Shape(TreeOrder(nodes, [](std::size_t, std::size_t) { return false; })),
            "0@0+ 1@1+ 3@2 2@1 5@1 4@0");
}

TEST(ProcessTree, AFilterKeepsTheAncestorsOfAMatchAndAFoldHidesWhatLiesBelow) {
  std::vector<TreeNode> nodes = {{1, 0, 1}, {2, 1, 2}, {3, 2, 3}, {4, 1, 4}, {5, 0, 5}};
  for (TreeNode& node : nodes) node.matches = false;
  nodes[2].matches = true;
  EXPECT_EQ(Shape(TreeOrder(nodes, ByIndex)), "0@0+~ 1@1+~ 2@2");

  for (TreeNode& node : nodes) node.matches = true;
  nodes[1].folded = true;
  EXPECT_EQ(Shape(TreeOrder(nodes, ByIndex)), "0@0+ 1@1+ 3@1 4@0");
  nodes[0].folded = true;
  EXPECT_EQ(Shape(TreeOrder(nodes, ByIndex)), "0@0+ 4@0");
}

}  // namespace
}  // namespace k32
