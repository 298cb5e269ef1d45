// Glyphs drawn with Core Graphics.
#include "apps/common/Glyphs.h"

#include <cmath>

#include "platform/coregraphics/CGContext.h"
#include "platform/uikit/UIGraphics.h"

namespace {

void disc(CGContextRef c, CGFloat cx, CGFloat cy, CGFloat r) { fillRoundedRect(c, CGRectMake(cx - r, cy - r, 2 * r, 2 * r), r); }

void hsv(CGFloat h, CGFloat s, CGFloat v, CGFloat out[3]) {
  CGFloat i = std::floor(h * 6), f = h * 6 - i, p = v * (1 - s), q = v * (1 - f * s), t = v * (1 - (1 - f) * s);
  switch (static_cast<int>(i) % 6) {
    case 0: out[0] = v, out[1] = t, out[2] = p; break;
    case 1: out[0] = q, out[1] = v, out[2] = p; break;
    case 2: out[0] = p, out[1] = v, out[2] = t; break;
    case 3: out[0] = p, out[1] = q, out[2] = v; break;
    case 4: out[0] = t, out[1] = p, out[2] = v; break;
    default: out[0] = v, out[1] = p, out[2] = q; break;
  }
}

}  // namespace

UIImage* glyphImage(Glyph glyph, CGFloat s) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(s, s), NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, 0, 0, 0, 1);
  switch (glyph) {
    case Glyph::Playlists:
      for (int i = 0; i < 4; ++i) CGContextFillRect(c, CGRectMake(s * 0.15, s * (0.2 + i * 0.18), s * 0.7, s * 0.08));
      break;
    case Glyph::Artists:
      disc(c, s * 0.5, s * 0.33, s * 0.17);
      fillRoundedRect(c, CGRectMake(s * 0.2, s * 0.56, s * 0.6, s * 0.3), s * 0.12);
      break;
    case Glyph::Note:
      CGContextFillRect(c, CGRectMake(s * 0.55, s * 0.15, s * 0.08, s * 0.55));
      CGContextFillRect(c, CGRectMake(s * 0.55, s * 0.15, s * 0.25, s * 0.08));
      disc(c, s * 0.45, s * 0.72, s * 0.15);
      break;
    case Glyph::Albums:
      fillRoundedRect(c, CGRectMake(s * 0.15, s * 0.15, s * 0.7, s * 0.7), s * 0.06);
      break;
    case Glyph::More:
      for (int i = 0; i < 3; ++i) disc(c, s * (0.25 + i * 0.25), s * 0.5, s * 0.07);
      break;
    case Glyph::Compose:
      fillRoundedRect(c, CGRectMake(s * 0.2, s * 0.2, s * 0.6, s * 0.6), s * 0.1);
      break;
    case Glyph::Genres:  // a guitar: body and neck
      disc(c, s * 0.4, s * 0.64, s * 0.2);
      CGContextFillRect(c, CGRectMake(s * 0.46, s * 0.14, s * 0.08, s * 0.4));
      CGContextFillRect(c, CGRectMake(s * 0.42, s * 0.12, s * 0.16, s * 0.08));
      break;
    case Glyph::Compilations:  // two records overlapping
      disc(c, s * 0.38, s * 0.5, s * 0.22);
      disc(c, s * 0.64, s * 0.5, s * 0.22);
      break;
    case Glyph::Composers:  // two beamed notes
      disc(c, s * 0.3, s * 0.72, s * 0.12);
      disc(c, s * 0.68, s * 0.66, s * 0.12);
      CGContextFillRect(c, CGRectMake(s * 0.36, s * 0.2, s * 0.07, s * 0.52));
      CGContextFillRect(c, CGRectMake(s * 0.74, s * 0.14, s * 0.07, s * 0.52));
      CGContextFillRect(c, CGRectMake(s * 0.36, s * 0.14, s * 0.45, s * 0.1));
      break;
    case Glyph::Audiobooks:  // an open book
      fillRoundedRect(c, CGRectMake(s * 0.12, s * 0.22, s * 0.36, s * 0.56), s * 0.05);
      fillRoundedRect(c, CGRectMake(s * 0.52, s * 0.22, s * 0.36, s * 0.56), s * 0.05);
      break;
    case Glyph::Radio:  // a mast with a dot at its top over a base
      disc(c, s * 0.5, s * 0.3, s * 0.1);
      CGContextFillRect(c, CGRectMake(s * 0.46, s * 0.36, s * 0.08, s * 0.42));
      CGContextFillRect(c, CGRectMake(s * 0.3, s * 0.76, s * 0.4, s * 0.08));
      break;
  }
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

UIImage* coverImage(CGFloat hue, CGFloat s) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(s, s), YES, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGFloat rgb[3];
  hsv(hue, 0.55, 0.85, rgb);
  CGContextSetRGBFillColor(c, rgb[0], rgb[1], rgb[2], 1);
  CGContextFillRect(c, CGRectMake(0, 0, s, s));
  hsv(std::fmod(hue + 0.12, 1.0), 0.7, 0.55, rgb);
  CGContextSetRGBFillColor(c, rgb[0], rgb[1], rgb[2], 1);
  disc(c, s * 0.62, s * 0.58, s * 0.28);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

void fillRoundedRect(CGContextRef c, CGRect r, CGFloat radius) {
  CGFloat x0 = r.origin.x, y0 = r.origin.y, x1 = x0 + r.size.width, y1 = y0 + r.size.height;
  CGContextBeginPath(c);
  CGContextMoveToPoint(c, x0, (y0 + y1) / 2);
  CGContextAddArcToPoint(c, x0, y0, (x0 + x1) / 2, y0, radius);
  CGContextAddArcToPoint(c, x1, y0, x1, (y0 + y1) / 2, radius);
  CGContextAddArcToPoint(c, x1, y1, (x0 + x1) / 2, y1, radius);
  CGContextAddArcToPoint(c, x0, y1, x0, (y0 + y1) / 2, radius);
  CGContextClosePath(c);
  CGContextFillPath(c);
}
