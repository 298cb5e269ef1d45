// NSLog. The line and its newline go out in one write, so that lines logged
// from several threads do not interleave.
#include "platform/foundation/NSLog.h"

#include <cstdio>
#include <string>

#include "platform/foundation/NSString.h"

void NSLogv(const char* format, va_list args) {
  AutoreleasePool pool;  // the descriptions of %@ arguments go when the line is out
  std::string line = format ? formatWithObjects(format, args) : std::string("(null)");
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void NSLog(const char* format, ...) {
  va_list args;
  va_start(args, format);
  NSLogv(format, args);
  va_end(args);
}
