// The studio's upload check: every kind of image file is taken, one too
// large in bytes or pixels is refused, and each broken file is refused in
// the words every tool uses, by the header check or, for faults past the
// header, by the decoding that follows it.
#include <gtest/gtest.h>

#include "platform/imageio/ImageFile.h"
#include "tests/support/image_kinds.h"
#include "tools/studio/image_upload.h"

namespace {

const ImageUploadLimits kLimits{.maxBytes = 1 << 20, .maxSide = 4096};

TEST(ImageUpload, TakesEveryKindAndRefusesBrokenFilesAsTheToolsDo) {
  for (const ImageKind& kind : imageKinds()) {
    std::string error;
    EXPECT_TRUE(checkImageUpload(kind.bytes, kLimits, &error)) << kind.name << ": " << error;
  }
  const std::string dir = testing::TempDir() + "uploads-" + std::to_string(getpid()) + "/";
  mkdir(dir.c_str(), 0755);
  for (const BrokenImage& b : brokenImages(dir)) {
    if (!b.fromBytes) continue;
    SCOPED_TRACE(b.name);
    std::ifstream in(dir + b.fileName, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}, error;
    if (checkImageUpload(bytes, kLimits, &error)) {
      DecodedImage image;
      ImageReadError failure;
      EXPECT_FALSE(readImageData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), {}, &image, &failure));
      error = failure.cause;
    }
    EXPECT_EQ(error, b.cause);
  }
  std::string wide = imageKinds()[0].bytes, error;
  wide.replace(16, 4, std::string("\0\0\x13\x88", 4));  // 5000 pixels wide
  EXPECT_FALSE(checkImageUpload(wide, kLimits, &error));
  EXPECT_NE(error.find("5000 x 11 pixels; at most 4096 each way"), std::string::npos) << error;
  EXPECT_FALSE(checkImageUpload(std::string(kLimits.maxBytes + 1, 'x'), kLimits, &error));
  EXPECT_EQ(error, "the image is larger than 1 MiB");
}

}  // namespace
