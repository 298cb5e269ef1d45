// The picker's rendition of a file made straight from the decoder against
// the one the image objects make of the same file (UIImageReadFile,
// scaleImage:, setupTextureFromImage:): the same bytes for every kind of
// file the reader takes, small pictures stretched and large ones shrunk
// from a DCT scale, turned by their Exif orientation, with and without alpha.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "colorpicker/PickerRendition.h"
#include "colorpicker/colorpicker.h"
#include "platform/uikit/UIImageFiles.h"
#include "tests/support/image_kinds.h"

namespace {

std::vector<ImageKind> largeKinds() {
  using namespace image_kinds;
  const RGB red{220, 30, 30}, green{30, 200, 40}, blue{40, 60, 210}, white{240, 240, 240};
  std::vector<ImageKind> kinds;
  for (auto [exif, side] : {std::pair{0, 600}, std::pair{6, 1200}, std::pair{3, 333}}) {
    JPEGRecipe photo{.width = side, .height = side * 2 / 3, .quadrants = {red, green, blue, white}, .exif = exif};
    photo.progressive = exif == 3;
    kinds.push_back(jpegKind("large JPEG", "large" + std::to_string(side) + ".jpg", photo, {red, green, blue, white}));
  }
  JPEGRecipe cmyk{.width = 257,
                  .height = 190,
                  .quadrants = {{255, 255, 255}, {0, 0, 255}, {0, 255, 255}, {255, 127, 255}},
                  .cmyk = true};
  kinds.push_back(jpegKind("large CMYK JPEG", "large-cmyk.jpg", cmyk, {}));
  kinds.push_back(pngKind("large RGBA PNG", "large.png",
                          PNGRecipe{.width = 301, .height = 77, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .seed = 31}));
  return kinds;
}

TEST(PickerRenditionTest, StraightFromTheDecoderIsTheImageObjectsRendition) {
  std::vector<ImageKind> kinds = imageKinds(), large = largeKinds();
  kinds.insert(kinds.end(), large.begin(), large.end());
  const std::string dir = ::testing::TempDir() + "rendition-" + std::to_string(getpid()) + "/";
  mkdir(dir.c_str(), 0755);
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(KRColorPickerBackendCPU);
  for (const ImageKind& kind : kinds) {
    AutoreleasePool pool;
    const std::string path = dir + kind.fileName;
    writeFileBytes(path, kind.bytes);
    std::string error;
    UIImage* image = UIImageReadFile(path.c_str(), 1, kDominantSide, &error);
    ASSERT_TRUE(image) << kind.name << ": " << error;
    picker->setupTextureFromImage(picker->scaleImage(image, kDominantSide, kDominantSide));
    std::array<uint8_t, kDominantSide * kDominantSide * 4> direct{};
    ASSERT_TRUE(KRRenditionOfFile(path, direct.data(), &error)) << kind.name << ": " << error;
    EXPECT_EQ(direct, picker->_texels) << kind.name << " (" << kind.fileName << ")";
    unlink(path.c_str());
  }
  rmdir(dir.c_str());
}

}  // namespace
