// Registers UIKit, EAGLContext and the picker once for a test binary, after
// the Foundation registration of registered_main.cc.
#include <gtest/gtest.h>

#include <mutex>

#include "colorpicker/colorpicker.h"
#include "platform/gles/EAGLContext.h"
#include "platform/uikit/uikit.h"

namespace {

class ColorPickerEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static std::once_flag once;
    std::call_once(once, [] {
      registerUIKit();
      registerEAGLContext();
      registerColorPicker();
    });
  }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ColorPickerEnvironment);

}  // namespace
