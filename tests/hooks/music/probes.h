// Probes put into a launched Music host before the extension loads, so that
// tests see what reaches the host's own methods (the implementations the
// extension saves in its slots): background colours handed to the setters,
// blur views made and their first frames, unselected tints handed to tab bar
// buttons, search field fills, status bar colours and alert gradients; what
// colours a host's own drawRect: or layoutSubviews saw in its label fields
// when it began, and what an initialiser or viewDidLoad left in them when it
// ended; how often the host's glyph methods ran. On request, the probed
// initialisers fail (release and answer nil) as a host initialiser may, the
// glyph methods answer other images, and the More list answers default-style
// cells.
//
//   inLaunch(probedMusicHost(), [] { ... probes().setterCalls ... latestSight("Class selector") ... });
#pragma once

#include <map>
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

// The label colours of the receiver's fields, by field name, at one moment
// of one host method: its start for drawing and layout, its end for
// initialisers and viewDidLoad. A field holding no label records nil.
struct LabelSight {
  std::string method;  // "Class selector"
  std::map<std::string, Ref<UIColor>> colours;
};

struct ProbedInitialiser {
  std::string name;  // "Class selector"
  id (*make)();      // sends it to a fresh instance with sample arguments; answers what it answered (+1)
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
  std::vector<ProbedInitialiser> initialisers;  // in the order installed
  std::vector<LabelSight> sights;
  std::map<std::string, int> glyphCalls;             // by selector of the host's glyph methods
  std::map<std::string, Ref<UIImage>> glyphAnswers;  // handed out instead of the host's image
  bool defaultStyleMoreCells = false;                // the More list answers cells without a detail label
  std::vector<BOOL> fills;                               // -[_UISearchBarSearchFieldBackgroundView _fillColor:]
  std::vector<std::pair<Ref<UIColor>, id>> foregrounds;  // -[UIStatusBar setForegroundColor:animationParameters:]
  struct Gradient {  // -[_UIModalItemAlertBackgroundView _gradientImageForBoundsSize:withInnerColor:outerColor:]
    CGSize size;
    Ref<UIColor> inner, outer;
    UIImage* made;  // only compared
  };
  std::vector<Gradient> gradients;
};
Probes& probes();

// The title attributes the probed host's UINavigationBar initialisers set
// (a font and red), as a host may before the extension sees the bar.
NSDictionary* hostTitleAttributes();

// Registers the Music app's classes, then the probes.
void registerProbedMusicHost();

// The recorded blur view made for `view`, or null.
const BackdropInit* recordedBackdrop(UIView* view);

// The latest sight of `method`, or null.
const LabelSight* latestSight(const std::string& method);

// The host's own glyph image for `selector` (with the size category where
// the method takes one), past the probe and the extension.
UIImage* hostGlyphImage(const char* selector, NSString* sizeCategory);
// The host's own search field fill, past the probe and the extension.
UIColor* hostFillColour(id background, BOOL translucent);

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
