// A rendered picture: a Cairo image surface (premultiplied ARGB32) with
// its owner, image files in through the one image reader, PNG out.
//
//   Bitmap picture = Bitmap::create(640, 1136);
//   picture.writePNG("songs.png", &error);
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

class Bitmap {
 public:
  Bitmap() = default;
  static Bitmap create(int width, int height);
  // Reads a JPEG or PNG file, upright as its orientation says; an empty
  // bitmap and the reason (ImageReadError's words) when it cannot.
  static Bitmap readImageFile(const std::string& path, std::string* error);

  bool empty() const { return !surface_; }
  int width() const;
  int height() const;
  cairo_surface_t* surface() const { return surface_.get(); }
  // Premultiplied ARGB32 words, row by row (stride() bytes a row).
  uint32_t* pixels() const;
  int stride() const;
  // Straight (unpremultiplied) R, G, B, A of one pixel.
  void rgbaAt(int x, int y, uint8_t out[4]) const;

  bool writePNG(const std::string& path, std::string* error) const;

 private:
  struct Release {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  std::unique_ptr<cairo_surface_t, Release> surface_;
};
