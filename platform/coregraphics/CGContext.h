// CGContextObj: a Core Graphics bitmap context drawn by Cairo. Its pixels
// read as premultiplied R, G, B, A bytes, top row first; its user space
// starts with the origin at the bottom-left and y pointing up, as Core
// Graphics sets up bitmap contexts.
//
//   Ref<CGContextObj> c = adopt(CGBitmapContextCreate(nullptr, 4, 4, 8, 0, CGColorSpaceCreateDeviceRGB(),
//                                                     kCGImageAlphaPremultipliedLast));
//   CGContextSetFillColorWithColor(c, red);  CGContextFillRect(c, CGRectMake(0, 0, 4, 2));  // the bottom half
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "platform/coregraphics/CGGradient.h"
#include "platform/coregraphics/CGImage.h"

enum CGBlendMode : int32_t {
  kCGBlendModeNormal,
  kCGBlendModeMultiply,
  kCGBlendModeScreen,
  kCGBlendModeOverlay,
  kCGBlendModeDarken,
  kCGBlendModeLighten,
  kCGBlendModeColorDodge,
  kCGBlendModeColorBurn,
  kCGBlendModeSoftLight,
  kCGBlendModeHardLight,
  kCGBlendModeDifference,
  kCGBlendModeExclusion,
  kCGBlendModeHue,
  kCGBlendModeSaturation,
  kCGBlendModeColor,
  kCGBlendModeLuminosity,
  kCGBlendModeClear,
  kCGBlendModeCopy,
  kCGBlendModeSourceIn,
  kCGBlendModeSourceOut,
  kCGBlendModeSourceAtop,
  kCGBlendModeDestinationOver,
  kCGBlendModeDestinationIn,
  kCGBlendModeDestinationOut,
  kCGBlendModeDestinationAtop,
  kCGBlendModeXOR,
  kCGBlendModePlusDarker,  // not modelled: setting it leaves the mode unchanged
  kCGBlendModePlusLighter,
};

typedef uint32_t CGGradientDrawingOptions;
enum : uint32_t {
  kCGGradientDrawsBeforeStartLocation = 1 << 0,
  kCGGradientDrawsAfterEndLocation = 1 << 1,
};

struct CGContextBacking;  // the Cairo surface, pixels and graphics states (CGContext.cc)

struct CGContextObj : NSObject {
  static constexpr const char* kClassName = "__CGContext";
  CGContextBacking* _backing = nullptr;
  ~CGContextObj();
};
typedef CGContextObj* CGContextRef;

// +1. 8 bits per component, device RGB, alpha premultiplied last (the bytes
// R, G, B, A in memory); anything else, a zero or oversized side, or a row
// length too short answers NULL. With data NULL the context owns zeroed
// pixels; bytesPerRow 0 lets it choose (width × 4). Given data is drawn into
// in place and must outlive the context.
CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent,
                                   size_t bytesPerRow, CGColorSpaceRef space, uint32_t bitmapInfo);
void* CGBitmapContextGetData(CGContextRef c);
size_t CGBitmapContextGetWidth(CGContextRef c);
size_t CGBitmapContextGetHeight(CGContextRef c);
size_t CGBitmapContextGetBytesPerRow(CGContextRef c);
size_t CGBitmapContextGetBitsPerComponent(CGContextRef c);
size_t CGBitmapContextGetBitsPerPixel(CGContextRef c);
CGBitmapInfo CGBitmapContextGetBitmapInfo(CGContextRef c);
CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c);
// +1: a copy of the pixels as they are now.
CGImageRef CGBitmapContextCreateImage(CGContextRef c);
CGContextRef CGContextRetain(CGContextRef c);
void CGContextRelease(CGContextRef c);

// Graphics state: CTM, clip, fill and stroke colours, line width, blend mode.
void CGContextSaveGState(CGContextRef c);
void CGContextRestoreGState(CGContextRef c);
void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
void CGContextRotateCTM(CGContextRef c, CGFloat radians);
void CGContextSetFillColorWithColor(CGContextRef c, CGColorRef color);
void CGContextSetStrokeColorWithColor(CGContextRef c, CGColorRef color);
void CGContextSetRGBFillColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
void CGContextSetLineWidth(CGContextRef c, CGFloat width);
void CGContextSetBlendMode(CGContextRef c, CGBlendMode mode);

// Paths, in user space at the time each point is added.
void CGContextBeginPath(CGContextRef c);
void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y);
void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y);
// A line towards (x1, y1) that turns into an arc of the radius tangent to the
// lines current point → (x1, y1) and (x1, y1) → (x2, y2); without a turn or
// radius it is a line to (x1, y1).
void CGContextAddArcToPoint(CGContextRef c, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius);
void CGContextAddRect(CGContextRef c, CGRect rect);
void CGContextClosePath(CGContextRef c);

// Drawing and clipping. Every drawing operation composites with the blend
// mode inside its own shape and the clip only, as Core Graphics does, so
// source-in leaves the pixels outside the shape alone.
void CGContextFillPath(CGContextRef c);  // non-zero winding; clears the path
void CGContextStrokePath(CGContextRef c);
void CGContextFillRect(CGContextRef c, CGRect rect);
void CGContextStrokeRect(CGContextRef c, CGRect rect);
void CGContextClearRect(CGContextRef c, CGRect rect);
void CGContextClip(CGContextRef c);  // intersects with the path; clears the path
void CGContextClipToRect(CGContextRef c, CGRect rect);
// Intersects the clip with the image's alpha laid over the rectangle.
void CGContextClipToMask(CGContextRef c, CGRect rect, CGImageRef mask);
// Draws the image upright in user space: its top row along the rectangle's
// maximum y.
void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image);
// Without options the gradient covers only the band between the lines
// through the two points perpendicular to the line joining them.
void CGContextDrawLinearGradient(CGContextRef c, CGGradientRef gradient, CGPoint start, CGPoint end,
                                 CGGradientDrawingOptions options);

// Model side: lays `utf8` out on one line in the rectangle (ellipsised to its
// width, centred vertically, aligned 0 left, 1 centre, 2 right) and fills
// the glyphs with the fill colour. Glyphs stand upright where user space has
// y pointing down, as in UIKit image contexts.
void CGContextDrawTextInRect(CGContextRef c, const char* utf8, CGRect rect, CGFloat pointSize, bool bold,
                             NSInteger alignment);
// Model side: the size that CGContextDrawTextInRect's glyphs of `utf8` take
// on one unbounded line.
CGSize CGTextMeasure(const char* utf8, CGFloat pointSize, bool bold);
// Model side: the texts drawn into the context so far, directly or inside
// images drawn into it (CGDrawnText); images made from the context keep them.
const std::vector<CGDrawnText>& CGContextGetDrawnTexts(CGContextRef c);

void registerCGContext();
