// Bitmaps over Cairo image surfaces.
#include "platform/render/Bitmap.h"

#include <string>

#include "platform/imageio/ImageFile.h"

Bitmap Bitmap::create(int width, int height) {
  Bitmap b;
  b.surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(b.surface_.get()) != CAIRO_STATUS_SUCCESS) b.surface_.reset();
  return b;
}

Bitmap Bitmap::readImageFile(const std::string& path, std::string* error) {
  DecodedImage image;
  ImageReadError failure;
  if (!::readImageFile(path, {}, &image, &failure)) {
    if (error) *error = failure.cause;
    return {};
  }
  // A picture is drawn as it is stored, so a photo taken sideways is turned
  // here, once.
  Bitmap b;
  if (uprightPixels(&image)) b = create(int(image.width), int(image.height));
  if (b.empty()) {
    std::string size = std::to_string(image.width) + " x " + std::to_string(image.height);
    if (error) *error = imageReadError(ImageFailure::OutOfMemory, size).cause;
    return b;
  }
  const uint8_t* from = image.pixels.get();
  auto* rows = reinterpret_cast<uint8_t*>(b.pixels());
  for (uint32_t y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(rows + size_t(y) * b.stride());
    for (uint32_t x = 0; x < image.width; ++x, from += 4) {
      uint32_t a = from[3];
      auto premultiplied = [a](uint32_t c) { return (c * a + 127) / 255; };
      row[x] = a << 24 | premultiplied(from[0]) << 16 | premultiplied(from[1]) << 8 | premultiplied(from[2]);
    }
  }
  cairo_surface_mark_dirty(b.surface());
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
