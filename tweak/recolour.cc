// Recolouring helpers.
#include "tweak/recolour.h"

#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIGraphics.h"

NSMutableDictionary* attributesWithForegroundColor(NSDictionary* attributes, UIColor* colour) {
  auto* copy = objc::as<NSMutableDictionary>(objc_autorelease(objc::send<id()>(attributes, "mutableCopy"_sel)));
  objc::send<void(id, id)>(copy, "setObject:forKey:"_sel, colour, NSForegroundColorAttributeName());
  return copy;
}

UIImage* imageFilledWithColor(UIColor* colour, UIImage* image) {
  CGSize size = objc::send<CGSize()>(image, "size"_sel);
  UIGraphicsBeginImageContextWithOptions(size, NO, objc::send<CGFloat()>(image, "scale"_sel));
  CGContextRef context = UIGraphicsGetCurrentContext();
  objc::send<void()>(colour, "setFill"_sel);
  // The image context has its origin at the top-left; the mask is laid in
  // Core Graphics' own orientation so that the result comes out upright.
  CGContextTranslateCTM(context, 0, size.height);
  CGContextScaleCTM(context, 1, -1);
  CGRect rect = CGRectMake(0, 0, size.width, size.height);
  CGContextClipToMask(context, rect, objc::send<CGImageRef()>(image, "CGImage"_sel));
  CGContextFillRect(context, rect);
  UIImage* result = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return result;
}

void clearBackground(id view) { objc::send<void(UIColor*)>(view, "setBackgroundColor:"_sel, UIColor::clearColor()); }

void recolourLabelField(id object, const char* fieldName, UIColor* colour) {
  Ivar field = class_getInstanceVariable(object_getClass(object), fieldName);
  if (!field) return;
  objc::send<void(UIColor*)>(object_getIvar(object, field), "setTextColor:"_sel, colour);
}
