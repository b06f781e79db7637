// A test run that selects no test fails: CTest names each test, and a test missing from the binary
// must not pass unseen.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) return 1;
  return result;
}
