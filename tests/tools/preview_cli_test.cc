// mirel-preview as a user runs it: a run over one app, preference values it
// warns about, wrong arguments and unreadable files, readability and its
// minimum.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/launch.h"
#include "tests/tools/cli_cases.h"

namespace {

TEST(PreviewCommandLine, ExitStatusesAndMessages) {
  const std::string out = ::testing::TempDir() + "preview-out";
  const std::string odd = scratchFile("odd.plist", plist({{"PrimaryTextColour", "<string>not-a-colour</string>"},
                                                          {"BlurTintColour", "<integer>112233</integer>"}}));
  const std::string broken = scratchFile("broken.plist", "<plist><dict><key>");
  expectRuns(MIREL_PREVIEW, {
      {"messages", "--app messages --out " + out, {}, 0, "wrote " + out + "/messages-conversation.png", ""},
      {"values read as black or a default", "--app messages --prefs " + odd + " --out " + out, {}, 0, "wrote",
       "warning: PrimaryTextColour \"not-a-colour\" is not a colour text"},
      {"a harmful value given with --set", "--app messages --set BlurRadius=-5 --out " + out, {}, 0, "wrote",
       "warning: BlurRadius is negative (-5)"},
      {"a preferences file that does not parse", "--app messages --prefs " + broken + " --out " + out, {}, 0, "wrote",
       "it will use its defaults"},
      {"no such preferences file", "--prefs /nonexistent/p.plist", {}, 2, "", "cannot read --prefs file"},
      {"unknown app", "--app mail", {}, 2, "", "mail"},
      {"scale out of range", "--scale 9", {}, 2, "", "9"},
      {"unknown option", "--colour red", {}, 2, "", "--colour"},
      {"help", "--help", {}, 0, "--compare", ""},
      {"readability, stock beside themed", "--app messages --readability --out " + out + "/readable", {}, 0,
       "; below AA: stock ", ""},
      {"a minimum that some texts miss", "--app messages --min-contrast 3 --out " + out, {}, 1, "wrote",
       "mirel-preview: messages-conversations: \"Sunday\" is "},
      {"a minimum every text meets", "--app messages --min-contrast 1 --out " + out, {}, 0, "wrote", ""},
      {"a minimum out of range", "--min-contrast 0.5", {}, 2, "", "--min-contrast"},
      {"readable text names what the theme colours leave below AA",
       "--app messages --set ReadableText=true --readability --out " + out + "/readable-text", {}, 0,
       "  theme colours leave ", ""},
  });
  EXPECT_TRUE(std::filesystem::exists(out + "/messages-conversations.png"));
  for (const char* made : {"messages-conversations-readability.json", "messages-conversations-readability.png"})
    EXPECT_TRUE(std::filesystem::exists(out + "/readable/" + made)) << made;
  EXPECT_FALSE(std::filesystem::exists(out + "/readable/messages-conversations-stock-readability.json"))
      << "the stock files come with --stock or --compare only";
}

// ReadableText off is the extension without it: every picture, stock and
// themed, is byte for byte the one drawn with the key absent.
TEST(PreviewCommandLine, ReadableTextOffDrawsWhatNoKeyDraws) {
  const std::string absent = ::testing::TempDir() + "readable-absent", off = ::testing::TempDir() + "readable-off";
  const std::string common = " --compare --scale 1 --set AdaptiveNowPlaying=true --set BlurArtwork=true";
  ASSERT_EQ(runTool(MIREL_PREVIEW " --out " + absent + common).status, 0);
  ASSERT_EQ(runTool(MIREL_PREVIEW " --out " + off + common + " --set ReadableText=NO").status, 0);
  size_t pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(absent)) {
    if (entry.path().extension() != ".png") continue;
    ++pictures;
    auto bytes = [](const std::filesystem::path& p) {
      std::ifstream in(p, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_TRUE(bytes(entry.path()) == bytes(off + "/" + entry.path().filename().string())) << entry.path();
  }
  EXPECT_GT(pictures, 20u);
}

}  // namespace
