// The file the studio edits: saves that never tear (a crash between the
// write and the rename, a folder the studio may not write into), and
// mirel-studio itself on files of each kind: the format and the keys it
// does not know kept, odd values shown as the extension reads them, a save
// that fails reported, and a kill -9 at any moment.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "tests/support/launch.h"
#include "tests/tools/run_tool.h"
#include "tests/tools/studio/child_process.h"
#include "tests/tools/studio/plist_entries.h"
#include "tools/studio/document_file.h"
#include "tweak/settings.h"

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;

std::string freshFolder(const std::string& name) {
  const std::string folder = ::testing::TempDir() + name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

int filesIn(const std::string& folder) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(folder)) n += entry.is_regular_file();
  return n;
}

// Runs `body` in a forked child (this process has no other thread here)
// and gives its exit status.
int inChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(AtomicSave, ACrashBeforeTheRenameLeavesTheOldFileAndTheLeftoverGoes) {
  const std::string folder = freshFolder("save-crash"), path = folder + "/prefs.plist";
  std::ofstream(path) << "old";
  // The save dies where a kill would hurt most: written and flushed, not
  // yet renamed.
  int status = inChild([&] {
    std::string error;
    saveFileAtomically(path, "new", &error, [](const std::string&) { _exit(7); });
    return 1;
  });
  ASSERT_EQ(status, 7) << "the save never reached its rename";
  EXPECT_EQ(fileText(path), "old");
  EXPECT_EQ(filesIn(folder), 2) << "the interrupted save left no file behind";
  EXPECT_EQ(removeInterruptedSaves(path), 1);
  EXPECT_EQ(filesIn(folder), 1);
  EXPECT_EQ(fileText(path), "old");

  // A save that finishes replaces the file, keeps its mode, leaves nothing.
  chmod(path.c_str(), 0640);
  std::string error;
  ASSERT_TRUE(saveFileAtomically(path, "new", &error)) << error;
  EXPECT_EQ(fileText(path), "new");
  struct stat info {};
  stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(filesIn(folder), 1);
  // Another file's leftovers, or names like ours that mkstemp never made, stay.
  std::ofstream(folder + "/.other.plist.studio-abcdef") << "x";
  std::ofstream(folder + "/.prefs.plist.studio-toolong") << "x";
  EXPECT_EQ(removeInterruptedSaves(path), 0);
}

TEST(AtomicSave, AFolderThatMayNotBeWrittenIsReportedAndTheFileKept) {
  const std::string folder = freshFolder("save-readonly"), path = folder + "/prefs.plist";
  std::ofstream(path) << "old";
  chmod(folder.c_str(), 0555);
  // Root writes anywhere: the child gives up root first, as a user's
  // studio runs.
  int status = inChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
    std::string error;
    if (saveFileAtomically(path, "new", &error)) return 3;
    bool says = error.find(path) != std::string::npos && error.find("Permission denied") != std::string::npos;
    return says ? 0 : 4;
  });
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(status, 0) << "2: could not drop root; 3: the save worked; 4: the reason does not say why";
  EXPECT_EQ(fileText(path), "old");
  EXPECT_EQ(filesIn(folder), 1);
}

// mirel-studio started on a file, and an HTTP client for it.
struct StudioOn {
  Child child;
  std::unique_ptr<httplib::Client> client;

  bool start(const std::string& file) {
    std::string banner;
    if (!child.start({MIREL_STUDIO_PATH, file, "--port", "0"}, &banner)) return false;
    size_t at = banner.find("http://127.0.0.1:");
    if (at == std::string::npos) return false;
    client = std::make_unique<httplib::Client>("127.0.0.1", std::stoi(banner.substr(at + 17)));
    client->set_read_timeout(30, 0);
    return true;
  }
  json state() {
    auto res = client->Get("/api/state");
    return res ? json::parse(res->body) : json();
  }
  httplib::Result change(const json& values) {
    return client->Post("/api/preferences", values.dump(), "application/json");
  }
};

const char* kOddValues[][2] = {
    {"PrimaryTextColour", "<string>nothing</string>"},
    {"SecondaryTintColour", "<integer>112233</integer>"},
    {"Customise", "<true/>"},
    {"Saturation", "<real>-3</real>"},
    {"BlurRadius", "<string>500</string>"},
    {"BlurPreset", "<integer>99999999999</integer>"},
    {"UseCustomTint", "<string>yes please</string>"},
    {"SorrelTheme", "<dict><key>Shades</key><array><integer>1</integer><date>2020-01-01T00:00:00Z</date></array></dict>"},
    {"SorrelData", "<data>AAECAwQ=</data>"},
};

std::string oddFile() {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& [key, xml] : kOddValues) entries.push_back({key, xml});
  return plist(entries);
}

// The same file as binary bytes, through libplist.
std::string asBinary(const std::string& xml) {
  plist_t root = nullptr;
  plist_from_memory(xml.data(), static_cast<uint32_t>(xml.size()), &root);
  char* bytes = nullptr;
  uint32_t length = 0;
  plist_to_bin(root, &bytes, &length);
  std::string out(bytes, length);
  plist_to_bin_free(bytes);
  plist_free(root);
  return out;
}

TEST(StudioDocument, KeepsTheFormatTheKeysItDoesNotKnowAndTheValuesNobodyChangedAndShowsThemAsRead) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // none: no file yet
    bool binary;
  };
  const Case cases[] = {
      {"xml", oddFile(), false},
      {"binary", asBinary(oddFile()), true},
      {"missing", std::nullopt, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = freshFolder(std::string("document-") + c.name), path = folder + "/prefs.plist";
    if (c.bytes) std::ofstream(path, std::ios::binary) << *c.bytes;
    StudioOn studio;
    ASSERT_TRUE(studio.start(path)) << "mirel-studio did not start";
    const json shown = studio.state();
    auto res = studio.change({{"BlurTintColour", "#80808080"}});
    ASSERT_TRUE(res && res->status == 200) << (res ? res->body : "no answer");
    EXPECT_TRUE(json::parse(res->body)["document"]["saved"].get<bool>());

    PlistEntries file = plistEntries(fileText(path));
    ASSERT_TRUE(file.parsed) << "the saved file is no property list";
    EXPECT_EQ(file.binary, c.binary);
    EXPECT_EQ(file.entries["BlurTintColour"], plistXmlOf("<string>#80808080</string>"));
    if (!c.bytes) {
      EXPECT_EQ(file.entries.size(), 1u);
      continue;
    }
    EXPECT_EQ(file.entries.size(), std::size(kOddValues) + 1);
    for (const auto& [key, xml] : kOddValues) EXPECT_EQ(file.entries[key], plistXmlOf(xml)) << key;

    // What the page shows of odd values is what the extension reads in a
    // launch: black for a text that is no colour, the number behind a text,
    // a negative factor, a style number the platform does not know.
    const json &values = shown["values"], &warnings = shown["warnings"];
    EXPECT_EQ(values["PrimaryTextColour"], "000000FF");
    EXPECT_NE(warnings.value("PrimaryTextColour", "").find("it became black"), std::string::npos) << warnings;
    EXPECT_NE(warnings.value("BlurPreset", "").find("not a blur style"), std::string::npos) << warnings;
    EXPECT_EQ(warnings.count("BlurRadius"), 0u) << "a number written as text is no fault";
    inLaunch({.preferences = fileText(path)}, [&] {
      EXPECT_EQ(TweakSettings.Saturation, values["Saturation"].get<double>());
      EXPECT_EQ(TweakSettings.BlurRadius, values["BlurRadius"].get<double>());
      EXPECT_EQ(TweakSettings.BlurPreset, values["BlurPreset"].get<long long>());
      EXPECT_EQ(TweakSettings.Customise, values["Customise"].get<bool>());
      EXPECT_EQ(TweakSettings.UseCustomTint, values["UseCustomTint"].get<bool>());
      auto hex = [](UIColor* colour) { return UIColorHexText(colour).substr(1); };
      EXPECT_EQ(hex(ThemeColours.PrimaryTextColour), values["PrimaryTextColour"].get<std::string>());
      EXPECT_EQ(hex(ThemeColours.SecondaryTintColour), "112233FF");
      EXPECT_EQ(values["SecondaryTintColour"], "112233");
    });
  }
}

TEST(StudioDocument, ASaveThatFailsIsReportedAndTheValueStays) {
  const std::string folder = freshFolder("document-failing"), path = folder + "/prefs.plist";
  StudioOn studio;
  ASSERT_TRUE(studio.start(path));
  fs::remove_all(folder);  // as a folder unmounted or removed under the studio
  auto res = studio.change({{"BlurRadius", 33.0}});
  ASSERT_TRUE(res && res->status == 200);
  json document = json::parse(res->body)["document"];
  EXPECT_FALSE(document["saved"].get<bool>());
  EXPECT_NE(document["saveError"].get<std::string>().find("cannot save " + path), std::string::npos) << document;
  EXPECT_EQ(studio.state()["values"]["BlurRadius"], 33.0) << "the page lost the value";

  fs::create_directories(folder);
  res = studio.change({{"Customise", true}});
  ASSERT_TRUE(res && res->status == 200);
  EXPECT_TRUE(json::parse(res->body)["document"]["saved"].get<bool>());
  PlistEntries file = plistEntries(fileText(path));
  EXPECT_EQ(file.entries["BlurRadius"], plistXmlOf("<real>33</real>")) << "the change whose save failed is lost";
  EXPECT_EQ(file.entries["Customise"], plistXmlOf("<true/>"));
}

// Changes stream in while the studio is killed with SIGKILL at a random
// moment, five times over one file: each time the file is whole, holds the
// key the studio does not know, and the last acknowledged value (or the one
// on its way, saved before its answer was sent).
TEST(StudioDocument, AKill9LeavesAWholeFileWithTheLastAcknowledgedValue) {
  const std::string folder = freshFolder("document-kill"), path = folder + "/prefs.plist";
  std::ofstream(path) << plist({{"SorrelTheme", "<string>keep me</string>"}});
  std::mt19937 random(std::random_device{}());
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    StudioOn studio;
    ASSERT_TRUE(studio.start(path));
    std::string acknowledged, sending;
    std::atomic<bool> stop = false;
    std::atomic<int> acknowledgements = 0;
    std::thread writer([&] {
      for (int i = 0; !stop; ++i) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "%02X%04XFF", round, i);
        sending = colour;
        auto res = studio.change({{"PrimaryTextColour", colour}});
        if (!res || res->status != 200 || !json::parse(res->body)["document"]["saved"].get<bool>()) break;
        acknowledged = colour;
        ++acknowledgements;
      }
    });
    for (int wait = 0; wait < 3000 && acknowledgements == 0; ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(0, 400)(random)));
    studio.child.kill9();
    stop = true;
    writer.join();
    ASSERT_FALSE(acknowledged.empty()) << "no change was acknowledged before the kill";

    PlistEntries file = plistEntries(fileText(path));
    ASSERT_TRUE(file.parsed) << "the file is torn";
    EXPECT_EQ(file.entries["SorrelTheme"], plistXmlOf("<string>keep me</string>"));
    const std::string held = file.entries["PrimaryTextColour"];
    EXPECT_TRUE(held == plistXmlOf("<string>" + acknowledged + "</string>") ||
                held == plistXmlOf("<string>" + sending + "</string>"))
        << held << " is neither " << acknowledged << " nor " << sending;
  }
  // The next start clears what a killed save left.
  StudioOn last;
  ASSERT_TRUE(last.start(path));
  EXPECT_EQ(filesIn(folder), 1);
}

}  // namespace
