// mirel-image as a user runs it: each kind of image, wrong arguments, files
// that are not what they claim, an output name that says another format,
// and names that carry the scale the images are read back at.
#include <gtest/gtest.h>

#include "tests/support/image_kinds.h"
#include "tests/tools/cli_cases.h"

namespace {

TEST(ImageCommandLine, ExitStatusesAndMessages) {
  // The process's own names: later steps read back what earlier ones wrote.
  const std::string dir = ::testing::TempDir() + "image-cli-" + std::to_string(getpid()) + "-";
  const std::string text = scratchFile("words.png", "not a picture\n"), empty = scratchFile("empty.png", "");
  expectRuns(MIREL_IMAGE, {
      {"a vertical strip of width 0",
       "gradient 000 fff --size 0x10 --resizable --direction top-to-bottom -o " + dir + "g.png", {}, 0,
       "1 x 10 pt, scale 2, cap insets {0, 1, 0, 1}", ""},
      {"width 0 across the direction only", "gradient 000 fff --size 0x10 --resizable --direction left-to-right -o " +
       dir + "g.png", {}, 2, "", "must be positive"},
      {"a direction that says nothing of the colours", "gradient 000 fff --size 4x4 --direction diagonal-up -o " + dir +
       "g.png", {}, 2, "", "diagonal-up"},
      {"a JPEG name", "color 3366cc -o " + dir + "blue.jpg", {}, 2, "", "writes PNG files only"},
      {"no extension", "color 3366cc -o " + dir + "blue", {}, 2, "", "writes PNG files only"},
      {"upper-case PNG name", "color 3366cc -o " + dir + "BLUE.PNG", {}, 0, "BLUE@2x.PNG", ""},
      {"a size under a pixel", "color fff --size 0.1x1 -o " + dir + "x.png", {}, 2, "", "under one pixel"},
      {"tinting a text file", "tint " + text + " fff --style cut-out -o " + dir + "x.png", {}, 1, "", text},
      {"tinting an empty file", "tint " + empty + " fff --style cut-out -o " + dir + "x.png", {}, 1, "", empty},
      {"no such input", "round /nonexistent/a.png --circle -o " + dir + "x.png", {}, 1, "",
       "/nonexistent/a.png: cannot be read (No such file or directory)"},
      {"an unwritable output", "color fff -o /nonexistent/dir/x.png", {}, 1, "", "cannot write"},
      {"no subcommand", "", {}, 2, "", "subcommand"},
      {"unknown subcommand", "blur x.png", {}, 2, "", "subcommand"},
      {"output missing", "color fff", {}, 2, "", "-o"},
      {"help", "--help", {}, 0, "gradient", ""},
      // What it writes it reads back at the size it was written at: each
      // step below reads the files the steps before it wrote, by the names
      // they printed (the naming rules themselves are the argument test's).
      {"scale 2 by default", "color 3366cc --size 40x20 -o " + dir + "on.png", {}, 0,
       dir + "on@2x.png: 40 x 20 pt, scale 2", ""},
      {"a badge", "color fff --size 10x10 -o " + dir + "badge.png", {}, 0, dir + "badge@2x.png: 10 x 10 pt", ""},
      {"composed", "compose " + dir + "on@2x.png " + dir + "badge@2x.png -o " + dir + "both.png", {}, 0,
       dir + "both@2x.png: 40 x 20 pt, scale 2", ""},
      {"tinted", "tint " + dir + "on@2x.png fff --style keeping-alpha -o " + dir + "tinted.png", {}, 0,
       dir + "tinted@2x.png: 40 x 20 pt, scale 2", ""},
      {"rounded", "round " + dir + "both@2x.png --circle -o " + dir + "round.png", {}, 0,
       dir + "round@2x.png: 40 x 20 pt, scale 2", ""},
      {"scale 3", "gradient 000 fff --size 4x6 --scale 3 --direction top-to-bottom -o " + dir + "three.png", {}, 0,
       dir + "three@3x.png: 4 x 6 pt, scale 3", ""},
      {"read back at 3", "round " + dir + "three@3x.png --radius 1 -o " + dir + "three-round.png", {}, 0,
       dir + "three-round@3x.png: 4 x 6 pt, scale 3", ""},
      {"scale 1 keeps the name", "color fff --size 4x4 --scale 1 -o " + dir + "one.png", {}, 0,
       dir + "one.png: 4 x 4 pt, scale 1", ""},
      {"an input's scale against the name", "round " + dir + "one.png --radius 1 -o " + dir + "r@2x.png", {}, 2, "",
       "says scale 2, but the image is at scale 1; name it " + dir + "r.png"},
  });
}

// Every diagonal starts with the first colour in the corner its name gives.
TEST(ImageCommandLine, GradientDirectionsPutTheFirstColourWhereTheyNameIt) {
  // The corner off the gradient's line tells the directions apart: it takes
  // the first colour, the last or a mix of the two.
  const struct {
    const char* direction;
    int firstX, firstY;  // corner of the first colour, in 0/1 of the side
    int offX, offY;      // the other top corner
    char off;            // 'f' first colour, 'l' last, 'm' a mix
  } cases[] = {{"top-to-bottom", 0, 0, 1, 0, 'f'},
               {"left-to-right", 0, 0, 1, 0, 'l'},
               {"top-left-to-bottom-right", 0, 0, 1, 0, 'm'},
               {"top-right-to-bottom-left", 1, 0, 0, 0, 'm'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.direction);
    const std::string path = ::testing::TempDir() + "direction.png";
    ASSERT_EQ(runTool(MIREL_IMAGE " gradient f00 00f --size 10x10 --scale 1 --direction " + std::string(c.direction) +
                      " -o " + path)
                  .status,
              0);
    int width = 0, height = 0;
    std::vector<uint8_t> pixels = readToolPNG(path, &width, &height);
    ASSERT_EQ(width, 10);
    auto at = [&](int x, int y) { return pixels.data() + (size_t(y) * width + x) * 4; };
    const uint8_t* first = at(c.firstX * 9, c.firstY * 9);
    const uint8_t* last = at(9 - c.firstX * 9, 9 - c.firstY * 9);
    EXPECT_GT(first[0], 200);
    EXPECT_GT(last[2], 200);
    const uint8_t* off = at(c.offX * 9, c.offY * 9);
    const bool red = off[0] > 200, blue = off[2] > 200;
    const bool mixed = off[0] > 60 && off[0] < 200 && off[2] > 60 && off[2] < 200;
    EXPECT_TRUE(c.off == 'f' ? red : c.off == 'l' ? blue : mixed) << int(off[0]) << "," << int(off[2]);
  }
}

}  // namespace
