// An image file's rendition for the picker, from the decoder's pixels.
#include "colorpicker/PickerRendition.h"

#include "colorpicker/DominantPass.h"
#include "platform/coregraphics/CGDrawPixels.h"
#include "platform/imageio/ImageFile.h"

bool KRRenditionOfFile(const std::string& path, uint8_t* texels, std::string* error) {
  DecodedImage decoded;
  ImageReadError failure;
  ImageDecodeOptions options{.minimumSide = kDominantSide, .layout = PixelLayout::PremultipliedNativeARGB};
  if (!readImageFile(path, options, &decoded, &failure)) {
    *error = failure.cause;
    return false;
  }
  // A picture Cairo cannot take (over 32767 pixels a side) reads as no image
  // at all, as it does for UIImage.
  if (!uprightPixels(&decoded) || !CGDrawNativeARGBStretched(decoded.pixels.get(), decoded.width, decoded.height,
                                                             kDominantSide, kDominantSide, texels)) {
    *error = "cannot read the image";
    return false;
  }
  return true;
}
