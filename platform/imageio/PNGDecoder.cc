// PNG decoding through libpng's reading calls, into 8-bit RGBA whatever the
// file holds: palettes and their transparency, grey of 1 to 16 bits with or
// without alpha, RGB and RGBA of 8 or 16 bits, interlaced or not.
//
// Sixteen-bit samples become 8 bits by libpng's scaling, which rounds
// (v × 255 + 32767) / 65535, so 32768 reads as 128. No gamma is applied:
// gAMA, cHRM, sRGB and iCCP chunks are read past and the samples are taken
// as they are stored, as sRGB, which is what nearly every file means.
//
// libpng reports errors through a callback that must not return: it
// longjmps back to the setjmp in decodeRows. No C++ object that owns memory
// lives across that jump: what went wrong is kept as plain data and worded
// by the caller once decodeRows has returned; decodeRows's own locals that
// change after the setjmp are volatile plain C data, freed there.
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/imageio/ImageDecoders.h"
#include "platform/imageio/ImageHeader.h"

namespace {

enum class Phase { Header, Data };

struct Reading {
  ImageInput* input;
  Phase phase = Phase::Header;
  bool endedEarly = false;
  bool sizeRead = false;      // IHDR was read when it stopped
  bool outOfMemory = false;
  uint32_t width = 0, height = 0;
  char message[160] = {};     // libpng's words for its last error
};

void readBytes(png_structp png, png_bytep into, size_t count) {
  auto* reading = static_cast<Reading*>(png_get_io_ptr(png));
  if (reading->input->read(into, count) == count) return;
  if (reading->input->readError() == 0) reading->endedEarly = true;
  png_error(png, "the file ends early");
}

[[noreturn]] void onError(png_structp png, png_const_charp message) {
  auto* reading = static_cast<Reading*>(png_get_error_ptr(png));
  std::snprintf(reading->message, sizeof reading->message, "%s", message);
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// The failure of a read that stopped: where the file ended, or what libpng said.
ImageReadError failureOf(const Reading& reading) {
  if (reading.outOfMemory)
    return imageReadError(ImageFailure::OutOfMemory, ImageFormat::PNG,
                          std::to_string(reading.width) + " x " + std::to_string(reading.height));
  if (reading.input->readError())
    return imageReadError(ImageFailure::Unreadable, ImageFormat::PNG, std::strerror(reading.input->readError()));
  if (reading.endedEarly) {
    if (reading.phase == Phase::Header)
      return reading.sizeRead ? imageReadError(ImageFailure::HeaderOnly, ImageFormat::PNG)
                              : imageReadError(ImageFailure::Truncated, ImageFormat::PNG, "it ends inside its header");
    return imageReadError(ImageFailure::Truncated, ImageFormat::PNG, "its image data ends early");
  }
  // The data of the last IDAT chunk ran out before the last row.
  if (std::strcmp(reading.message, "Not enough image data") == 0)
    return imageReadError(ImageFailure::Truncated, ImageFormat::PNG, "its image data ends early");
  return imageReadError(ImageFailure::Damaged, ImageFormat::PNG, reading.message);
}

// Decodes into *out; false with what went wrong in `reading`, which lives
// in the caller's frame: it changes after the setjmp and is read after the
// longjmp.
bool decodeRows(Reading& reading, DecodedImage* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reading, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(png ? &png : nullptr, nullptr, nullptr);
    reading.outOfMemory = true;
    return false;
  }
  uint8_t* volatile pixels = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    reading.sizeRead = png_get_image_width(png, info) != 0;
    std::free(pixels);
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reading, readBytes);
  // The header check has bounded the size already; libpng's own bound of a
  // million pixels a side would refuse a tall strip within it.
  png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
  png_read_info(png, info);
  reading.phase = Phase::Data;

  png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  png_set_expand(png);     // palette to RGB, grey under 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);   // 16 bits to 8, rounded
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha yet
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size_t rowBytes = size_t(width) * 4;
  if (png_get_rowbytes(png, info) != rowBytes) png_error(png, "unexpected row layout");

  pixels = static_cast<uint8_t*>(std::malloc(rowBytes * height));
  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!pixels || !rows) {
    std::free(pixels);
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    reading.outOfMemory = true;
    reading.width = width, reading.height = height;
    return false;
  }
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels + y * rowBytes;
  // Whatever follows the last row (the IEND chunk, other chunks) is not
  // needed, so a file that lacks it is still whole.
  png_read_image(png, rows);
  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);

  out->pixels.reset(pixels);
  out->width = width;
  out->height = height;
  out->orientation = 1;
  out->opaque = true;
  for (size_t i = 3; i < rowBytes * height; i += 4)
    if (pixels[i] != 255) {
      out->opaque = false;
      break;
    }
  return true;
}

}  // namespace

bool decodePNG(ImageInput& input, DecodedImage* out, ImageReadError* error) {
  uint8_t head[kPNGSizeBytes];
  size_t got = input.peek(head, sizeof head);
  if (input.readError())
    return *error = imageReadError(ImageFailure::Unreadable, ImageFormat::PNG, std::strerror(input.readError())), false;
  ImageHeader header;
  if (!readPNGHeader(head, got, &header, error)) return false;
  Reading reading{&input};
  if (decodeRows(reading, out)) return true;
  *error = failureOf(reading);
  return false;
}
