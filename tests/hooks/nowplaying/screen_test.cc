// The Now Playing screen through a launched Music host: what the screen
// holds for each combination of BlurArtwork and AdaptiveNowPlaying (and,
// for the controls, NowPlayingHooks), the fade
// on the virtual clock, artwork changes that give no scheme, the
// initialisers, and the navigation bar colours.
#include <gtest/gtest.h>

#include <filesystem>

#include "apps/common/HostApp.h"
#include "colorpicker/colorpicker.h"
#include "platform/foundation/RunLoop.h"
#include "platform/uikit/UIImageFiles.h"
#include "tests/hooks/nowplaying/screen_support.h"
#include "tests/support/text_colour_log.h"
#include "tests/support/picker_images.h"

namespace {

// The scheme the picker gives for `image`, from a picker of the test's own.
Ref<KRColorScheme> expectedScheme(UIImage* image) {
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  return picker->colorSchemeFromImage(image);
}

void expectTitles(MusicNowPlayingViewController* controller, UIColor* primary, UIColor* secondary,
                  const std::string& where) {
  EXPECT_TRUE(sameColour(titleLabel(controller)->textColor(), primary))
      << where << ": title " << describe(titleLabel(controller)->textColor()) << ", expected " << describe(primary);
  EXPECT_TRUE(sameColour(detailLabel(controller)->textColor(), secondary))
      << where << ": detail " << describe(detailLabel(controller)->textColor()) << ", expected " << describe(secondary);
}

enum class DimAfter { Black, SchemeBackground };

TEST(NowPlayingSettings, EachCombinationOfBlurArtworkAndAdaptiveAndTheControlsOnlyWithNowPlayingHooks) {
  struct Row {
    const char* name;
    NowPlayingSettings settings;
    bool inserted;  // loadView puts the image view in
    CGFloat dimAlpha;
    DimAfter dimAfter;   // the dim layer's colour once an artwork came
    bool showsArtwork;   // the image view shows it
    bool followsScheme;  // mirel_updateControls ran: the titles show the scheme
    bool controls;       // the rows whose controls are checked against the scheme
  };
  const Row rows[] = {
      {"both off", {.blurArtwork = false, .adaptive = false}, false, 0, DimAfter::Black, false, false, false},
      {"blur only", {.blurArtwork = true, .adaptive = false}, true, 0.5, DimAfter::Black, true, false, false},
      {"adaptive only", {.blurArtwork = false, .adaptive = true}, true, 1.0, DimAfter::SchemeBackground, false, true,
       false},
      {"both on", {.blurArtwork = true, .adaptive = true}, true, 0.5, DimAfter::SchemeBackground, true, true, true},
      {"both on, Now Playing hooks off", {.blurArtwork = true, .adaptive = true, .nowPlayingHooks = false}, true, 0.5,
       DimAfter::SchemeBackground, true, true, true},
  };
  for (const Row& row : rows) {
    inLaunch(nowPlayingLaunch(row.settings), [&] {
      const bool hooks = row.settings.nowPlayingHooks;
      NowPlayingScreen screen = openNowPlaying();
      MusicNowPlayingViewController* controller = screen.controller;
      UIImageView* back = backImageView(controller);
      ASSERT_EQ(back != nullptr, row.inserted) << row.name;
      if (back) {
        // In front of the background loadView made, behind every view the
        // host adds afterwards.
        std::vector<UIView*> subviews = controller->view()->subviewList();
        ASSERT_GE(subviews.size(), 2u) << row.name;
        EXPECT_EQ(subviews[1], back) << row.name << ": not right above the screen's background";
        EXPECT_EQ(back->contentMode(), UIViewContentModeScaleAspectFill) << row.name;
        EXPECT_EQ(dimLayer(controller)->alpha(), row.dimAlpha) << row.name;
        EXPECT_TRUE(sameColour(dimLayer(controller)->backgroundColor(), UIColor::blackColor())) << row.name;
      }
      if (row.controls) {
        UIView* stockTitleView = controller->_effectiveNavigationItem->titleView();
        EXPECT_EQ(stockTitleView != nullptr, !hooks) << row.name << ": the label title view";
      }

      UIImage* cover = testCover();
      changeArtwork(cover);
      RunLoop::main().runUntilIdle();
      Ref<KRColorScheme> scheme = expectedScheme(cover);
      ASSERT_FALSE(sameColour(scheme->primaryTextColor(), themePrimary()));
      if (row.followsScheme)
        expectTitles(controller, scheme->primaryTextColor(), scheme->secondaryTextColor(), row.name);
      else
        expectTitles(controller, themePrimary(), themeSecondary(), row.name);
      // The transport buttons answer the adaptive colour: the scheme only
      // when one was picked; without the hooks, the host's black.
      UIColor* transport =
          !hooks ? UIColor::blackColor() : row.followsScheme ? scheme->primaryTextColor() : themePrimary();
      MPUNowPlayingPlaybackControlsView* controls = controller->_playbackControlsView.get();
      UIButton* play = controls->_transportControls->_playButton.get();
      EXPECT_TRUE(sameColour(play->tintColor(), transport))
          << row.name << ": transport " << describe(play->tintColor());
      if (row.controls) {
        for (UIButton* button : {controls->_transportControls->_previousButton.get(), play,
                                 controls->_transportControls->_nextButton.get()})
          EXPECT_TRUE(sameColour(button->_tintColor.get(), transport))
              << row.name << ": transport " << describe(button->_tintColor.get());
        MPDetailSlider* slider = controls->_progressControl.get();
        for (UILabel* time : {slider->_currentTimeLabel.get(), slider->_currentTimeInverseLabel.get()})
          EXPECT_EQ(sameColour(time->textColor(), scheme->secondaryTextColor()), hooks)
              << row.name << ": time " << describe(time->textColor());
        EXPECT_EQ(
            sameColour(controls->_createButton->titleColorForState(UIControlStateNormal), scheme->primaryTextColor()),
            hooks)
            << row.name;
        // The host selected the shuffle button when it showed the item, before
        // any scheme: its glyph keeps the theme's primary.
        UIView* shuffleGlyph = controls->_shuffleButton->subviewList().at(0);
        EXPECT_EQ(sameColour(shuffleGlyph->_tintColor.get(), themePrimary()), hooks)
            << row.name << ": shuffle glyph " << describe(shuffleGlyph->_tintColor.get());
      }
      if (!back) return;
      UIColor* dim = row.dimAfter == DimAfter::Black ? UIColor::blackColor() : scheme->backgroundColor();
      EXPECT_TRUE(sameColour(dimLayer(controller)->backgroundColor(), dim))
          << row.name << ": dim layer " << describe(dimLayer(controller)->backgroundColor());
      EXPECT_EQ(dimLayer(controller)->alpha(), row.dimAlpha) << row.name;
      EXPECT_EQ(back->image(), row.showsArtwork ? cover : nullptr) << row.name;
      EXPECT_EQ(back->alpha(), 1.0) << row.name;
    });
  }
}

TEST(ArtworkFade, FadesOnTheClockASecondChangeDuringTheFadeOutEndsAtRestAndAFilesSchemeIsMirelPicks) {
  inLaunch(nowPlayingLaunch({.blurArtwork = true, .adaptive = true}), [] {
    NowPlayingScreen screen = openNowPlaying();
    MusicNowPlayingViewController* controller = screen.controller;
    UIImageView* back = backImageView(controller);
    ASSERT_NE(back, nullptr);
    UIImage* cover = testCover();
    Ref<KRColorScheme> scheme = expectedScheme(cover);
    // The fade-in goes back to the alpha the image view had when the change
    // began, whatever it was.
    back->setAlpha(0.625);

    TextColourLog colours;
    changeArtwork(cover);
    RunLoop::main().advance(0.1);
    EXPECT_EQ(back->alpha(), 0.0) << "fading out";
    EXPECT_EQ(back->image(), nullptr) << "swapped before the fade-out ended";
    expectTitles(controller, themePrimary(), themeSecondary(), "during the fade-out");

    // The titles are repainted inside the fade-in, as it starts, detail first.
    RunLoop::main().advance(0.15);
    EXPECT_EQ(back->image(), cover);
    expectTitles(controller, scheme->primaryTextColor(), scheme->secondaryTextColor(), "while fading in");
    EXPECT_EQ(colours.lastColoured({detailLabel(controller), titleLabel(controller)}),
              (std::vector<id>{detailLabel(controller), titleLabel(controller)}));
    RunLoop::main().advance(0.2);
    EXPECT_EQ(back->alpha(), 0.625) << "faded back in";
    EXPECT_TRUE(sameColour(dimLayer(controller)->backgroundColor(), scheme->backgroundColor()));
    EXPECT_TRUE(RunLoop::main().idle());

    // A second change during the fade-out ends at rest with the second
    // artwork, and a later change on its own still fades from and back to
    // the resting alpha.
    UIImage* warm = testCover(true);
    changeArtwork(warm);
    RunLoop::main().advance(0.1);
    ASSERT_EQ(back->alpha(), 0.0);
    UIImage* second = testCover();
    changeArtwork(second);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(back->alpha(), 0.625) << "left faded out";
    EXPECT_EQ(back->image(), second);
    EXPECT_TRUE(sameColour(dimLayer(controller)->backgroundColor(), scheme->backgroundColor()))
        << describe(dimLayer(controller)->backgroundColor());
    expectTitles(controller, scheme->primaryTextColor(), scheme->secondaryTextColor(), "after both changes");
    changeArtwork(warm);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(back->alpha(), 0.625);
    EXPECT_EQ(back->image(), warm);

    // mirel-pick decodes a file shrunk for the 32 × 32 rendition; the screen
    // is handed the full decode. For a PNG both are the same pixels, and so
    // the same scheme.
    std::string path =
        std::filesystem::temp_directory_path() / ("mirel-nowplaying-" + std::to_string(getpid()) + ".png");
    std::string error;
    ASSERT_TRUE(UIImageWritePNG(testCover(true), path.c_str(), &error)) << error;
    UIImage* shown = UIImageReadFile(path.c_str(), 1, 0, &error);
    UIImage* picked = UIImageReadFile(path.c_str(), 1, 32, &error);
    std::filesystem::remove(path);
    ASSERT_TRUE(shown && picked) << error;
    changeArtwork(shown);
    RunLoop::main().runUntilIdle();
    Ref<KRColorScheme> filed = expectedScheme(picked);
    EXPECT_EQ(hexOf(dimLayer(controller)->backgroundColor()), hexOf(filed->backgroundColor()));
    EXPECT_EQ(hexOf(titleLabel(controller)->textColor()), hexOf(filed->primaryTextColor()));
    EXPECT_EQ(hexOf(detailLabel(controller)->textColor()), hexOf(filed->secondaryTextColor()));
  });
}

TEST(ArtworkFade, ChangesWithoutASchemeBringTheThemeColoursBack) {
  struct Row {
    const char* name;
    bool nilArtwork;  // else the application is in the background
  };
  for (const Row& row : {Row{"nil artwork", true}, Row{"picker in the background", false}}) {
    inLaunch(nowPlayingLaunch({.blurArtwork = true, .adaptive = true}), [&] {
      NowPlayingScreen screen = openNowPlaying();
      MusicNowPlayingViewController* controller = screen.controller;
      changeArtwork(testCover(true));
      RunLoop::main().runUntilIdle();
      ASSERT_FALSE(sameColour(titleLabel(controller)->textColor(), themePrimary()));

      UIImage* next = row.nilArtwork ? nullptr : testCover();
      if (!row.nilArtwork) UIApplicationEnterBackground();
      changeArtwork(next);
      RunLoop::main().runUntilIdle();
      expectTitles(controller, themePrimary(), themeSecondary(), row.name);
      EXPECT_TRUE(sameColour(dimLayer(controller)->backgroundColor(), UIColor::clearColor()))
          << row.name << ": dim layer " << describe(dimLayer(controller)->backgroundColor());
      EXPECT_EQ(backImageView(controller)->image(), next) << row.name;
      EXPECT_EQ(backImageView(controller)->alpha(), 1.0) << row.name;
    });
  }
}

TEST(NowPlayingInitialisers, AnswerWhatTheHostAnswers) {
  inLaunch(nowPlayingLaunch({.adaptive = true}), [] {
    auto titlesFrom = [](bool withStyle) {
      id fresh = objc::send<id()>(reinterpret_cast<id>(objc_getClass("MPUNowPlayingTitlesView")), "alloc"_sel);
      return adopt(withStyle ? objc::send<id(NSInteger)>(fresh, "initWithStyle:"_sel, 1)
                             : objc::send<id(CGRect)>(fresh, "initWithFrame:"_sel, CGRectMake(0, 0, 200, 44)));
    };
    auto transportControls = [] {
      id fresh = objc::send<id()>(reinterpret_cast<id>(objc_getClass("MPTransportControls")), "alloc"_sel);
      return adopt(objc::send<id(CGRect)>(fresh, "initWithFrame:"_sel, CGRectMake(0, 0, 200, 44)));
    };
    gFailNowPlayingInitialisers = true;
    EXPECT_EQ(makeNowPlayingViewController().get(), nullptr);
    EXPECT_EQ(titlesFrom(false).get(), nullptr);
    EXPECT_EQ(titlesFrom(true).get(), nullptr);
    EXPECT_EQ(transportControls().get(), nullptr);

    gFailNowPlayingInitialisers = false;
    Ref<UIViewController> controller = makeNowPlayingViewController();
    ASSERT_NE(controller.get(), nullptr);
    EXPECT_EQ(objc::as<MusicNowPlayingViewController>(controller.get())->_effectiveNavigationItem->titleView(),
              nullptr);
    EXPECT_NE(transportControls().get(), nullptr);
    for (bool withStyle : {false, true}) {
      TextColourLog colours;
      Ref<objc_object> made = titlesFrom(withStyle);
      auto* titles = objc::as<MPUNowPlayingTitlesView>(made.get());
      ASSERT_NE(titles, nullptr);
      EXPECT_EQ(colours.lastColoured({titles->_detailLabel.get(), titles->_titleLabel.get()}),
                (std::vector<id>{titles->_detailLabel.get(), titles->_titleLabel.get()}))
          << "the detail label first";
      EXPECT_TRUE(sameColour(titles->_titleLabel->textColor(), themePrimary())) << withStyle;
      EXPECT_TRUE(sameColour(titles->_detailLabel->textColor(), themeSecondary())) << withStyle;
    }
  });
}

TEST(NavigationColours, TheItemsLabelAndTheBarTakeTheAdaptivePrimaryAndLeavingRepaintsTheParentsBar) {
  inLaunch(nowPlayingLaunch({.adaptive = true}), [] {
    NowPlayingScreen screen = openNowPlaying();
    MusicNowPlayingViewController* controller = screen.controller;
    changeArtwork(testCover());
    RunLoop::main().runUntilIdle();
    UIColor* primary = titleLabel(controller)->textColor();
    ASSERT_FALSE(sameColour(primary, themePrimary()));

    // The host refreshes the item after the artwork change on its own.
    UINavigationBar* bar = screen.navigation->navigationBar();
    ASSERT_FALSE(bar->subviewList().empty());
    for (UIView* sub : bar->subviewList())
      EXPECT_TRUE(sameColour(sub->_tintColor.get(), primary)) << "after the change: " << object_getClassName(sub);
    Ref<UILabel> label = UIView::make<UILabel>(CGRectMake(0, 0, 100, 44));
    Ref<UIView> plain = UIView::create(CGRectMake(0, 0, 100, 44));
    plain->setTintColor(UIColor::redColor());
    for (UIView* titleView : {static_cast<UIView*>(label.get()), plain.get()}) {
      controller->_effectiveNavigationItem->setTitleView(titleView);
      for (UIView* sub : bar->subviewList()) sub->setTintColor(UIColor::withRGBA(0, 1, 0, 1));
      objc::send<void(BOOL)>(controller, "_updateNavigationItemAnimated:"_sel, YES);
      for (UIView* sub : bar->subviewList())
        EXPECT_TRUE(sameColour(sub->_tintColor.get(), primary)) << object_getClassName(sub);
    }
    EXPECT_TRUE(sameColour(label->textColor(), primary));
    EXPECT_TRUE(sameColour(plain->_tintColor.get(), UIColor::redColor())) << "a title view that is no label";

    // Leaving repaints the parent's bar in the theme colour.
    Ref<UIWindow> window = UIView::make<UIWindow>(UIScreen::mainScreen()->bounds());
    Ref<UINavigationController> outer = UINavigationController::withRoot(nullptr);
    Ref<UINavigationController> inner = UINavigationController::withRoot(nullptr);
    outer->pushViewController(inner, NO);
    window->addSubview(outer->view());
    Ref<UIViewController> nowPlaying = makeNowPlayingViewController();
    inner->pushViewController(nowPlaying, NO);
    settleWindow(window);
    changeArtwork(testCover());
    RunLoop::main().runUntilIdle();
    inner->navigationBar()->layoutIfNeeded();
    outer->navigationBar()->layoutIfNeeded();
    ASSERT_FALSE(outer->navigationBar()->subviewList().empty());

    objc::send<void(BOOL)>(nowPlaying, "viewWillDisappear:"_sel, YES);
    for (UIView* sub : outer->navigationBar()->subviewList())
      EXPECT_TRUE(sameColour(sub->backgroundColor(), themePrimary())) << object_getClassName(sub);
    for (UIView* sub : inner->navigationBar()->subviewList())
      EXPECT_FALSE(sameColour(sub->backgroundColor(), themePrimary())) << "its own bar: " << object_getClassName(sub);
  });
}

}  // namespace
