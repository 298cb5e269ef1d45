// Memory for object instances: small blocks come from per-thread free lists
// by 16-byte size class, because a typical message-heavy path makes and
// drops dozens of small objects at a time, more than the C allocator's own
// per-thread cache holds, and calloc skips that cache altogether.
//
//   uint32_t sizeClass;
//   void* memory = objc::allocateInstanceMemory(bytes, &sizeClass);
//   ...
//   objc::freeInstanceMemory(memory, sizeClass);
#pragma once

#include <cstddef>
#include <cstdint>

namespace objc {

// Zeroed memory for `bytes` bytes, or null when the system has none. The
// size class written to `sizeClass` (0 for a block from the C allocator)
// goes back with the block when it is freed.
void* allocateInstanceMemory(size_t bytes, uint32_t* sizeClass);
void freeInstanceMemory(void* memory, uint32_t sizeClass);

}  // namespace objc
