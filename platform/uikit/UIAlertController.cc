// UIAlertController's action sheet and its visual style.
#include "platform/uikit/UIAlertController.h"

#include "platform/objc/class_builder.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

namespace {

constexpr CGFloat kMargin = 8, kRowHeight = 57, kTitleHeight = 44;

UIColor* actionColour() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }

// --- UIAlertControllerVisualStyleActionSheet ---------------------------------------------

UIColor* Style_defaultActionBackgroundColor(id, SEL) { return UIColor::withWhite(0.97, 0.96); }
UIColor* Style_defaultActionBackgroundColorWhenSeparate(id, SEL) { return UIColor::withWhite(1, 1); }

// --- UIAlertController ----------------------------------------------------------------------

Ref<UILabel> rowLabel(NSString* text, CGRect frame, UIFont* font, UIColor* colour) {
  Ref<UILabel> label = UIView::make<UILabel>(frame);
  label->setText(text);
  label->setFont(font);
  label->setTextColor(colour);
  label->setTextAlignment(1);
  return label;
}

// The sheet is laid out once, when its view loads: the group's rows from
// the bottom up, the cancel action below them on a background of its own.
void Sheet_loadView(UIAlertController* self, SEL) {
  CGRect screen = UIScreen::mainScreen()->bounds();
  Ref<UIView> root = UIView::create(screen);
  Ref<UIView> dimming = UIView::create(screen);
  dimming->setBackgroundColor(UIColor::withWhite(0, 0.4));
  root->addSubview(dimming);

  auto* style = objc::as<UIAlertControllerVisualStyleActionSheet>(self->_visualStyle.get());
  std::vector<UIAlertAction*> grouped, cancel;
  for (id item : self->_actions->items()) {
    auto* action = objc::as<UIAlertAction>(item);
    (action->_style == UIAlertActionStyleCancel ? cancel : grouped).push_back(action);
  }
  CGFloat width = screen.size.width - 2 * kMargin;
  CGFloat y = screen.size.height - kMargin;
  for (UIAlertAction* action : cancel) {
    y -= kRowHeight;
    Ref<UIView> apart = UIView::create(CGRectMake(kMargin, y, width, kRowHeight));
    apart->setBackgroundColor(style->defaultActionBackgroundColorWhenSeparate());
    apart->addSubview(rowLabel(action->_title, apart->bounds(), UIFont::boldSystemFont(20), actionColour()));
    root->addSubview(apart);
    y -= kMargin;
  }
  CGFloat groupHeight = kRowHeight * static_cast<CGFloat>(grouped.size()) + (self->title() ? kTitleHeight : 0);
  y -= groupHeight;
  Ref<UIView> group = UIView::create(CGRectMake(kMargin, y, width, groupHeight));
  group->setBackgroundColor(style->defaultActionBackgroundColor());
  CGFloat row = 0;
  if (self->title()) {
    group->addSubview(rowLabel(self->title(), CGRectMake(0, 0, width, kTitleHeight), UIFont::boldSystemFont(13),
                               UIColor::withWhite(0.56, 1)));
    row = kTitleHeight;
  }
  for (UIAlertAction* action : grouped) {
    Ref<UIView> separator = UIView::create(CGRectMake(0, row, width, 0.5));
    separator->setBackgroundColor(UIColor::withWhite(0, 0.12));
    group->addSubview(separator);
    UIColor* colour = action->_style == UIAlertActionStyleDestructive ? UIColor::redColor() : actionColour();
    group->addSubview(rowLabel(action->_title, CGRectMake(0, row, width, kRowHeight), UIFont::systemFont(20), colour));
    row += kRowHeight;
  }
  root->addSubview(group);
  self->setView(root);
}

void Sheet_addAction(UIAlertController* self, SEL, UIAlertAction* action) {
  if (action) self->_actions->addObject(action);
}

}  // namespace

Ref<UIAlertController> UIAlertController::actionSheet(NSString* title) {
  Ref<UIAlertController> sheet = objc::make<UIAlertController>();
  sheet->setTitle(title);
  sheet->_preferredStyle = UIAlertControllerStyleActionSheet;
  sheet->_actions = objc::make<NSMutableArray>();
  sheet->_visualStyle = objc::make<UIAlertControllerVisualStyleActionSheet>();
  return sheet;
}

void UIAlertController::addAction(NSString* title, NSInteger style) {
  Ref<UIAlertAction> action = objc::make<UIAlertAction>();
  action->_title = title;
  action->_style = style;
  objc::send<void(UIAlertAction*)>(this, "addAction:"_sel, action.get());
}

void registerUIAlertController() {
  objc::ClassBuilder<UIAlertAction>("UIAlertAction", objc::classOf<NSObject>());
  objc::ClassBuilder<UIAlertControllerVisualStyleActionSheet>("UIAlertControllerVisualStyleActionSheet",
                                                              objc::classOf<NSObject>())
      .method<&Style_defaultActionBackgroundColor>("defaultActionBackgroundColor")
      .method<&Style_defaultActionBackgroundColorWhenSeparate>("defaultActionBackgroundColorWhenSeparate");
  objc::ClassBuilder<UIAlertController>("UIAlertController", objc::classOf<UIViewController>())
      .ivar("_visualStyle", &UIAlertController::_visualStyle)
      .method<&Sheet_loadView>("loadView")
      .method<&Sheet_addAction>("addAction:");
}
