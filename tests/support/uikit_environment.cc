// Registers UIKit (and Core Graphics' types) once for a test binary, after
// the Foundation registration of registered_main.cc; link it into the test
// executable itself so that its static registration runs.
#include <gtest/gtest.h>

#include <mutex>

#include "platform/uikit/uikit.h"

namespace {

class UIKitEnvironment : public ::testing::Environment {
 public:
  // Once only: a repeated run sets environments up again, and registering a
  // class twice aborts.
  void SetUp() override {
    static std::once_flag once;
    std::call_once(once, registerUIKit);
  }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new UIKitEnvironment);

}  // namespace
