// Test entry point for the platform's own tests: Foundation is registered
// once in the test process, as a host process registers it at launch, and
// each test runs inside an autorelease pool of its own.
#include <gtest/gtest.h>

#include "platform/foundation/foundation.h"
#include "platform/objc/ref.h"

namespace {

class PoolPerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { token_ = objc_autoreleasePoolPush(); }
  void OnTestEnd(const ::testing::TestInfo&) override { objc_autoreleasePoolPop(token_); }
  void* token_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  registerFoundation();
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::testing::UnitTest::GetInstance()->listeners().Append(new PoolPerTest);
  return RUN_ALL_TESTS();
}
