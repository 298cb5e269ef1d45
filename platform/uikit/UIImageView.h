// UIImageView: shows an image by its content mode; a template image takes
// the view's tint colour.
//
//   Ref<UIImageView> cover = UIView::make<UIImageView>(frame);
//   cover->setImage(artwork);
#pragma once

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

struct UIImageView : UIView {
  static constexpr const char* kClassName = "UIImageView";
  Ref<UIImage> _image;

  UIImage* image() { return objc::send<UIImage*()>(this, "image"_sel); }
  void setImage(UIImage* image) { objc::send<void(UIImage*)>(this, "setImage:"_sel, image); }
};

void registerUIImageView();
