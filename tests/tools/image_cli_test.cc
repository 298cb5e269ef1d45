// mirel-image as a user runs it: each kind of image, wrong arguments, files
// that are not what they claim, an output name that says another format.
#include <gtest/gtest.h>

#include "tests/support/image_kinds.h"
#include "tests/tools/cli_cases.h"

namespace {

TEST(ImageCommandLine, ExitStatusesAndMessages) {
  const std::string dir = ::testing::TempDir();
  const std::string text = scratchFile("words.png", "not a picture\n"), empty = scratchFile("empty.png", "");
  expectRuns(MIREL_IMAGE, {
      {"a colour", "color 3366cc --size 4x2 -o " + dir + "blue.png", {}, 0, "4 x 2 pt, scale 2", ""},
      {"a gradient", "gradient 000 fff --size 4x4 --direction top-to-bottom -o " + dir + "g.png", {}, 0, "4 x 4 pt", ""},
      {"a gradient at scale 3", "gradient 000 fff --size 4x4 --scale 3 --direction left-to-right -o " + dir + "g.png",
       {}, 0, "scale 3", ""},
      {"a vertical strip of width 0",
       "gradient 000 fff --size 0x10 --resizable --direction top-to-bottom -o " + dir + "g.png", {}, 0,
       "1 x 10 pt, scale 2, cap insets {0, 1, 0, 1}", ""},
      {"width 0 across the direction only", "gradient 000 fff --size 0x10 --resizable --direction left-to-right -o " +
       dir + "g.png", {}, 2, "", "must be positive"},
      {"a direction that says nothing of the colours", "gradient 000 fff --size 4x4 --direction diagonal-up -o " + dir +
       "g.png", {}, 2, "", "diagonal-up"},
      {"a JPEG name", "color 3366cc -o " + dir + "blue.jpg", {}, 2, "", "writes PNG files only"},
      {"no extension", "color 3366cc -o " + dir + "blue", {}, 2, "", "writes PNG files only"},
      {"upper-case PNG name", "color 3366cc -o " + dir + "BLUE.PNG", {}, 0, "BLUE.PNG", ""},
      {"a colour that is not one", "color 33zz66 -o " + dir + "x.png", {}, 2, "", "33zz66"},
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
