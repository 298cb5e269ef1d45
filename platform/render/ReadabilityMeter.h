// The compositor's side of readability: told of each text just before its
// glyphs go down, it reads the canvas pixels under the text's box (what lies
// behind the text, as the render order leaves it) and keeps a contrast ratio
// per pixel; told of each opaque paint afterwards, it takes the pixels that
// paint covers out of the texts measured before it. No pixel is drawn twice.
//
//   ReadabilityMeter meter(canvas, 2);
//   meter.text(reading);          // box, ink and view filled in, before drawing it
//   meter.cover(x, y, w, h);      // an opaque view drawn later
//   std::vector<TextReading> texts = meter.finish();
#pragma once

#include <cstdint>
#include <vector>

#include "platform/render/Bitmap.h"
#include "platform/render/Readability.h"

class ReadabilityMeter {
 public:
  ReadabilityMeter(const Bitmap& canvas, double scale);

  // `reading` holds the text, its line box in window points, its view,
  // font and ink; the meter clips the box to the screen and leaves out a
  // text with nothing on it.
  void text(TextReading reading);
  // Window points painted opaque from now on.
  void cover(double x, double y, double width, double height);
  // Whether a text measured so far lies under the rectangle (so that a
  // paint's opacity is worth finding out).
  bool textUnder(double x, double y, double width, double height) const;

  // The records, in drawing order; texts covered entirely are left out.
  std::vector<TextReading> finish();

 private:
  struct PixelBox {
    int x0, y0, x1, y1;  // pixel centres inside: [x0, x1) × [y0, y1)
    bool empty() const { return x1 <= x0 || y1 <= y0; }
  };
  struct Pending {
    TextReading reading;
    PixelBox box;
    std::vector<float> ratios;  // row by row over the box
    size_t coversBefore;        // covers drawn before the text do not hide it
  };
  PixelBox pixelBox(double x, double y, double width, double height) const;

  const Bitmap& canvas_;
  double scale_;
  std::vector<Pending> pending_;
  std::vector<PixelBox> covers_;
};
