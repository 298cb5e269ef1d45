// Grand Central Dispatch as the extension uses it: serial queues with labels
// and target queues, the global queues by priority (real worker threads), the
// main queue (drained by the main run loop), suspend and resume counts, and
// once-only initialisation. Queues are reference-counted objects, as dispatch
// objects are Objective-C objects on the platform.
//
//   Ref<OS_dispatch_queue> q = adopt(dispatch_queue_create("KRColorPickerQueue", DISPATCH_QUEUE_SERIAL));
//   dispatch_set_target_queue(q, dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_LOW, 0));
//   dispatch_async(q, [] { /* runs on a worker thread, inside an autorelease pool */ });
#pragma once

#include <cstdint>
#include <functional>

#include "platform/foundation/NSObject.h"

struct DispatchQueueState;  // the queue's items, counts and target (dispatch.cc)

struct OS_dispatch_queue : NSObject {
  static constexpr const char* kClassName = "OS_dispatch_queue";
  DispatchQueueState* _state = nullptr;
  ~OS_dispatch_queue();
};
typedef OS_dispatch_queue* dispatch_queue_t;
typedef std::function<void()> dispatch_block_t;
typedef long dispatch_once_t;
typedef const void* dispatch_queue_attr_t;

inline constexpr dispatch_queue_attr_t DISPATCH_QUEUE_SERIAL = nullptr;
inline constexpr dispatch_queue_t DISPATCH_CURRENT_QUEUE_LABEL = nullptr;

inline constexpr long DISPATCH_QUEUE_PRIORITY_HIGH = 2;
inline constexpr long DISPATCH_QUEUE_PRIORITY_DEFAULT = 0;
inline constexpr long DISPATCH_QUEUE_PRIORITY_LOW = -2;
inline constexpr long DISPATCH_QUEUE_PRIORITY_BACKGROUND = INT16_MIN;

// +1: a serial queue (the only kind the model makes) that targets the
// default-priority global queue. The label is copied; it may be null.
dispatch_queue_t dispatch_queue_create(const char* label, dispatch_queue_attr_t attr);
// The queue's label ("" for none); DISPATCH_CURRENT_QUEUE_LABEL asks for the
// queue whose block is running on the calling thread.
const char* dispatch_queue_get_label(dispatch_queue_t queue);

// The process's concurrent queues, one per priority (unknown priorities map
// to the nearest), and the main queue. None is ever deallocated; retain,
// release, suspend and resume do nothing to the global queues.
dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long flags);
dispatch_queue_t dispatch_get_main_queue();

// Where a serial queue's blocks run from now on; null means the default
// global queue. Blocks already running are not moved.
void dispatch_set_target_queue(dispatch_queue_t object, dispatch_queue_t queue);

// Submits the block and returns at once. A serial queue runs its blocks one
// at a time in submission order; the main queue runs each as a turn of the
// main run loop. Every block runs inside an autorelease pool.
void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);

// Counts: a queue starts no block while its suspension count is above zero
// (a block that has started runs to its end). Resuming more often than
// suspending fails loudly, as does releasing a suspended queue.
void dispatch_suspend(dispatch_queue_t queue);
void dispatch_resume(dispatch_queue_t queue);

void dispatch_retain(dispatch_queue_t queue);
void dispatch_release(dispatch_queue_t queue);

// Runs the block exactly once per predicate (which starts at 0) in the
// process; callers that arrive while it runs wait for it to finish.
void dispatch_once(dispatch_once_t* predicate, const std::function<void()>& block);

// Model side, for tests: the queue a serial queue's blocks go to next.
dispatch_queue_t DispatchQueueGetTarget(dispatch_queue_t queue);

// Registers the queue class. Part of registerFoundation().
void registerDispatch();
