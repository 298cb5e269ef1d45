// NSThread, as far as code asks which thread it is on. The main thread is
// the one that registered Foundation, as a host's main() does at launch.
//
//   if (!NSThread::isMainThread()) { /* hop to the main queue */ }
#pragma once

#include "platform/foundation/NSObject.h"

struct NSThread : NSObject {
  static constexpr const char* kClassName = "NSThread";

  static BOOL isMainThread();
};

// Records the calling thread as the main thread; part of registerFoundation().
void registerNSThread();
