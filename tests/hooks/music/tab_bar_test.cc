// Tab bar buttons and the More tab, through launched Music hosts with the
// button's tint setter and the blur views probed.
#include <gtest/gtest.h>

#include "platform/objc/class.h"
#include "tests/hooks/music/probes.h"
#include "tweak/settings.h"

namespace {

Ref<UITabBarButton> makeButton() {
  return adopt(objc::send<UITabBarButton*(UIImage*, UIImage*, NSString*, UIEdgeInsets)>(
      allocOf("UITabBarButton"), "initWithImage:selectedImage:label:withInsets:"_sel, nil, nil, "Genres"_ns,
      UIEdgeInsets{1, 2, 3, 4}));
}

TEST(TabBarButton, UnselectedTintIsPinnedAtCreationOnEverySetAndWhateverTheButtonHolds) {
  inLaunch(probedMusicHost(), [] {
    UIColor* theme = ThemeColours.SecondaryTintColour;
    ASSERT_EQ(UIColorHexText(theme), std::string("#") + kSecondaryTint);
    Ref<UITabBarButton> button = makeButton();
    ASSERT_NE(button.get(), nullptr);
    ASSERT_EQ(probes().tintCalls.size(), 1u) << "the initialiser sets the tint itself, once";
    EXPECT_TRUE(sameColour(probes().tintCalls[0].colour, theme));
    EXPECT_TRUE(probes().tintCalls[0].forceLabel);
    EXPECT_TRUE(sameColour(fieldOf(button, "_unselectedTintColor"), theme));
    EXPECT_EQ(button->_insets.left, 2) << "the insets reach the host unchanged";
    EXPECT_EQ(button->_label->str(), "Genres");
    // The getter answers the theme tint whatever the button holds.
    setField(button, "_unselectedTintColor", UIColor::redColor());
    EXPECT_TRUE(sameColour(button->unselectedTintColor(), theme));

    // Every tint the host sets becomes the theme tint with the label forced.
    const std::pair<UIColor*, BOOL> given[] = {
        {UIColor::redColor(), NO}, {nil, NO}, {UIColor::whiteColor(), YES}};
    for (auto [colour, force] : given) {
      probes().tintCalls.clear();
      button->setUnselectedTintColor(colour, force);
      ASSERT_EQ(probes().tintCalls.size(), 1u);
      EXPECT_TRUE(sameColour(probes().tintCalls[0].colour, theme));
      EXPECT_TRUE(probes().tintCalls[0].forceLabel);
    }
  });
}

UIView* moreView(id controller) { return objc::send<UIView*()>(controller, "view"_sel); }

TEST(MoreNavigationController, HasItsViewLoadedWithABackdropAtTheBackAndPassesItsListAndPresentationsThrough) {
  inLaunch(probedMusicHost(), [] {
    Ref<UINavigationController> more =
        adopt(objc::send<UINavigationController*()>(allocOf("MusicMoreNavigationController"), "init"_sel));
    ASSERT_NE(more.get(), nullptr);
    ASSERT_TRUE(more->isViewLoaded()) << "loaded during the initialiser";
    std::vector<UIView*> subviews = moreView(more)->subviewList();
    ASSERT_FALSE(subviews.empty());
    UIView* back = subviews.front();
    EXPECT_TRUE(back->isMemberOfClass(objc::classOf<UIBackdropView>()));
    ASSERT_NE(recordedBackdrop(back), nullptr);
    EXPECT_EQ(recordedBackdrop(back)->frame, CGRectZero);
    EXPECT_TRUE(recordedBackdrop(back)->autosizes);

    // The list pushed later and the bar lie in front of it.
    Ref<UIViewController> list = objc::make<UIViewController>();
    objc::send<void(UIViewController*)>(more, "setMoreListController:"_sel, list.get());
    EXPECT_EQ(objc::send<UIViewController*()>(more, "moreListController"_sel), list.get());
    UIViewControllerLayout(more);
    subviews = moreView(more)->subviewList();
    ASSERT_GE(subviews.size(), 3u);
    EXPECT_EQ(subviews.front(), back);
    EXPECT_EQ(subviews.back(), more->navigationBar());
    EXPECT_EQ(objc_retainCount(back), 1u) << "the view holds the backdrop; its maker has let go";

    // Presentations pass through unchanged.
    Ref<UIViewController> sheet = objc::make<UIViewController>();
    int completions = 0;
    Ref<Block<void()>> done = Block<void()>::make([&] { ++completions; });
    more->presentViewController(sheet, NO, done);
    EXPECT_EQ(completions, 1) << "without animation the completion runs at once";
    EXPECT_EQ(more->presentedViewController(), sheet.get());
  });
}

}  // namespace
