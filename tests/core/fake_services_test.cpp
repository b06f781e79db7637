// The scripted services stand in for the system in many tests; these pin the behaviour they rely on.
#include "system/fake_services.h"

#include <gtest/gtest.h>

#include <vector>

namespace k32::testing {
namespace {

std::vector<WindowId> Collect(FakeServices& fake, WindowId parent, std::size_t stopAfter = 1000) {
  std::vector<WindowId> seen;
  const auto visit = [&](WindowId id) {
    seen.push_back(id);
    return seen.size() < stopAfter;
  };
  if (parent == 0)
    fake.EnumTopLevelWindows(visit);
  else
    fake.EnumDescendantWindows(parent, visit);
  return seen;
}

FakeServices Tree() {
  FakeServices fake;
  fake.AddWindow(100);
  fake.AddWindow(200);
  fake.AddWindow(110, 100);
  fake.AddWindow(111, 110);
  fake.AddWindow(120, 100);
  fake.AddWindow(112, 110);
  return fake;
}

TEST(FakeServices, DescendantsAtEveryDepthEachBeforeItsOwn) {
  FakeServices fake = Tree();
  EXPECT_EQ(Collect(fake, 0), (std::vector<WindowId>{100, 200}));
  EXPECT_EQ(Collect(fake, 100), (std::vector<WindowId>{110, 111, 112, 120}));
  EXPECT_EQ(Collect(fake, 100, 2), (std::vector<WindowId>{110, 111}));
  EXPECT_TRUE(Collect(fake, 200).empty());
}

TEST(FakeServices, GoneWindowsTakeTheirDescendantsAlong) {
  FakeServices fake = Tree();
  fake.Vanish(110);
  EXPECT_EQ(Collect(fake, 100), (std::vector<WindowId>{120}));
  EXPECT_FALSE(fake.IsWindow(111));
  std::uint32_t thread = 7;
  EXPECT_EQ(fake.WindowProcessId(111, &thread), 0u);
  EXPECT_EQ(thread, 0u);
  ScreenRect rect;
  EXPECT_FALSE(fake.WindowRect(112, &rect));
}

TEST(FakeServices, WindowThatVanishesOnceEnumerated) {
  FakeServices fake;
  auto& w = fake.AddWindow(300);
  w.className = std::wstring(150, 'c');
  w.title = L"Title";
  w.processId = 42;
  w.vanishAfterEnumeration = true;
  EXPECT_EQ(fake.WindowClassName(300).size(), 99u);
  std::wstring titleSeen = L"unset";
  fake.EnumTopLevelWindows([&](WindowId id) {
    titleSeen = fake.WindowTitle(id);
    return true;
  });
  EXPECT_EQ(titleSeen, L"");
  EXPECT_TRUE(Collect(fake, 0).empty());
}

}  // namespace
}  // namespace k32::testing
