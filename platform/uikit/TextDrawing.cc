// String drawing into the current text sink.
#include "platform/uikit/TextDrawing.h"

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIGraphics.h"

namespace {

thread_local TextSink* currentSink = nullptr;

// Text without a colour attribute is drawn black, as UIKit draws it.
void drawIntoImageContext(CGContextRef context, const TextRun& run) {
  CGContextSaveGState(context);
  CGContextSetFillColorWithColor(context, (run.color ? run.color.get() : UIColor::blackColor())->CGColor());
  CGContextDrawTextInRect(context, run.text.c_str(), run.rect, run.pointSize, run.bold, run.alignment);
  CGContextRestoreGState(context);
}

void NSString_drawInRectWithAttributes(NSString* self, SEL, CGRect rect, NSDictionary* attributes) {
  CGContextRef context = UIGraphicsGetCurrentContext();
  if (!context && !currentSink) return;
  TextRun run;
  run.text = self->str();
  run.rect = rect;
  id color = attributes ? attributes->objectForKey(NSForegroundColorAttributeName()) : nil;
  if (objc::isKind<UIColor>(color)) run.color = objc::as<UIColor>(color);
  id font = attributes ? attributes->objectForKey(NSFontAttributeName()) : nil;
  if (objc::isKind<UIFont>(font)) {
    run.pointSize = objc::as<UIFont>(font)->_pointSize;
    run.bold = objc::as<UIFont>(font)->_bold;
  }
  id alignment = attributes ? attributes->objectForKey(NSParagraphStyleAttributeName()) : nil;
  if (objc::isKind<NSNumber>(alignment)) run.alignment = objc::as<NSNumber>(alignment)->_integer;
  if (context)
    drawIntoImageContext(context, run);
  else
    currentSink->drawText(run);
}

CGSize NSString_sizeWithAttributes(NSString* self, SEL, NSDictionary* attributes) {
  id font = attributes ? attributes->objectForKey(NSFontAttributeName()) : nil;
  bool known = objc::isKind<UIFont>(font);
  return CGTextMeasure(self->str().c_str(), known ? objc::as<UIFont>(font)->_pointSize : 17,
                       known && objc::as<UIFont>(font)->_bold);
}

void NSString_drawAtPointWithAttributes(NSString* self, SEL, CGPoint point, NSDictionary* attributes) {
  NSString_drawInRectWithAttributes(self, nullptr, CGRectMake(point.x, point.y, 10000, 0), attributes);
}

}  // namespace

TextSinkScope::TextSinkScope(TextSink* sink) : previous_(currentSink) { currentSink = sink; }
TextSinkScope::~TextSinkScope() { currentSink = previous_; }

void drawString(NSString* text, CGRect rect, NSDictionary* attributes) {
  objc::send<void(CGRect, NSDictionary*)>(text, "drawInRect:withAttributes:"_sel, rect, attributes);
}

CGSize stringSize(NSString* text, NSDictionary* attributes) {
  return objc::send<CGSize(NSDictionary*)>(text, "sizeWithAttributes:"_sel, attributes);
}

NSString* NSParagraphStyleAttributeName() { return "NSParagraphStyle"_ns; }

void registerTextDrawing() {
  objc::Category(objc::classOf<NSString>())
      .method<&NSString_drawInRectWithAttributes>("drawInRect:withAttributes:")
      .method<&NSString_drawAtPointWithAttributes>("drawAtPoint:withAttributes:")
      .method<&NSString_sizeWithAttributes>("sizeWithAttributes:");
}
