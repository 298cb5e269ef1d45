// Reference counting, autorelease pools, dealloc order and associated
// objects.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"

namespace {

std::vector<std::string> deallocLog;

struct Tracker : NSObject {
  static constexpr const char* kClassName = "RCTracker";
  Ref<NSString> _tag;
  Ref<NSObject> _held;
};

void Tracker_dealloc(Tracker* self, SEL) {
  deallocLog.push_back(self->_tag ? self->_tag->str() : "?");
  objc::sendSuper<void()>(self, objc::classOf<NSObject>(), "dealloc"_sel);
}

Class trackerClass() {
  static Class cls = objc::ClassBuilder<Tracker>("RCTracker", objc::classOf<NSObject>())
                         .ivar("_tag", &Tracker::_tag)
                         .ivar("_held", &Tracker::_held)
                         .method<&Tracker_dealloc>("dealloc")
                         .cls();
  return cls;
}

Ref<Tracker> tracker(const char* tag) {
  auto* t = static_cast<Tracker*>(objc::send<id()>(reinterpret_cast<id>(trackerClass()), "new"_sel));
  t->_tag = constantString(tag);  // immortal: leaves the pools alone
  return adopt(t);
}

class RefCounting : public ::testing::Test {
 protected:
  void SetUp() override { deallocLog.clear(); }
};

TEST_F(RefCounting, RetainAndReleaseBalanceAndBlocksRetainWhatTheyCapture) {
  Ref<Tracker> t = tracker("t");
  EXPECT_EQ(objc_retainCount(t), 1u);
  {
    Ref<Tracker> copy = t;
    EXPECT_EQ(objc_retainCount(t), 2u);
    Ref<Tracker> moved = std::move(copy);
    EXPECT_EQ(objc_retainCount(t), 2u);
  }
  EXPECT_EQ(objc_retainCount(t), 1u);
  {
    auto block = Block<int(int)>::make([t](int x) { return x + static_cast<int>(objc_retainCount(t)); });
    EXPECT_EQ(block->invoke(1), 3) << "a block retains what it captures";
  }
  EXPECT_EQ(objc_retainCount(t), 1u);
  EXPECT_TRUE(deallocLog.empty());
  t = nullptr;
  EXPECT_EQ(deallocLog, std::vector<std::string>{"t"});
}

TEST_F(RefCounting, DeallocRunsTheClassFirstThenReleasesIvarsThenAssociations) {
  static const char kKey = 0;
  {
    Ref<Tracker> owner = tracker("owner");
    owner->_held = tracker("ivar");
    objc_setAssociatedObject(owner, &kKey, tracker("associated"), OBJC_ASSOCIATION_RETAIN_NONATOMIC);
  }
  EXPECT_EQ(deallocLog, (std::vector<std::string>{"owner", "ivar", "associated"}));
}

TEST_F(RefCounting, AutoreleasePoolsNestAndDrainInnermostFirst) {
  size_t before = objc_autoreleasePoolPendingCount();
  {
    AutoreleasePool outer;
    tracker("outer").autorelease();
    {
      AutoreleasePool inner;
      tracker("inner").autorelease();
      EXPECT_EQ(objc_autoreleasePoolPendingCount(), before + 2);
    }
    EXPECT_EQ(deallocLog, std::vector<std::string>{"inner"});
  }
  EXPECT_EQ(deallocLog, (std::vector<std::string>{"inner", "outer"}));
  EXPECT_EQ(objc_autoreleasePoolPendingCount(), before);
}

TEST_F(RefCounting, AssociatedObjectsFollowTheirPolicy) {
  static const char kKey = 0;
  Ref<NSObject> owner = objc::make<NSObject>();
  Ref<Tracker> value = tracker("value");
  objc_setAssociatedObject(owner, &kKey, value, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
  EXPECT_EQ(objc_getAssociatedObject(owner, &kKey), value.get());
  EXPECT_EQ(objc_retainCount(value), 2u);
  objc_setAssociatedObject(owner, &kKey, nil, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
  EXPECT_EQ(objc_retainCount(value), 1u);
  EXPECT_EQ(objc_getAssociatedObject(owner, &kKey), nil);

  objc_setAssociatedObject(owner, &kKey, value, OBJC_ASSOCIATION_ASSIGN);
  EXPECT_EQ(objc_retainCount(value), 1u) << "assign does not retain";
  objc_setAssociatedObject(owner, &kKey, nil, OBJC_ASSOCIATION_ASSIGN);

  Ref<NSMutableString> text = adopt(objc::as<NSMutableString>(NSString::withUTF8("a")->mutableCopy()));
  objc_setAssociatedObject(owner, &kKey, text, OBJC_ASSOCIATION_COPY_NONATOMIC);
  id stored = objc_getAssociatedObject(owner, &kKey);
  EXPECT_NE(stored, text.get()) << "copy stores an immutable copy";
  EXPECT_TRUE(objc::as<NSString>(stored)->isEqualToString(text));
}

TEST_F(RefCounting, ImmortalObjectsIgnoreRetainAndRelease) {
  NSString* literal = "literal"_ns;
  objc_release(literal);
  objc_release(literal);
  EXPECT_TRUE(literal->isEqualToString(NSString::withUTF8("literal")));
  id cls = reinterpret_cast<id>(objc::classOf<NSObject>());
  objc_release(cls);
  EXPECT_EQ(objc_getClass("NSObject"), objc::classOf<NSObject>());
}

// Several threads hold many references each to a few objects and drop them
// all at once, so that the releases collide: every object is deallocated
// exactly once, by whichever thread drops the last reference.
std::atomic<int> sharedDeallocs{0};
void Shared_dealloc(NSObject* self, SEL) {
  sharedDeallocs.fetch_add(1);
  objc::sendSuper<void()>(self, objc::classOf<NSObject>(), "dealloc"_sel);
}

TEST_F(RefCounting, ReleasesRacingFromManyThreadsDeallocEachObjectOnce) {
  static Class shared = objc::ClassBuilder<NSObject>("RCShared", objc::classOf<NSObject>())
                            .method<&Shared_dealloc>("dealloc")
                            .cls();
  constexpr int kObjects = 8, kThreads = 4, kReferences = 20000;  // per thread and object
  std::vector<id> objects;
  for (int k = 0; k < kObjects; ++k) {
    id obj = objc::send<id()>(reinterpret_cast<id>(shared), "new"_sel);
    for (int r = 1; r < kThreads * kReferences; ++r) objc_retain(obj);
    objects.push_back(obj);
  }
  sharedDeallocs = 0;
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&] {
      ready.fetch_add(1);
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int r = 0; r < kReferences; ++r)
        for (id obj : objects) objc_release(obj);
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(sharedDeallocs.load(), kObjects);
}

}  // namespace
