// The modelled search field, status bar and alerts, as the hosts use them:
// where each colour comes from, and what each shows.
#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"
#include "tests/support/pixels.h"

namespace {

template <class T>
Ref<T> made(CGRect frame = CGRectMake(0, 0, 300, 28)) {
  return UIView::make<T>(frame);
}

std::string hex(id colour) { return colour ? UIColorHexText(objc::as<UIColor>(colour)) : "nil"; }

UITextFieldLabel* placeholderLabel(UITextField* field) {
  field->layoutSubviews();
  return field->_placeholderLabel.get();
}

TEST(TextFieldModel, PlainPlaceholderTakesThePlaceholderColourAndAttributedOnesKeepTheirRuns) {
  Ref<UISearchBarTextField> field = made<UISearchBarTextField>();
  field->setPlaceholder("Search"_ns);
  NSAttributedString* shown = placeholderLabel(field)->attributedText();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(hex(shown->attribute(NSForegroundColorAttributeName(), 0)), hex(field->placeholderColor()));
  EXPECT_EQ(hex(field->placeholderColor()), "#B3B3B3FF");

  Ref<NSMutableAttributedString> given = adopt(objc::as<NSMutableAttributedString>(
      objc::alloc<NSMutableAttributedString>()->initWithString("Find it"_ns)));
  given->addAttribute(NSForegroundColorAttributeName(), UIColor::redColor(), NSMakeRange(0, 4));
  field->setAttributedPlaceholder(given);
  EXPECT_EQ(field->placeholder()->str(), "Find it") << "the attributed one replaces the plain one";
  given->addAttribute(NSForegroundColorAttributeName(), UIColor::blueColor(), NSMakeRange(0, 7));
  shown = placeholderLabel(field)->attributedText();
  EXPECT_EQ(hex(shown->attribute(NSForegroundColorAttributeName(), 0)), "#FF0000FF") << "the field keeps a copy";
  EXPECT_EQ(hex(shown->attribute(NSForegroundColorAttributeName(), 5)), "nil");

  field->setText("abc"_ns);
  EXPECT_TRUE(placeholderLabel(field)->isHidden()) << "typed text hides the placeholder";
}

TEST(SearchFieldBackgroundModel, FillsWithTheColourForItsBar) {
  Ref<UISearchBar> bar = made<UISearchBar>(CGRectMake(0, 0, 320, 44));
  UISearchBarSearchFieldBackgroundView* background = bar->searchField()->_backgroundView.get();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(bar->searchField()->subviewList().front(), background) << "behind the field's text";
  for (bool translucent : {true, false}) {
    bar->_translucent = translucent;
    bar->layoutSubviews();
    background->layoutSubviews();
    EXPECT_EQ(hex(background->backgroundColor()), hex(background->fillColor(translucent)));
  }
}

TEST(StatusBarModel, AnAnimatedColourChangeWaitsForTheRunLoop) {
  Ref<UIStatusBar> bar = made<UIStatusBar>(CGRectMake(0, 0, 320, 20));
  bar->setForegroundColor(UIColor::redColor(), nil);
  EXPECT_EQ(hex(bar->foregroundColor()), "#FF0000FF");
  bar->setForegroundColor(UIColor::whiteColor(), UIStatusBarAnimationParameters::withDuration(0.3));
  EXPECT_EQ(hex(bar->foregroundColor()), "#FF0000FF");
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(hex(bar->foregroundColor()), "#FFFFFFFF");
}

TEST(AlertModels, DimmingAndGradientColoursComeFromTheirOwnMethods) {
  Ref<UIDimmingKnockoutBackdropView> dimming = made<UIDimmingKnockoutBackdropView>();
  EXPECT_NE(hex(dimming->knockoutColor(0)), hex(dimming->knockoutColor(2030))) << "dark styles dim harder";

  Ref<UIModalItemAlertBackgroundView> background = made<UIModalItemAlertBackgroundView>(CGRectMake(0, 0, 20, 10));
  UIImage* image = background->gradientImage(CGSizeMake(20, 10), UIColor::whiteColor(), UIColor::blackColor());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->size(), CGSizeMake(20, 10));
  CGImageRef cg = image->CGImage();
  size_t middle = CGImageGetHeight(cg) / 2;
  EXPECT_LT(pixelAt(cg, 0, 0).r, 40) << "the outer colour at the edge";
  EXPECT_GT(pixelAt(cg, 0, middle).r, 200) << "the inner colour across the middle";
  background->layoutSubviews();
  EXPECT_NE(background->_gradientView->image(), nullptr);
}

TEST(AlertModels, TheCancelActionStandsApartOnItsStylesColour) {
  Ref<UIAlertController> sheet = UIAlertController::actionSheet("Blue Hour"_ns);
  sheet->addAction("Play Next"_ns, UIAlertActionStyleDefault);
  sheet->addAction("Cancel"_ns, UIAlertActionStyleCancel);
  auto* style = objc::as<UIAlertControllerVisualStyleActionSheet>(sheet->_visualStyle.get());
  std::vector<std::string> backgrounds;
  for (UIView* part : sheet->view()->subviewList()) backgrounds.push_back(hex(part->backgroundColor()));
  ASSERT_EQ(backgrounds.size(), 3u) << "dimming, cancel, group";
  EXPECT_EQ(backgrounds[1], hex(style->defaultActionBackgroundColorWhenSeparate()));
  EXPECT_EQ(backgrounds[2], hex(style->defaultActionBackgroundColor()));
}

}  // namespace
