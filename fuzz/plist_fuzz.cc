// Fuzzes property list reading: any bytes, as a file, must give a
// dictionary or nil, never a crash, hang or leak.
//
//   build/fuzz/fuzz/fuzz_plist -max_total_time=60 fuzz/corpus/fuzz_plist
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/foundation/foundation.h"

namespace {

std::string scratchPath;

void removeScratch() { unlink(scratchPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  registerFoundation();
  char pattern[] = "/tmp/fuzz_plist-XXXXXX";
  int fd = mkstemp(pattern);
  if (fd < 0) {
    std::perror("mkstemp");
    std::abort();
  }
  close(fd);
  scratchPath = pattern;
  std::atexit(removeScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(scratchPath.c_str(), "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  AutoreleasePool pool;
  NSDictionary* dict = NSDictionary::withContentsOfFile(NSString::withUTF8(scratchPath));
  if (dict) describe(dict);  // touches every value read
  return 0;
}
