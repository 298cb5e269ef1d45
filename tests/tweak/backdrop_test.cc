// The blur recipe and the app-wide blur replacements.
#include <gtest/gtest.h>

#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tweak/backdrop.h"
#include "tweak/settings.h"

namespace {

struct RecipeCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> prefs;
  bool radiusAndSaturationSet;
  bool tintSet;
};

TEST(BackdropRecipe, FollowsCustomiseAndUseCustomTint) {
  const RecipeCase cases[] = {
      {"defaults", {}, false, false},
      {"customise only", {{"Customise", "<true/>"}, {"Saturation", "<real>0.25</real>"}, {"BlurRadius", "<real>4</real>"}},
       true, false},
      {"custom tint only", {{"UseCustomTint", "<true/>"}, {"BlurTintColour", "<string>FF0000</string>"}}, false, false},
      {"both",
       {{"Customise", "<true/>"},
        {"UseCustomTint", "<true/>"},
        {"Saturation", "<real>0.25</real>"},
        {"BlurRadius", "<real>4</real>"},
        {"BlurTintColour", "<string>FF0000</string>"}},
       true, true},
  };
  for (const RecipeCase& c : cases) {
    SCOPED_TRACE(c.name);
    inLaunch({.preferences = plist(c.prefs)}, [&] {
      UIBackdropViewSettings* stock = UIBackdropViewSettings::forStyle(0);
      UIBackdropViewSettings* s = makeBackdropSettings();
      ASSERT_NE(s, nullptr);
      EXPECT_NE(s, makeBackdropSettings()) << "made afresh at every call";
      EXPECT_EQ(s->style(), 0);
      EXPECT_EQ(s->blurQuality()->str(), "low");
      EXPECT_DOUBLE_EQ(s->blurRadius(), c.radiusAndSaturationSet ? 4 : stock->blurRadius());
      EXPECT_DOUBLE_EQ(s->saturationDeltaFactor(), c.radiusAndSaturationSet ? 0.25 : stock->saturationDeltaFactor());
      if (c.tintSet) {
        EXPECT_TRUE(s->usesColorTintView());
        EXPECT_TRUE(s->requiresColorStatistics());
        EXPECT_DOUBLE_EQ(s->colorTintAlpha(), 1.0);
        EXPECT_TRUE(s->colorTint()->isEqual(UIColor::withRGBA(1, 0, 0, 1)));
      } else {
        EXPECT_EQ(s->requiresColorStatistics(), stock->requiresColorStatistics());
        EXPECT_DOUBLE_EQ(s->colorTintAlpha(), stock->colorTintAlpha());
        EXPECT_TRUE(s->colorTint()->isEqual(stock->colorTint()));
      }
    });
  }
}

TEST(AppWideBlur, BlursTakeTheRecipeTheBackgroundStyleIsOneOrThreeAndTheOverlaySetterIsToldYes) {
  inLaunch({.preferences = plist({{"BlurPreset", "<integer>2</integer>"}})}, [] {
    for (NSInteger style : {0L, 1L, 2060L, -7L}) {
      Ref<UIBackdropView> a = adopt(objc::send<UIBackdropView*(NSInteger)>(objc::alloc<UIBackdropView>(),
                                                                           "initWithStyle:"_sel, style));
      Ref<UIBackdropView> b = adopt(objc::send<UIBackdropView*(NSInteger)>(objc::alloc<UIBackdropView>(),
                                                                           "initWithPrivateStyle:"_sel, style));
      Ref<UIBackdropView> c = adopt(objc::send<UIBackdropView*(CGRect, NSInteger)>(
          objc::alloc<UIBackdropView>(), "initWithFrame:privateStyle:"_sel, CGRectMake(0, 0, 5, 5), style));
      for (UIBackdropView* v : {a.get(), b.get(), c.get()}) {
        EXPECT_EQ(v->settings()->style(), 2) << style;
        EXPECT_EQ(v->settings()->blurQuality()->str(), "low") << style;
      }
      EXPECT_EQ(c->frame(), CGRectMake(0, 0, 5, 5));
    }
    Ref<UIBackdropView> standard = makeStandardBackdrop(CGRectMake(1, 2, 3, 4));
    EXPECT_EQ(standard->frame(), CGRectMake(1, 2, 3, 4));
    EXPECT_TRUE(standard->_autosizesToFitSuperview);
    EXPECT_EQ(standard->settings()->style(), 2);

    // The background style is only ever 1 or 3; the overlay setter is always told YES.
    const std::pair<NSInteger, NSInteger> cases[] = {{0, 1}, {2, 1}, {4, 1}, {-1, 1}, {1, 1}, {3, 3}, {7, 1}};
    for (auto [given, stored] : cases) {
      UIApplication::shared()->setBackgroundStyle(given);
      EXPECT_EQ(UIApplication::shared()->backgroundStyle(), stored) << given;
    }
    Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
    objc::send<void(BOOL)>(label, "_setDrawsAsBackdropOverlay:"_sel, NO);
    EXPECT_TRUE(label->_drawsAsBackdropOverlay) << "the host's setter is always told YES";
  });
}

}  // namespace
