// Translucent containers, through launched Music hosts whose own methods
// are probed (probes.h): what reaches the saved setters and initialisers,
// and what the host's objects hold afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "apps/music/MusicApp.h"
#include "platform/objc/class.h"
#include "tests/hooks/music/probes.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"

namespace {

constexpr CGRect kFrame = {{10, 20}, {300, 40}};

Ref<UIView> makeView(const char* className, CGRect frame) {
  return adopt(static_cast<UIView*>(objc::send<id(CGRect)>(allocOf(className), "initWithFrame:"_sel, frame)));
}

UIView* lastSubview(UIView* view) {
  std::vector<UIView*> subviews = view->subviewList();
  return subviews.empty() ? nullptr : subviews.back();
}

// In the probed host each class has a setter of its own, so the slots hold
// the probes: what they record is what each slot's implementation received.
// In an unprobed host the classes inherit the setter, and the replacement
// goes on through the superclass fallback.
TEST(ClearColourSetters, TheSavedSetterOrTheFallbackGetsTheClearColourOnceWhateverItWasGiven) {
  for (bool probed : {true, false}) {
    SCOPED_TRACE(probed ? "probed host" : "unprobed host");
    inLaunch(probed ? probedMusicHost() : TestLaunch{.registerHostClasses = &registerMusicClasses}, [probed] {
      const std::pair<const char*, UIColor*> given[] = {{"red", UIColor::redColor()},
                                                        {"nil", nil},
                                                        {"clear", UIColor::clearColor()},
                                                        {"translucent", UIColor::withRGBA(0.2, 0.4, 0.6, 0.5)}};
      for (const char* className : kClearedClasses) {
        Ref<UIView> view = makeView(className, kFrame);
        ASSERT_NE(view.get(), nullptr) << className;
        for (auto [name, colour] : given) {
          SCOPED_TRACE(std::string(className) + " given " + name);
          probes().setterCalls.clear();
          view->setBackgroundColor(colour);
          EXPECT_TRUE(sameColour(view->_backgroundColor.get(), UIColor::clearColor()));
          if (!probed) continue;
          ASSERT_EQ(probes().setterCalls.size(), 1u);
          EXPECT_EQ(probes().setterCalls[0].className, className);
          EXPECT_TRUE(sameColour(probes().setterCalls[0].colour, UIColor::clearColor()));
        }
      }
    });
  }
}

// What the object of a probed initialiser shows right after creation: a
// clear background, or (a navigation bar) title attributes replaced whole by
// the primary text colour, its tint too.
enum class Shows { Clear, PrimaryTitles };
const std::map<std::string, Shows> kShownAfterCreation = {
    {"UITabBarCustomizeView initWithFrame:", Shows::Clear},
    {"UITabBarCustomizeView init", Shows::Clear},
    {"UITabBarCustomizeView initWithCoder:", Shows::Clear},
    {"UINavigationBar initWithCoder:", Shows::PrimaryTitles},
    {"UINavigationBar initWithFrame:", Shows::PrimaryTitles},
    {"UICollectionView initWithCoder:", Shows::Clear},
    {"UICollectionView initWithFrame:", Shows::Clear},
    {"UITableView initWithCoder:", Shows::Clear},
    {"UITableView initWithFrame:style:", Shows::Clear},
    {"UITableView initWithFrame:", Shows::Clear},
};

// Runs `body` with every other replaced method of the row's class back at
// the host's implementation, so that the row's effect is its own: a table's
// initialiser calls its setter, whose replacement would clear it anyway.
void withOnlyThisRowOfItsClass(const std::string& name, const std::function<void()>& body) {
  const std::string className = name.substr(0, name.find(' ')), selector = name.substr(name.find(' ') + 1);
  std::vector<std::pair<Method, IMP>> replaced;
  for (const InstallRecord& record : installationReport()) {
    const HookRow& row = *record.row;
    if (row.kind != HookKind::ReplaceInstance || className != row.className || selector == row.selector) continue;
    if (record.outcome != InstallOutcome::ReplacedOwnMethod && record.outcome != InstallOutcome::AddedOverInherited)
      continue;
    Method method = class_getInstanceMethod(objc_getClass(row.className), sel_registerName(row.selector));
    IMP host = record.outcome == InstallOutcome::ReplacedOwnMethod ? *row.slot : row.fallback;
    replaced.emplace_back(method, method_setImplementation(method, host));
  }
  body();
  for (auto [method, replacement] : replaced) method_setImplementation(method, replacement);
}

TEST(Initialisers, LeaveTablesGridsAndTheSheetClearAndBarsTitledAndThoseThatGetNilReturnNilAndTouchNothing) {
  inLaunch(probedMusicHost(), [] {
    ASSERT_EQ(UIColorHexText(ThemeColours.PrimaryTextColour), std::string("#") + kPrimaryText);
    for (const auto& [name, shows] : kShownAfterCreation) {
      SCOPED_TRACE(name);
      auto probed = std::find_if(probes().initialisers.begin(), probes().initialisers.end(),
                                 [&](const ProbedInitialiser& p) { return p.name == name; });
      ASSERT_NE(probed, probes().initialisers.end()) << "probed";
      Ref<UIView> view;
      withOnlyThisRowOfItsClass(name, [&] { view = adopt(static_cast<UIView*>(probed->make())); });
      ASSERT_NE(view.get(), nullptr);
      if (shows == Shows::Clear) {
        EXPECT_TRUE(sameColour(view->_backgroundColor.get(), UIColor::clearColor()));
        continue;
      }
      NSDictionary* attributes = objc::as<UINavigationBar>(view.get())->titleTextAttributes();
      ASSERT_NE(attributes, nullptr);
      EXPECT_EQ(attributes->count(), 1u) << "the host's font is gone, not merged";
      EXPECT_TRUE(
          sameColour(attributes->objectForKey(NSForegroundColorAttributeName()), ThemeColours.PrimaryTextColour));
      EXPECT_TRUE(sameColour(view->tintColor(), ThemeColours.PrimaryTextColour));
    }
    Ref<UIView> grid = adopt(objc::send<UIView*(CGRect, id)>(allocOf("UICollectionView"),
                                                             "initWithFrame:collectionViewLayout:"_sel, kFrame, nil));
    EXPECT_TRUE(sameColour(grid->_backgroundColor.get(), UIColor::clearColor())) << "a grid made with a layout";

    probes().failInitialisers = true;
    ASSERT_EQ(probes().initialisers.size(), 24u) << "the radio, album header and rating control ones too";
    for (const auto& [name, make] : probes().initialisers) {
      probes().setterCalls.clear();
      probes().backdropInits.clear();
      probes().tintCalls.clear();
      EXPECT_EQ(make(), nil) << name;
      EXPECT_TRUE(probes().setterCalls.empty()) << name;
      EXPECT_TRUE(probes().backdropInits.empty()) << name << ": no blur view is made";
      EXPECT_TRUE(probes().tintCalls.empty()) << name;
    }
    probes().failInitialisers = false;
  });
}

TEST(Backdrops, TheVignetteAndTheCustomizeSheetGetOneWithTheFrameTheirInitialiserWasGiven) {
  inLaunch(probedMusicHost(), [] {
    for (auto [className, frame] : {std::pair{"MPUVignetteBackgroundView", kFrame},
                                    std::pair{"UITabBarCustomizeView", CGRectMake(5, 6, 70, 80)}}) {
      SCOPED_TRACE(className);
      Ref<UIView> view = makeView(className, frame);
      UIView* last = lastSubview(view);
      ASSERT_NE(last, nullptr);
      ASSERT_TRUE(last->isMemberOfClass(objc::classOf<UIBackdropView>()));
      const BackdropInit* made = recordedBackdrop(last);
      ASSERT_NE(made, nullptr);
      EXPECT_EQ(made->frame, frame) << "the frame given to the initialiser, not the bounds";
      EXPECT_TRUE(made->autosizes);
      EXPECT_EQ(objc::as<UIBackdropView>(last)->settings()->blurQuality()->str(), "low");
      for (UIView* sub : view->subviewList())
        EXPECT_FALSE(sub->isMemberOfClass(objc::classOf<UIView>())) << "the host's plain dimming view stays out";
    }
  });
}

TEST(Vignette, AnswersClearKeepsOutOnlyPlainViewsAndRecognisesGesturesWithAnyOther) {
  inLaunch(probedMusicHost(), [] {
    Ref<UIView> vignette = makeView("MPUVignetteBackgroundView", kFrame);
    setField(vignette, "_backgroundColor", UIColor::redColor());
    EXPECT_TRUE(sameColour(vignette->backgroundColor(), UIColor::clearColor())) << "the getter never asks the host";

    SEL sel = "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:"_sel;
    Ref<NSObject> a = objc::make<NSObject>(), b = objc::make<NSObject>();
    EXPECT_TRUE((objc::send<BOOL(id, id)>(vignette, sel, a.get(), b.get())));
    EXPECT_TRUE((objc::send<BOOL(id, id)>(vignette, sel, nil, nil)));

    // Only a view of exactly the class UIView is dropped; nil is handed on.
    for (auto [className, added] : {std::pair{"UIView", false}, {"UIImageView", true}, {"UILabel", true},
                                    {"_UIBackdropView", true}}) {
      size_t before = vignette->subviewList().size();
      Ref<UIView> sub = makeView(className, CGRectMake(0, 0, 5, 5));
      vignette->addSubview(sub);
      EXPECT_EQ(vignette->subviewList().size(), before + (added ? 1 : 0)) << className;
      EXPECT_EQ(sub->superview() == vignette.get(), added) << className;
    }
    size_t before = vignette->subviewList().size();
    vignette->addSubview(nil);
    EXPECT_EQ(vignette->subviewList().size(), before);
  });
}

TEST(TableHeaders, AreClearAndIgnoreBackgroundImages) {
  inLaunch(probedMusicHost(), [] {
    Ref<UITableViewHeaderFooterView> header =
        adopt(objc::alloc<UITableViewHeaderFooterView>()->initWithReuseIdentifier("Header"_ns));
    UIView* background = objc::send<UIView*()>(header, "backgroundView"_sel);
    ASSERT_NE(background, nullptr);
    EXPECT_TRUE(sameColour(background->backgroundColor(), UIColor::clearColor()));
    EXPECT_TRUE(sameColour(header->contentView()->backgroundColor(), UIColor::clearColor()));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), YES, 1);
    UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    objc::send<void(UIImage*)>(background, "setBackgroundImage:"_sel, image);
    EXPECT_EQ(objc::send<id()>(background, "backgroundImage"_sel), nil);
  });
}

UIView* adaptiveBackdropOf(UIView* bar) { return objc::as<UIView>(fieldOf(bar, "_adaptiveBackdrop")); }

TEST(TabBars, EachGetsItsOwnBackdropAndTheStockOneIsReleasedOnce) {
  inLaunch(probedMusicHost(), [] {
    Ref<NSObject> coder = objc::make<NSObject>();
    Ref<UIView> bars[] = {makeView("UITabBar", kFrame), makeView("UITabBar", kFrame),
                          adopt(objc::send<UIView*(id)>(allocOf("UITabBar"), "initWithCoder:"_sel, coder.get()))};
    ASSERT_EQ(probes().stockTabBarBackdrops.size(), 3u) << "decoding runs no initWithFrame:";
    for (size_t i = 0; i < 3; ++i) {
      SCOPED_TRACE(i == 2 ? "decoded" : "made with a frame");
      UIView* backdrop = adaptiveBackdropOf(bars[i]);
      ASSERT_NE(backdrop, nullptr);
      EXPECT_TRUE(backdrop->isMemberOfClass(objc::classOf<UIBackdropView>()));
      EXPECT_NE(backdrop, probes().stockTabBarBackdrops[i].get());
      ASSERT_NE(recordedBackdrop(backdrop), nullptr);
      EXPECT_EQ(recordedBackdrop(backdrop)->frame, CGRectZero) << "not the frame the bar was given";
      EXPECT_EQ(backdrop->superview(), nullptr) << "kept in the field, not added to the bar";
      EXPECT_EQ(objc_retainCount(backdrop), 1u) << "the bar holds it; its maker has let go";
      EXPECT_EQ(probes().stockTabBarBackdropCounts[i], 2u);
      EXPECT_EQ(objc_retainCount(probes().stockTabBarBackdrops[i]), 1u)
          << "the bar's reference to its stock backdrop is released exactly once";
    }
    EXPECT_NE(adaptiveBackdropOf(bars[0]), adaptiveBackdropOf(bars[1]));
  });
}

}  // namespace
