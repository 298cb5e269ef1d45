// Registration of the image toolkit's categories.
#include "imagekit/imagekit.h"

void registerImagekit() {
  registerNSValueADDCornerInsetExtensions();
  registerNSStringMD5Hashing();
  registerUIImageAdditions();
}
