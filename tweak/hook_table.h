// The HookTable: every method the extension replaces or adds, grouped as the
// hosts are (Messages, and Messages text on top of it with ReadableText;
// Music; Now Playing on top of Music), in installation order. Rows are
// data; the installer (hook_installer.h) carries them out.
//
//   replace<&hook_UIApplication__setBackgroundStyle_, orig_UIApplication__setBackgroundStyle_>(
//       "UIApplication", "_setBackgroundStyle:")
#pragma once

#include <span>
#include <string>

#include "platform/objc/message.h"
#include "tweak/hook_slot.h"

enum class HookKind { ReplaceInstance, ReplaceClass, Add };
enum class HookGroup { Messages, MessagesText, Music, NowPlaying };

struct HookRow {
  const char* className;
  HookKind kind;
  const char* selector;
  IMP replacement;
  // For replacements that call the host's behaviour: the slot and its
  // superclass fallback. Null for replacements that never call it.
  IMP fallback;
  IMP* slot;
  Class* fallbackSuperclass;
  // For added methods: the type encoding.
  const char* types;
  // The replacement's own encoding, checked against the host's method in
  // debug builds.
  std::string (*replacementEncoding)();
};

namespace hooks {

// A replaced instance method whose replacement calls the saved
// implementation through `Slot`.
template <auto F, auto& Slot>
HookRow replace(const char* cls, const char* selector) {
  using SlotType = std::remove_cvref_t<decltype(Slot)>;
  return {cls, HookKind::ReplaceInstance, selector, objc::imp<F>(),
          objc::imp<&SlotType::template fallback<Slot>>(), &Slot.imp, &Slot.superclass, nullptr,
          &objc::encodingOf<F>};
}

// A replaced class method (on the metaclass) that calls the saved
// implementation through `Slot`.
template <auto F, auto& Slot>
HookRow replaceClassMethod(const char* cls, const char* selector) {
  HookRow row = replace<F, Slot>(cls, selector);
  row.kind = HookKind::ReplaceClass;
  return row;
}

// A replacement that never calls the host's behaviour: no slot, no fallback.
template <auto F>
HookRow replaceWithoutOriginal(const char* cls, const char* selector) {
  return {cls, HookKind::ReplaceInstance, selector, objc::imp<F>(), nullptr, nullptr, nullptr, nullptr,
          &objc::encodingOf<F>};
}

// An added instance method with its type encoding.
template <auto F>
HookRow add(const char* cls, const char* selector, const char* types) {
  return {cls, HookKind::Add, selector, objc::imp<F>(), nullptr, nullptr, nullptr, types, &objc::encodingOf<F>};
}

}  // namespace hooks

std::span<const HookRow> hookGroup(HookGroup group);
const char* hookGroupName(HookGroup group);
