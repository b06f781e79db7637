// The Win32 suite runs in one process with the common controls loaded, like the program.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "win/hang_watch.h"
#include "win/registry_sandbox.h"

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  testing::InitGoogleTest(&argc, argv);
  k32::testing::HangWatch::Start(60000);  // half the tests' timeout
  // Settings the program reads at start-up are there, as after a first close, and private to
  // this process; tests of a first start delete them.
  k32::testing::RegistrySandbox registry;
  k32::testing::StoreDefaultSettings();
  const int result = RUN_ALL_TESTS();
  // A filter that selects nothing means the test is missing from this binary.
  if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) return 1;
  return result;
}
