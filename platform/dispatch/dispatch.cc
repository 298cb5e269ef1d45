// Dispatch queues over worker threads and the main run loop.
//
// A serial queue never runs blocks itself: while it has work and is not
// suspended it keeps one "drain" submitted to its target queue, and the drain
// runs the serial queue's blocks one after another. A global queue hands
// each block to its own pool of worker threads, which grows when every
// worker is busy, so blocks on a global queue really run side by side. The
// main queue's drain is a turn of the main run loop per block, so main-queue
// blocks interleave with animations and timers in the order they were due.
#include "platform/dispatch/dispatch.h"

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

// Threads that a busy global queue may add; more blocks than this wait.
constexpr size_t kMaxWorkersPerPool = 64;

class WorkerPool {
 public:
  explicit WorkerPool(const char* threadName) : threadName_(threadName) {}

  void submit(std::function<void()> job) {
    std::unique_lock guard(lock_);
    jobs_.push_back(std::move(job));
    // Idle workers that were already woken still count as idle until they
    // run, so compare with the jobs waiting rather than just testing idle_.
    if (idle_ >= jobs_.size() || threads_ >= kMaxWorkersPerPool) {
      wake_.notify_one();
      return;
    }
    ++threads_;
    guard.unlock();
    std::thread([this] { work(); }).detach();
  }

 private:
  void work() {
    pthread_setname_np(pthread_self(), threadName_);
    std::unique_lock guard(lock_);
    for (;;) {
      while (jobs_.empty()) {
        ++idle_;
        wake_.wait(guard);
        --idle_;
      }
      std::function<void()> job = std::move(jobs_.front());
      jobs_.pop_front();
      guard.unlock();
      job();
      job = nullptr;
      guard.lock();
    }
  }

  const char* threadName_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  size_t idle_ = 0;
  size_t threads_ = 0;
};

enum class Kind { Serial, Global, Main };

}  // namespace

struct DispatchQueueState {
  Kind kind = Kind::Serial;
  std::string label;
  std::mutex lock;
  std::deque<dispatch_block_t> items;
  int suspendCount = 0;
  bool draining = false;          // a drain is submitted or running
  Ref<OS_dispatch_queue> target;  // serial queues
  WorkerPool* pool = nullptr;     // global queues
};

OS_dispatch_queue::~OS_dispatch_queue() {
  if (!_state) return;
  if (_state->suspendCount > 0)
    objc::fatal("release of the suspended dispatch queue \"%s\" (suspended %d times)", _state->label.c_str(),
                _state->suspendCount);
  delete _state;
}

namespace {

thread_local dispatch_queue_t tCurrentQueue = nullptr;

dispatch_queue_t makeQueue(Kind kind, const char* label) {
  auto* queue = static_cast<OS_dispatch_queue*>(class_createInstance(objc::classOf<OS_dispatch_queue>(), 0));
  queue->_state = new DispatchQueueState;
  queue->_state->kind = kind;
  queue->_state->label = label ? label : "";
  if (kind != Kind::Serial) queue->flags_.fetch_or(objc::kImmortal);
  return queue;
}

void runBlock(dispatch_queue_t queue, dispatch_block_t& block) {
  AutoreleasePool pool;  // what the block autoreleases, and its captures, go here
  dispatch_queue_t outer = std::exchange(tCurrentQueue, queue);
  block();
  block = nullptr;
  tCurrentQueue = outer;
}

void enqueue(dispatch_queue_t queue, dispatch_block_t block);

// The next block to run, or false (and the queue no longer draining) when
// the queue is suspended or empty.
bool takeNext(DispatchQueueState& s, dispatch_block_t& block) {
  std::lock_guard guard(s.lock);
  if (s.suspendCount > 0 || s.items.empty()) {
    s.draining = false;
    return false;
  }
  block = std::move(s.items.front());
  s.items.pop_front();
  return true;
}

void drainMainOnce(dispatch_queue_t queue) {
  DispatchQueueState& s = *queue->_state;
  dispatch_block_t block;
  if (!takeNext(s, block)) return;
  runBlock(queue, block);
  bool more;
  {
    std::lock_guard guard(s.lock);
    more = s.suspendCount == 0 && !s.items.empty();
    if (!more) s.draining = false;
  }
  if (more) RunLoop::main().schedule(0, [queue] { drainMainOnce(queue); });
}

void drainSerial(dispatch_queue_t queue) {
  DispatchQueueState& s = *queue->_state;
  dispatch_block_t block;
  while (takeNext(s, block)) runBlock(queue, block);
}

// Called with `draining` just set by the caller.
void scheduleDrain(dispatch_queue_t queue) {
  DispatchQueueState& s = *queue->_state;
  if (s.kind == Kind::Main) {
    RunLoop::main().schedule(0, [queue] { drainMainOnce(queue); });
    return;
  }
  Ref<OS_dispatch_queue> target;
  {
    std::lock_guard guard(s.lock);
    target = s.target;
  }
  // The drain holds the queue, so a queue with work outlives its last
  // outside reference until the work is done.
  Ref<OS_dispatch_queue> self(queue);
  enqueue(target, [self] { drainSerial(self); });
}

void enqueue(dispatch_queue_t queue, dispatch_block_t block) {
  DispatchQueueState& s = *queue->_state;
  if (s.kind == Kind::Global) {
    s.pool->submit([queue, block = std::move(block)]() mutable { runBlock(queue, block); });
    return;
  }
  bool start;
  {
    std::lock_guard guard(s.lock);
    s.items.push_back(std::move(block));
    start = !s.draining && s.suspendCount == 0;
    if (start) s.draining = true;
  }
  if (start) scheduleDrain(queue);
}

dispatch_queue_t globalQueue(int index) {
  static dispatch_queue_t queues[4] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    static const char* const labels[4] = {"com.apple.root.background-priority", "com.apple.root.low-priority",
                                          "com.apple.root.default-priority", "com.apple.root.high-priority"};
    static const char* const threadNames[4] = {"dispatch-bg", "dispatch-low", "dispatch-default", "dispatch-high"};
    for (int i = 0; i < 4; ++i) {
      queues[i] = makeQueue(Kind::Global, labels[i]);
      queues[i]->_state->pool = new WorkerPool(threadNames[i]);  // lives as long as the process
    }
  });
  return queues[index];
}

}  // namespace

dispatch_queue_t dispatch_queue_create(const char* label, dispatch_queue_attr_t) {
  dispatch_queue_t queue = makeQueue(Kind::Serial, label);
  queue->_state->target = dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0);
  return queue;
}

const char* dispatch_queue_get_label(dispatch_queue_t queue) {
  if (!queue) queue = tCurrentQueue;
  return queue ? queue->_state->label.c_str() : "";
}

dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long) {
  if (priority >= DISPATCH_QUEUE_PRIORITY_HIGH) return globalQueue(3);
  if (priority > DISPATCH_QUEUE_PRIORITY_LOW) return globalQueue(2);
  if (priority > DISPATCH_QUEUE_PRIORITY_BACKGROUND) return globalQueue(1);
  return globalQueue(0);
}

dispatch_queue_t dispatch_get_main_queue() {
  static dispatch_queue_t queue = makeQueue(Kind::Main, "com.apple.main-thread");
  return queue;
}

void dispatch_set_target_queue(dispatch_queue_t object, dispatch_queue_t queue) {
  if (!object || object->_state->kind != Kind::Serial) return;
  if (!queue) queue = dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0);
  std::lock_guard guard(object->_state->lock);
  object->_state->target = queue;
}

dispatch_queue_t DispatchQueueGetTarget(dispatch_queue_t queue) {
  if (!queue || queue->_state->kind != Kind::Serial) return nullptr;
  std::lock_guard guard(queue->_state->lock);
  return queue->_state->target.get();
}

void dispatch_async(dispatch_queue_t queue, dispatch_block_t block) {
  if (!queue) objc::fatal("dispatch_async to a NULL queue");
  if (!block) objc::fatal("dispatch_async of an empty block");
  enqueue(queue, std::move(block));
}

void dispatch_suspend(dispatch_queue_t queue) {
  if (!queue || queue->_state->kind == Kind::Global) return;
  std::lock_guard guard(queue->_state->lock);
  ++queue->_state->suspendCount;
}

void dispatch_resume(dispatch_queue_t queue) {
  if (!queue || queue->_state->kind == Kind::Global) return;
  DispatchQueueState& s = *queue->_state;
  bool start;
  {
    std::lock_guard guard(s.lock);
    if (s.suspendCount == 0) objc::fatal("over-resume of the dispatch queue \"%s\"", s.label.c_str());
    --s.suspendCount;
    start = s.suspendCount == 0 && !s.items.empty() && !s.draining;
    if (start) s.draining = true;
  }
  if (start) scheduleDrain(queue);
}

void dispatch_retain(dispatch_queue_t queue) { objc_retain(queue); }
void dispatch_release(dispatch_queue_t queue) { objc_release(queue); }

void dispatch_once(dispatch_once_t* predicate, const std::function<void()>& block) {
  constexpr long kRunning = 1, kDone = -1;
  std::atomic_ref<long> state(*predicate);
  if (state.load(std::memory_order_acquire) == kDone) return;
  long expected = 0;
  if (state.compare_exchange_strong(expected, kRunning, std::memory_order_acq_rel)) {
    block();
    state.store(kDone, std::memory_order_release);
    state.notify_all();
    return;
  }
  while ((expected = state.load(std::memory_order_acquire)) != kDone) state.wait(expected);
}

void registerDispatch() {
  objc::ClassBuilder<OS_dispatch_queue>("OS_dispatch_queue", objc::classOf<NSObject>());
}
