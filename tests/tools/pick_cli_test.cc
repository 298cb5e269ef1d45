// mirel-pick as a user runs it: good and bad files, a forced counting pass
// that cannot run, misspelt environment settings, wrong arguments.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/cli_cases.h"

namespace {

TEST(PickCommandLine, ExitStatusesAndMessages) {
  const std::string red = ::testing::TempDir() + "red.png";
  ASSERT_EQ(runTool(MIREL_IMAGE " color ff0000 --size 40x40 --scale 1 -o " + red).status, 0);
  const std::string text = scratchFile("notes.txt", "not a picture\n");
  expectRuns(MIREL_PICK, {
      {"a cover", red, {}, 0, "\"background\":\"#FF0000\"", ""},
      {"one file of two fails", red + " " + text, {}, 1, "\"error\":\"not a JPEG or PNG image\"", ""},
      {"missing file", "/nonexistent/cover.jpg", {}, 1, "\"error\"", ""},
      {"gl forced without a context", "--backend gl " + red, {"MIREL_EGL_PLATFORM=none"}, 1,
       "--backend gl: no OpenGL ES context can be made here", "Failed to initialize"},
      {"unknown picker backend", "--backend cpu " + red, {"MIREL_PICKER_BACKEND=fast"}, 0, "#FF0000",
       "MIREL_PICKER_BACKEND=fast is not one of auto, gl, cpu"},
      {"unknown EGL platform", red, {"MIREL_EGL_PLATFORM=wayland"}, 0, "#FF0000",
       "MIREL_EGL_PLATFORM=wayland is not one of device, surfaceless, default, none"},
      {"no files", "", {}, 2, "", "files is required"},
      {"unknown option", "--fast " + red, {}, 2, "", "--fast"},
      {"backend not offered", "--backend vulkan " + red, {}, 2, "", "vulkan"},
      {"help", "--help", {}, 0, "--backend", ""},
      {"contrast out of range", "--min-contrast 30 " + red, {}, 2, "", "--min-contrast"},
  });
}

// --min-contrast puts the readable colours after the picker's own, which
// stay as they are: a black cover's scheme is black on black.
TEST(PickCommandLine, MinContrastAddsReadableColoursAfterThePickersOwn) {
  const std::string black = ::testing::TempDir() + "black.png";
  ASSERT_EQ(runTool(MIREL_IMAGE " color 000000 --size 40x40 --scale 1 -o " + black).status, 0);
  const std::string own = "background #000000, primary #000000 (contrast 1.00:1), secondary #FFFFFF (contrast 21.00:1)";
  ToolRun plain = runTool(MIREL_PICK " --backend cpu --format text " + black);
  EXPECT_EQ(plain.out, black + ": " + own + " (cpu)\n");
  ToolRun text = runTool(MIREL_PICK " --backend cpu --format text --min-contrast 4.5 " + black);
  EXPECT_EQ(text.out.rfind(black + ": " + own + ", readable primary #", 0), 0u) << text.out;
  EXPECT_NE(text.out.find("readable secondary #FFFFFF (contrast 21.00:1) (cpu)"), std::string::npos) << text.out;
  ToolRun json = runTool(MIREL_PICK " --backend cpu --min-contrast 7 " + black);
  nlohmann::json line = nlohmann::json::parse(json.out);
  EXPECT_EQ(line["primary"], "#000000");
  EXPECT_GE(line["readablePrimaryContrast"].get<double>(), 7);
  EXPECT_LT(line["readablePrimaryContrast"].get<double>(), 7.2);
}

}  // namespace
