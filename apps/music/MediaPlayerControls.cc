// The MediaPlayer UI controls of the Now Playing screen. Every colour a
// control shows goes through its ordinary setter or getter, as the
// framework's own code sets them.
#include "apps/music/MediaPlayerControls.h"

#include "platform/coregraphics/CGContext.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"

namespace {

UIColor* stockTint() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }
UIColor* stockTimeColour() { return UIColor::withWhite(0.56, 1); }

// --- Glyphs --------------------------------------------------------------------
// Black on transparent, handed out as template images: whoever shows one
// fills it with its tint.

enum class Shape { Previous, Pause, Next, Repeat, Shuffle, Speaker };

void triangle(CGContextRef c, CGFloat x0, CGFloat x1, CGFloat top, CGFloat bottom) {
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, x0, top);
  CGContextAddLineToPoint(c, x1, (top + bottom) / 2);
  CGContextAddLineToPoint(c, x0, bottom);
  CGContextClosePath(c);
  CGContextFillPath(c);
}

UIImage* shapeImage(Shape shape, CGFloat s) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(s, s), NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, 0, 0, 0, 1);
  CGFloat top = s * 0.25, bottom = s * 0.75;
  switch (shape) {
    case Shape::Previous:
      triangle(c, s * 0.5, s * 0.12, top, bottom);
      triangle(c, s * 0.88, s * 0.5, top, bottom);
      break;
    case Shape::Next:
      triangle(c, s * 0.12, s * 0.5, top, bottom);
      triangle(c, s * 0.5, s * 0.88, top, bottom);
      break;
    case Shape::Pause:
      CGContextFillRect(c, CGRectMake(s * 0.3, s * 0.2, s * 0.13, s * 0.6));
      CGContextFillRect(c, CGRectMake(s * 0.57, s * 0.2, s * 0.13, s * 0.6));
      break;
    case Shape::Repeat:
      CGContextFillRect(c, CGRectMake(s * 0.15, s * 0.3, s * 0.6, s * 0.08));
      CGContextFillRect(c, CGRectMake(s * 0.25, s * 0.62, s * 0.6, s * 0.08));
      triangle(c, s * 0.75, s * 0.9, s * 0.22, s * 0.46);
      break;
    case Shape::Shuffle:
      for (int i = 0; i < 5; ++i) {
        CGContextFillRect(c, CGRectMake(s * (0.15 + i * 0.13), s * (0.3 + i * 0.08), s * 0.12, s * 0.08));
        CGContextFillRect(c, CGRectMake(s * (0.15 + i * 0.13), s * (0.62 - i * 0.08), s * 0.12, s * 0.08));
      }
      break;
    case Shape::Speaker:
      CGContextFillRect(c, CGRectMake(s * 0.2, s * 0.38, s * 0.2, s * 0.24));
      triangle(c, s * 0.6, s * 0.25, s * 0.2, s * 0.8);
      break;
  }
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image->imageWithRenderingMode(UIImageRenderingModeAlwaysTemplate);
}

Ref<UIImageView> glyphView(Shape shape, CGRect frame) {
  Ref<UIImageView> view = UIView::make<UIImageView>(frame);
  view->setImage(shapeImage(shape, frame.size.width));
  return view;
}

// --- MPButton ------------------------------------------------------------------------

// One colour for each state named in the mask (the normal state when the
// mask is empty), kept as setTitleColor:forState: keeps it.
void MPButton_setTitleColorForStates(MPButton* self, SEL, UIColor* colour, NSUInteger states) {
  if (states == UIControlStateNormal) self->_titleColors[UIControlStateNormal] = colour;
  for (NSUInteger bit = 1; bit <= UIControlStateSelected; bit <<= 1)
    if (states & bit) self->_titleColors[bit] = colour;
}

// The button shows its state in its glyphs: the stock tint when it is
// selected, grey when it is not.
void MPButton_setSelected(MPButton* self, SEL, BOOL selected) {
  objc::sendSuper<void(BOOL)>(self, objc::classOf<UIButton>(), "setSelected:"_sel, selected);
  for (UIView* sub : self->subviewList())
    if (sub->isKindOfClass(objc::classOf<UIImageView>()))
      sub->setTintColor(selected ? stockTint() : UIColor::withWhite(0.6, 1));
}

Ref<MPButton> glyphButton(Shape shape, CGRect frame) {
  Ref<MPButton> button = UIView::make<MPButton>(frame);
  CGFloat side = frame.size.height;
  button->addSubview(glyphView(shape, CGRectMake((frame.size.width - side) / 2, 0, side, side)));
  button->setTintColor(stockTint());
  return button;
}

Ref<MPButton> titledButton(const char* title, CGRect frame) {
  Ref<MPButton> button = UIView::make<MPButton>(frame);
  button->setTitle(NSString::withUTF8(title), UIControlStateNormal);
  objc::send<void(UIColor*, NSUInteger)>(button, "setTitleColor:forStates:"_sel, stockTint(),
                                         UIControlStateNormal | UIControlStateHighlighted);
  button->setTintColor(stockTint());
  return button;
}

// --- MPDetailSlider ----------------------------------------------------------------------

Ref<UILabel> timeLabel(const char* text, NSInteger alignment) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setText(NSString::withUTF8(text));
  label->setFont(UIFont::systemFont(11));
  label->setTextAlignment(alignment);
  label->setTextColor(stockTimeColour());
  return label;
}

UIView* Slider_initWithFrame(MPDetailSlider* self, SEL, CGRect frame) {
  auto* slider = objc::as<MPDetailSlider>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIControl>(), "initWithFrame:"_sel, frame));
  if (!slider) return nullptr;
  slider->_trackView = UIView::create(CGRectZero);
  slider->_trackView->setBackgroundColor(UIColor::withWhite(0.8, 1));
  slider->_elapsedTrackView = UIView::create(CGRectZero);
  slider->_elapsedTrackView->setBackgroundColor(UIColor::withWhite(0.35, 1));
  slider->_thumbView = UIView::make<UIImageView>(CGRectZero);
  slider->_currentTimeLabel = timeLabel("0:00", 0);
  slider->_currentTimeInverseLabel = timeLabel("-0:00", 2);
  slider->addSubview(slider->_trackView);
  slider->addSubview(slider->_elapsedTrackView);
  slider->addSubview(slider->_currentTimeLabel);
  slider->addSubview(slider->_currentTimeInverseLabel);
  slider->addSubview(slider->_thumbView);
  return slider;
}

// The stock thumb: a dark round knob.
UIImage* Slider_currentThumbImage(MPDetailSlider*, SEL) {
  const CGFloat side = 11;
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(side, side), NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, 0.2, 0.2, 0.2, 1);
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, 0, side / 2);
  CGContextAddArcToPoint(c, 0, 0, side / 2, 0, side / 2);
  CGContextAddArcToPoint(c, side, 0, side, side / 2, side / 2);
  CGContextAddArcToPoint(c, side, side, side / 2, side, side / 2);
  CGContextAddArcToPoint(c, 0, side, 0, side / 2, side / 2);
  CGContextClosePath(c);
  CGContextFillPath(c);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// The thumb is asked for its image at each layout pass, as UISlider does.
void Slider_layoutSubviews(MPDetailSlider* self, SEL) {
  CGRect b = self->bounds();
  const CGFloat inset = 16, trackY = 8;
  CGFloat width = b.size.width - 2 * inset, x = inset + width * self->_value;
  self->_trackView->setFrame(CGRectMake(inset, trackY, width, 2));
  self->_elapsedTrackView->setFrame(CGRectMake(inset, trackY, x - inset, 2));
  UIImage* thumb = self->currentThumbImage();
  CGSize size = thumb ? thumb->size() : CGSizeMake(0, 0);
  self->_thumbView->setFrame(CGRectMake(x - size.width / 2, trackY + 1 - size.height / 2, size.width, size.height));
  self->_thumbView->setImage(thumb);
  self->_currentTimeLabel->setFrame(CGRectMake(inset, trackY + 8, 60, 14));
  self->_currentTimeInverseLabel->setFrame(CGRectMake(b.size.width - inset - 60, trackY + 8, 60, 14));
}

// --- MPUStandardTransportButton and MPTransportControls ------------------------------------

Ref<UIButton> transportButton(Shape shape, CGRect frame) {
  Ref<UIButton> button = UIView::make<MPUStandardTransportButton>(frame);
  button->addSubview(glyphView(
      shape, CGRectMake((frame.size.width - frame.size.height) / 2, 0, frame.size.height, frame.size.height)));
  button->setTintColor(UIColor::blackColor());
  return button;
}

UIView* Transport_initWithFrame(MPTransportControls* self, SEL, CGRect frame) {
  auto* controls = objc::as<MPTransportControls>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!controls) return nullptr;
  CGFloat third = frame.size.width / 3, h = frame.size.height;
  controls->_previousButton = transportButton(Shape::Previous, CGRectMake(third * 0.4, 0, third * 0.6, h));
  controls->_playButton = transportButton(Shape::Pause, CGRectMake(third, 0, third, h));
  controls->_nextButton = transportButton(Shape::Next, CGRectMake(third * 2, 0, third * 0.6, h));
  controls->addSubview(controls->_previousButton);
  controls->addSubview(controls->_playButton);
  controls->addSubview(controls->_nextButton);
  return controls;
}

// --- The playback controls views ----------------------------------------------------------

constexpr CGFloat kSliderHeight = 34, kTransportTop = 84, kTransportHeight = 44, kVolumeTop = 136, kButtonsTop = 166;

Ref<UIView> volumeRow(CGFloat width) {
  Ref<UIView> row = UIView::create(CGRectMake(0, kVolumeTop, width, 22));
  row->addSubview(glyphView(Shape::Speaker, CGRectMake(12, 0, 22, 22)));
  Ref<UIView> track = UIView::create(CGRectMake(42, 10, width - 64, 2));
  track->setBackgroundColor(UIColor::withWhite(0.8, 1));
  Ref<UIView> level = UIView::create(CGRectMake(42, 10, (width - 64) * 0.6, 2));
  level->setBackgroundColor(UIColor::withWhite(0.35, 1));
  Ref<UIView> knob = UIView::create(CGRectMake(42 + (width - 64) * 0.6 - 7, 4, 14, 14));
  knob->setBackgroundColor(UIColor::withWhite(0.97, 1));
  row->addSubview(track);
  row->addSubview(level);
  row->addSubview(knob);
  row->setTintColor(UIColor::withWhite(0.45, 1));
  return row;
}

void buildPlaybackControls(MPPlaybackControlsView* view, CGFloat width) {
  view->_progressControl = UIView::make<MPDetailSlider>(CGRectMake(0, 0, width, kSliderHeight));
  view->_volumeView = volumeRow(width);
  view->_repeatButton = glyphButton(Shape::Repeat, CGRectMake(16, kButtonsTop, 60, 26));
  view->_createButton = titledButton("Create", CGRectMake(width / 2 - 40, kButtonsTop, 80, 26));
  view->_shuffleButton = glyphButton(Shape::Shuffle, CGRectMake(width - 76, kButtonsTop, 60, 26));
  view->addSubview(view->_progressControl);
  view->addSubview(view->_volumeView);
  view->addSubview(view->_repeatButton);
  view->addSubview(view->_createButton);
  view->addSubview(view->_shuffleButton);
}

UIView* Playback_initWithFrame(MPPlaybackControlsView* self, SEL, CGRect frame) {
  auto* view = objc::as<MPPlaybackControlsView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (view) buildPlaybackControls(view, frame.size.width);
  return view;
}

UIView* NowPlayingPlayback_initWithFrame(MPUNowPlayingPlaybackControlsView* self, SEL, CGRect frame) {
  auto* view = objc::as<MPUNowPlayingPlaybackControlsView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<MPPlaybackControlsView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  view->_transportControls =
      UIView::make<MPTransportControls>(CGRectMake(0, kTransportTop, frame.size.width, kTransportHeight));
  view->addSubview(view->_transportControls);
  return view;
}

}  // namespace

void registerMediaPlayerControlClasses(SliderTimeLabels labels) {
  objc::ClassBuilder<MPButton>("MPButton", objc::classOf<UIButton>())
      .method<&MPButton_setTitleColorForStates>("setTitleColor:forStates:")
      .method<&MPButton_setSelected>("setSelected:");
  objc::ClassBuilder<MPDetailSlider> slider("MPDetailSlider", objc::classOf<UIControl>());
  slider.ivar("_currentTimeLabel", &MPDetailSlider::_currentTimeLabel);
  if (labels == SliderTimeLabels::ElapsedAndRemaining)
    slider.ivar("_currentTimeInverseLabel", &MPDetailSlider::_currentTimeInverseLabel);
  slider.method<&Slider_initWithFrame>("initWithFrame:")
      .method<&Slider_currentThumbImage>("currentThumbImage")
      .method<&Slider_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<MPUStandardTransportButton>("MPUStandardTransportButton", objc::classOf<UIButton>());
  objc::ClassBuilder<MPTransportControls>("MPTransportControls", objc::classOf<UIView>())
      .method<&Transport_initWithFrame>("initWithFrame:");
  objc::ClassBuilder<MPPlaybackControlsView>("MPPlaybackControlsView", objc::classOf<UIView>())
      .ivar("_progressControl", &MPPlaybackControlsView::_progressControl)
      .method<&Playback_initWithFrame>("initWithFrame:");
  objc::ClassBuilder<MPUNowPlayingPlaybackControlsView>("MPUNowPlayingPlaybackControlsView",
                                                        objc::classOf<MPPlaybackControlsView>())
      .ivar("_transportControls", &MPUNowPlayingPlaybackControlsView::_transportControls)
      .method<&NowPlayingPlayback_initWithFrame>("initWithFrame:");
}
