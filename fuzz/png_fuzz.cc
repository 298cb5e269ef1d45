// Fuzz target: PNG bytes through the image reader, from memory and from a
// file (an in-memory one), and into a UIImage. Any input must give an image
// or an error, never a crash, a leak or a pixel buffer larger than the
// header limit allows.
//
//   build/fuzz/fuzz/fuzz_png -max_total_time=20 fuzz/corpus/fuzz_png
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/imageio/ImageFile.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/UIImageFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool booted = (bootPlatform(), true);
  (void)booted;
  static const int fd = memfd_create("fuzz_png", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  DecodedImage image;
  ImageReadError error;
  if (!readImageData(data, size, {}, &image, &error) && error.cause.empty()) __builtin_trap();  // a failure says why
  AutoreleasePool pool;
  std::string reason;
  if (!UIImageReadFile(path.c_str(), 1, 32, &reason) && reason.empty()) __builtin_trap();
  return 0;
}
