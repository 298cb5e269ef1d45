// mirel-image as a user runs it: each kind of image, wrong arguments, files
// that are not what they claim, an output name that says another format.
#include <gtest/gtest.h>

#include "tests/tools/cli_cases.h"

namespace {

TEST(ImageCommandLine, ExitStatusesAndMessages) {
  const std::string dir = ::testing::TempDir();
  const std::string text = scratchFile("words.png", "not a picture\n"), empty = scratchFile("empty.png", "");
  expectRuns(MIREL_IMAGE, {
      {"a colour", "color 3366cc --size 4x2 -o " + dir + "blue.png", {}, 0, "4 x 2 pt, scale 2", ""},
      {"a gradient", "gradient 000 fff --size 4x4 --direction vertical -o " + dir + "g.png", {}, 0, "4 x 4 pt", ""},
      {"a JPEG name", "color 3366cc -o " + dir + "blue.jpg", {}, 2, "", "writes PNG files only"},
      {"no extension", "color 3366cc -o " + dir + "blue", {}, 2, "", "writes PNG files only"},
      {"upper-case PNG name", "color 3366cc -o " + dir + "BLUE.PNG", {}, 0, "BLUE.PNG", ""},
      {"a colour that is not one", "color 33zz66 -o " + dir + "x.png", {}, 2, "", "33zz66"},
      {"a size under a pixel", "color fff --size 0.1x1 -o " + dir + "x.png", {}, 2, "", "under one pixel"},
      {"tinting a text file", "tint " + text + " fff --style cut-out -o " + dir + "x.png", {}, 1, "", text},
      {"tinting an empty file", "tint " + empty + " fff --style cut-out -o " + dir + "x.png", {}, 1, "", empty},
      {"no such input", "round /nonexistent/a.png --circle -o " + dir + "x.png", {}, 1, "", "cannot read"},
      {"an unwritable output", "color fff -o /nonexistent/dir/x.png", {}, 1, "", "cannot write"},
      {"no subcommand", "", {}, 2, "", "subcommand"},
      {"unknown subcommand", "blur x.png", {}, 2, "", "subcommand"},
      {"output missing", "color fff", {}, 2, "", "-o"},
      {"help", "--help", {}, 0, "gradient", ""},
  });
}

}  // namespace
