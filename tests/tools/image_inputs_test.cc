// Image files through every tool that reads them, as a user runs the
// tools: each kind of PNG gives mirel-pick the scheme its plain 8-bit
// picture gives and each JPEG the background of its upright top-left
// quadrant, mirel-image writes each kind's pixels, mirel-preview takes JPEG
// wallpapers, and each broken file is named with the same words by all,
// mirel-studio's start files included.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <sstream>

#include "tests/support/image_kinds.h"
#include "tests/tools/cli_cases.h"

namespace {

// A folder of this process's own: other test runs share the temporary one.
std::string scratchDir(const std::string& name) {
  std::string dir = ::testing::TempDir() + name + "-" + std::to_string(getpid()) + "/";
  mkdir(dir.c_str(), 0755);
  return dir;
}

std::vector<nlohmann::json> jsonLines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line, nullptr, false));
  return lines;
}

int channelOfHex(const std::string& hex, int c) { return std::stoi(hex.substr(1 + 2 * c, 2), nullptr, 16); }

TEST(ImageInputs, PickReadsEveryKindAsItsPlainPicture) {
  const std::string dir = scratchDir("pick-kinds");
  std::vector<ImageKind> kinds = imageKinds();
  std::string files;
  for (const ImageKind& kind : kinds) {
    writeFileBytes(dir + kind.fileName, kind.bytes);
    writeFileBytes(dir + "plain-" + kind.fileName + ".png", plainPNG(kind));
    files += " " + dir + kind.fileName + " " + dir + "plain-" + kind.fileName + ".png";
  }
  ToolRun run = runTool(MIREL_PICK " --backend cpu" + files);
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  std::vector<nlohmann::json> lines = jsonLines(run.out);
  ASSERT_EQ(lines.size(), 2 * kinds.size()) << run.out;
  for (size_t i = 0; i < kinds.size(); ++i) {
    SCOPED_TRACE(kinds[i].name);
    nlohmann::json got = lines[2 * i], plain = lines[2 * i + 1];
    if (kinds[i].tolerance == 0) {
      for (const char* key : {"background", "primary", "secondary"}) EXPECT_EQ(got[key], plain[key]) << key;
      continue;
    }
    // A JPEG's background is of the upright picture's top-left quadrant:
    // nearer its colour than any other quadrant's. (The picker counts
    // samples its soft edges blur, so the colour most counted lies near
    // the quadrant's, where the plain picture's sharp edges give another.)
    const ImageKind& k = kinds[i];
    const uint8_t* quadrants[4] = {k.at(k.width / 4, k.height / 4), k.at(3 * k.width / 4, k.height / 4),
                                   k.at(k.width / 4, 3 * k.height / 4), k.at(3 * k.width / 4, 3 * k.height / 4)};
    auto distance = [&](const uint8_t* q) {
      int d = 0;
      for (int c = 0; c < 3; ++c) {
        int step = channelOfHex(got["background"], c) - q[c];
        d += step * step;
      }
      return d;
    };
    for (int q = 1; q < 4; ++q)
      EXPECT_LT(distance(quadrants[0]), distance(quadrants[q])) << got["background"] << " against quadrant " << q;
  }
}

// mirel-image writes each kind's pixels; mirel-preview takes a wallpaper
// photo taken sideways and a progressive artwork.
TEST(ImageInputs, MirelImageReadsEveryKindAsItsPixelsAndPreviewTakesJPEGs) {
  const std::string dir = scratchDir("image-kinds");
  std::string wallpaper, artwork;
  for (const ImageKind& kind : imageKinds()) {
    SCOPED_TRACE(kind.name);
    writeFileBytes(dir + kind.fileName, kind.bytes);
    if (kind.name == "JPEG with Exif orientation 6") wallpaper = dir + kind.fileName;
    if (kind.name == "JPEG progressive") artwork = dir + kind.fileName;
    const std::string out = dir + "out-" + kind.fileName + ".png";
    ToolRun run = runTool(MIREL_IMAGE " round " + dir + kind.fileName + " --radius 0 -o " + out);
    ASSERT_EQ(run.status, 0) << run.err;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels = readToolPNG(out, &width, &height);
    ASSERT_EQ(width, kind.width);
    ASSERT_EQ(height, kind.height);
    expectKindPixels(kind, "mirel-image", true, [&](int x, int y) {
      return premultipliedPixel(pixels.data() + (size_t(y) * width + x) * 4);
    });
  }
  const std::string arguments =
      "--app messages --scale 1 --wallpaper " + wallpaper + " --artwork " + artwork + " --out " + dir + "out";
  expectRuns(MIREL_PREVIEW, {{"JPEG wallpaper and artwork", arguments, {}, 0, "wrote", ""}});
}

TEST(ImageInputs, EveryToolNamesABrokenFileAlike) {
  const std::string dir = scratchDir("broken");
  std::vector<BrokenImage> broken = brokenImages(dir);
  std::string files;
  for (const BrokenImage& b : broken) files += " " + dir + b.fileName;
  ToolRun pick = runTool(MIREL_PICK " --backend cpu" + files);
  EXPECT_EQ(pick.status, 1);
  std::vector<nlohmann::json> lines = jsonLines(pick.out);
  ASSERT_EQ(lines.size(), broken.size()) << pick.out;
  for (size_t i = 0; i < broken.size(); ++i) {
    const BrokenImage& b = broken[i];
    SCOPED_TRACE(b.name);
    const std::string path = dir + b.fileName, named = path + ": " + b.cause;
    EXPECT_EQ(lines[i]["file"], path);
    EXPECT_EQ(lines[i]["error"], b.cause);
    expectRuns(MIREL_IMAGE, {{"mirel-image", "round " + path + " --radius 1 -o " + dir + "out.png", {}, 1, "", named}});
    expectRuns(MIREL_PREVIEW,
               {{"wallpaper", "--app messages --wallpaper " + path + " --out " + dir + "out", {}, 2, "", named},
                {"artwork", "--app messages --artwork " + path + " --out " + dir + "out", {}, 2, "", named}});
    expectRuns(MIREL_STUDIO, {{"studio wallpaper", "--port 0 --wallpaper " + path, {}, 2, "", named},
                              {"studio artwork", "--port 0 --artwork " + path, {}, 2, "", named}});
  }
}

}  // namespace
