// Registration of the picker's classes and category.
#include "colorpicker/colorpicker.h"

#include <mutex>

void registerColorPicker() {
  static std::once_flag once;
  std::call_once(once, [] {
    registerYUVSpace();
    registerKRColorScheme();
    registerKRColorPicker();
  });
}
