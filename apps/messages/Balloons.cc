// Message balloons of the stock transcript.
#include "apps/messages/Balloons.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/coregraphics/CGContext.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

namespace {

constexpr CGFloat kFontSize = 15, kLineHeight = 19, kPadding = 10, kRadius = 16;
// The system font's average advance, as a share of its size: enough to lay
// lines out without measuring each one.
constexpr CGFloat kAdvance = 0.5;

// A rounded rectangle filling an image of the balloon's size.
UIImage* balloonImage(UIColor* fill, CGSize size) {
  UIGraphicsBeginImageContextWithOptions(size, NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetFillColorWithColor(c, fill->CGColor());
  CGFloat x1 = size.width, y1 = size.height, r = std::min(kRadius, std::min(x1, y1) / 2);
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, 0, y1 / 2);
  CGContextAddArcToPoint(c, 0, 0, x1 / 2, 0, r);
  CGContextAddArcToPoint(c, x1, 0, x1, y1 / 2, r);
  CGContextAddArcToPoint(c, x1, y1, x1 / 2, y1, r);
  CGContextAddArcToPoint(c, 0, y1, 0, y1 / 2, r);
  CGContextClosePath(c);
  CGContextFillPath(c);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

}  // namespace

std::vector<std::string> wrapWords(const std::string& text, size_t maxCharacters) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  std::string word, line;
  while (words >> word) {
    if (!line.empty() && line.size() + 1 + word.size() > maxCharacters) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

Ref<UIView> balloonView(const std::string& text, bool mine, CGFloat x, CGFloat y, CGFloat maxWidth) {
  CGFloat advance = kFontSize * kAdvance;
  auto perLine = static_cast<size_t>(std::max(1.0, std::floor((maxWidth - 2 * kPadding) / advance)));
  std::vector<std::string> lines = wrapWords(text, perLine);
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  CGFloat width = std::min(maxWidth, std::ceil(longest * advance) + 2 * kPadding);
  CGFloat height = lines.size() * kLineHeight + 2 * kPadding - 4;
  // Mine sit against the right edge of the space they were given.
  CGFloat left = mine ? x + maxWidth - width : x;
  UIColor* fill = mine ? UIColor::withRGBA(0.0, 0.48, 1.0, 1) : UIColor::withWhite(0.9, 1);
  Ref<UIImageView> balloon = UIView::make<UIImageView>(CGRectMake(left, y, width, height));
  balloon->setImage(balloonImage(fill, CGSizeMake(width, height)));
  for (size_t i = 0; i < lines.size(); ++i) {
    Ref<UILabel> label = UIView::make<UILabel>(
        CGRectMake(kPadding, kPadding - 2 + i * kLineHeight, width - 2 * kPadding, kLineHeight));
    label->setText(NSString::withUTF8(lines[i]));
    label->setFont(UIFont::systemFont(kFontSize));
    label->setTextColor(mine ? UIColor::whiteColor() : UIColor::blackColor());
    balloon->addSubview(label);
  }
  return balloon;
}
