// A test run that selects no test fails: CTest names each test, and a test missing from the binary
// must not pass unseen.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "win/hang_watch.h"
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  k32::testing::HangWatch::Start(60000);  // half the tests' timeout
#endif
  const int result = RUN_ALL_TESTS();
  if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) return 1;
  return result;
}
