// Probes put into a launched Music host before the extension loads, so that
// tests see what reaches the host's own methods (the implementations the
// extension saves in its slots): background colours handed to the setters,
// blur views made and their first frames, unselected tints handed to tab bar
// buttons. On request, the probed initialisers fail (release and answer nil)
// as a host initialiser may.
//
//   inLaunch({.registerHostClasses = &registerProbedMusicHost}, [] { ... probes().setterCalls ... });
#pragma once

#include <string>
#include <vector>

#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"

// The classes whose -setBackgroundColor: becomes a clear-colour setter.
inline constexpr const char* kClearedClasses[] = {
    "MPUVignetteBackgroundView", "UITabBarCustomizeView", "UICollectionView", "UITableView",
    "_UITableViewHeaderFooterContentView", "_UITableViewHeaderFooterViewBackground", "_UIReplicantView",
};

struct SetterCall {
  std::string className;  // the class whose own setter was reached
  Ref<UIColor> colour;
};

struct BackdropInit {
  UIView* view;  // borrowed: only compared
  CGRect frame;
  BOOL autosizes;
};

struct TintCall {
  Ref<UIColor> colour;
  BOOL forceLabel;
};

struct Probes {
  std::vector<SetterCall> setterCalls;
  std::vector<BackdropInit> backdropInits;  // -[_UIBackdropView initWithFrame:autosizesToFitSuperview:settings:]
  std::vector<TintCall> tintCalls;          // -[UITabBarButton _setUnselectedTintColor:forceLabelToConform:]
  // The _adaptiveBackdrop each tab bar held when the host's initWithFrame:
  // returned, and its retain count then (the bar's reference and this one).
  std::vector<Ref<UIView>> stockTabBarBackdrops;
  std::vector<NSUInteger> stockTabBarBackdropCounts;
  bool failInitialisers = false;
};
Probes& probes();

// The title attributes the probed host's UINavigationBar initialisers set
// (a font and red), as a host may before the extension sees the bar.
NSDictionary* hostTitleAttributes();

// Registers the Music app's classes, then the probes.
void registerProbedMusicHost();

// The recorded blur view made for `view`, or null.
const BackdropInit* recordedBackdrop(UIView* view);

// Distinct theme colours, so that a test can tell each one from the others
// and from the host's own.
inline const char* const kPrimaryText = "2040C0FF";
inline const char* const kSecondaryText = "C04020FF";
inline const char* const kSecondaryTint = "30A050FF";

// A probed Music host with the colours above.
TestLaunch probedMusicHost();

// [NAME alloc], +1.
inline id allocOf(const char* className) {
  return objc::send<id()>(reinterpret_cast<id>(objc_getClass(className)), "alloc"_sel);
}

// The object in `object`'s field `name` (nil where its class has no such
// field), and a value put there behind the class's setters.
inline id fieldOf(id object, const char* name) {
  Ivar field = class_getInstanceVariable(object_getClass(object), name);
  return field ? object_getIvar(object, field) : nil;
}
inline void setField(id object, const char* name, id value) {
  object_setIvar(object, class_getInstanceVariable(object_getClass(object), name), value);
}
inline UILabel* labelIn(id object, const char* field) { return objc::as<UILabel>(fieldOf(object, field)); }

// Puts `replacement` in place of the class's method (its own or an
// inherited one) and answers what the class answered before.
IMP interpose(Class cls, const char* selector, IMP replacement, const std::string& types);

enum class Theme { Primary, Secondary };
UIColor* themeColour(Theme theme);

// Whether `colour` is a colour equal to `expected` (nil never is).
inline bool sameColour(id colour, UIColor* expected) {
  return colour && expected && objc::as<UIColor>(colour)->isEqual(expected);
}
