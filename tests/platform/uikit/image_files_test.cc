// Images from files: JPEG decoding and its DCT scales, orientation and CMYK,
// the 100-megapixel limit read from JPEG and PNG headers, damaged files, and
// a 32 × 32 image drawn 1:1 into a 32 × 32 context coming through unchanged.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImageFiles.h"
#include "tests/support/picker_images.h"
#include "tests/support/pixels.h"

namespace {

struct JPEGOptions {
  int quality = 95;
  int exifOrientation = 0;  // 0: no Exif block
  bool cmyk = false;
};

// JPEG bytes of an image: RGB from the function (or C, M, Y, K from r, g,
// b, a with `cmyk`).
std::vector<uint8_t> jpegBytes(int width, int height, const std::function<Pixel(int, int)>& pixel,
                               JPEGOptions options = {}) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = options.cmyk ? 4 : 3;
  cinfo.in_color_space = options.cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  if (options.exifOrientation) {
    // "Exif\0\0", a big-endian TIFF header and IFD0 with one SHORT entry.
    const uint8_t exif[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1,
                            0, uint8_t(options.exifOrientation), 0, 0, 0, 0, 0, 0};
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif, sizeof exif);
  }
  std::vector<uint8_t> row(size_t(width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < width; ++x) {
      Pixel p = pixel(x, int(cinfo.next_scanline));
      uint8_t* o = row.data() + size_t(x) * cinfo.input_components;
      o[0] = p.r, o[1] = p.g, o[2] = p.b;
      if (options.cmyk) o[3] = p.a;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(out, out + size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

class TempFile {
 public:
  explicit TempFile(const std::vector<uint8_t>& bytes) {
    char pattern[] = "/tmp/mirel-image-XXXXXX";
    int fd = mkstemp(pattern);
    path_ = pattern;
    if (!bytes.empty()) {
      EXPECT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    close(fd);
  }
  ~TempFile() { unlink(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

// PNG bytes of an image, as UIImageWritePNG writes them.
std::vector<uint8_t> pngBytes(UIImage* image) {
  TempFile png({});
  std::string error;
  EXPECT_TRUE(UIImageWritePNG(image, png.path(), &error)) << error;
  std::ifstream in(png.path(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Pixel quadrants(int x, int y, int w, int h) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return {220, 30, 30};
  if (right && !bottom) return {30, 200, 40};
  if (!right) return {40, 60, 210};
  return {240, 240, 240};
}

TEST(ImageFilesTest, JPEGDecodesToOpaquePremultipliedPixels) {
  AutoreleasePool pool;
  TempFile file(jpegBytes(64, 48, [](int x, int y) { return quadrants(x, y, 64, 48); }));
  std::string error;
  UIImage* image = UIImageReadFile(file.path(), 2, 0, &error);
  ASSERT_NE(image, nullptr) << error;
  EXPECT_EQ(image->scale(), 2.0);
  EXPECT_EQ(image->size(), CGSizeMake(32, 24));
  EXPECT_EQ(image->imageOrientation(), UIImageOrientationUp);
  CGImageRef cg = image->CGImage();
  ASSERT_EQ(CGImageGetWidth(cg), 64u);
  ASSERT_EQ(CGImageGetHeight(cg), 48u);
  EXPECT_TRUE(near(pixelAt(cg, 8, 8), RGBA{220, 30, 30, 255}, 6)) << pixelAt(cg, 8, 8);
  EXPECT_TRUE(near(pixelAt(cg, 56, 8), RGBA{30, 200, 40, 255}, 6)) << pixelAt(cg, 56, 8);
  EXPECT_TRUE(near(pixelAt(cg, 8, 40), RGBA{40, 60, 210, 255}, 6)) << pixelAt(cg, 8, 40);
  EXPECT_TRUE(near(pixelAt(cg, 56, 40), RGBA{240, 240, 240, 255}, 6)) << pixelAt(cg, 56, 40);
  // The same through UIImage's own reader.
  EXPECT_NE(UIImage::imageWithContentsOfFile(NSString::withUTF8(file.path())), nullptr);
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
    UIImage* image = UIImageReadJPEGData(bytes.data(), bytes.size(), 1, c.minimumSide, &error);
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
        {.exifOrientation = c.exif});
    std::string error;
    UIImage* image = UIImageReadJPEGData(bytes.data(), bytes.size(), 1, 0, &error);
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

TEST(ImageFilesTest, CMYKJPEGsAreReadAsAdobeWritesThem) {
  AutoreleasePool pool;
  // Adobe's CMYK is inverted: 255 is no ink. Left half no ink (white), right
  // half full black ink.
  std::vector<uint8_t> bytes =
      jpegBytes(32, 16, [](int x, int) { return x < 16 ? Pixel{255, 255, 255, 255} : Pixel{255, 255, 255, 0}; },
                {.cmyk = true});
  std::string error;
  UIImage* image = UIImageReadJPEGData(bytes.data(), bytes.size(), 1, 0, &error);
  ASSERT_NE(image, nullptr) << error;
  EXPECT_TRUE(near(pixelAt(image->CGImage(), 4, 8), RGBA{255, 255, 255, 255}, 4)) << pixelAt(image->CGImage(), 4, 8);
  EXPECT_TRUE(near(pixelAt(image->CGImage(), 28, 8), RGBA{0, 0, 0, 255}, 4)) << pixelAt(image->CGImage(), 28, 8);
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

TEST(ImageFilesTest, MoreThan100MegapixelsAreRefusedFromTheHeader) {
  AutoreleasePool pool;
  std::vector<uint8_t> jpeg = jpegBytes(16, 16, [](int, int) { return Pixel{9, 9, 9}; });
  setJPEGSize(jpeg, 20000, 5001);  // 100.02 megapixels
  TempFile bigJPEG(jpeg);
  std::string error;
  EXPECT_EQ(UIImageReadFile(bigJPEG.path(), 1, 0, &error), nullptr);
  EXPECT_NE(error.find("20000 x 5001 pixels, more than the limit of 100 megapixels"), std::string::npos) << error;

  // Exactly 100 megapixels gets past the limit (and then fails on the data,
  // which is far too short for that size).
  setJPEGSize(jpeg, 20000, 5000);
  error.clear();
  EXPECT_EQ(UIImageReadJPEGData(jpeg.data(), jpeg.size(), 1, 32, &error), nullptr);
  EXPECT_EQ(error.find("megapixels"), std::string::npos) << error;

  // PNG: IHDR's width and height, before libpng sees the file.
  std::vector<uint8_t> bytes = pngBytes(imageFromPixels(4, 4, [](int, int) { return Pixel{1, 2, 3, 255}; }));
  const uint8_t huge[8] = {0, 0, 0x4E, 0x20, 0, 0, 0x4E, 0x20};  // 20000 x 20000
  std::memcpy(bytes.data() + 16, huge, 8);
  TempFile bigPNG(bytes);
  for (auto read : {+[](const char* path, std::string* e) { return UIImageReadFile(path, 1, 0, e); },
                    +[](const char* path, std::string* e) { return UIImageReadPNG(path, 1, e); }}) {
    error.clear();
    EXPECT_EQ(read(bigPNG.path(), &error), nullptr);
    EXPECT_NE(error.find("20000 x 20000 pixels"), std::string::npos) << error;
  }
}

TEST(ImageFilesTest, DamagedFilesFailWithAReason) {
  std::vector<uint8_t> jpeg = jpegBytes(64, 64, [](int x, int y) { return quadrants(x, y, 64, 64); });
  std::vector<uint8_t> truncated(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
  std::vector<uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 20);
  std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x13, 0x37, 0x00, 0x42};
  std::vector<uint8_t> scribbled = jpeg;
  for (size_t i = scribbled.size() / 3; i < scribbled.size() / 3 + 40; ++i) scribbled[i] ^= 0x5A;
  std::vector<uint8_t> png = pngBytes(imageFromPixels(32, 32, [](int x, int) { return Pixel{uint8_t(x * 8), 0, 0, 255}; }));
  std::vector<uint8_t> truncatedPNG(png.begin(), png.begin() + png.size() / 2);
  std::vector<uint8_t> pngHeadOnly(png.begin(), png.begin() + 20);
  std::string error;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool mayDecode;     // scribbled entropy data can still decode to something
    const char* said;   // what the reason says the file is
    const char* asPNG;  // the reason when read as a PNG (nullptr: not tried)
  };
  const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
  for (const Case& c : {Case{"truncated JPEG", truncated, false, "truncated JPEG data", nullptr},
                        Case{"JPEG header only", headerOnly, false, "truncated JPEG data", nullptr},
                        Case{"garbage after SOI", garbage, false, "damaged JPEG data", nullptr},
                        Case{"scribbled JPEG", scribbled, true, "JPEG data", nullptr},
                        Case{"truncated PNG", truncatedPNG, false, "truncated PNG file", "truncated PNG file"},
                        Case{"PNG cut in its header", pngHeadOnly, false, "truncated PNG file", "truncated PNG file"},
                        Case{"empty", {}, false, "empty file", "empty file"},
                        Case{"text", text, false, "not a JPEG or PNG image", "not a PNG image"}}) {
    AutoreleasePool pool;
    TempFile file(c.bytes);
    error.clear();
    UIImage* image = UIImageReadFile(file.path(), 1, 0, &error);
    if (!c.mayDecode) {
      EXPECT_EQ(image, nullptr) << c.name;
    }
    if (!image) {
      EXPECT_NE(error.find(c.said), std::string::npos) << c.name << ": " << error;
    }
    if (c.asPNG) {
      error.clear();
      EXPECT_EQ(UIImageReadPNG(file.path(), 1, &error), nullptr) << c.name;
      EXPECT_NE(error.find(c.asPNG), std::string::npos) << c.name << ": " << error;
    }
  }
  error.clear();
  EXPECT_EQ(UIImageReadFile("/nonexistent/cover.jpg", 1, 0, &error), nullptr);
  EXPECT_EQ(error, "No such file or directory");
  error.clear();
  EXPECT_EQ(UIImageReadFile(testing::TempDir().c_str(), 1, 0, &error), nullptr);
  EXPECT_EQ(error, "Is a directory");
}

// The picker's rendition relies on this: at 1:1 no pixel is resampled.
TEST(ImageFilesTest, A32By32ImageDrawnIntoA32By32ContextComesThroughUnchanged) {
  AutoreleasePool pool;
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
