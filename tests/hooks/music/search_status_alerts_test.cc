// The search field, the status bar and the alerts, through launched Music
// hosts whose own _fillColor:, setForegroundColor:animationParameters: and
// gradient maker are probed, so that a test sees what reaches the host.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "tests/hooks/music/probes.h"
#include "tweak/settings.h"

namespace {

template <class T>
Ref<T> made(CGRect frame = CGRectMake(0, 0, 300, 28)) {
  return adopt(objc::as<T>(objc::send<id(CGRect)>(allocOf(T::kClassName), "initWithFrame:"_sel, frame)));
}

// White 0.7 at alpha 0.7: the value, and a grey (two components) as the
// platform makes it, which isEqual: tells from the same value made as RGB.
bool isAlertGrey(UIColor* colour) {
  CGFloat r = -1, g = -1, b = -1, a = -1;
  if (!colour || !colour->getRGBA(&r, &g, &b, &a)) return false;
  return std::fabs(r - 0.7) + std::fabs(g - 0.7) + std::fabs(b - 0.7) + std::fabs(a - 0.7) < 1e-9 &&
         colour->isEqual(UIColor::withWhite(0.7, 0.7));
}

UIColor* primary() { return ThemeColours.PrimaryTextColour; }
UIColor* secondary() { return ThemeColours.SecondaryTextColour; }

// --- The search field -------------------------------------------------------------

// The colour the field's placeholder label shows at `index` after layout.
id shownPlaceholderColour(UITextField* field, NSUInteger index) {
  field->layoutSubviews();
  NSAttributedString* shown = field->_placeholderLabel->attributedText();
  return shown ? shown->attribute(NSForegroundColorAttributeName(), index) : nil;
}

// A caller's placeholder: each run in its colour (none for null) and in a
// font of its own size, so that a recolouring that drops the other
// attributes shows.
using Runs = std::vector<std::pair<const char*, UIColor* (*)()>>;
UIColor* red() { return UIColor::redColor(); }
UIColor* blue() { return UIColor::blueColor(); }
UIColor* grey() { return UIColor::grayColor(); }

Ref<NSMutableAttributedString> placeholderOf(const Runs& runs) {
  Ref<NSMutableAttributedString> text =
      adopt(objc::as<NSMutableAttributedString>(objc::alloc<NSMutableAttributedString>()->initWithString(""_ns)));
  CGFloat size = 11;
  for (auto [part, colour] : runs) {
    Ref<NSMutableDictionary> attributes = objc::make<NSMutableDictionary>();
    attributes->setObjectForKey(UIFont::systemFont(size++), NSFontAttributeName());
    if (colour) attributes->setObjectForKey(colour(), NSForegroundColorAttributeName());
    text->appendAttributedString(
        adopt(objc::alloc<NSAttributedString>()->initWithString(NSString::withUTF8(part), attributes)));
  }
  return text;
}

// Fields and labels are made and kept in the theme colours whatever they set;
// placeholders arrive in the secondary colour throughout.
TEST(SearchField, TextsAreKeptInTheThemeColoursAndPlaceholdersArriveInTheSecondaryColour) {
  const std::pair<const char*, Runs> cases[] = {
      {"two colours", {{"Search ", &red}, {"Songs", &blue}}},
      {"three runs, one without a colour", {{"Find", &grey}, {" in ", nullptr}, {"Library", &red}}},
      {"one character", {{"Q", &blue}}},
      {"empty", {}},
  };
  inLaunch(probedMusicHost(), [&] {
    for (CGRect frame : {CGRectMake(0, 0, 300, 28), CGRectZero}) {
      Ref<UISearchBarTextField> field = made<UISearchBarTextField>(frame);
      Ref<UISearchBarTextFieldLabel> label = made<UISearchBarTextFieldLabel>(frame);
      ASSERT_NE(field.get(), nullptr);
      EXPECT_EQ(field->frame(), frame) << "the frame reaches the host";
      EXPECT_TRUE(sameColour(field->textColor(), primary()));
      EXPECT_TRUE(sameColour(label->textColor(), secondary()));
      EXPECT_TRUE(sameColour(field->_displayLabel->textColor(), secondary())) << "the field's own label too";
      for (UIColor* colour : {UIColor::redColor(), static_cast<UIColor*>(nil), secondary(), primary()}) {
        SCOPED_TRACE(colour ? UIColorHexText(colour) : "nil");
        field->setTextColor(colour);
        label->setTextColor(colour);
        EXPECT_TRUE(sameColour(fieldOf(field, "_textColor"), primary()));
        EXPECT_TRUE(sameColour(fieldOf(label, "_textColor"), secondary()));
      }
    }
    for (const auto& [name, runs] : cases) {
      SCOPED_TRACE(name);
      Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
      Ref<NSMutableAttributedString> given = placeholderOf(runs);
      std::vector<id> givenColours, givenFonts;
      for (NSUInteger i = 0; i < given->length(); ++i) {
        givenColours.push_back(given->attribute(NSForegroundColorAttributeName(), i));
        givenFonts.push_back(given->attribute(NSFontAttributeName(), i));
      }
      field->setAttributedPlaceholder(given);

      NSAttributedString* held = field->attributedPlaceholder();
      ASSERT_NE(held, nullptr) << "an empty placeholder is handed on, not dropped";
      EXPECT_EQ(held->string()->str(), given->string()->str());
      for (NSUInteger i = 0; i < givenFonts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(sameColour(held->attribute(NSForegroundColorAttributeName(), i), secondary()));
        EXPECT_EQ(held->attribute(NSFontAttributeName(), i), givenFonts[i]) << "other attributes stay";
        EXPECT_EQ(given->attribute(NSForegroundColorAttributeName(), i), givenColours[i]) << "the caller's is unchanged";
        EXPECT_TRUE(sameColour(shownPlaceholderColour(field, i), secondary()));
      }
    }
    // A plain placeholder is drawn in the secondary colour too.
    Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
    field->setPlaceholder("Search"_ns);
    EXPECT_TRUE(sameColour(field->placeholderColor(), secondary()));
    EXPECT_TRUE(sameColour(shownPlaceholderColour(field, 0), secondary()));
    // nil reaches the host as nil, and clears the placeholder there.
    field->setAttributedPlaceholder(placeholderOf({{"Search", &red}}));
    field->setAttributedPlaceholder(nil);
    EXPECT_EQ(field->attributedPlaceholder(), nullptr);
  });
}

TEST(SearchFieldBackground, FillIsTheHostsFillForNoWhateverTheCallerAsks) {
  inLaunch(probedMusicHost(), [] {
    Ref<UISearchBarSearchFieldBackgroundView> background = made<UISearchBarSearchFieldBackgroundView>();
    UIColor* forNo = hostFillColour(background, NO);
    UIColor* forYes = hostFillColour(background, YES);
    ASSERT_FALSE(forNo->isEqual(forYes)) << "the host's two fills differ";
    for (BOOL asked : {YES, NO, YES}) {
      probes().fills.clear();
      EXPECT_TRUE(sameColour(background->fillColor(asked), forNo));
      EXPECT_EQ(probes().fills, std::vector<BOOL>{NO});
    }
    background->_onTranslucentBar = true;
    background->layoutSubviews();
    EXPECT_TRUE(sameColour(background->backgroundColor(), forNo)) << "on a translucent bar it fills with it too";
  });
}

// --- The status bar ---------------------------------------------------------------------

class RecordingSink : public TextSink {
 public:
  std::vector<Ref<UIColor>> colours;
  void drawText(const TextRun& run) override { colours.push_back(run.color); }
};

TEST(StatusBar, ColourChangesReachTheHostAsThePrimaryAndItShowsNoOther) {
  inLaunch(probedMusicHost(), [] {
    Ref<UIStatusBar> bar = UIView::make<UIStatusBar>(CGRectMake(0, 0, 320, 20));
    for (double duration : {0.0, 0.3}) {
      SCOPED_TRACE(duration);
      auto* parameters = duration > 0 ? UIStatusBarAnimationParameters::withDuration(duration) : nullptr;
      setField(bar, "_foregroundColor", UIColor::blueColor());
      probes().foregrounds.clear();
      bar->setForegroundColor(UIColor::redColor(), parameters);
      ASSERT_EQ(probes().foregrounds.size(), 1u);
      EXPECT_TRUE(sameColour(probes().foregrounds[0].first, primary()));
      EXPECT_EQ(probes().foregrounds[0].second, parameters);
      RunLoop::main().runUntilIdle();
      EXPECT_TRUE(sameColour(fieldOf(bar, "_foregroundColor"), primary())) << "animated or not, it ends there";
    }
    // Whatever it holds, it answers and draws the primary.
    for (UIColor* held : {UIColor::redColor(), static_cast<UIColor*>(nil)}) {
      setField(bar, "_foregroundColor", held);
      EXPECT_TRUE(sameColour(bar->foregroundColor(), primary()));
      RecordingSink sink;
      TextSinkScope scope(&sink);
      bar->drawRect(bar->bounds());
      ASSERT_FALSE(sink.colours.empty());
      for (const Ref<UIColor>& drawn : sink.colours) EXPECT_TRUE(sameColour(drawn, primary()));
    }
  });
}

// --- Alerts and action sheets ----------------------------------------------------------------

TEST(Alerts, EveryBackdropStyleAndTheSeparateActionGetTheGreyAndGradientsAreMadeFromClearColours) {
  inLaunch(probedMusicHost(), [] {
    Ref<UIDimmingKnockoutBackdropView> dimming = made<UIDimmingKnockoutBackdropView>();
    for (NSInteger style : {NSInteger{0}, NSInteger{1}, NSInteger{2}, NSInteger{2010}, NSInteger{2030}, NSInteger{-1},
                            std::numeric_limits<NSInteger>::max()}) {
      SCOPED_TRACE(style);
      UIColor* first = dimming->knockoutColor(style);
      EXPECT_TRUE(isAlertGrey(first));
      EXPECT_NE(dimming->knockoutColor(style), first) << "made anew at each call";
    }
    dimming->_backdropStyle = 2030;
    dimming->layoutSubviews();
    EXPECT_TRUE(isAlertGrey(dimming->backgroundColor())) << "the dimming layer fills itself with it";

    Ref<UIAlertControllerVisualStyleActionSheet> style = objc::make<UIAlertControllerVisualStyleActionSheet>();
    UIColor* separate = style->defaultActionBackgroundColorWhenSeparate();
    EXPECT_TRUE(isAlertGrey(separate));
    EXPECT_NE(style->defaultActionBackgroundColorWhenSeparate(), separate);
    EXPECT_FALSE(isAlertGrey(style->defaultActionBackgroundColor())) << "the grouped actions keep the host's";

    // The alert background's gradient: clear colours at the caller's size.
    const std::tuple<CGSize, UIColor* (*)(), UIColor* (*)()> cases[] = {
        {{270, 132}, &red, &blue}, {{1, 1}, nullptr, &grey}, {{320.5, 7.25}, &grey, nullptr}};
    Ref<UIModalItemAlertBackgroundView> background = made<UIModalItemAlertBackgroundView>();
    for (auto [size, inner, outer] : cases) {
      SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
      probes().gradients.clear();
      UIImage* image = background->gradientImage(size, inner ? inner() : nil, outer ? outer() : nil);
      ASSERT_EQ(probes().gradients.size(), 1u);
      EXPECT_EQ(probes().gradients[0].size, size);
      EXPECT_TRUE(sameColour(probes().gradients[0].inner, UIColor::clearColor()));
      EXPECT_TRUE(sameColour(probes().gradients[0].outer, UIColor::clearColor()));
      EXPECT_NE(image, nullptr);
      EXPECT_EQ(image, probes().gradients[0].made) << "the host's image is returned";
    }
  });
}

}  // namespace
