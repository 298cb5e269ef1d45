// Images from files: every kind of PNG and JPEG through every reader (the
// decoded pixels, the UIImage of artwork and toolkit inputs, the wallpaper's
// bitmap), every broken file named alike by all of them, JPEG's DCT scales
// and orientations, the 100-megapixel limit at its edge, and a 32 × 32
// image drawn 1:1 into a 32 × 32 context coming through unchanged.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/imageio/ImageFile.h"
#include "platform/render/Bitmap.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImageFiles.h"
#include "platform/uikit/UIImageOrientation.h"
#include "tests/support/image_kinds.h"
#include "tests/support/picker_images.h"
#include "tests/support/pixels.h"

namespace {

// JPEG bytes of an image's RGB.
std::vector<uint8_t> jpegBytes(int width, int height, const std::function<Pixel(int, int)>& pixel, int exif = 0) {
  std::string bytes = image_kinds::jpegBytes(width, height, {.exif = exif}, [&](int x, int y, uint8_t* o) {
    Pixel p = pixel(x, y);
    o[0] = p.r, o[1] = p.g, o[2] = p.b;
  });
  return {bytes.begin(), bytes.end()};
}

// A path of this process's own: other test runs share the temporary folder.
std::string scratchPath(const std::string& name) {
  return testing::TempDir() + "image-files-" + std::to_string(getpid()) + "-" + name;
}

Pixel quadrants(int x, int y, int w, int h) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return {220, 30, 30};
  if (right && !bottom) return {30, 200, 40};
  if (!right) return {40, 60, 210};
  return {240, 240, 240};
}

// Each kind of file reads as its pixels through every reader: the decoded
// pixels (straight, from the file and from its bytes), the UIImage that the
// artwork, the picker and mirel-image read (premultiplied, its size in
// points at its scale), and the wallpaper's bitmap (premultiplied, upright).
TEST(ImageFilesTest, EveryKindReadsAsItsPixelsThroughEveryReader) {
  for (const ImageKind& kind : imageKinds()) {
    SCOPED_TRACE(kind.name);
    AutoreleasePool pool;
    const std::string path = scratchPath(kind.fileName);
    writeFileBytes(path, kind.bytes);
    DecodedImage decoded, fromBytes;
    ImageReadError error;
    ASSERT_TRUE(readImageFile(path, {}, &decoded, &error)) << error.cause;
    ASSERT_TRUE(readImageData(reinterpret_cast<const uint8_t*>(kind.bytes.data()), kind.bytes.size(), {}, &fromBytes,
                              &error))
        << error.cause;
    ASSERT_EQ(0, std::memcmp(decoded.pixels.get(), fromBytes.pixels.get(), decoded.byteCount()));
    ASSERT_TRUE(uprightPixels(&decoded));
    ASSERT_EQ(int(decoded.width), kind.width);
    ASSERT_EQ(int(decoded.height), kind.height);

    std::string reason;
    UIImage* image = UIImageReadFile(path.c_str(), 2, 0, &reason);
    ASSERT_NE(image, nullptr) << reason;
    EXPECT_EQ(image->size(), CGSizeMake(kind.width / 2.0, kind.height / 2.0));
    Ref<CGImageObj> upright = UIImageUprightCGImage(image->CGImage(), image->imageOrientation());

    Bitmap wallpaper = Bitmap::readImageFile(path, &reason);
    ASSERT_FALSE(wallpaper.empty()) << reason;
    ASSERT_EQ(wallpaper.width(), kind.width);
    ASSERT_EQ(wallpaper.height(), kind.height);

    expectKindPixels(kind, "decoded", false, [&](int x, int y) {
      const uint8_t* p = decoded.pixels.get() + (size_t(y) * kind.width + x) * 4;
      return std::array<int, 4>{p[0], p[1], p[2], p[3]};
    });
    expectKindPixels(kind, "UIImage", true, [&](int x, int y) {
      RGBA p = pixelAt(upright, x, y);
      return std::array<int, 4>{p.r, p.g, p.b, p.a};
    });
    expectKindPixels(kind, "wallpaper", true, [&](int x, int y) {
      uint32_t w = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(wallpaper.pixels()) +
                                                     y * wallpaper.stride())[x];
      return std::array<int, 4>{int(w >> 16 & 255), int(w >> 8 & 255), int(w & 255), int(w >> 24)};
    });
    unlink(path.c_str());
  }
}

TEST(ImageFilesTest, JPEGDecodesAtTheSmallestScaleKeepingTheMinimumSide) {
  struct Case {
    int width, height;
    size_t minimumSide;
    size_t decodedWidth, decodedHeight;
  };
  for (Case c : {Case{600, 600, 32, 75, 75}, Case{600, 600, 0, 600, 600}, Case{200, 100, 32, 75, 38},
                 Case{256, 256, 32, 32, 32}, Case{255, 255, 32, 32, 32}, Case{247, 247, 32, 62, 62}, Case{20, 40, 32, 20, 40},
                 Case{640, 64, 32, 320, 32}}) {
    AutoreleasePool pool;
    std::vector<uint8_t> bytes =
        jpegBytes(c.width, c.height, [&](int x, int y) { return quadrants(x, y, c.width, c.height); });
    std::string error;
    UIImage* image = UIImageReadData(bytes.data(), bytes.size(), 1, c.minimumSide, &error);
    ASSERT_NE(image, nullptr) << error;
    EXPECT_EQ(CGImageGetWidth(image->CGImage()), c.decodedWidth) << c.width << " x " << c.height;
    EXPECT_EQ(CGImageGetHeight(image->CGImage()), c.decodedHeight) << c.width << " x " << c.height;
    // Shrunk or not, the quadrants are where they were.
    size_t w = c.decodedWidth, h = c.decodedHeight;
    EXPECT_TRUE(near(pixelAt(image->CGImage(), w / 4, h / 4), RGBA{220, 30, 30, 255}, 12));
    EXPECT_TRUE(near(pixelAt(image->CGImage(), 3 * w / 4, 3 * h / 4), RGBA{240, 240, 240, 255}, 12));
  }
}

// A cover photographed sideways: the file keeps its pixels as stored and
// names its orientation in Exif; the image's size and what drawing it
// shows are the upright picture. The stored picture is 32 x 16 with red in
// its top-left quarter and green in its top-right one; each orientation
// takes those two corners where the Exif definition says.
TEST(ImageFilesTest, ExifOrientationIsAppliedWhereTheImageIsDrawn) {
  enum Corner { TL, TR, BL, BR };
  struct Case {
    int exif;
    UIImageOrientation orientation;
    Corner red, green;
  };
  const Case cases[] = {
      {0, UIImageOrientationUp, TL, TR},          {1, UIImageOrientationUp, TL, TR},
      {2, UIImageOrientationUpMirrored, TR, TL},  {3, UIImageOrientationDown, BR, BL},
      {4, UIImageOrientationDownMirrored, BL, BR}, {5, UIImageOrientationLeftMirrored, TL, BL},
      {6, UIImageOrientationRight, TR, BR},       {7, UIImageOrientationRightMirrored, BR, TR},
      {8, UIImageOrientationLeft, BL, TL},
  };
  const RGBA kRed{220, 30, 30, 255}, kGreen{30, 200, 40, 255};
  for (const Case& c : cases) {
    SCOPED_TRACE("Exif " + std::to_string(c.exif));
    AutoreleasePool pool;
    std::vector<uint8_t> bytes = jpegBytes(
        32, 16,
        [&](int x, int y) {
          if (y < 8) return x < 16 ? Pixel{220, 30, 30} : Pixel{30, 200, 40};
          return Pixel{128, 128, 128};
        },
        c.exif);
    std::string error;
    UIImage* image = UIImageReadData(bytes.data(), bytes.size(), 1, 0, &error);
    ASSERT_NE(image, nullptr) << error;
    EXPECT_EQ(image->imageOrientation(), c.orientation);
    bool sideways = c.exif >= 5;
    CGSize size = image->size();
    ASSERT_EQ(size.width, sideways ? 16 : 32);
    ASSERT_EQ(size.height, sideways ? 32 : 16);
    UIGraphicsBeginImageContextWithOptions(size, NO, 1);
    image->drawInRect(CGRectMake(0, 0, size.width, size.height));
    UIImage* drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    auto at = [&](Corner corner) {
      size_t x = corner == TL || corner == BL ? 2 : size_t(size.width) - 3;
      size_t y = corner == TL || corner == TR ? 2 : size_t(size.height) - 3;
      return pixelAt(drawn->CGImage(), x, y);
    };
    EXPECT_TRUE(near(at(c.red), kRed, 12)) << at(c.red);
    EXPECT_TRUE(near(at(c.green), kGreen, 12)) << at(c.green);
  }
}

// Sets the frame size fields of a JPEG's SOF0 marker.
void setJPEGSize(std::vector<uint8_t>& bytes, unsigned width, unsigned height) {
  for (size_t i = 2; i + 9 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      bytes[i + 5] = uint8_t(height >> 8), bytes[i + 6] = uint8_t(height);
      bytes[i + 7] = uint8_t(width >> 8), bytes[i + 8] = uint8_t(width);
      return;
    }
  ADD_FAILURE() << "no SOF0 marker";
}

// Exactly 100 megapixels gets past the limit (and then fails on the data,
// which is far too short for that size); one row more does not.
TEST(ImageFilesTest, TheLimitIs100MegapixelsFromTheHeader) {
  std::vector<uint8_t> jpeg = jpegBytes(16, 16, [](int, int) { return Pixel{9, 9, 9}; });
  for (auto [height, refused] : {std::pair{5000u, false}, std::pair{5001u, true}}) {
    setJPEGSize(jpeg, 20000, height);
    std::string error;
    EXPECT_EQ(UIImageReadData(jpeg.data(), jpeg.size(), 1, 32, &error), nullptr);
    EXPECT_EQ(error.find("more than the limit of 100 megapixels") != std::string::npos, refused) << error;
  }
}

// Every reader gives each broken file the same words, which name its fault.
TEST(ImageFilesTest, BrokenFilesAreNamedAlikeByEveryReader) {
  const std::string dir = testing::TempDir() + "broken-images-" + std::to_string(getpid()) + "/";
  mkdir(dir.c_str(), 0755);
  std::vector<BrokenImage> broken = brokenImages(dir);
  // Damage the decoders find, with their own words after the kind.
  std::vector<uint8_t> jpeg = jpegBytes(64, 64, [](int x, int y) { return quadrants(x, y, 64, 64); });
  std::string png = imageKinds()[1].bytes;  // PNG RGB 8-bit
  png[30] ^= 0x55;  // inside IHDR's CRC
  writeFileBytes(dir + "garbage.jpg", std::string("\xFF\xD8\xFF\x13\x37\x00\x42", 7));
  writeFileBytes(dir + "crc.png", png);
  broken.push_back({"garbage after a JPEG's start", "garbage.jpg", "damaged JPEG file ("});
  broken.push_back({"a PNG chunk that fails its check", "crc.png", "damaged PNG file ("});
  for (const BrokenImage& b : broken) {
    SCOPED_TRACE(b.name);
    AutoreleasePool pool;
    const std::string path = dir + b.fileName;
    auto says = [&](const std::string& said) {
      return b.cause[std::strlen(b.cause) - 1] == '(' ? said.rfind(b.cause, 0) == 0 : said == b.cause;
    };
    DecodedImage decoded;
    ImageReadError error;
    EXPECT_FALSE(readImageFile(path, {}, &decoded, &error));
    EXPECT_TRUE(says(error.cause)) << error.cause;
    std::string artwork, wallpaper;
    EXPECT_EQ(UIImageReadFile(path.c_str(), 1, 32, &artwork), nullptr);
    EXPECT_TRUE(says(artwork)) << artwork;
    EXPECT_TRUE(Bitmap::readImageFile(path, &wallpaper).empty());
    EXPECT_TRUE(says(wallpaper)) << wallpaper;
    if (b.fromBytes) {
      std::ifstream in(path, std::ios::binary);
      std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      EXPECT_FALSE(readImageData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), {}, &decoded, &error));
      EXPECT_TRUE(says(error.cause)) << "from memory: " << error.cause;
    }
  }
  // Scribbled entropy data may still decode to something, but never crashes.
  for (size_t i = jpeg.size() / 3; i < jpeg.size() / 3 + 40; ++i) jpeg[i] ^= 0x5A;
  std::string error;
  if (!UIImageReadData(jpeg.data(), jpeg.size(), 1, 0, &error)) {
    EXPECT_NE(error.find("JPEG file"), std::string::npos) << error;
  }
}

// The picker's rendition relies on this: at 1:1 no pixel is resampled.
TEST(ImageFilesTest, A32By32ImageDrawnIntoA32By32ContextComesThroughUnchanged) {
  for (unsigned seed : {0u, 1u, 4u, 7u}) {
    auto source = artwork(seed, 32);
    UIImage* image = imageFromPixels(32, 32, [&](int x, int y) {
      Pixel p = source(x, y);
      // Some translucent pixels, premultiplied.
      if ((x + y) % 5 == 0) p = Pixel{uint8_t(p.r / 2), uint8_t(p.g / 2), uint8_t(p.b / 2), 128};
      return p;
    });
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(32, 32), NO, 1.0);
    image->drawInRect(CGRectMake(0, 0, 32, 32));
    UIImage* drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_NE(drawn, nullptr);
    ASSERT_EQ(0, std::memcmp(CGImageGetPremultipliedRGBA(drawn->CGImage()),
                             CGImageGetPremultipliedRGBA(image->CGImage()), 32 * 32 * 4))
        << "artwork " << seed;
  }
}

}  // namespace
