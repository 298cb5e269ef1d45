// CGDataProviderObj and CGImageObj, and the byte-order bridge to Cairo.
#include "platform/coregraphics/CGImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/coregraphics/cairo_bridge.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

struct CGImagePixels {
  cairo_surface_t* surface = nullptr;
};

namespace cg {

void rgbaToCairo(const uint8_t* rgba, size_t rgbaStride, cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  unsigned char* base = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = rgba + y * rgbaStride;
    auto* out = reinterpret_cast<uint32_t*>(base + y * stride);
    for (int x = 0; x < width; ++x, in += 4)
      out[x] = uint32_t(in[3]) << 24 | uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | uint32_t(in[2]);
  }
  cairo_surface_mark_dirty(surface);
}

void cairoToRGBA(cairo_surface_t* surface, uint8_t* rgba, size_t rgbaStride) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* base = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(base + y * stride);
    uint8_t* out = rgba + y * rgbaStride;
    for (int x = 0; x < width; ++x, out += 4) {
      uint32_t p = in[x];
      out[0] = uint8_t(p >> 16), out[1] = uint8_t(p >> 8), out[2] = uint8_t(p), out[3] = uint8_t(p >> 24);
    }
  }
}

}  // namespace cg

namespace {

uint8_t premultiply(uint8_t c, uint8_t a) { return uint8_t((c * a + 127) / 255); }

// Validates the layout and points _rgba at premultiplied R, G, B, A rows.
bool adoptPixels(CGImageObj* image) {
  uint32_t alpha = image->_bitmapInfo & kCGBitmapAlphaInfoMask;
  uint32_t order = image->_bitmapInfo & kCGBitmapByteOrderMask;
  size_t w = image->_width, h = image->_height, bpp = image->_bitsPerPixel;
  if (w > cg::kMaxSide || h > cg::kMaxSide) return false;
  if (image->_bitsPerComponent != 8 || !image->_space || image->_space->_components != 3) return false;
  if (order != kCGBitmapByteOrderDefault && order != kCGBitmapByteOrder32Big) return false;
  bool fourBytes = bpp == 32 && (alpha == kCGImageAlphaPremultipliedLast || alpha == kCGImageAlphaLast ||
                                 alpha == kCGImageAlphaNoneSkipLast);
  bool threeBytes = bpp == 24 && alpha == kCGImageAlphaNone;
  if (!fourBytes && !threeBytes) return false;
  size_t pixelBytes = bpp / 8;
  if (image->_bytesPerRow < w * pixelBytes) return false;
  if (!image->_provider || !image->_provider->_data) return false;
  if (image->_provider->_size < image->_bytesPerRow * (h - 1) + w * pixelBytes) return false;

  const auto* source = static_cast<const uint8_t*>(image->_provider->_data);
  if (alpha == kCGImageAlphaPremultipliedLast && image->_bytesPerRow == w * 4) {
    image->_rgba = source;
    return true;
  }
  image->_converted.resize(w * h * 4);
  for (size_t y = 0; y < h; ++y) {
    const uint8_t* in = source + y * image->_bytesPerRow;
    uint8_t* out = image->_converted.data() + y * w * 4;
    for (size_t x = 0; x < w; ++x, in += pixelBytes, out += 4) {
      uint8_t a = alpha == kCGImageAlphaPremultipliedLast || alpha == kCGImageAlphaLast ? in[3] : 255;
      bool scale = alpha == kCGImageAlphaLast;
      for (int c = 0; c < 3; ++c) out[c] = scale ? premultiply(in[c], a) : in[c];
      out[3] = a;
    }
  }
  image->_rgba = image->_converted.data();
  return true;
}

}  // namespace

CGImageObj::~CGImageObj() {
  if (_pixels) {
    cairo_surface_destroy(_pixels->surface);
    delete _pixels;
  }
}

CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                               CGDataProviderReleaseDataCallback release) {
  auto* provider = static_cast<CGDataProviderObj*>(class_createInstance(objc::classOf<CGDataProviderObj>(), 0));
  provider->_info = info;
  provider->_data = data;
  provider->_size = size;
  provider->_release = release;
  return provider;
}

CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider) {
  objc_retain(provider);
  return provider;
}

void CGDataProviderRelease(CGDataProviderRef provider) { objc_release(provider); }

CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
                         CGColorSpaceRef space, CGBitmapInfo bitmapInfo, CGDataProviderRef provider,
                         const CGFloat* decode, bool shouldInterpolate, CGColorRenderingIntent intent) {
  if (width == 0 || height == 0 || decode) return nullptr;  // decode arrays are not modelled
  auto* image = static_cast<CGImageObj*>(class_createInstance(objc::classOf<CGImageObj>(), 0));
  image->_width = width;
  image->_height = height;
  image->_bitsPerComponent = bitsPerComponent;
  image->_bitsPerPixel = bitsPerPixel;
  image->_bytesPerRow = bytesPerRow;
  image->_bitmapInfo = bitmapInfo;
  image->_shouldInterpolate = shouldInterpolate;
  image->_space = space;
  image->_provider = provider;
  if (!adoptPixels(image)) {
    objc_release(image);
    return nullptr;
  }
  return image;
}

CGImageRef CGImageCreateWithImageInRect(CGImageRef image, CGRect rect) {
  if (!image) return nullptr;
  double x0 = std::fmax(0, std::floor(CGRectGetMinX(rect))), y0 = std::fmax(0, std::floor(CGRectGetMinY(rect)));
  double x1 = std::fmin(double(image->_width), std::ceil(CGRectGetMaxX(rect)));
  double y1 = std::fmin(double(image->_height), std::ceil(CGRectGetMaxY(rect)));
  if (!(x1 > x0) || !(y1 > y0)) return nullptr;
  size_t left = size_t(x0), top = size_t(y0), width = size_t(x1 - x0), height = size_t(y1 - y0);
  auto* pixels = static_cast<uint8_t*>(std::malloc(width * height * 4));
  if (!pixels) return nullptr;
  for (size_t y = 0; y < height; ++y)
    std::memcpy(pixels + y * width * 4, image->_rgba + ((top + y) * image->_width + left) * 4, width * 4);
  CGDataProviderRef provider = CGDataProviderCreateWithData(
      nullptr, pixels, width * height * 4, [](void*, const void* data, size_t) { std::free(const_cast<void*>(data)); });
  CGImageRef part = CGImageCreate(width, height, 8, 32, width * 4, image->_space, kCGImageAlphaPremultipliedLast, provider,
                                  nullptr, image->_shouldInterpolate, kCGRenderingIntentDefault);
  CGDataProviderRelease(provider);
  return part;
}

CGImageRef CGImageRetain(CGImageRef image) {
  objc_retain(image);
  return image;
}

void CGImageRelease(CGImageRef image) { objc_release(image); }

size_t CGImageGetWidth(CGImageRef image) { return image ? image->_width : 0; }
size_t CGImageGetHeight(CGImageRef image) { return image ? image->_height : 0; }
size_t CGImageGetBitsPerComponent(CGImageRef image) { return image ? image->_bitsPerComponent : 0; }
size_t CGImageGetBitsPerPixel(CGImageRef image) { return image ? image->_bitsPerPixel : 0; }
size_t CGImageGetBytesPerRow(CGImageRef image) { return image ? image->_bytesPerRow : 0; }
CGBitmapInfo CGImageGetBitmapInfo(CGImageRef image) { return image ? image->_bitmapInfo : 0; }
CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image) {
  return image ? image->_bitmapInfo & kCGBitmapAlphaInfoMask : kCGImageAlphaNone;
}
CGColorSpaceRef CGImageGetColorSpace(CGImageRef image) { return image ? image->_space.get() : nullptr; }
CGDataProviderRef CGImageGetDataProvider(CGImageRef image) { return image ? image->_provider.get() : nullptr; }
const uint8_t* CGImageGetPremultipliedRGBA(CGImageRef image) { return image ? image->_rgba : nullptr; }

cairo_surface_t* CGImageCairoSurface(CGImageRef image) {
  std::call_once(image->_pixelsOnce, [image] {
    auto* pixels = new CGImagePixels;
    pixels->surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(image->_width), static_cast<int>(image->_height));
    cg::rgbaToCairo(image->_rgba, image->_width * 4, pixels->surface);
    image->_pixels = pixels;
  });
  return image->_pixels->surface;
}

void registerCGImage() {
  objc::ClassBuilder<CGDataProviderObj>("__CGDataProvider", objc::classOf<NSObject>());
  objc::ClassBuilder<CGImageObj>("__CGImage", objc::classOf<NSObject>());
}
