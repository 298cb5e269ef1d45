// Bitmaps over Cairo image surfaces.
#include "platform/render/Bitmap.h"

#include <cstdio>
#include <cstring>

Bitmap Bitmap::create(int width, int height) {
  Bitmap b;
  b.surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(b.surface_.get()) != CAIRO_STATUS_SUCCESS) b.surface_.reset();
  return b;
}

Bitmap Bitmap::readPNG(const std::string& path, std::string* error) {
  Bitmap b;
  // Cairo reports most broken files as out of memory; name the usual case.
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[8] = {};
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    if (got != sizeof head || std::memcmp(head, kSignature, sizeof head) != 0) {
      if (error) *error = path + " is not a PNG file";
      return b;
    }
  } else {
    if (error) *error = "cannot open " + path;
    return b;
  }
  cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS) {
    if (error) *error = std::string("cannot read PNG ") + path + ": " + cairo_status_to_string(cairo_surface_status(loaded));
    cairo_surface_destroy(loaded);
    return b;
  }
  // Normalise to ARGB32 so every bitmap has one layout.
  int w = cairo_image_surface_get_width(loaded), h = cairo_image_surface_get_height(loaded);
  b = create(w, h);
  if (b.empty()) {
    if (error) *error = "image too large: " + path;
    cairo_surface_destroy(loaded);
    return b;
  }
  cairo_t* cr = cairo_create(b.surface());
  cairo_set_source_surface(cr, loaded, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(loaded);
  return b;
}

int Bitmap::width() const { return surface_ ? cairo_image_surface_get_width(surface_.get()) : 0; }
int Bitmap::height() const { return surface_ ? cairo_image_surface_get_height(surface_.get()) : 0; }
int Bitmap::stride() const { return surface_ ? cairo_image_surface_get_stride(surface_.get()) : 0; }

uint32_t* Bitmap::pixels() const {
  if (!surface_) return nullptr;
  cairo_surface_flush(surface_.get());
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_.get()));
}

void Bitmap::rgbaAt(int x, int y, uint8_t out[4]) const {
  const uint32_t* row = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(pixels()) + y * stride());
  uint32_t p = row[x];
  uint8_t a = p >> 24;
  auto unpremultiply = [a](uint32_t c) { return static_cast<uint8_t>(a ? (c * 255 + a / 2) / a : 0); };
  out[0] = unpremultiply((p >> 16) & 0xFF);
  out[1] = unpremultiply((p >> 8) & 0xFF);
  out[2] = unpremultiply(p & 0xFF);
  out[3] = a;
}

bool Bitmap::writePNG(const std::string& path, std::string* error) const {
  if (!surface_) {
    if (error) *error = "nothing to write";
    return false;
  }
  cairo_status_t status = cairo_surface_write_to_png(surface_.get(), path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    if (error) *error = std::string("cannot write ") + path + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}
