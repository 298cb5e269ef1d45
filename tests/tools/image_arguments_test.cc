// mirel-image's argument texts: colours, sizes, number lists, file scales.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/image/arguments.h"

namespace {

using namespace mirel_image;

TEST(HexColourTest, ReadsTheFourLengthsAndRejectsTheRest) {
  struct Case {
    const char* text;
    int r, g, b, a;  // in 0..255
  };
  const Case cases[] = {
      {"#f80", 255, 136, 0, 255},    {"f80", 255, 136, 0, 255},       {"#f808", 255, 136, 0, 136},
      {"#FF8800", 255, 136, 0, 255}, {"ff880080", 255, 136, 0, 128},  {"#00000000", 0, 0, 0, 0},
      {"#ff88", 255, 255, 136, 136}, {"#ff8", 255, 255, 136, 255},
  };
  for (const Case& c : cases) {
    double rgba[4] = {-1, -1, -1, -1};
    std::string error;
    ASSERT_TRUE(parseHexColour(c.text, rgba, &error)) << '"' << c.text << '"';
    int expected[4] = {c.r, c.g, c.b, c.a};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(std::lround(rgba[i] * 255), expected[i]) << c.text << " channel " << i;
  }
  for (const char* text : {"", "#", "#ff88000", "#ff8800000", "#gg8800", "##f80", " f80", "#f80 ", "0x12", "red"}) {
    double rgba[4];
    std::string error;
    EXPECT_FALSE(parseHexColour(text, rgba, &error)) << '"' << text << '"';
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(SizeAndNumbersTest, WholeTextsOfFiniteNumbersOnly) {
  struct Case {
    const char* text;
    bool ok;
    double w = 0, h = 0;
  };
  const Case sizes[] = {
      {"40x20", true, 40, 20}, {"1.5X2", true, 1.5, 2}, {"0x0", true, 0, 0}, {"-3x4", true, -3, 4},
      {"+3x4", true, 3, 4},    {"40", false},           {"40x", false},     {"x20", false},
      {"4x2x1", false},        {"nanx1", false},        {"infx1", false},   {"1e400x1", false},
      {"4 x 2", false},        {"", false},
  };
  for (const Case& c : sizes) {
    double w = 0, h = 0;
    std::string error;
    ASSERT_EQ(parseSize(c.text, &w, &h, &error), c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(w, c.w) << c.text;
      EXPECT_EQ(h, c.h) << c.text;
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
  double v[4];
  std::string error;
  EXPECT_TRUE(parseNumberList("1,2.5,0,-4", 4, v, &error));
  EXPECT_EQ(v[1], 2.5);
  EXPECT_EQ(v[3], -4);
  EXPECT_FALSE(parseNumberList("1,2,3", 4, v, &error));
  EXPECT_FALSE(parseNumberList("1,2,3,4,5", 4, v, &error));
  EXPECT_FALSE(parseNumberList("1,,3,4", 4, v, &error));
  EXPECT_FALSE(parseNumberList("1,2,3,four", 4, v, &error));
  EXPECT_TRUE(parseNumberList("-5,10", 2, v, &error));
  EXPECT_FALSE(parseNumberList("", 2, v, &error));
}

TEST(FileScaleTest, ReadFromTheNameSuffix) {
  const std::pair<const char*, double> cases[] = {
      {"icons/note@2x.png", 2}, {"note@3x.png", 3}, {"photo@2x.jpg", 2}, {"NOTE@4x.PNG", 4},
      {"note@16x.png", 16},     {"note.png", 1},    {"@2x.png.bak", 1},  {"note@0x.png", 1},
      {"note@17x.png", 1},      {"note@x.png", 1},  {"note2x.png", 1},   {"dir@2x/note.png", 1},
  };
  for (auto [name, scale] : cases) EXPECT_EQ(scaleFromFileName(name), scale) << name;
}

// Every name written reads back at the scale it was written at, or says why not.
TEST(FileScaleTest, OutputNamesSayTheScale) {
  struct Case {
    const char* name;
    double scale;
    const char* path;     // nullptr: refused
    bool warned = false;
  };
  const Case cases[] = {
      {"a/x.png", 2, "a/x@2x.png"},  {"x.png", 1, "x.png"},        {"x.PNG", 3, "x@3x.PNG"},
      {"x@2x.png", 2, "x@2x.png"},   {"x@1x.png", 1, "x@1x.png"},  {"v1.2/x.png", 2, "v1.2/x@2x.png"},
      {"x@2x.png", 3, nullptr},      {"x@2x.png", 1, nullptr},     {"x@3x.png", 1.5, nullptr},
      {"x.png", 1.5, "x.png", true}, {"x.png", 0.5, "x.png", true}, {"x.png", 16, "x@16x.png"},
  };
  for (const Case& c : cases) {
    OutputName name = outputNameForScale(c.name, c.scale);
    SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.scale));
    if (!c.path) {
      EXPECT_FALSE(name.error.empty());
      continue;
    }
    EXPECT_EQ(name.error, "");
    EXPECT_EQ(name.path, c.path);
    EXPECT_EQ(scaleFromFileName(name.path), c.warned ? 1 : c.scale);
    EXPECT_EQ(name.warning.empty(), !c.warned);
  }
}

}  // namespace
