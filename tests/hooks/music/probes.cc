// Probes in a launched Music host.
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

// --- Initialisers ------------------------------------------------------------------

void noFollowUp(id) {}

void setHostTitleAttributes(id bar) {
  objc::send<void(NSDictionary*)>(bar, "setTitleTextAttributes:"_sel, hostTitleAttributes());
}

void captureStockTabBarBackdrop(id bar) {
  auto* backdrop = objc::as<UIView>(fieldOf(bar, "_adaptiveBackdrop"));
  probes().stockTabBarBackdrops.push_back(backdrop);
  probes().stockTabBarBackdropCounts.push_back(objc_retainCount(backdrop));
}

// One probed initialiser: fails on request, otherwise runs the host's and
// then the follow-up on what it made.
template <int Tag, class Signature, void (*FollowUp)(id) = &noFollowUp>
struct Initialiser;
template <int Tag, class... A, void (*FollowUp)(id)>
struct Initialiser<Tag, id(A...), FollowUp> {
  static inline IMP next = nullptr;
  static id init(id self, SEL sel, A... args) {
    if (probes().failInitialisers) {
      objc_release(self);
      return nil;
    }
    id made = objc::Sender<id(A...)>::call(next, self, sel, args...);
    if (made) FollowUp(made);
    return made;
  }
  static void install(const char* className, const char* selector) {
    next = interpose(className, selector, objc::imp<&init>(), objc::encodingOf<&init>());
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
  gNextBackdropInit = interpose("_UIBackdropView", "initWithFrame:autosizesToFitSuperview:settings:",
                                objc::imp<&recordingBackdropInit>(), objc::encodingOf<&recordingBackdropInit>());
  gNextTint = interpose("UITabBarButton", "_setUnselectedTintColor:forceLabelToConform:",
                        objc::imp<&recordingTint>(), objc::encodingOf<&recordingTint>());
}
