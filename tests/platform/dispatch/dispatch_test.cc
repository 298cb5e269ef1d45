// Dispatch queues: serial order and exclusion, suspension counts, target
// queues, concurrency of the global queues, the main queue's turns of the
// run loop, autorelease pools around blocks, and dispatch_once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/dispatch/dispatch.h"
#include "platform/foundation/NSThread.h"
#include "platform/foundation/RunLoop.h"

namespace {

// A count that tests wait on, with a guard against hanging forever.
class Latch {
 public:
  void arrive() {
    std::lock_guard guard(lock_);
    ++count_;
    changed_.notify_all();
  }
  bool waitFor(int n) {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, std::chrono::seconds(30), [&] { return count_ >= n; });
  }
  int count() {
    std::lock_guard guard(lock_);
    return count_;
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  int count_ = 0;
};

Ref<OS_dispatch_queue> serialQueue(const char* label = "test") {
  return adopt(dispatch_queue_create(label, DISPATCH_QUEUE_SERIAL));
}

TEST(DispatchTest, SerialQueueRunsBlocksOneAtATimeInOrderOffTheMainThreadUnderItsLabel) {
  Ref<OS_dispatch_queue> queue = serialQueue("com.example.worker");
  EXPECT_STREQ(dispatch_queue_get_label(queue), "com.example.worker");
  std::vector<int> order;
  std::atomic<int> running{0}, overlaps{0}, onMain{0}, elsewhere{0};
  Latch done;
  for (int i = 0; i < 200; ++i)
    dispatch_async(queue, [&, i] {
      if (running.fetch_add(1) != 0) ++overlaps;
      if (NSThread::isMainThread()) ++onMain;
      if (std::string(dispatch_queue_get_label(DISPATCH_CURRENT_QUEUE_LABEL)) != "com.example.worker") ++elsewhere;
      order.push_back(i);
      if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      running.fetch_sub(1);
      done.arrive();
    });
  ASSERT_TRUE(done.waitFor(200));
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_EQ(onMain.load(), 0);
  EXPECT_EQ(elsewhere.load(), 0) << "blocks see their queue's label";
  std::vector<int> expected(200);
  for (int i = 0; i < 200; ++i) expected[i] = i;
  EXPECT_EQ(order, expected);
}

TEST(DispatchTest, SuspensionHoldsTheNextBlockNotTheRunningOneUntilEveryCountIsResumed) {
  Ref<OS_dispatch_queue> queue = serialQueue();
  Latch started, release, finished;
  dispatch_async(queue, [&] {
    started.arrive();
    release.waitFor(1);
    finished.arrive();
  });
  dispatch_async(queue, [&] { finished.arrive(); });
  ASSERT_TRUE(started.waitFor(1));
  dispatch_suspend(queue);
  dispatch_suspend(queue);
  release.arrive();
  ASSERT_TRUE(finished.waitFor(1)) << "the running block finishes";
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(finished.count(), 1);
  dispatch_resume(queue);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(finished.count(), 1) << "one resume of two suspensions";
  dispatch_resume(queue);
  EXPECT_TRUE(finished.waitFor(2));
}

TEST(DispatchTest, QueuesTargetingOneSerialQueueNeverOverlap) {
  Ref<OS_dispatch_queue> target = serialQueue("target");
  Ref<OS_dispatch_queue> a = serialQueue("a"), b = serialQueue("b");
  dispatch_set_target_queue(a, target);
  dispatch_set_target_queue(b, target);
  EXPECT_EQ(DispatchQueueGetTarget(a), target.get());
  std::atomic<int> running{0}, overlaps{0};
  Latch done;
  auto work = [&] {
    if (running.fetch_add(1) != 0) ++overlaps;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    running.fetch_sub(1);
    done.arrive();
  };
  for (int i = 0; i < 40; ++i) dispatch_async(i % 2 ? a : b, work);
  ASSERT_TRUE(done.waitFor(40));
  EXPECT_EQ(overlaps.load(), 0);
  // Suspending the target holds its sources' blocks too (once their drains,
  // which are the target's blocks, have ended: a block on the target
  // queued after them runs only then).
  Latch idle;
  dispatch_async(target, [&] { idle.arrive(); });
  ASSERT_TRUE(idle.waitFor(1));
  dispatch_suspend(target);
  dispatch_async(a, work);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(done.count(), 40);
  dispatch_resume(target);
  EXPECT_TRUE(done.waitFor(41));
}

TEST(DispatchTest, GlobalQueuesRunBlocksSideBySide) {
  for (long priority : {DISPATCH_QUEUE_PRIORITY_HIGH, DISPATCH_QUEUE_PRIORITY_DEFAULT, DISPATCH_QUEUE_PRIORITY_LOW,
                        DISPATCH_QUEUE_PRIORITY_BACKGROUND}) {
    dispatch_queue_t global = dispatch_get_global_queue(priority, 0);
    EXPECT_EQ(global, dispatch_get_global_queue(priority, 0));
    // Each block waits for the other: only concurrent execution finishes.
    Latch arrived, done;
    for (int i = 0; i < 2; ++i)
      dispatch_async(global, [&] {
        arrived.arrive();
        if (arrived.waitFor(2)) done.arrive();
      });
    EXPECT_TRUE(done.waitFor(2)) << "priority " << priority;
  }
  EXPECT_NE(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_LOW, 0),
            dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0));
  Ref<OS_dispatch_queue> queue = serialQueue();
  EXPECT_EQ(DispatchQueueGetTarget(queue), dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0));
}

TEST(DispatchTest, MainQueueBlocksRunAsTurnsOfTheMainRunLoop) {
  std::vector<int> order;
  dispatch_async(dispatch_get_main_queue(), [&] {
    EXPECT_TRUE(NSThread::isMainThread());
    order.push_back(1);
    dispatch_async(dispatch_get_main_queue(), [&] { order.push_back(3); });
  });
  RunLoop::main().schedule(0, [&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));

  dispatch_suspend(dispatch_get_main_queue());
  dispatch_async(dispatch_get_main_queue(), [&] { order.push_back(4); });
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(order.size(), 3u);
  dispatch_resume(dispatch_get_main_queue());
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(order.back(), 4);
}

TEST(DispatchTest, QueuesLiveWhileTheyHaveWorkAndEachBlockDrainsItsOwnPool) {
  Ref<NSObject> object = objc::make<NSObject>();
  NSUInteger during = 0;
  Latch release, done;
  dispatch_queue_t queue = dispatch_queue_create("short-lived", DISPATCH_QUEUE_SERIAL);
  dispatch_retain(queue);
  EXPECT_EQ(objc_retainCount(queue), 2u);
  dispatch_release(queue);
  dispatch_async(queue, [&] {
    objc_autorelease(objc_retain(object));
    during = objc_retainCount(object);
    release.waitFor(1);
    done.arrive();
  });
  dispatch_async(queue, [&] { done.arrive(); });
  dispatch_release(queue);  // the queued work keeps it until it has run
  release.arrive();
  ASSERT_TRUE(done.waitFor(2));
  EXPECT_EQ(during, 2u);
  EXPECT_EQ(objc_retainCount(object), 1u) << "the first block's pool drained before the second ran";
}

TEST(DispatchTest, OnceRunsOnceAndLatecomersWaitForIt) {
  static dispatch_once_t predicate = 0;
  std::atomic<int> runs{0};
  std::atomic<int> sawDone{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&] {
      dispatch_once(&predicate, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        runs.fetch_add(1);
      });
      if (runs.load() == 1) sawDone.fetch_add(1);
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(runs.load(), 1);
  EXPECT_EQ(sawDone.load(), 8);
  dispatch_once(&predicate, [&] { runs.fetch_add(1); });
  EXPECT_EQ(runs.load(), 1);
}

TEST(DispatchDeathTest, MisuseFailsLoudly) {
  EXPECT_DEATH(
      {
        dispatch_queue_t queue = dispatch_queue_create("over-resumed", DISPATCH_QUEUE_SERIAL);
        dispatch_resume(queue);
      },
      "over-resume of the dispatch queue \"over-resumed\"");
  EXPECT_DEATH(
      {
        dispatch_queue_t queue = dispatch_queue_create("released-suspended", DISPATCH_QUEUE_SERIAL);
        dispatch_suspend(queue);
        dispatch_release(queue);
      },
      "release of the suspended dispatch queue \"released-suspended\"");
}

}  // namespace
