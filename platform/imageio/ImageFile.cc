// Opening image files and handing them to their decoder.
#include "platform/imageio/ImageFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/imageio/ImageHeader.h"
#include "platform/imageio/ImageInput.h"

namespace {

bool decode(ImageInput& input, const ImageDecodeOptions& options, DecodedImage* out, ImageReadError* error) {
  uint8_t head[kImageSignatureBytes];
  size_t got = input.peek(head, sizeof head);
  if (got == 0 && input.readError())
    return *error = imageReadError(ImageFailure::Unreadable, std::strerror(input.readError())), false;
  if (got == 0) return *error = imageReadError(ImageFailure::Empty), false;
  ImageFormat format;
  if (!imageFormatOf(head, got, &format)) return *error = imageReadError(ImageFailure::NotAnImage), false;
  if (format == ImageFormat::JPEG) return decodeJPEG(input, options, out, error);
  if (!decodePNG(input, out, error)) return false;
  if (options.layout == PixelLayout::PremultipliedNativeARGB) {
    premultiplyToNativeARGB(out->pixels.get(), size_t(out->width) * out->height);
    out->layout = options.layout;
  }
  return true;
}

}  // namespace

bool readImageFile(const std::string& path, const ImageDecodeOptions& options, DecodedImage* out,
                   ImageReadError* error) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return *error = imageReadError(ImageFailure::Unreadable, std::strerror(errno)), false;
  // A directory opens for reading; it fails only at the first read.
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(file);
    return *error = imageReadError(ImageFailure::Directory), false;
  }
  ImageInput input = ImageInput::ofFile(file);
  bool done = decode(input, options, out, error);
  std::fclose(file);
  return done;
}

bool readImageData(const uint8_t* bytes, size_t length, const ImageDecodeOptions& options, DecodedImage* out,
                   ImageReadError* error) {
  ImageInput input = ImageInput::ofBytes(bytes, length);
  return decode(input, options, out, error);
}
