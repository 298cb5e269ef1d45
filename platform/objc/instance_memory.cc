// Per-thread free lists of small instance blocks.
//
// A block freed on another thread than the one that made it joins the
// freeing thread's list: a block is plain memory of its class's size, owned
// by no thread. Each list is capped, so a thread keeps at most a bounded
// amount of idle memory; a thread's lists go back to the C allocator when it
// ends. Under AddressSanitizer every block goes straight to the C allocator,
// so that a use after free is still reported.
#include "platform/objc/instance_memory.h"

#include <cstdlib>
#include <cstring>

namespace objc {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kListsEnabled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kListsEnabled = false;
#else
constexpr bool kListsEnabled = true;
#endif
#else
constexpr bool kListsEnabled = true;
#endif

constexpr size_t kGranule = 16;
constexpr uint32_t kSizeClasses = 16;  // blocks of 16 .. 256 bytes
constexpr uint32_t kListCap = 128;     // idle blocks kept per class and thread

struct FreeBlock {
  FreeBlock* next;
};

struct ThreadLists {
  FreeBlock* head[kSizeClasses + 1] = {};
  uint32_t count[kSizeClasses + 1] = {};
  ~ThreadLists();
};

// Set once the thread's lists are gone: objects released by later
// thread-exit work (an autorelease pool drained at exit) go to free().
thread_local bool listsGone = false;
thread_local ThreadLists lists;

ThreadLists::~ThreadLists() {
  for (uint32_t c = 1; c <= kSizeClasses; ++c)
    while (FreeBlock* block = head[c]) {
      head[c] = block->next;
      std::free(block);
    }
  listsGone = true;
}

}  // namespace

void* allocateInstanceMemory(size_t bytes, uint32_t* sizeClass) {
  uint32_t c = static_cast<uint32_t>((bytes + kGranule - 1) / kGranule);
  if (!kListsEnabled || c == 0 || c > kSizeClasses || listsGone) {
    *sizeClass = 0;
    return std::calloc(1, bytes ? bytes : 1);
  }
  *sizeClass = c;
  ThreadLists& l = lists;
  if (FreeBlock* block = l.head[c]) {
    l.head[c] = block->next;
    --l.count[c];
    std::memset(static_cast<void*>(block), 0, c * kGranule);
    return block;
  }
  // Fresh blocks are the class's full size, so any list can take them back.
  return std::calloc(1, c * kGranule);
}

void freeInstanceMemory(void* memory, uint32_t sizeClass) {
  if (!memory) return;
  if (sizeClass == 0 || sizeClass > kSizeClasses || listsGone) {
    std::free(memory);
    return;
  }
  ThreadLists& l = lists;
  if (l.count[sizeClass] >= kListCap) {
    std::free(memory);
    return;
  }
  auto* block = static_cast<FreeBlock*>(memory);
  block->next = l.head[sizeClass];
  l.head[sizeClass] = block;
  ++l.count[sizeClass];
}

}  // namespace objc
