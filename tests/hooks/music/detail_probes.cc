// Detail screen and glyph probes.
#include "tests/hooks/music/detail_probes.h"

#include "platform/objc/class.h"

namespace {

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
  detailProbes().sights.push_back(std::move(sight));
}

// A host method seen at its start: drawing and layout.
template <int Tag, class Signature>
struct Entry;
template <int Tag, class... A>
struct Entry<Tag, void(A...)> {
  static inline IMP next = nullptr;
  static inline const char* method = nullptr;
  static void call(id self, SEL sel, A... args) {
    recordSight(self, method);
    objc::Sender<void(A...)>::call(next, self, sel, args...);
  }
  static void install(const char* className, const char* selector, const char* name) {
    method = name;
    next = interpose(objc_getClass(className), selector, objc::imp<&call>(), objc::encodingOf<&call>());
  }
};

// A host method seen at its end: an initialiser (which fails on request)
// or viewDidLoad.
template <int Tag, class Signature>
struct Exit;
template <int Tag, class R, class... A>
struct Exit<Tag, R(A...)> {
  static inline IMP next = nullptr;
  static inline const char* method = nullptr;
  static R call(id self, SEL sel, A... args) {
    if constexpr (std::is_same_v<R, void>) {
      objc::Sender<void(A...)>::call(next, self, sel, args...);
      recordSight(self, method);
    } else {
      if (probes().failInitialisers) {
        objc_release(self);
        return nil;
      }
      R made = objc::Sender<R(A...)>::call(next, self, sel, args...);
      if (made) recordSight(made, method);
      return made;
    }
  }
  static void install(const char* className, const char* selector, const char* name) {
    method = name;
    next = interpose(objc_getClass(className), selector, objc::imp<&call>(), objc::encodingOf<&call>());
  }
};

// A host glyph class method: counted, and answered by the probe when asked.
template <int Tag, class Signature>
struct Glyph;
template <int Tag, class... A>
struct Glyph<Tag, UIImage*(A...)> {
  static inline IMP next = nullptr;
  static inline const char* selector = nullptr;
  static UIImage* call(id self, SEL sel, A... args) {
    ++detailProbes().glyphCalls[selector];
    if (UIImage* answer = detailProbes().glyphAnswers[selector].get()) return answer;
    return objc::Sender<UIImage*(A...)>::call(next, self, sel, args...);
  }
  static void install(const char* className, const char* name) {
    selector = name;
    Class meta = object_getClass(reinterpret_cast<id>(objc_getClass(className)));
    next = interpose(meta, name, objc::imp<&call>(), objc::encodingOf<&call>());
  }
};
using DotProbe = Glyph<0, UIImage*()>;
using StarProbe = Glyph<1, UIImage*()>;
using ExplicitProbe = Glyph<2, UIImage*(NSString*)>;
using CloudProbe = Glyph<3, UIImage*()>;

IMP gNextMoreCell;
UITableViewCell* moreCell(id self, SEL sel, UITableView* table, NSIndexPath* path) {
  if (!detailProbes().defaultStyleMoreCells)
    return objc::Sender<UITableViewCell*(UITableView*, NSIndexPath*)>::call(gNextMoreCell, self, sel, table, path);
  auto* cell = objc::alloc<UITableViewCell>()->initWithStyle(UITableViewCellStyleDefault, nil);
  cell->setBackgroundColor(UIColor::whiteColor());
  return objc::as<UITableViewCell>(objc_autorelease(cell));
}

void registerDetailProbedHost() {
  registerProbedMusicHost();
  Entry<0, void(CGRect)>::install("MusicActionTableViewCellContentView", "drawRect:",
                                  "MusicActionTableViewCellContentView drawRect:");
  Entry<1, void(CGRect)>::install("MusicCollectionTrackTableViewCellContentView", "drawRect:",
                                  "MusicCollectionTrackTableViewCellContentView drawRect:");
  Entry<2, void()>::install("MusicAlbumsDetailTableHeaderView", "layoutSubviews",
                            "MusicAlbumsDetailTableHeaderView layoutSubviews");
  Entry<3, void()>::install("MusicFlipsideAlbumDetailHeaderView", "layoutSubviews",
                            "MusicFlipsideAlbumDetailHeaderView layoutSubviews");
  Entry<4, void()>::install("MusicGeniusOptInViewController", "layoutSubviews",
                            "MusicGeniusOptInViewController layoutSubviews");
  Exit<0, id(NSString*)>::install("MusicAlbumsDetailTableHeaderView", "initWithReuseIdentifier:",
                                  "MusicAlbumsDetailTableHeaderView initWithReuseIdentifier:");
  Exit<1, void()>::install("MusicGeniusOptInViewController", "viewDidLoad", "MusicGeniusOptInViewController viewDidLoad");
  Exit<2, id(CGRect)>::install("MPURatingControl", "initWithFrame:", "MPURatingControl initWithFrame:");
  DotProbe::install("MPURatingControl", "ratingDotImage");
  StarProbe::install("MPURatingControl", "ratingStarImage");
  ExplicitProbe::install("MPUTheme", "explicitGlyphImageForSizeCategory:");
  CloudProbe::install("MPUTheme", "cloudGlyph");
  gNextMoreCell = interpose(objc_getClass("MusicMoreListController"), "tableView:cellForRowAtIndexPath:",
                              objc::imp<&moreCell>(), objc::encodingOf<&moreCell>());
}

}  // namespace

DetailProbes& detailProbes() {
  static auto* state = new DetailProbes;  // lives as long as the launched process
  return *state;
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

const LabelSight* latestSight(const std::string& method) {
  const std::vector<LabelSight>& sights = detailProbes().sights;
  for (auto it = sights.rbegin(); it != sights.rend(); ++it)
    if (it->method == method) return &*it;
  return nullptr;
}

TestLaunch detailProbedHost() {
  TestLaunch launch = probedMusicHost();
  launch.registerHostClasses = &registerDetailProbedHost;
  return launch;
}
