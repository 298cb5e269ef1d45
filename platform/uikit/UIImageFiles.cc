// JPEG decoding through libjpeg-turbo and the format sniffing of image files.
//
// libjpeg reports fatal errors through error_exit, which must not return:
// the decoder longjmps back to the one setjmp in decodeJPEG, whose locals
// are plain C data, and frees what it took there.
#include "platform/uikit/UIImageFiles.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "platform/coregraphics/CGImage.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// libjpeg's own words follow what they mean for the file: data that ends
// early is a truncated file, anything else a damaged one.
[[noreturn]] void onError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  char said[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, said);
  int code = cinfo->err->msg_code;
  bool endsEarly = code == JWRN_JPEG_EOF || code == JERR_INPUT_EOF || code == JERR_INPUT_EMPTY;
  std::snprintf(manager->message, sizeof manager->message, "%s JPEG data (%.150s)",
                endsEarly ? "truncated" : "damaged", said);
  std::longjmp(manager->jump, 1);
}

// Warnings are ignored, except the image data ending early (the file ends,
// or a marker comes where entropy-coded data should): libjpeg would fill the
// rest of the image with grey, which is not the image.
void onMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && (cinfo->err->msg_code == JWRN_JPEG_EOF || cinfo->err->msg_code == JWRN_HIT_MARKER)) onError(cinfo);
}

uint32_t read16(const uint8_t* p, bool little) { return little ? p[0] | p[1] << 8 : p[0] << 8 | p[1]; }
uint32_t read32(const uint8_t* p, bool little) {
  return little ? p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24 : uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The Exif orientation tag (0x0112) of IFD0 as a UIImageOrientation.
UIImageOrientation exifOrientation(jpeg_saved_marker_ptr markers) {
  for (jpeg_saved_marker_ptr m = markers; m; m = m->next) {
    if (m->marker != JPEG_APP0 + 1 || m->data_length < 14 || std::memcmp(m->data, "Exif\0\0", 6) != 0) continue;
    const uint8_t* tiff = m->data + 6;
    size_t size = m->data_length - 6;
    bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) continue;
    uint32_t ifd = read32(tiff + 4, little);
    if (ifd > size - 2) continue;
    uint32_t entries = read16(tiff + ifd, little);
    for (uint32_t i = 0; i < entries; ++i) {
      size_t at = ifd + 2 + size_t(i) * 12;
      if (at + 12 > size) break;
      if (read16(tiff + at, little) != 0x0112) continue;
      switch (read16(tiff + at + 8, little)) {
        case 2: return UIImageOrientationUpMirrored;
        case 3: return UIImageOrientationDown;
        case 4: return UIImageOrientationDownMirrored;
        case 5: return UIImageOrientationLeftMirrored;
        case 6: return UIImageOrientationRight;
        case 7: return UIImageOrientationRightMirrored;
        case 8: return UIImageOrientationLeft;
        default: return UIImageOrientationUp;
      }
    }
  }
  return UIImageOrientationUp;
}

struct Decoded {
  uint8_t* pixels;  // malloc'd R, G, B, A rows, alpha 255
  JDIMENSION width, height;
  UIImageOrientation orientation;
};

// Decodes from the file when one is given, else from the bytes. On failure
// returns false with the reason in `message` (JMSG_LENGTH_MAX bytes).
bool decodeJPEG(FILE* file, const uint8_t* bytes, size_t length, size_t minimumSide, Decoded* out, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager manager;
  uint8_t* volatile pixels = nullptr;
  cinfo.err = jpeg_std_error(&manager.pub);
  manager.pub.error_exit = onError;
  manager.pub.emit_message = onMessage;
  if (setjmp(manager.jump)) {
    std::free(pixels);
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", manager.message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  if (file)
    jpeg_stdio_src(&cinfo, file);
  else
    jpeg_mem_src(&cinfo, bytes, static_cast<unsigned long>(length));
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);

  uint64_t area = uint64_t(cinfo.image_width) * cinfo.image_height;
  if (area > kUIImageMaxPixels) {
    std::snprintf(message, JMSG_LENGTH_MAX, "image is %u x %u pixels, more than the limit of %llu megapixels",
                  cinfo.image_width, cinfo.image_height,
                  static_cast<unsigned long long>(kUIImageMaxPixels / 1'000'000));
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  out->orientation = exifOrientation(cinfo.marker_list);

  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  if (minimumSide > 0) {
    for (unsigned num = 1; num <= 8; ++num) {
      cinfo.scale_num = num;
      cinfo.scale_denom = 8;
      jpeg_calc_output_dimensions(&cinfo);
      if (cinfo.output_width >= minimumSide && cinfo.output_height >= minimumSide) break;
    }
  }
  jpeg_start_decompress(&cinfo);
  size_t rowBytes = size_t(cinfo.output_width) * 4;
  pixels = static_cast<uint8_t*>(std::malloc(rowBytes * cinfo.output_height));
  if (!pixels) {
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels + size_t(cinfo.output_scanline) * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (cmyk) {
    // Adobe writes CMYK inverted (0 is full ink), which is how nearly every
    // CMYK JPEG in the wild is stored.
    bool inverted = cinfo.saw_Adobe_marker;
    for (uint8_t* p = pixels; p < pixels + rowBytes * cinfo.output_height; p += 4) {
      unsigned k = inverted ? p[3] : 255 - p[3];
      for (int c = 0; c < 3; ++c) p[c] = uint8_t(((inverted ? p[c] : 255 - p[c]) * k + 127) / 255);
      p[3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  out->pixels = pixels;
  out->width = cinfo.output_width;
  out->height = cinfo.output_height;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

void freePixels(void*, const void* data, size_t) { std::free(const_cast<void*>(data)); }

UIImage* imageFromDecoded(const Decoded& d, CGFloat scale, std::string* error) {
  size_t bytes = size_t(d.width) * d.height * 4;
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, d.pixels, bytes, &freePixels);
  // Opaque pixels are their own premultiplied form: the image uses the
  // decoder's buffer as it is.
  Ref<CGImageObj> image = adopt(CGImageCreate(d.width, d.height, 8, 32, size_t(d.width) * 4,
                                              CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedLast, provider,
                                              nullptr, true, kCGRenderingIntentDefault));
  CGDataProviderRelease(provider);
  if (!image) {
    if (error) *error = "unsupported pixel layout";
    return nil;
  }
  return UIImage::imageWithCGImage(image, scale, d.orientation);
}

UIImage* readJPEG(FILE* file, const uint8_t* bytes, size_t length, CGFloat scale, size_t minimumSide,
                  std::string* error) {
  Decoded decoded{};
  char message[JMSG_LENGTH_MAX] = {};
  if (!decodeJPEG(file, bytes, length, minimumSide, &decoded, message)) {
    if (error) *error = message;
    return nil;
  }
  return imageFromDecoded(decoded, scale, error);
}

}  // namespace

UIImage* UIImageReadJPEGData(const uint8_t* bytes, size_t length, CGFloat scale, size_t minimumSide,
                             std::string* error) {
  return readJPEG(nullptr, bytes, length, scale, minimumSide, error);
}

UIImage* UIImageReadFile(const char* path, CGFloat scale, size_t minimumSide, std::string* error) {
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    if (error) *error = std::strerror(errno);
    return nil;
  }
  uint8_t head[24] = {};
  size_t got = std::fread(head, 1, sizeof head, file);
  if (got == 0 && std::ferror(file)) {  // a directory opens, then fails to read
    if (error) *error = std::strerror(errno);  // before fclose can touch errno
    std::fclose(file);
    return nil;
  }
  static const uint8_t kPNG[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
    std::rewind(file);
    UIImage* image = readJPEG(file, nullptr, 0, scale, minimumSide, error);
    std::fclose(file);
    return image;
  }
  std::fclose(file);
  if (got >= 8 && std::memcmp(head, kPNG, 8) == 0) return UIImageReadPNG(path, scale, error);
  if (error) *error = got == 0 ? "empty file" : "not a JPEG or PNG image";
  return nil;
}

std::string UIImagePNGHeaderProblem(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return std::strerror(errno);
  uint8_t head[24] = {};
  size_t got = std::fread(head, 1, sizeof head, file);
  int readError = got == 0 && std::ferror(file) ? errno : 0;  // a directory opens, then fails to read
  std::fclose(file);
  static const uint8_t kPNG[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (readError) return std::strerror(readError);
  if (got == 0) return "empty file";
  if (got < 8 || std::memcmp(head, kPNG, 8) != 0) return "not a PNG image";
  if (got < sizeof head || std::memcmp(head + 12, "IHDR", 4) != 0) return "truncated PNG file (it ends in its header)";
  // IHDR is the first chunk: its width and height decide before libpng
  // allocates anything for the pixels.
  uint32_t width = read32(head + 16, false), height = read32(head + 20, false);
  if (uint64_t(width) * height > kUIImageMaxPixels)
    return "image is " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than the limit of " +
           std::to_string(kUIImageMaxPixels / 1'000'000) + " megapixels";
  if (width == 0 || height == 0) return "damaged PNG file (its header gives no size)";
  return "";
}
