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

TEST(FakeServices, TerminationEndsTheOpenedProcessOnlyUnlessScriptedOtherwise) {
  FakeServices fake;
  fake.AddProcess(L"a.exe", 10).AddProcess(L"b.exe", 11).AddModule(10, L"a.exe", L"a.exe", 1, 1);
  fake.terminateOutcomes[11] = TerminateOutcome::Failed;
  const std::uint64_t created = fake.processes[0].createTime;
  EXPECT_EQ(fake.OpenToTerminate(10, created + 1), nullptr) << "another process with that identifier";
  auto a = fake.OpenToTerminate(10, created);
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->Terminate());
  EXPECT_FALSE(a->Terminate());
  EXPECT_EQ(fake.OpenToTerminate(10, created), nullptr);
  auto b = fake.OpenToTerminate(11, fake.processes[0].createTime);
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->Terminate());
  ASSERT_EQ(fake.ProcessSnapshot().size(), 1u);
  EXPECT_TRUE(fake.ModuleSnapshot(10).empty());
  EXPECT_EQ(fake.PriorityClass(10), 0u);
  EXPECT_EQ(fake.PriorityClass(11), 0x20u);
}

}  // namespace
}  // namespace k32::testing
