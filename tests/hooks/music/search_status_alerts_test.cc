// The search field, the status bar and the alerts, through launched Music
// hosts whose own _fillColor:, setForegroundColor:animationParameters: and
// gradient maker are watched, so that a test sees what reaches the host.
#include <gtest/gtest.h>

#include <cmath>

#include "apps/music/MusicApp.h"
#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "tests/hooks/music/probes.h"
#include "tweak/settings.h"

namespace {

struct FillCall {
  BOOL translucent;
};
struct ForegroundCall {
  Ref<UIColor> colour;
  id parameters;  // borrowed: only compared
};
struct GradientCall {
  CGSize size;
  Ref<UIColor> inner, outer;
  UIImage* made;  // borrowed: only compared
};

struct HostCalls {
  std::vector<FillCall> fills;
  std::vector<ForegroundCall> foregrounds;
  std::vector<GradientCall> gradients;
};
HostCalls& calls() {
  static auto* state = new HostCalls;  // lives as long as the launched process
  return *state;
}

IMP gNextFill, gNextForeground, gNextGradient;

UIColor* watchedFill(id self, SEL sel, BOOL translucent) {
  calls().fills.push_back({translucent});
  return objc::Sender<UIColor*(BOOL)>::call(gNextFill, self, sel, translucent);
}
void watchedForeground(id self, SEL sel, UIColor* colour, UIStatusBarAnimationParameters* parameters) {
  calls().foregrounds.push_back({colour, parameters});
  objc::Sender<void(UIColor*, UIStatusBarAnimationParameters*)>::call(gNextForeground, self, sel, colour, parameters);
}
UIImage* watchedGradient(id self, SEL sel, CGSize size, UIColor* inner, UIColor* outer) {
  UIImage* made = objc::Sender<UIImage*(CGSize, UIColor*, UIColor*)>::call(gNextGradient, self, sel, size, inner, outer);
  calls().gradients.push_back({size, inner, outer, made});
  return made;
}

template <auto F>
IMP watch(const char* className, const char* selector) {
  Class cls = objc_getClass(className);
  SEL sel = sel_registerName(selector);
  IMP previous = class_getMethodImplementation(cls, sel);
  class_replaceMethod(cls, sel, objc::imp<F>(), objc::encodingOf<F>().c_str());
  return previous;
}

void registerWatchedHost() {
  registerMusicClasses();
  gNextFill = watch<&watchedFill>("_UISearchBarSearchFieldBackgroundView", "_fillColor:");
  gNextForeground = watch<&watchedForeground>("UIStatusBar", "setForegroundColor:animationParameters:");
  gNextGradient = watch<&watchedGradient>("_UIModalItemAlertBackgroundView",
                                          "_gradientImageForBoundsSize:withInnerColor:outerColor:");
}

TestLaunch watchedHost() {
  TestLaunch launch = probedMusicHost();
  launch.registerHostClasses = &registerWatchedHost;
  return launch;
}

id fieldOf(id object, const char* name) {
  return object_getIvar(object, class_getInstanceVariable(object_getClass(object), name));
}

template <class T>
Ref<T> made(CGRect frame = CGRectMake(0, 0, 300, 28)) {
  return adopt(objc::as<T>(objc::send<id(CGRect)>(allocOf(T::kClassName), "initWithFrame:"_sel, frame)));
}

bool isGrey(UIColor* colour, CGFloat white, CGFloat alpha) {
  CGFloat r = -1, g = -1, b = -1, a = -1;
  if (!colour || !colour->getRGBA(&r, &g, &b, &a)) return false;
  auto near = [](CGFloat x, CGFloat y) { return std::fabs(x - y) < 1e-9; };
  return near(r, white) && near(g, white) && near(b, white) && near(a, alpha);
}

// --- The search field -------------------------------------------------------------

TEST(SearchField, TextAndLabelKeepTheThemeColoursWhateverTheySet) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
    Ref<UISearchBarTextFieldLabel> label = made<UISearchBarTextFieldLabel>();
    UIColor* given[] = {UIColor::redColor(), nil, UIColor::whiteColor(), ThemeColours.SecondaryTextColour,
                        ThemeColours.PrimaryTextColour};
    for (UIColor* colour : given) {
      SCOPED_TRACE(colour ? UIColorHexText(colour) : "nil");
      field->setTextColor(colour);
      label->setTextColor(colour);
      EXPECT_TRUE(sameColour(fieldOf(field, "_textColor"), ThemeColours.PrimaryTextColour));
      EXPECT_TRUE(sameColour(fieldOf(label, "_textColor"), ThemeColours.SecondaryTextColour));
    }
  });
}

TEST(SearchField, FieldsAndLabelsAreMadeInTheThemeColours) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    for (CGRect frame : {CGRectMake(0, 0, 300, 28), CGRectZero}) {
      Ref<UISearchBarTextField> field = made<UISearchBarTextField>(frame);
      Ref<UISearchBarTextFieldLabel> label = made<UISearchBarTextFieldLabel>(frame);
      ASSERT_NE(field.get(), nullptr);
      EXPECT_EQ(field->frame(), frame) << "the frame reaches the host";
      EXPECT_TRUE(sameColour(field->textColor(), ThemeColours.PrimaryTextColour));
      EXPECT_TRUE(sameColour(label->textColor(), ThemeColours.SecondaryTextColour));
      EXPECT_TRUE(sameColour(fieldOf(field, "_displayLabel") ? objc::as<UILabel>(fieldOf(field, "_displayLabel"))->textColor() : nil,
                             ThemeColours.SecondaryTextColour))
          << "the field's own label too";
    }
    // A plain text field is the platform's, untouched.
    Ref<UITextField> plain = made<UITextField>();
    EXPECT_TRUE(sameColour(plain->textColor(), UIColor::blackColor()));
  });
}

// The colour the field's placeholder label shows at `index` after layout.
id shownPlaceholderColour(UITextField* field, NSUInteger index) {
  field->layoutSubviews();
  auto* label = objc::as<UITextFieldLabel>(fieldOf(field, "_placeholderLabel"));
  return label->attributedText() ? label->attributedText()->attribute(NSForegroundColorAttributeName(), index) : nil;
}

TEST(SearchField, PlainPlaceholderIsDrawnInTheSecondaryColour) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
    field->setPlaceholder("Search"_ns);
    EXPECT_TRUE(sameColour(field->placeholderColor(), ThemeColours.SecondaryTextColour));
    EXPECT_TRUE(sameColour(shownPlaceholderColour(field, 0), ThemeColours.SecondaryTextColour));
  });
}

struct PlaceholderCase {
  const char* name;
  std::vector<std::pair<const char*, UIColor* (*)()>> runs;  // text, colour (null: none)
};

UIColor* red() { return UIColor::redColor(); }
UIColor* blue() { return UIColor::blueColor(); }
UIColor* grey() { return UIColor::grayColor(); }

// The caller's placeholder, each run in its colour and in a font of its own
// size, so that a recolouring that drops the other attributes shows.
Ref<NSMutableAttributedString> placeholderOf(const PlaceholderCase& c) {
  Ref<NSMutableAttributedString> text = adopt(objc::as<NSMutableAttributedString>(
      objc::alloc<NSMutableAttributedString>()->initWithString(""_ns)));
  CGFloat size = 11;
  for (auto [part, colour] : c.runs) {
    Ref<NSMutableDictionary> attributes = objc::make<NSMutableDictionary>();
    attributes->setObjectForKey(UIFont::systemFont(size++), NSFontAttributeName());
    if (colour) attributes->setObjectForKey(colour(), NSForegroundColorAttributeName());
    Ref<NSAttributedString> run =
        adopt(objc::alloc<NSAttributedString>()->initWithString(NSString::withUTF8(part), attributes));
    text->appendAttributedString(run);
  }
  return text;
}

TEST(SearchField, AttributedPlaceholdersArriveInTheSecondaryColourThroughout) {
  const PlaceholderCase cases[] = {
      {"two colours", {{"Search ", &red}, {"Songs", &blue}}},
      {"three runs, one without a colour", {{"Find", &grey}, {" in ", nullptr}, {"Library", &red}}},
      {"one character", {{"Q", &blue}}},
      {"empty", {}},
  };
  inLaunch(watchedHost(), [&] {
    AutoreleasePool pool;
    for (const PlaceholderCase& c : cases) {
      SCOPED_TRACE(c.name);
      Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
      Ref<NSMutableAttributedString> given = placeholderOf(c);
      NSUInteger length = given->length();
      std::vector<id> givenColours, givenFonts;
      for (NSUInteger i = 0; i < length; ++i) {
        givenColours.push_back(given->attribute(NSForegroundColorAttributeName(), i));
        givenFonts.push_back(given->attribute(NSFontAttributeName(), i));
      }
      field->setAttributedPlaceholder(given);

      NSAttributedString* held = field->attributedPlaceholder();
      ASSERT_NE(held, nullptr) << "an empty placeholder is handed on, not dropped";
      EXPECT_EQ(held->string()->str(), given->string()->str());
      for (NSUInteger i = 0; i < length; ++i) {
        EXPECT_TRUE(sameColour(held->attribute(NSForegroundColorAttributeName(), i), ThemeColours.SecondaryTextColour))
            << "at " << i;
        EXPECT_EQ(held->attribute(NSFontAttributeName(), i), givenFonts[i]) << "other attributes stay, at " << i;
        EXPECT_EQ(given->attribute(NSForegroundColorAttributeName(), i), givenColours[i])
            << "the caller's string is not changed, at " << i;
      }
      if (length) {
        EXPECT_TRUE(sameColour(shownPlaceholderColour(field, length - 1), ThemeColours.SecondaryTextColour));
      }
    }
  });
}

TEST(SearchField, NilPlaceholderIsHandedOnAsNil) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
    PlaceholderCase before{"before", {{"Search", &red}}};
    field->setAttributedPlaceholder(placeholderOf(before));
    ASSERT_NE(field->attributedPlaceholder(), nullptr);
    field->setAttributedPlaceholder(nil);
    EXPECT_EQ(field->attributedPlaceholder(), nullptr) << "nil reached the host and cleared the placeholder";
  });
}

TEST(SearchFieldBackground, FillIsTheHostsFillForNoWhateverTheCallerAsks) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UISearchBarSearchFieldBackgroundView> background = made<UISearchBarSearchFieldBackgroundView>();
    UIColor* forNo = objc::Sender<UIColor*(BOOL)>::call(gNextFill, background, "_fillColor:"_sel, NO);
    UIColor* forYes = objc::Sender<UIColor*(BOOL)>::call(gNextFill, background, "_fillColor:"_sel, YES);
    ASSERT_FALSE(forNo->isEqual(forYes)) << "the host's two fills differ";
    for (BOOL asked : {YES, NO, YES}) {
      calls().fills.clear();
      EXPECT_TRUE(sameColour(background->fillColor(asked), forNo));
      ASSERT_EQ(calls().fills.size(), 1u);
      EXPECT_EQ(calls().fills[0].translucent, NO);
    }
    // Laid out on a translucent bar, the field fills itself with it too.
    background->_onTranslucentBar = true;
    background->layoutSubviews();
    EXPECT_TRUE(sameColour(background->backgroundColor(), forNo));
  });
}

// --- The status bar ---------------------------------------------------------------------

TEST(StatusBar, ColourChangesReachTheHostAsThePrimaryWithTheirParameters) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UIStatusBar> bar = UIView::make<UIStatusBar>(CGRectMake(0, 0, 320, 20));
    for (double duration : {0.0, 0.3}) {
      SCOPED_TRACE(duration);
      UIStatusBarAnimationParameters* parameters =
          duration > 0 ? UIStatusBarAnimationParameters::withDuration(duration) : nullptr;
      object_setIvar(bar, class_getInstanceVariable(object_getClass(bar), "_foregroundColor"), UIColor::blueColor());
      calls().foregrounds.clear();
      bar->setForegroundColor(UIColor::redColor(), parameters);
      ASSERT_EQ(calls().foregrounds.size(), 1u);
      EXPECT_TRUE(sameColour(calls().foregrounds[0].colour, ThemeColours.PrimaryTextColour));
      EXPECT_EQ(calls().foregrounds[0].parameters, parameters);
      RunLoop::main().runUntilIdle();
      EXPECT_TRUE(sameColour(fieldOf(bar, "_foregroundColor"), ThemeColours.PrimaryTextColour))
          << "the host's change, animated or not, ends in the primary colour";
    }
  });
}

class RecordingSink : public TextSink {
 public:
  std::vector<Ref<UIColor>> colours;
  void drawText(const TextRun& run) override { colours.push_back(run.color); }
};

TEST(StatusBar, AnswersAndDrawsThePrimaryWhateverItHolds) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UIStatusBar> bar = UIView::make<UIStatusBar>(CGRectMake(0, 0, 320, 20));
    for (UIColor* held : {UIColor::redColor(), static_cast<UIColor*>(nil)}) {
      object_setIvar(bar, class_getInstanceVariable(object_getClass(bar), "_foregroundColor"), held);
      EXPECT_TRUE(sameColour(bar->foregroundColor(), ThemeColours.PrimaryTextColour));
      RecordingSink sink;
      TextSinkScope scope(&sink);
      bar->drawRect(bar->bounds());
      ASSERT_FALSE(sink.colours.empty());
      for (const Ref<UIColor>& drawn : sink.colours) EXPECT_TRUE(sameColour(drawn, ThemeColours.PrimaryTextColour));
    }
  });
}

// --- Alerts and action sheets ----------------------------------------------------------------

TEST(AlertGrey, EveryBackdropStyleAndTheSeparateActionGetIt) {
  inLaunch(watchedHost(), [] {
    AutoreleasePool pool;
    Ref<UIDimmingKnockoutBackdropView> dimming = made<UIDimmingKnockoutBackdropView>();
    for (NSInteger style : {NSInteger{0}, NSInteger{1}, NSInteger{2}, NSInteger{2010}, NSInteger{2030}, NSInteger{-1},
                            std::numeric_limits<NSInteger>::max()}) {
      SCOPED_TRACE(style);
      UIColor* first = dimming->knockoutColor(style);
      EXPECT_TRUE(isGrey(first, 0.7, 0.7));
      EXPECT_NE(dimming->knockoutColor(style), first) << "made anew at each call";
    }
    dimming->_backdropStyle = 2030;
    dimming->layoutSubviews();
    EXPECT_TRUE(isGrey(dimming->backgroundColor(), 0.7, 0.7)) << "the dimming layer fills itself with it";

    Ref<UIAlertControllerVisualStyleActionSheet> style = objc::make<UIAlertControllerVisualStyleActionSheet>();
    UIColor* separate = style->defaultActionBackgroundColorWhenSeparate();
    EXPECT_TRUE(isGrey(separate, 0.7, 0.7));
    EXPECT_NE(style->defaultActionBackgroundColorWhenSeparate(), separate);
    EXPECT_FALSE(isGrey(style->defaultActionBackgroundColor(), 0.7, 0.7)) << "the grouped actions keep the host's";
  });
}

TEST(AlertBackground, GradientIsMadeFromClearColoursAtTheCallersSize) {
  struct Case {
    CGSize size;
    UIColor* (*inner)();
    UIColor* (*outer)();
  };
  const Case cases[] = {
      {{270, 132}, &red, &blue},
      {{1, 1}, nullptr, &grey},
      {{320.5, 7.25}, &grey, nullptr},
  };
  inLaunch(watchedHost(), [&] {
    AutoreleasePool pool;
    Ref<UIModalItemAlertBackgroundView> background = made<UIModalItemAlertBackgroundView>();
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.size.width << "x" << c.size.height);
      calls().gradients.clear();
      UIImage* image =
          background->gradientImage(c.size, c.inner ? c.inner() : nil, c.outer ? c.outer() : nil);
      ASSERT_EQ(calls().gradients.size(), 1u);
      const GradientCall& call = calls().gradients[0];
      EXPECT_EQ(call.size, c.size);
      EXPECT_TRUE(sameColour(call.inner, UIColor::clearColor()));
      EXPECT_TRUE(sameColour(call.outer, UIColor::clearColor()));
      EXPECT_EQ(image, call.made) << "the host's image is returned";
      ASSERT_NE(image, nullptr);
      CGImageRef cg = image->CGImage();
      const uint8_t* pixels = CGImageGetPremultipliedRGBA(cg);
      size_t count = CGImageGetWidth(cg) * CGImageGetHeight(cg);
      size_t opaque = 0;
      for (size_t i = 0; i < count; ++i) opaque += pixels[i * 4 + 3] != 0;
      EXPECT_EQ(opaque, 0u) << "nothing of the caller's colours shows";
    }
  });
}

}  // namespace
