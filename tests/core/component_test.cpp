#include "gui/component.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace k32 {
namespace {

// Holds a pointer to another part and drops it when told that part goes.
class Holder : public gui::TComponent {
 public:
  void Hold(gui::TComponent* other) {
    held = other;
    if (other) FreeNotification(other);
  }
  gui::TComponent* held = nullptr;
  std::vector<gui::TComponent*> told;

 protected:
  void Notification(gui::TComponent* component, gui::TOperation operation) override {
    if (operation != gui::TOperation::opRemove) return;
    told.push_back(component);
    if (component == held) held = nullptr;
  }
};

TEST(Component, APartThatGoesIsForgottenByThoseThatHoldIt) {
  Holder first, second;
  auto shared = std::make_unique<gui::TComponent>();
  gui::TComponent* raw = shared.get();
  first.Hold(raw);
  second.Hold(raw);
  second.Hold(raw);  // asking twice tells once
  shared.reset();
  EXPECT_EQ(first.held, nullptr);
  EXPECT_EQ(second.held, nullptr);
  EXPECT_EQ(first.told, std::vector<gui::TComponent*>{raw});
  EXPECT_EQ(second.told, std::vector<gui::TComponent*>{raw});
}

TEST(Component, EitherSideMayGoFirstAndARemovedLinkTellsNothing) {
  auto target = std::make_unique<gui::TComponent>();
  {
    Holder holder;
    holder.Hold(target.get());
  }
  target.reset();  // must not reach the holder that is gone (ASan would see it)

  Holder holder;
  auto other = std::make_unique<gui::TComponent>();
  holder.Hold(other.get());
  holder.RemoveFreeNotification(other.get());
  other.reset();
  EXPECT_TRUE(holder.told.empty());
  holder.FreeNotification(&holder);  // itself: nothing to tell
  holder.FreeNotification(nullptr);
}

}  // namespace
}  // namespace k32
