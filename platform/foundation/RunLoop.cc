// The main run loop's virtual clock and queue.
#include "platform/foundation/RunLoop.h"

#include "platform/objc/ref.h"

RunLoop& RunLoop::main() {
  static RunLoop* loop = new RunLoop;  // lives as long as the process
  return *loop;
}

void RunLoop::schedule(double delay, std::function<void()> work) {
  std::lock_guard guard(lock_);
  items_.push(Item{now_ + (delay > 0 ? delay : 0), sequence_++, std::move(work)});
}

double RunLoop::now() const {
  std::lock_guard guard(lock_);
  return now_;
}

bool RunLoop::idle() const {
  std::lock_guard guard(lock_);
  return items_.empty();
}

bool RunLoop::popDue(double until, Item& out) {
  std::lock_guard guard(lock_);
  if (items_.empty() || items_.top().when > until) return false;
  out = items_.top();
  items_.pop();
  if (out.when > now_) now_ = out.when;
  return true;
}

size_t RunLoop::runDue() {
  size_t ran = 0;
  Item item;
  while (popDue(now(), item)) {
    AutoreleasePool pool;
    item.work();
    ++ran;
  }
  return ran;
}

// Runs everything due up to `until`, in time order, moving the clock along.
void RunLoop::runUntil(double until) {
  Item item;
  while (popDue(until, item)) {
    AutoreleasePool pool;  // each turn drains what the work autoreleased
    item.work();
  }
}

void RunLoop::advance(double seconds) {
  double target = now() + seconds;
  runUntil(target);
  std::lock_guard guard(lock_);
  if (now_ < target) now_ = target;
}

void RunLoop::runUntilIdle(double limit) { runUntil(now() + limit); }
