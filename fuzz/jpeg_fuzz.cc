// Fuzz target: JPEG bytes through the image reader into a UIImage, at full
// size and at the picker's reduced DCT scale (the first byte chooses). Any
// input must give an image or an error, never a crash or a leak.
//
//   build/fuzz/fuzz/fuzz_jpeg -max_total_time=20 fuzz/corpus/fuzz_jpeg
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/loader/Loader.h"
#include "platform/uikit/UIImageFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool booted = (bootPlatform(), true);
  (void)booted;
  if (size == 0) return 0;
  AutoreleasePool pool;
  std::string error;
  UIImage* image = UIImageReadData(data + 1, size - 1, 1, data[0] & 1 ? 32 : 0, &error);
  if (!image && error.empty()) __builtin_trap();  // a failure always says why
  return 0;
}
