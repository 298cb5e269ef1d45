// UIImageView.
#include "platform/uikit/UIImageView.h"

#include "platform/objc/class_builder.h"

namespace {

UIImage* ImageView_image(UIImageView* self, SEL) { return self->_image.get(); }
void ImageView_setImage(UIImageView* self, SEL, UIImage* image) { self->_image = image; }
UIView* ImageView_initWithImage(UIImageView* self, SEL, UIImage* image) {
  CGRect frame = image ? CGRect{{0, 0}, image->size()} : CGRectZero;
  UIView* view = objc::send<UIView*(CGRect)>(self, "initWithFrame:"_sel, frame);
  if (view) objc::as<UIImageView>(view)->_image = image;
  return view;
}

}  // namespace

void registerUIImageView() {
  objc::ClassBuilder<UIImageView>("UIImageView", objc::classOf<UIView>())
      .ivar("_image", &UIImageView::_image)
      .method<&ImageView_initWithImage>("initWithImage:")
      .method<&ImageView_image>("image")
      .method<&ImageView_setImage>("setImage:");
}
