// mirel-preview: renders the modelled hosts' screens as the extension
// themes them, beside the stock look.
//
//   mirel-preview --app music --compare --dump-json --out preview
//
// Every screen is rendered in its own launch (a child process), stock or
// themed, so that each picture starts from a fresh process as on a device.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/foundation/foundation.h"
#include "platform/render/ReadabilityPicture.h"
#include "platform/render/Renderer.h"
#include "platform/render/ViewDump.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "tools/preview/now_playing.h"
#include "tools/preview/preference_warnings.h"
#include "tools/preview/readability_summary.h"
#include "tools/preview/screen_launch.h"
#include "tools/preview/setting_overrides.h"
#include "tools/preview/suggest_theme.h"
#include "tweak/color_from_hex.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"
#include "platform/loader/DeviceTree.h"
#include "platform/loader/SubstrateLoader.h"
#include "platform/loader/ToolOffers.h"
#include "tools/exit_status.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string app = "all";
  std::string prefs, artwork, wallpaper, out = "preview";
  std::string suggestTheme;  // empty: render the screens
  bool stock = false, compare = false, dumpJson = false, hooks = false, readability = false;
  double scale = 2;
  double minContrast = 0;  // 0: no minimum
  std::vector<std::string> sets;
  std::vector<SettingOverride> overrides;  // the --set values, typed
};

// A regular file that can be opened (a folder opens too, but reads nothing).
bool readable(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && std::ifstream(path, std::ios::binary).good();
}

// A device root for one launch, holding the preferences file if given.
std::string prepareDeviceRoot(const Options& options) {
  char pattern[] = "/tmp/mirel-preview-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("mirel-preview: cannot make a device folder in /tmp");
    std::exit(2);
  }
  std::string root = pattern;
  if (!options.overrides.empty()) {
    fs::path target = root + kPreferencesPath;
    std::error_code made;
    fs::create_directories(target.parent_path(), made);
    std::string base;
    if (!options.prefs.empty()) {
      std::ifstream in(options.prefs, std::ios::binary);
      base.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream(target) << preferencesWithOverrides(base, options.overrides);
  } else if (!options.prefs.empty()) {
    fs::path target = root + kPreferencesPath;
    std::error_code made;
    fs::create_directories(target.parent_path(), made);
    std::error_code ec;
    fs::copy_file(options.prefs, target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      std::fprintf(stderr, "mirel-preview: cannot use %s: %s\n", options.prefs.c_str(), ec.message().c_str());
      std::exit(2);
    }
  }
  return root;
}

std::string kindText(HookKind kind) {
  switch (kind) {
    case HookKind::ReplaceInstance: return "-";
    case HookKind::ReplaceClass: return "+";
    case HookKind::Add: return "add";
  }
  return "?";
}

// First the libraries the loader mapped into the host (or could not), then
// what the extension installed, as the mapped library reports it.
void printReport(const std::string& app) {
  for (const LibraryMapping& m : substrateMappings())
    std::printf("%s\tlibrary\t%s\t%s\n", app.c_str(), m.devicePath.c_str(),
                m.mapped ? "mapped" : ("not mapped: " + m.error).c_str());
  auto report = reinterpret_cast<const std::vector<InstallRecord>& (*)()>(toolOffer("mirel.installationReport"));
  if (!report) return;
  for (const InstallRecord& r : report())
    std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", app.c_str(), hookGroupName(r.group), r.row->className,
                kindText(r.row->kind).c_str(), r.row->selector, installOutcomeText(r.outcome));
}

// "#RRGGBB", as the readings write a text's ink.
std::string rgbHex(UIColor* colour) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (colour) colour->getRGBA(&r, &g, &b, &a);
  auto byte = [](CGFloat c) { return unsigned(std::lround(std::clamp(double(c), 0.0, 1.0) * 255)); };
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", byte(r), byte(g), byte(b));
  return text;
}

// What one launch writes; an empty path writes nothing.
struct ScreenFiles {
  std::string png, dump;
  std::string readings, outlined;  // -readability.json and -readability.png
};

// Renders one screen in a fresh launch and writes its files. With `texts`
// the texts are measured and come back (the "texts" of the readings file).
// Returns 0 on success.
int renderScreen(const HostApp& app, const std::string& screen, bool themed, const Options& options,
                 const Bitmap& wallpaper, const ScreenFiles& files, nlohmann::json* texts, bool report) {
  std::string root = prepareDeviceRoot(options);
  // The launch hands its readings back through a file in its device folder
  // when none is asked for beside the pictures.
  const std::string readingsPath = files.readings.empty() ? root + "/readability.json" : files.readings;
  int status = runScreenLaunch(app.name + " " + screen + (themed ? "" : " (stock)"), [&] {
    HostDescription host = app.host;
    host.deviceRoot = root;
    std::string linkError;
    if (themed && !linkInstalledLibraries(root, &linkError)) {
      std::fprintf(stderr, "mirel-preview: %s\n", linkError.c_str());
      return 1;
    }
    launchHost(host);
    UIScreenSetMainScreenScale(options.scale);
    if (report) printReport(app.name);
    AutoreleasePool pool;
    useSessionArtwork(options.artwork);
    Ref<UIWindow> window = app.buildScreen(screen);
    if (!window) {
      std::fprintf(stderr, "mirel-preview: %s has no screen %s\n", app.name.c_str(), screen.c_str());
      return 1;
    }
    // Measuring reads pixels only: the picture is the same either way.
    std::vector<TextReading> readings;
    bool measure = texts || !files.dump.empty();
    RenderOptions render{options.scale, UIApplication::shared()->backgroundStyle(), &wallpaper,
                         measure ? &readings : nullptr};
    Bitmap picture = renderWindow(window, render);
    std::string error;
    if (!files.png.empty() && !picture.writePNG(files.png, &error)) {
      std::fprintf(stderr, "mirel-preview: %s\n", error.c_str());
      return 1;
    }
    if (!files.outlined.empty() && !outlinedPicture(picture, readings, options.scale).writePNG(files.outlined, &error)) {
      std::fprintf(stderr, "mirel-preview: %s\n", error.c_str());
      return 1;
    }
    if (texts) {
      nlohmann::json out = {{"app", app.name},
                            {"screen", screen},
                            {"look", themed ? "themed" : "stock"},
                            {"texts", readingsJson(readings)}};
      // The mapped extension's own records (none in a stock launch).
      const auto* settings = static_cast<const TweakSettingsRecord*>(toolOffer("mirel.tweakSettings"));
      const auto* colours = static_cast<const ThemeColoursRecord*>(toolOffer("mirel.themeColours"));
      if (themed && settings && colours && settings->ReadableText)
        markThemeColourTexts(out["texts"], rgbHex(colours->PrimaryTextColour.get()),
                             rgbHex(colours->SecondaryTextColour.get()));
      if (!(std::ofstream(readingsPath) << out.dump(2) << "\n")) {
        std::fprintf(stderr, "mirel-preview: cannot write %s\n", readingsPath.c_str());
        return 1;
      }
    }
    if (!files.dump.empty()) {
      nlohmann::json dump = {{"app", app.name},
                             {"screen", screen},
                             {"bundleIdentifier", app.host.bundleIdentifier ? app.host.bundleIdentifier : ""},
                             {"backgroundStyle", UIApplication::shared()->backgroundStyle()},
                             {"window", dumpView(window)}};
      addReadingsToDump(dump["window"], readings);
      if (screen == "nowplaying") dump["nowPlayingScheme"] = nowPlayingSchemeJson();
      std::ofstream(files.dump) << dump.dump(2) << "\n";
    }
    return 0;
  });
  if (status == 0 && texts) {
    std::ifstream in(readingsPath);
    nlohmann::json back = nlohmann::json::parse(in, nullptr, false);
    if (back.is_discarded() || !back.contains("texts")) {
      std::fprintf(stderr, "mirel-preview: %s %s: the readings did not come back\n", app.name.c_str(), screen.c_str());
      status = 1;
    } else {
      *texts = back["texts"];
    }
  }
  fs::remove_all(root);
  return status;
}

// Stock on the left, themed on the right, with a gap between.
bool writeSideBySide(const std::string& left, const std::string& right, const std::string& out, std::string* error) {
  Bitmap a = Bitmap::readImageFile(left, error);
  if (a.empty()) return *error = left + ": " + *error, false;
  Bitmap b = Bitmap::readImageFile(right, error);
  if (b.empty()) return *error = right + ": " + *error, false;
  const int gap = 24;
  Bitmap both = Bitmap::create(a.width() + gap + b.width(), std::max(a.height(), b.height()));
  cairo_t* cr = cairo_create(both.surface());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_surface(cr, a.surface(), 0, 0);
  cairo_paint(cr);
  cairo_set_source_surface(cr, b.surface(), a.width() + gap, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return both.writePNG(out, error);
}

// Whether the extension could read the preferences file (checked in a
// launch of its own, as the extension would read it); warns about each value
// it would read as black or as a default.
bool preferencesParse(const std::string& path) {
  return runInChildProcess([&] {
           bootPlatform();
           registerColorCategories();
           AutoreleasePool pool;
           NSDictionary* prefs = NSDictionary::withContentsOfFile(NSString::withUTF8(path));
           for (const std::string& line : preferenceWarnings(prefs))
             std::fprintf(stderr, "mirel-preview: warning: %s\n", line.c_str());
           return prefs ? 0 : 1;
         }) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App cli{"Renders the Music and Messages apps' screens, themed by mirel and stock."};
  cli.add_option("--app", options.app, "music, messages or all")->check(CLI::IsMember({"music", "messages", "all"}));
  cli.add_option("--prefs", options.prefs, "preferences property list (default: none, every key at its default)");
  cli.add_option("--artwork", options.artwork, "artwork image (JPEG or PNG) for the Now Playing screen");
  cli.add_option("--set", options.sets, "KEY=VALUE: a preference over --prefs or the defaults (repeatable)")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  cli.add_option("--wallpaper", options.wallpaper, "wallpaper image (JPEG or PNG; default: a built-in one)");
  cli.add_option("--out", options.out, "output folder")->capture_default_str();
  cli.add_flag("--stock", options.stock, "run the hosts without the extension");
  cli.add_flag("--compare", options.compare, "also write each screen stock and themed side by side");
  cli.add_flag("--dump-json", options.dumpJson, "also write each screen's view tree as JSON");
  cli.add_flag("--hooks", options.hooks, "print the installation report of the launched hosts");
  cli.add_flag("--readability", options.readability,
               "measure each text's contrast over what is drawn behind it (APP-SCREEN-readability.json and .png, a "
               "line per screen)");
  cli.add_option("--min-contrast", options.minContrast,
                 "R: a text whose worst-case contrast is below R:1 fails the run (exit status 1)")
      ->check(CLI::Range(1.0, 21.0));
  cli.add_option("--suggest-theme", options.suggestTheme,
                 "OUT.plist: write a theme made from the wallpaper, checked on the rendered screens of --app until "
                 "its texts pass AA, instead of rendering");
  cli.add_option("--scale", options.scale, "screen scale")->check(CLI::Range(1.0, 4.0))->capture_default_str();
  if (std::optional<int> status = parseArguments(cli, argc, argv)) return *status;

  // Images are checked by the image reader below, which names each fault.
  if (!options.prefs.empty() && !readable(options.prefs)) {
    std::fprintf(stderr, "mirel-preview: cannot read --prefs file %s\n", options.prefs.c_str());
    return 2;
  }
  for (const std::string& set : options.sets) {
    std::string error;
    std::optional<SettingOverride> parsed = parseSettingOverride(set, &error);
    if (!parsed) {
      std::fprintf(stderr, "mirel-preview: %s\n", error.c_str());
      return 2;
    }
    options.overrides.push_back(*parsed);
  }
  if (std::string error; !options.artwork.empty() && !artworkDecodes(options.artwork, &error)) {
    std::fprintf(stderr, "mirel-preview: --artwork %s: %s\n", options.artwork.c_str(), error.c_str());
    return 2;
  }
  // The preferences as every launch will read them, --set values included.
  if (!options.prefs.empty() || !options.overrides.empty()) {
    std::string root = prepareDeviceRoot(options);
    if (!preferencesParse(root + kPreferencesPath))
      std::fprintf(stderr,
                   "mirel-preview: warning: %s is not a property list the extension can read; it will use its "
                   "defaults\n",
                   options.prefs.c_str());
    fs::remove_all(root);
  }

  CGFloat scale = options.scale;
  Bitmap wallpaper;
  if (!options.wallpaper.empty()) {
    std::string error;
    wallpaper = Bitmap::readImageFile(options.wallpaper, &error);
    if (wallpaper.empty()) {
      std::fprintf(stderr, "mirel-preview: --wallpaper %s: %s\n", options.wallpaper.c_str(), error.c_str());
      return 2;
    }
  } else {
    wallpaper = builtInWallpaper(static_cast<int>(320 * scale), static_cast<int>(568 * scale));
  }

  std::vector<const HostApp*> apps;
  if (options.app == "music" || options.app == "all") apps.push_back(&musicApp());
  if (options.app == "messages" || options.app == "all") apps.push_back(&messagesApp());

  if (!options.suggestTheme.empty()) {
    std::vector<SuggestionScreen> screens;
    for (const HostApp* app : apps)
      for (const std::string& screen : app->screens) screens.push_back({app, screen});
    return writeSuggestedTheme(wallpaper, screens, options.scale, options.suggestTheme);
  }

  std::error_code ec;
  fs::create_directories(options.out, ec);
  if (ec) {
    std::fprintf(stderr, "mirel-preview: cannot create %s: %s\n", options.out.c_str(), ec.message().c_str());
    return 2;
  }

  const bool measure = options.readability || options.minContrast > 0;
  // The files of one rendering: BASE.png, BASE.json, BASE-readability.*.
  auto filesFor = [&](const std::string& base) {
    ScreenFiles files{base + ".png"};
    if (options.dumpJson) files.dump = base + ".json";
    if (options.readability) {
      files.readings = base + "-readability.json";
      files.outlined = base + "-readability.png";
    }
    return files;
  };

  int failures = 0;
  for (const HostApp* app : apps) {
    bool reported = false;
    for (const std::string& screen : app->screens) {
      std::string name = app->name + "-" + screen;
      std::string base = options.out + "/" + name;
      bool themed = !options.stock;
      bool report = options.hooks && themed && !reported;
      reported = reported || report;
      nlohmann::json texts, stockTexts;
      if (renderScreen(*app, screen, themed, options, wallpaper, filesFor(base), measure ? &texts : nullptr,
                       report) != 0) {
        ++failures;
        continue;
      }
      std::printf("wrote %s.png\n", base.c_str());
      if (options.minContrast > 0) {
        std::vector<std::string> below = contrastFailures(name, texts, options.minContrast);
        for (const std::string& line : below) std::fprintf(stderr, "mirel-preview: %s\n", line.c_str());
        if (!below.empty()) ++failures;
      }
      // The stock look beside the themed one, measured only, when no
      // stock picture is asked for.
      if (options.readability && themed && !options.compare &&
          renderScreen(*app, screen, false, options, wallpaper, {}, &stockTexts, false) != 0) {
        ++failures;
        continue;
      }
      if (options.compare && themed) {
        std::string stockPng = base + "-stock.png";
        if (renderScreen(*app, screen, false, options, wallpaper, filesFor(base + "-stock"),
                         options.readability ? &stockTexts : nullptr, false) != 0) {
          ++failures;
          continue;
        }
        std::string error;
        if (!writeSideBySide(stockPng, base + ".png", base + "-compare.png", &error)) {
          std::fprintf(stderr, "mirel-preview: %s\n", error.c_str());
          ++failures;
          continue;
        }
        std::printf("wrote %s-compare.png (stock left, themed right)\n", base.c_str());
      }
      if (options.readability) {
        std::printf("%s\n", readabilitySummary(name, themed ? &stockTexts : &texts, themed ? &texts : nullptr).c_str());
        if (std::string shortfall = themeColourShortfall(texts); themed && !shortfall.empty())
          std::printf("  %s\n", shortfall.c_str());
      }
    }
  }
  return failures ? kExitInputFailed : kExitDone;
}
