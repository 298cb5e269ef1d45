// The main thread's run loop with a virtual clock: animation blocks,
// main-queue blocks and timers run here, in time order and, for equal
// times, in the order they were scheduled. Nothing runs until the host (or
// a test, or the preview) turns the loop.
//
//   RunLoop::main().schedule(0.2, [] { ... });
//   RunLoop::main().runUntilIdle();   // advances the clock as far as needed
#pragma once

#include <functional>
#include <mutex>
#include <queue>
#include <vector>

class RunLoop {
 public:
  static RunLoop& main();

  // Schedules work `delay` seconds after the current virtual time. Safe to
  // call from any thread.
  void schedule(double delay, std::function<void()> work);
  // The current virtual time in seconds since the process started.
  double now() const;
  // Runs everything that is due at the current time, including work that
  // the work itself schedules for now. Returns how many items ran.
  size_t runDue();
  // Advances the clock by `seconds`, running everything that falls due on
  // the way in time order.
  void advance(double seconds);
  // Runs until nothing is scheduled, advancing the clock as needed, up to
  // `limit` seconds of virtual time.
  void runUntilIdle(double limit = 3600);
  bool idle() const;

 private:
  struct Item {
    double when;
    unsigned long sequence;
    std::function<void()> work;
    bool operator>(const Item& other) const {
      return when != other.when ? when > other.when : sequence > other.sequence;
    }
  };
  bool popDue(double until, Item& out);
  void runUntil(double until);

  mutable std::mutex lock_;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> items_;
  double now_ = 0;
  unsigned long sequence_ = 0;
};
