// Test entry point for the platform's own tests: Foundation is registered
// once in the test process, as a host process registers it at launch.
#include <gtest/gtest.h>

#include "platform/foundation/foundation.h"

int main(int argc, char** argv) {
  registerFoundation();
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}
