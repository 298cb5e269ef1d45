// The MediaPlayer UI controls of the Now Playing screen, as the private
// framework builds them: MPButton, the scrubber MPDetailSlider with its two
// time labels, the transport row MPTransportControls holding
// MPUStandardTransportButtons, and the playback controls view
// (MPPlaybackControlsView, and its Now Playing subclass that holds the
// transport row). They draw in the framework's stock colours.
//
//   Ref<UIView> controls = UIView::make<MPUNowPlayingPlaybackControlsView>(frame);
#pragma once

#include "platform/uikit/uikit.h"

// A button that keeps its glyph in image-view subviews (tinted with the
// button's tint) and can take one title colour for several states at once.
struct MPButton : UIButton {
  static constexpr const char* kClassName = "MPButton";
};

// The scrubber: a track, a thumb image view showing currentThumbImage, and
// the elapsed and remaining time labels below the track.
struct MPDetailSlider : UIControl {
  static constexpr const char* kClassName = "MPDetailSlider";
  Ref<UILabel> _currentTimeLabel;
  Ref<UILabel> _currentTimeInverseLabel;
  Ref<UIView> _trackView;
  Ref<UIView> _elapsedTrackView;
  Ref<UIImageView> _thumbView;
  CGFloat _value = 0;  // 0 .. 1

  UIImage* currentThumbImage() { return objc::send<UIImage*()>(this, "currentThumbImage"_sel); }
};

// Previous, play/pause or next: a glyph image view drawn in the button's
// tintColor, asked of the button whenever it draws.
struct MPUStandardTransportButton : UIButton {
  static constexpr const char* kClassName = "MPUStandardTransportButton";
};

struct MPTransportControls : UIView {
  static constexpr const char* kClassName = "MPTransportControls";
  Ref<UIButton> _previousButton;
  Ref<UIButton> _playButton;
  Ref<UIButton> _nextButton;
};

// The scrubber, a volume row and the repeat / create / shuffle buttons.
struct MPPlaybackControlsView : UIView {
  static constexpr const char* kClassName = "MPPlaybackControlsView";
  Ref<MPDetailSlider> _progressControl;
  Ref<UIView> _volumeView;
  Ref<MPButton> _repeatButton;
  Ref<MPButton> _createButton;
  Ref<MPButton> _shuffleButton;
};

// The Now Playing screen's controls view: the transport row as well.
struct MPUNowPlayingPlaybackControlsView : MPPlaybackControlsView {
  static constexpr const char* kClassName = "MPUNowPlayingPlaybackControlsView";
  Ref<MPTransportControls> _transportControls;
};

// Which time-label fields the scrubber's class carries: MediaPlayer
// releases differ, and an older one knows the elapsed-time label only.
enum class SliderTimeLabels { ElapsedAndRemaining, ElapsedOnly };

void registerMediaPlayerControlClasses(SliderTimeLabels labels = SliderTimeLabels::ElapsedAndRemaining);
