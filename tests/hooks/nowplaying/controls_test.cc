// The playback controls in the adaptive colours through a launched Music
// host: what reaches the host's own setters (read back from the fields
// they write), the transport buttons' tint, the controls view's repaint of
// its buttons and time labels, and the scrubber's thumb.
#include <gtest/gtest.h>

#include <functional>

#include "platform/foundation/RunLoop.h"
#include "tests/hooks/nowplaying/screen_support.h"
#include "tests/support/pixels.h"

namespace {

// A launched host holding the scheme of testCover(): its primary and
// secondary text colours, read from the titles the screen repainted.
struct SchemeHeld {
  NowPlayingScreen screen;
  Ref<UIColor> primary, secondary;
};

SchemeHeld holdScheme() {
  SchemeHeld held{openNowPlaying()};
  changeArtwork(testCover());
  RunLoop::main().runUntilIdle();
  held.primary = titleLabel(held.screen.controller)->textColor();
  held.secondary = detailLabel(held.screen.controller)->textColor();
  return held;
}

Ref<UIView> make(const char* className, CGRect frame) {
  auto* fresh = static_cast<UIView*>(objc::send<id()>(reinterpret_cast<id>(objc_getClass(className)), "alloc"_sel));
  return adopt(fresh->initWithFrame(frame));
}

TEST(ButtonColours, SettersPassTheAdaptivePrimaryToTheHostSelectingRetintsAndTheRepaintAndThumbTakeIt) {
  inLaunch(nowPlayingLaunch({.adaptive = true}), [] {
    SchemeHeld held = holdScheme();
    ASSERT_FALSE(sameColour(held.primary.get(), themePrimary()));
    struct Row {
      const char* name;
      const char* className;
      std::function<void(UIButton*)> set;
      std::function<UIColor*(UIButton*)> reachedHost;  // the field the host's setter writes
    };
    const Row rows[] = {
        {"MPButton setTintColor: nil", "MPButton", [](UIButton* b) { b->setTintColor(nullptr); },
         [](UIButton* b) { return b->_tintColor.get(); }},
        {"MPButton setTintColor: red", "MPButton", [](UIButton* b) { b->setTintColor(UIColor::redColor()); },
         [](UIButton* b) { return b->_tintColor.get(); }},
        {"MPButton setTitleColor:forState:", "MPButton",
         [](UIButton* b) { b->setTitleColor(UIColor::redColor(), UIControlStateHighlighted); },
         [](UIButton* b) { return b->_titleColors[UIControlStateHighlighted].get(); }},
        {"MPButton setTitleColor:forStates:", "MPButton",
         [](UIButton* b) {
           objc::send<void(UIColor*, NSUInteger)>(b, "setTitleColor:forStates:"_sel, nullptr,
                                                  UIControlStateSelected | UIControlStateDisabled);
         },
         [](UIButton* b) { return b->_titleColors[UIControlStateDisabled].get(); }},
        {"MPUStandardTransportButton setTintColor: nil", "MPUStandardTransportButton",
         [](UIButton* b) { b->setTintColor(nullptr); }, [](UIButton* b) { return b->_tintColor.get(); }},
    };
    for (const Row& row : rows) {
      Ref<UIView> view = make(row.className, CGRectMake(0, 0, 60, 30));
      auto* button = objc::as<UIButton>(view.get());
      row.set(button);
      UIColor* reached = row.reachedHost(button);
      EXPECT_TRUE(sameColour(reached, held.primary.get())) << row.name << ": the host got " << describe(reached);
    }
    // The transport button answers the adaptive primary whatever it holds.
    Ref<UIView> transport = make("MPUStandardTransportButton", CGRectMake(0, 0, 60, 30));
    transport->_tintColor = UIColor::redColor();
    EXPECT_TRUE(sameColour(transport->tintColor(), held.primary.get())) << describe(transport->tintColor());

    // Selecting, or not, retints the button's image views.
    for (BOOL selected : {YES, NO}) {
      Ref<UIView> view = make("MPButton", CGRectMake(0, 0, 60, 30));
      Ref<UIImageView> glyph = UIView::make<UIImageView>(CGRectMake(0, 0, 30, 30));
      Ref<UIView> other = UIView::create(CGRectMake(30, 0, 30, 30));
      view->addSubview(glyph);
      view->addSubview(other);
      objc::as<UIControl>(view.get())->setSelected(selected);
      EXPECT_EQ(objc::as<UIControl>(view.get())->_selected, static_cast<bool>(selected));
      EXPECT_TRUE(sameColour(glyph->_tintColor.get(), held.primary.get())) << "selected " << int(selected);
      EXPECT_EQ(other->_tintColor.get(), nullptr) << "a subview that is no image view";
    }

    // The controls view's repaint gives a plain button the primary for the
    // normal state only.
    MPUNowPlayingPlaybackControlsView* controls = held.screen.controller->_playbackControlsView.get();
    Ref<UIButton> plain = UIView::make<UIButton>(CGRectMake(0, 200, 80, 30));
    UIColor* selectedColour = UIColor::withRGBA(0, 1, 0, 1);
    plain->setTitleColor(UIColor::redColor(), UIControlStateNormal);
    plain->setTitleColor(selectedColour, UIControlStateSelected);
    controls->addSubview(plain);

    objc::send<void()>(controls, "mirel_updateColours"_sel);
    EXPECT_TRUE(sameColour(plain->_tintColor.get(), held.primary.get()));
    EXPECT_TRUE(sameColour(plain->_titleColors[UIControlStateNormal].get(), held.primary.get()));
    EXPECT_TRUE(sameColour(plain->_titleColors[UIControlStateSelected].get(), selectedColour));
    EXPECT_EQ(plain->_titleColors.size(), 2u);

    // The scrubber's thumb is the host's, filled with the adaptive primary.
    MPDetailSlider* slider = controls->_progressControl.get();
    UIImage* thumb = slider->currentThumbImage();
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->size(), CGSizeMake(11, 11));
    EXPECT_EQ(slider->_thumbView->image()->size(), CGSizeMake(11, 11)) << "what the scrubber shows";
    CGFloat r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(held.primary->getRGBA(&r, &g, &b, &a));
    auto byte = [](CGFloat c) { return static_cast<int>(std::lround(c * 255)); };
    const RGBA fill{byte(r), byte(g), byte(b), 255};
    size_t side = CGImageGetWidth(thumb->CGImage());
    struct Probe {
      const char* where;
      size_t x, y;
      RGBA expected;
    };
    const Probe probes[] = {
        {"centre", side / 2, side / 2, fill},
        {"left edge, middle", 1, side / 2, fill},
        {"top left corner", 0, 0, RGBA{0, 0, 0, 0}},
        {"bottom right corner", side - 1, side - 1, RGBA{0, 0, 0, 0}},
    };
    for (const Probe& p : probes) {
      RGBA got = pixelAt(thumb->CGImage(), p.x, p.y);
      EXPECT_TRUE(near(got, p.expected, 2)) << p.where << ": " << got << " expected " << p.expected;
    }
  });
}

// An older MediaPlayer whose scrubber has no remaining-time label field.
void registerControlsWithElapsedTimeOnly() { registerMediaPlayerControlClasses(SliderTimeLabels::ElapsedOnly); }

TEST(ControlsRepaint, ASliderLackingATimeLabelFieldGetsTheOtherOneColoured) {
  TestLaunch launch = nowPlayingLaunch({.adaptive = true});
  launch.registerHostClasses = &registerControlsWithElapsedTimeOnly;
  inLaunch(launch, [] {
    Ref<UIView> view = make("MPUNowPlayingPlaybackControlsView", CGRectMake(0, 0, 320, 250));
    auto* controls = objc::as<MPUNowPlayingPlaybackControlsView>(view.get());
    MPDetailSlider* slider = controls->_progressControl.get();
    UIColor* stock = slider->_currentTimeInverseLabel->textColor();
    objc::send<void()>(controls, "mirel_updateColours"_sel);
    EXPECT_TRUE(sameColour(slider->_currentTimeLabel->textColor(), themeSecondary()));
    EXPECT_TRUE(sameColour(slider->_currentTimeInverseLabel->textColor(), stock));
  });
}

}  // namespace
