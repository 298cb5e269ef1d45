// Blocks: reference-counted closures, passed and retained like objects
// (encoded "@?").
//
//   Ref<Block<void(BOOL)>> done = Block<void(BOOL)>::make([](BOOL finished) { ... });
//   done->invoke(YES);
#pragma once

#include <functional>

#include "platform/foundation/NSObject.h"

struct NSBlock : NSObject {
  static constexpr const char* kClassName = "NSBlock";
  static constexpr const char* kTypeEncoding = "@?";
  void* _function = nullptr;              // a heap std::function of the block's signature
  void (*_destroy)(void*) = nullptr;

  ~NSBlock() {
    if (_destroy) _destroy(_function);
  }
};

template <class Signature>
struct Block;

template <class R, class... A>
struct Block<R(A...)> : NSBlock {
  using Function = std::function<R(A...)>;

  static Ref<Block> make(Function function) {
    auto* block = static_cast<Block*>(class_createInstance(objc::classOf<NSBlock>(), 0));
    block->_function = new Function(std::move(function));
    block->_destroy = [](void* f) { delete static_cast<Function*>(f); };
    return Ref<Block>::adopt(block);
  }

  R invoke(A... args) { return (*static_cast<Function*>(_function))(args...); }
};

void registerNSBlock();
