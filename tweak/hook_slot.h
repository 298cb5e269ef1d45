// HookSlot: where a replacement finds the host's own behaviour.
//
//   HookSlot<void(UIColor*)> orig_UITableView_setBackgroundColor_;
//   orig_UITableView_setBackgroundColor_(self, _cmd, UIColor::clearColor());
//
// After installation a slot holds the class's previous implementation, or
// the superclass fallback (when the class only inherited the method), or
// nothing (the method was not found). The fallback asks the runtime for the
// superclass's implementation at every call, so it follows whatever the
// superclass answers then, a replacement installed there later included.
#pragma once

#include "platform/objc/message.h"

template <class Signature>
class HookSlot;

template <class R, class... A>
class HookSlot<R(A...)> {
 public:
  using Signature = R(A...);

  R operator()(id self, SEL sel, A... args) const {
    return objc::Sender<R(A...)>::call(imp, self, sel, args...);
  }
  bool empty() const { return imp == nullptr; }

  // The superclass fallback of the slot `Slot`, as a plain replacement-style
  // function; its IMP is what the installer stores.
  template <auto& Slot>
  static R fallback(id self, SEL sel, A... args) {
    IMP superImp = class_getMethodImplementation(Slot.superclass, sel);
    return objc::Sender<R(A...)>::call(superImp, self, sel, args...);
  }

  IMP imp = nullptr;
  Class superclass = nullptr;  // recorded at install time, for the fallback
};
