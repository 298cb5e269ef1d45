// UIKit string drawing (-[NSString drawInRect:withAttributes:]) and where it
// goes. Inside an image context (UIGraphicsBeginImageContext...) the glyphs
// go into its pixels, as UIKit draws into the current context. Otherwise:
// views that draw their own text do it in drawRect:; whoever asks a view to
// draw (the renderer, the view dump) installs a sink for the duration and
// receives each run with its colour and font.
//
//   TextSinkScope scope(mySink);
//   view->drawRect(view->bounds());
#pragma once

#include <string>

#include "platform/coregraphics/CGGeometry.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/objc/ref.h"

struct NSString;
struct NSDictionary;
struct UIColor;

struct TextRun {
  std::string text;
  Ref<UIColor> color;  // nil: the attributes had no foreground colour (drawn black)
  CGFloat pointSize = 17;
  bool bold = false;
  NSInteger alignment = 0;  // 0 left, 1 centre, 2 right, within rect
  CGRect rect;              // in the drawing view's coordinates; text is centred vertically
};

class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void drawText(const TextRun& run) = 0;
};

class TextSinkScope {
 public:
  explicit TextSinkScope(TextSink* sink);
  ~TextSinkScope();
  TextSinkScope(const TextSinkScope&) = delete;
  TextSinkScope& operator=(const TextSinkScope&) = delete;

 private:
  TextSink* previous_;
};

// Sends -[NSString drawInRect:withAttributes:].
void drawString(NSString* text, CGRect rect, NSDictionary* attributes);

// Sends -[NSString sizeWithAttributes:]: the size the text takes on one line.
CGSize stringSize(NSString* text, NSDictionary* attributes);

// The model keeps paragraph alignment as an NSNumber under this key
// (foreground colour and font use Foundation's keys).
NSString* NSParagraphStyleAttributeName();

void registerTextDrawing();
