// UISearchBar and its search field.
#include "platform/uikit/UISearchBar.h"

#include "platform/objc/class_builder.h"

namespace {

constexpr CGFloat kFieldInset = 8, kFieldHeight = 28;

// --- _UISearchBarSearchFieldBackgroundView -------------------------------------------
// On a translucent bar the field is opaque white so that its text reads over
// whatever shows through the bar; on an opaque bar a faint dark shade.

UIColor* FieldBackground_fillColor(UISearchBarSearchFieldBackgroundView*, SEL, BOOL translucentBar) {
  return translucentBar ? UIColor::withWhite(1, 1) : UIColor::withWhite(0, 0.15);
}

void FieldBackground_layoutSubviews(UISearchBarSearchFieldBackgroundView* self, SEL) {
  self->setBackgroundColor(self->fillColor(self->_onTranslucentBar));
}

// --- UISearchBarTextFieldLabel ---------------------------------------------------------
// Its initialiser, like UILabel's, stores the default colour without sending
// setTextColor:; the setter is UILabel's.

UIView* FieldLabel_initWithFrame(UISearchBarTextFieldLabel* self, SEL, CGRect frame) {
  UIView* label = objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UILabel>(), "initWithFrame:"_sel, frame);
  if (label) objc::as<UILabel>(label)->_font = UIFont::systemFont(14);
  return label;
}

// --- UISearchBarTextField ------------------------------------------------------------------

UIView* SearchField_initWithFrame(UISearchBarTextField* self, SEL, CGRect frame) {
  auto* field = objc::as<UISearchBarTextField>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UITextField>(), "initWithFrame:"_sel, frame));
  if (!field) return nullptr;
  field->_textInsetLeft = 26;  // room for the magnifying glass
  CGRect bounds = field->bounds();
  field->_backgroundView = UIView::make<UISearchBarSearchFieldBackgroundView>(bounds);
  field->_backgroundView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  field->insertSubviewAtIndex(field->_backgroundView, 0);
  Ref<UISearchBarTextFieldLabel> label = UIView::make<UISearchBarTextFieldLabel>(bounds);
  field->_displayLabel = label;
  field->addSubview(label);
  return field;
}

void SearchField_layoutSubviews(UISearchBarTextField* self, SEL _cmd) {
  self->_backgroundView->setFrame(self->bounds());
  objc::sendSuper<void()>(self, objc::classOf<UITextField>(), _cmd);
}

// --- UISearchBar ---------------------------------------------------------------------------

UIView* SearchBar_initWithFrame(UISearchBar* self, SEL, CGRect frame) {
  auto* bar = objc::as<UISearchBar>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!bar) return nullptr;
  bar->_backgroundColor = UIColor::withWhite(0.79, 0.6);
  auto* fresh = static_cast<UIView*>(objc::alloc<UISearchBarTextField>());
  bar->_searchField = adopt(objc::as<UISearchBarTextField>(fresh->initWithFrame(
      CGRectMake(kFieldInset, (frame.size.height - kFieldHeight) / 2, frame.size.width - 2 * kFieldInset,
                 kFieldHeight))));
  bar->addSubview(bar->_searchField);
  return bar;
}

UISearchBarTextField* SearchBar_searchField(UISearchBar* self, SEL) { return self->_searchField.get(); }
void SearchBar_setPlaceholder(UISearchBar* self, SEL, NSString* text) { self->_searchField->setPlaceholder(text); }
void SearchBar_setText(UISearchBar* self, SEL, NSString* text) { self->_searchField->setText(text); }

void SearchBar_layoutSubviews(UISearchBar* self, SEL) {
  CGRect b = self->bounds();
  self->_searchField->setFrame(
      CGRectMake(kFieldInset, (b.size.height - kFieldHeight) / 2, b.size.width - 2 * kFieldInset, kFieldHeight));
  self->_searchField->_backgroundView->_onTranslucentBar = self->_translucent;
}

}  // namespace

void registerUISearchBar() {
  objc::ClassBuilder<UISearchBarSearchFieldBackgroundView>("_UISearchBarSearchFieldBackgroundView",
                                                           objc::classOf<UIView>())
      .method<&FieldBackground_fillColor>("_fillColor:")
      .method<&FieldBackground_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UISearchBarTextFieldLabel>("UISearchBarTextFieldLabel", objc::classOf<UILabel>())
      .method<&FieldLabel_initWithFrame>("initWithFrame:");
  objc::ClassBuilder<UISearchBarTextField>("UISearchBarTextField", objc::classOf<UITextField>())
      .ivar("_backgroundView", &UISearchBarTextField::_backgroundView)
      .method<&SearchField_initWithFrame>("initWithFrame:")
      .method<&SearchField_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<UISearchBar>("UISearchBar", objc::classOf<UIView>())
      .ivar("_searchField", &UISearchBar::_searchField)
      .method<&SearchBar_initWithFrame>("initWithFrame:")
      .method<&SearchBar_searchField>("searchField")
      .method<&SearchBar_setPlaceholder>("setPlaceholder:")
      .method<&SearchBar_setText>("setText:")
      .method<&SearchBar_layoutSubviews>("layoutSubviews");
}
