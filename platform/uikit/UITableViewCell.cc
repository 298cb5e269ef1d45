// UITableViewCell and its appearance proxy.
#include "platform/uikit/UITableViewCell.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

// The proxy keeps what was set on it; new cells take it at creation.
struct UIAppearanceProxy : NSObject {
  static constexpr const char* kClassName = "_UIAppearance";
  Ref<UIView> _selectedBackgroundView;
};

UIAppearanceProxy* cellProxy() {
  static UIAppearanceProxy* proxy = [] {
    auto* p = static_cast<UIAppearanceProxy*>(class_createInstance(objc::classOf<UIAppearanceProxy>(), 0));
    p->flags_.fetch_or(objc::kImmortal);
    return p;
  }();
  return proxy;
}

void Proxy_setSelectedBackgroundView(UIAppearanceProxy* self, SEL, UIView* view) {
  self->_selectedBackgroundView = view;
}
UIView* Proxy_selectedBackgroundView(UIAppearanceProxy* self, SEL) { return self->_selectedBackgroundView.get(); }

id UITableViewCell_appearance(Class, SEL) { return cellProxy(); }

Ref<UILabel> makeLabel(CGRect frame, CGFloat size) {
  Ref<UILabel> label = UIView::make<UILabel>(frame);
  label->_font = UIFont::systemFont(size);
  return label;
}

UITableViewCell* UITableViewCell_initWithStyle(UITableViewCell* self, SEL, NSInteger style, NSString* identifier) {
  auto* cell = objc::as<UITableViewCell>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, CGRectMake(0, 0, 320, 44)));
  if (!cell) return nullptr;
  cell->_style = style;
  cell->_reuseIdentifier = identifier;
  cell->_contentView = UIView::create(CGRectMake(0, 0, 320, 44));
  cell->addSubview(cell->_contentView);
  cell->_textLabel = makeLabel(CGRectMake(15, 0, 200, 44), 17);
  cell->_contentView->addSubview(cell->_textLabel);
  if (style != UITableViewCellStyleDefault) {
    cell->_detailTextLabel = makeLabel(CGRectMake(200, 0, 105, 44), 15);
    cell->_detailTextLabel->_textColor = UIColor::grayColor();
    cell->_contentView->addSubview(cell->_detailTextLabel);
  }
  if (UIView* selected = cellProxy()->_selectedBackgroundView.get()) cell->setSelectedBackgroundView(selected);
  return cell;
}
UIView* UITableViewCell_initWithFrame(UITableViewCell* self, SEL, CGRect frame) {
  UITableViewCell* cell = UITableViewCell_initWithStyle(self, nullptr, UITableViewCellStyleDefault, nullptr);
  if (cell) cell->setFrame(frame);
  return cell;
}
UIView* UITableViewCell_selectedBackgroundView(UITableViewCell* self, SEL) {
  return self->_selectedBackgroundView.get();
}
void UITableViewCell_setSelectedBackgroundView(UITableViewCell* self, SEL, UIView* view) {
  self->_selectedBackgroundView = view;
}
UIView* UITableViewCell_contentView(UITableViewCell* self, SEL) { return self->_contentView.get(); }
UILabel* UITableViewCell_textLabel(UITableViewCell* self, SEL) { return self->_textLabel.get(); }
UILabel* UITableViewCell_detailTextLabel(UITableViewCell* self, SEL) { return self->_detailTextLabel.get(); }

}  // namespace

void registerUITableViewCell() {
  objc::ClassBuilder<UIAppearanceProxy>("_UIAppearance", objc::classOf<NSObject>())
      .method<&Proxy_setSelectedBackgroundView>("setSelectedBackgroundView:")
      .method<&Proxy_selectedBackgroundView>("selectedBackgroundView");
  objc::ClassBuilder<UITableViewCell>("UITableViewCell", objc::classOf<UIView>())
      .ivar("_selectedBackgroundView", &UITableViewCell::_selectedBackgroundView)
      .ivar("_textLabel", &UITableViewCell::_textLabel)
      .ivar("_detailTextLabel", &UITableViewCell::_detailTextLabel)
      .classMethod<&UITableViewCell_appearance>("appearance")
      .method<&UITableViewCell_initWithStyle>("initWithStyle:reuseIdentifier:")
      .method<&UITableViewCell_initWithFrame>("initWithFrame:")
      .method<&UITableViewCell_selectedBackgroundView>("selectedBackgroundView")
      .method<&UITableViewCell_setSelectedBackgroundView>("setSelectedBackgroundView:")
      .method<&UITableViewCell_contentView>("contentView")
      .method<&UITableViewCell_textLabel>("textLabel")
      .method<&UITableViewCell_detailTextLabel>("detailTextLabel");
}
