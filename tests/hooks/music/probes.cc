// Probes in a launched Music host: setters, initialisers, blur views, tab
// bar tints, label sights, glyphs and the More list.
#include "tests/hooks/music/probes.h"

#include "apps/music/MusicApp.h"
#include "platform/objc/class.h"
#include "tweak/settings.h"

IMP interpose(Class cls, const char* selector, IMP replacement, const std::string& types) {
  SEL sel = sel_registerName(selector);
  IMP previous = class_getMethodImplementation(cls, sel);
  class_replaceMethod(cls, sel, replacement, types.c_str());
  return previous;
}

UIColor* themeColour(Theme theme) {
  return theme == Theme::Primary ? ThemeColours.PrimaryTextColour.get() : ThemeColours.SecondaryTextColour.get();
}

namespace {

IMP interpose(const char* className, const char* selector, IMP replacement, const std::string& types) {
  return ::interpose(objc_getClass(className), selector, replacement, types);
}

// --- Background colour setters ---------------------------------------------------

IMP gNextSetter[std::size(kClearedClasses)];

template <size_t I>
void countingSetter(id self, SEL sel, UIColor* colour) {
  probes().setterCalls.push_back({kClearedClasses[I], colour});
  objc::Sender<void(UIColor*)>::call(gNextSetter[I], self, sel, colour);
}

template <size_t... I>
void probeSetters(std::index_sequence<I...>) {
  ((gNextSetter[I] = interpose(kClearedClasses[I], "setBackgroundColor:", objc::imp<&countingSetter<I>>(),
                               objc::encodingOf<&countingSetter<I>>())),
   ...);
}

// --- Label sights ------------------------------------------------------------------

constexpr const char* kLabelFields[] = {
    "_titleLabel",       "_trackNumberLabel",        "_copyrightLabel",          "_detailTextLabel",
    "_yearLabel",        "_artistLabel",             "_albumLabel",              "_durationLabel",
    "_copyrightYearLabel", "_aboutGeniusLabel",      "_geniusLegalLabel",        "_stepOneBulletLabel",
    "_stepOneDescriptionLabel", "_stepTwoBulletLabel", "_stepTwoDescriptionLabel", "_stepThreeBulletLabel",
    "_stepThreeDescriptionLabel", "_continueUsingMusicLabel",
};

void recordSight(id object, const char* method) {
  LabelSight sight{method, {}};
  for (const char* field : kLabelFields)
    if (Ivar ivar = class_getInstanceVariable(object_getClass(object), field)) {
      id label = object_getIvar(object, ivar);
      sight.colours[field] = label ? objc::as<UILabel>(label)->textColor() : nullptr;
    }
  probes().sights.push_back(std::move(sight));
}

// A host method that returns nothing, seen at its start (drawing and
// layout) or at its end (viewDidLoad).
template <int Tag, bool AtEnd, class... A>
struct Seen {
  static inline IMP next = nullptr;
  static inline std::string method;
  static void call(id self, SEL sel, A... args) {
    if (!AtEnd) recordSight(self, method.c_str());
    objc::Sender<void(A...)>::call(next, self, sel, args...);
    if (AtEnd) recordSight(self, method.c_str());
  }
  static void install(const char* className, const char* selector) {
    method = std::string(className) + " " + selector;
    next = interpose(className, selector, objc::imp<&call>(), objc::encodingOf<&call>());
  }
};

// --- Initialisers ------------------------------------------------------------------

void noFollowUp(id, const char*) {}

void setHostTitleAttributes(id bar, const char*) {
  objc::send<void(NSDictionary*)>(bar, "setTitleTextAttributes:"_sel, hostTitleAttributes());
}

void captureStockTabBarBackdrop(id bar, const char*) {
  auto* backdrop = objc::as<UIView>(fieldOf(bar, "_adaptiveBackdrop"));
  probes().stockTabBarBackdrops.push_back(backdrop);
  probes().stockTabBarBackdropCounts.push_back(objc_retainCount(backdrop));
}

// An argument of type T for sending a probed initialiser to a fresh
// instance: a frame, a plain object standing for a coder, style 0, a label.
template <class T>
T sampleArgument() {
  if constexpr (std::is_same_v<T, CGRect>) return CGRectMake(10, 20, 300, 40);
  else if constexpr (std::is_same_v<T, id>) return objc_autorelease(objc::make<NSObject>().leakRef());
  else if constexpr (std::is_same_v<T, NSString*>) return "Probe"_ns;
  else return T{};
}

// One probed initialiser: fails on request, otherwise runs the host's and
// then the follow-up on what it made (given "Class selector").
template <int Tag, class Signature, void (*FollowUp)(id, const char*) = &noFollowUp>
struct Initialiser;
template <int Tag, class... A, void (*FollowUp)(id, const char*)>
struct Initialiser<Tag, id(A...), FollowUp> {
  static inline IMP next = nullptr;
  static inline std::string method;
  static id init(id self, SEL sel, A... args) {
    if (probes().failInitialisers) {
      objc_release(self);
      return nil;
    }
    id made = objc::Sender<id(A...)>::call(next, self, sel, args...);
    if (made) FollowUp(made, method.c_str());
    return made;
  }
  static inline const char *className = nullptr, *selector = nullptr;
  static id make() {
    return objc::send<id(A...)>(allocOf(className), sel_registerName(selector), sampleArgument<A>()...);
  }
  static void install(const char* cls, const char* sel) {
    className = cls;
    selector = sel;
    method = std::string(cls) + " " + sel;
    next = interpose(cls, sel, objc::imp<&init>(), objc::encodingOf<&init>());
    probes().initialisers.push_back({method, &make});
  }
};

using Edge = id(UIImage*, UIImage*, NSString*, UIEdgeInsets);

void probeInitialisers() {
  Initialiser<0, id(CGRect)>::install("MPUVignetteBackgroundView", "initWithFrame:");
  Initialiser<1, id(CGRect)>::install("UITabBarCustomizeView", "initWithFrame:");
  Initialiser<2, id()>::install("UITabBarCustomizeView", "init");
  Initialiser<3, id(id)>::install("UITabBarCustomizeView", "initWithCoder:");
  Initialiser<4, id(id), &setHostTitleAttributes>::install("UINavigationBar", "initWithCoder:");
  Initialiser<5, id(CGRect), &setHostTitleAttributes>::install("UINavigationBar", "initWithFrame:");
  Initialiser<6, id(id)>::install("UICollectionView", "initWithCoder:");
  Initialiser<7, id(CGRect)>::install("UICollectionView", "initWithFrame:");
  Initialiser<8, id(id)>::install("UITableView", "initWithCoder:");
  Initialiser<9, id(CGRect, NSInteger)>::install("UITableView", "initWithFrame:style:");
  Initialiser<10, id(CGRect)>::install("UITableView", "initWithFrame:");
  Initialiser<11, id(CGRect)>::install("_UITableViewHeaderFooterContentView", "initWithFrame:");
  Initialiser<12, id(id), &captureStockTabBarBackdrop>::install("UITabBar", "initWithCoder:");
  Initialiser<13, id(CGRect), &captureStockTabBarBackdrop>::install("UITabBar", "initWithFrame:");
  Initialiser<14, Edge>::install("UITabBarButton", "initWithImage:selectedImage:label:withInsets:");
  Initialiser<15, id()>::install("MusicMoreNavigationController", "init");
  Initialiser<16, id(id)>::install("RURadioViewController", "initWithDataSource:");
  Initialiser<17, id(NSInteger, NSString*)>::install("RUStationTreeTableViewCell", "initWithStyle:reuseIdentifier:");
  Initialiser<18, id(NSString*)>::install("RUStationTreeTableHeaderView", "initWithReuseIdentifier:");
  Initialiser<19, id(NSInteger, NSString*)>::install("RUHistoryTableViewCell", "initWithStyle:reuseIdentifier:");
  Initialiser<20, id(NSInteger, NSString*)>::install("RUEditNewStationTableViewCell",
                                                     "initWithStyle:reuseIdentifier:");
  Initialiser<21, id(CGRect, NSString*, NSString*)>::install("RUHistoryTableHeaderView",
                                                              "initWithFrame:emphasizedText:detailText:");
  Initialiser<22, id(NSString*), &recordSight>::install("MusicAlbumsDetailTableHeaderView",
                                                        "initWithReuseIdentifier:");
  Initialiser<23, id(CGRect), &recordSight>::install("MPURatingControl", "initWithFrame:");
}

// --- Glyphs and the More list -------------------------------------------------------

// A host glyph class method: counted, and answered by the probe when asked.
template <int Tag, class Signature>
struct Glyph;
template <int Tag, class... A>
struct Glyph<Tag, UIImage*(A...)> {
  static inline IMP next = nullptr;
  static inline const char* selector = nullptr;
  static UIImage* call(id self, SEL sel, A... args) {
    ++probes().glyphCalls[selector];
    if (UIImage* answer = probes().glyphAnswers[selector].get()) return answer;
    return objc::Sender<UIImage*(A...)>::call(next, self, sel, args...);
  }
  static void install(const char* className, const char* name) {
    selector = name;
    Class meta = object_getClass(reinterpret_cast<id>(objc_getClass(className)));
    next = ::interpose(meta, name, objc::imp<&call>(), objc::encodingOf<&call>());
  }
};
using DotProbe = Glyph<0, UIImage*()>;
using StarProbe = Glyph<1, UIImage*()>;
using ExplicitProbe = Glyph<2, UIImage*(NSString*)>;
using CloudProbe = Glyph<3, UIImage*()>;

IMP gNextMoreCell;
UITableViewCell* moreCell(id self, SEL sel, UITableView* table, NSIndexPath* path) {
  if (!probes().defaultStyleMoreCells)
    return objc::Sender<UITableViewCell*(UITableView*, NSIndexPath*)>::call(gNextMoreCell, self, sel, table, path);
  auto* cell = objc::alloc<UITableViewCell>()->initWithStyle(UITableViewCellStyleDefault, nil);
  cell->setBackgroundColor(UIColor::whiteColor());
  return objc::as<UITableViewCell>(objc_autorelease(cell));
}

void probeDetailScreensAndGlyphs() {
  Seen<0, false, CGRect>::install("MusicActionTableViewCellContentView", "drawRect:");
  Seen<1, false, CGRect>::install("MusicCollectionTrackTableViewCellContentView", "drawRect:");
  Seen<2, false>::install("MusicAlbumsDetailTableHeaderView", "layoutSubviews");
  Seen<3, false>::install("MusicFlipsideAlbumDetailHeaderView", "layoutSubviews");
  Seen<4, false>::install("MusicGeniusOptInViewController", "layoutSubviews");
  Seen<5, true>::install("MusicGeniusOptInViewController", "viewDidLoad");
  DotProbe::install("MPURatingControl", "ratingDotImage");
  StarProbe::install("MPURatingControl", "ratingStarImage");
  ExplicitProbe::install("MPUTheme", "explicitGlyphImageForSizeCategory:");
  CloudProbe::install("MPUTheme", "cloudGlyph");
  gNextMoreCell = interpose("MusicMoreListController", "tableView:cellForRowAtIndexPath:", objc::imp<&moreCell>(),
                            objc::encodingOf<&moreCell>());
}

// --- Search field, status bar and alerts ------------------------------------------

IMP gNextFill, gNextForeground, gNextGradient;

UIColor* watchedFill(id self, SEL sel, BOOL translucent) {
  probes().fills.push_back(translucent);
  return objc::Sender<UIColor*(BOOL)>::call(gNextFill, self, sel, translucent);
}
void watchedForeground(id self, SEL sel, UIColor* colour, UIStatusBarAnimationParameters* parameters) {
  probes().foregrounds.emplace_back(colour, parameters);
  objc::Sender<void(UIColor*, UIStatusBarAnimationParameters*)>::call(gNextForeground, self, sel, colour, parameters);
}
UIImage* watchedGradient(id self, SEL sel, CGSize size, UIColor* inner, UIColor* outer) {
  UIImage* made = objc::Sender<UIImage*(CGSize, UIColor*, UIColor*)>::call(gNextGradient, self, sel, size, inner, outer);
  probes().gradients.push_back({size, inner, outer, made});
  return made;
}

// --- Blur views and tab bar button tints -----------------------------------------

IMP gNextBackdropInit, gNextTint;

id recordingBackdropInit(id self, SEL sel, CGRect frame, BOOL autosizes, UIBackdropViewSettings* settings) {
  probes().backdropInits.push_back({objc::as<UIView>(self), frame, autosizes});
  return objc::Sender<id(CGRect, BOOL, UIBackdropViewSettings*)>::call(gNextBackdropInit, self, sel, frame, autosizes,
                                                                      settings);
}

void recordingTint(id self, SEL sel, UIColor* colour, BOOL forceLabel) {
  probes().tintCalls.push_back({colour, forceLabel});
  objc::Sender<void(UIColor*, BOOL)>::call(gNextTint, self, sel, colour, forceLabel);
}

}  // namespace

Probes& probes() {
  static auto* state = new Probes;  // lives as long as the launched process
  return *state;
}

NSDictionary* hostTitleAttributes() {
  return NSDictionary::withObjectsAndKeys(
      {UIFont::boldSystemFont(17), NSFontAttributeName(), UIColor::redColor(), NSForegroundColorAttributeName()});
}

const BackdropInit* recordedBackdrop(UIView* view) {
  // The latest record: a freed view's address may be taken again.
  const std::vector<BackdropInit>& inits = probes().backdropInits;
  for (auto it = inits.rbegin(); it != inits.rend(); ++it)
    if (it->view == view) return &*it;
  return nullptr;
}

const LabelSight* latestSight(const std::string& method) {
  const std::vector<LabelSight>& sights = probes().sights;
  for (auto it = sights.rbegin(); it != sights.rend(); ++it)
    if (it->method == method) return &*it;
  return nullptr;
}

UIImage* hostGlyphImage(const char* selector, NSString* sizeCategory) {
  std::string name = selector;
  id cls = reinterpret_cast<id>(objc_getClass(name.rfind("rating", 0) == 0 ? "MPURatingControl" : "MPUTheme"));
  SEL sel = sel_registerName(selector);
  if (name == "ratingDotImage") return objc::Sender<UIImage*()>::call(DotProbe::next, cls, sel);
  if (name == "ratingStarImage") return objc::Sender<UIImage*()>::call(StarProbe::next, cls, sel);
  if (name == "cloudGlyph") return objc::Sender<UIImage*()>::call(CloudProbe::next, cls, sel);
  return objc::Sender<UIImage*(NSString*)>::call(ExplicitProbe::next, cls, sel, sizeCategory);
}

UIColor* hostFillColour(id background, BOOL translucent) {
  return objc::Sender<UIColor*(BOOL)>::call(gNextFill, background, "_fillColor:"_sel, translucent);
}

TestLaunch probedMusicHost() {
  return {.preferences = plist({{"PrimaryTextColour", std::string("<string>") + kPrimaryText + "</string>"},
                                {"SecondaryTextColour", std::string("<string>") + kSecondaryText + "</string>"},
                                {"SecondaryTintColour", std::string("<string>") + kSecondaryTint + "</string>"}}),
          .registerHostClasses = &registerProbedMusicHost};
}

void registerProbedMusicHost() {
  registerMusicClasses();
  probeSetters(std::make_index_sequence<std::size(kClearedClasses)>());
  probeInitialisers();
  probeDetailScreensAndGlyphs();
  gNextBackdropInit = interpose("_UIBackdropView", "initWithFrame:autosizesToFitSuperview:settings:",
                                objc::imp<&recordingBackdropInit>(), objc::encodingOf<&recordingBackdropInit>());
  gNextTint = interpose("UITabBarButton", "_setUnselectedTintColor:forceLabelToConform:",
                        objc::imp<&recordingTint>(), objc::encodingOf<&recordingTint>());
  gNextFill = interpose("_UISearchBarSearchFieldBackgroundView", "_fillColor:", objc::imp<&watchedFill>(),
                        objc::encodingOf<&watchedFill>());
  gNextForeground = interpose("UIStatusBar", "setForegroundColor:animationParameters:",
                              objc::imp<&watchedForeground>(), objc::encodingOf<&watchedForeground>());
  gNextGradient = interpose("_UIModalItemAlertBackgroundView", "_gradientImageForBoundsSize:withInnerColor:outerColor:",
                            objc::imp<&watchedGradient>(), objc::encodingOf<&watchedGradient>());
}
