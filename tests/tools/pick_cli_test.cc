// mirel-pick as a user runs it: good and bad files, a forced counting pass
// that cannot run, misspelt environment settings, wrong arguments.
#include <gtest/gtest.h>

#include "tests/tools/cli_cases.h"

namespace {

TEST(PickCommandLine, ExitStatusesAndMessages) {
  const std::string red = ::testing::TempDir() + "red.png";
  ASSERT_EQ(runTool(MIREL_IMAGE " color ff0000 --size 40x40 --scale 1 -o " + red).status, 0);
  const std::string text = scratchFile("notes.txt", "not a picture\n");
  expectRuns(MIREL_PICK, {
      {"a cover", red, {}, 0, "\"background\":\"#FF0000\"", ""},
      {"cpu asked for", "--backend cpu --format text " + red, {}, 0, "background #FF0000", ""},
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
  });
}

}  // namespace
