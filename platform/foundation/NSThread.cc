// NSThread's main-thread test.
#include "platform/foundation/NSThread.h"

#include <atomic>
#include <thread>

#include "platform/objc/class_builder.h"

namespace {

std::atomic<std::thread::id> mainThread;

BOOL NSThread_isMainThread(Class, SEL) { return std::this_thread::get_id() == mainThread.load(); }

}  // namespace

BOOL NSThread::isMainThread() {
  return objc::send<BOOL()>(reinterpret_cast<id>(objc::classOf<NSThread>()), "isMainThread"_sel);
}

void registerNSThread() {
  mainThread.store(std::this_thread::get_id());
  objc::ClassBuilder<NSThread>("NSThread", objc::classOf<NSObject>())
      .classMethod<&NSThread_isMainThread>("isMainThread");
}
