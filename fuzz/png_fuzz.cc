// Fuzz target: PNG bytes through UIImageReadPNG and UIImageReadFile, which
// read files only, so each input is handed over as an in-memory file. Any
// input must give an image or an error, never a crash, a leak or a pixel
// buffer larger than the header limit allows.
//
//   build/fuzz/fuzz/fuzz_png -max_total_time=20 fuzz/corpus/fuzz_png
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/loader/Loader.h"
#include "platform/uikit/UIImageFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool booted = (bootPlatform(), true);
  (void)booted;
  static const int fd = memfd_create("fuzz_png", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  AutoreleasePool pool;
  for (bool throughFile : {false, true}) {
    std::string error;
    UIImage* image = throughFile ? UIImageReadFile(path.c_str(), 1, 32, &error) : UIImageReadPNG(path.c_str(), 1, &error);
    if (!image && error.empty()) __builtin_trap();  // a failure always says why
  }
  return 0;
}
