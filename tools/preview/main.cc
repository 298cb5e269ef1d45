// mirel-preview: renders the modelled hosts' screens as the extension
// themes them, beside the stock look.
//
//   mirel-preview --app music --compare --dump-json --out preview
//
// Every screen is rendered in its own launch (a child process), stock or
// themed, so that each picture starts from a fresh process as on a device.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/foundation/foundation.h"
#include "platform/render/Renderer.h"
#include "platform/render/ViewDump.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "tools/preview/now_playing.h"
#include "tools/preview/preference_warnings.h"
#include "tools/preview/screen_launch.h"
#include "tools/preview/setting_overrides.h"
#include "tweak/color_from_hex.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"
#include "tweak/startup.h"
#include "tools/exit_status.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string app = "all";
  std::string prefs, artwork, wallpaper, out = "preview";
  bool stock = false, compare = false, dumpJson = false, hooks = false;
  double scale = 2;
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

void printReport(const std::string& app) {
  for (const InstallRecord& r : installationReport())
    std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", app.c_str(), hookGroupName(r.group), r.row->className,
                kindText(r.row->kind).c_str(), r.row->selector, installOutcomeText(r.outcome));
}

// Renders one screen in a fresh launch; writes the PNG and, when asked, the
// JSON dump. Returns 0 on success.
int renderScreen(const HostApp& app, const std::string& screen, bool themed, const Options& options,
                 const Bitmap& wallpaper, const std::string& pngPath, const std::string& jsonPath, bool report) {
  std::string root = prepareDeviceRoot(options);
  int status = runScreenLaunch(app.name + " " + screen + (themed ? "" : " (stock)"), [&] {
    HostDescription host = app.host;
    host.deviceRoot = root;
    launchHost(host, themed ? &mirelExtensionImage() : nullptr);
    UIScreenSetMainScreenScale(options.scale);
    if (report) printReport(app.name);
    AutoreleasePool pool;
    useSessionArtwork(options.artwork);
    Ref<UIWindow> window = app.buildScreen(screen);
    if (!window) {
      std::fprintf(stderr, "mirel-preview: %s has no screen %s\n", app.name.c_str(), screen.c_str());
      return 1;
    }
    RenderOptions render{options.scale, UIApplication::shared()->backgroundStyle(), &wallpaper};
    Bitmap picture = renderWindow(window, render);
    std::string error;
    if (!picture.writePNG(pngPath, &error)) {
      std::fprintf(stderr, "mirel-preview: %s\n", error.c_str());
      return 1;
    }
    if (!jsonPath.empty()) {
      nlohmann::json dump = {{"app", app.name},
                             {"screen", screen},
                             {"bundleIdentifier", app.host.bundleIdentifier ? app.host.bundleIdentifier : ""},
                             {"backgroundStyle", UIApplication::shared()->backgroundStyle()},
                             {"window", dumpView(window)}};
      if (screen == "nowplaying") dump["nowPlayingScheme"] = nowPlayingSchemeJson();
      std::ofstream(jsonPath) << dump.dump(2) << "\n";
    }
    return 0;
  });
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

  std::error_code ec;
  fs::create_directories(options.out, ec);
  if (ec) {
    std::fprintf(stderr, "mirel-preview: cannot create %s: %s\n", options.out.c_str(), ec.message().c_str());
    return 2;
  }

  std::vector<const HostApp*> apps;
  if (options.app == "music" || options.app == "all") apps.push_back(&musicApp());
  if (options.app == "messages" || options.app == "all") apps.push_back(&messagesApp());

  int failures = 0;
  for (const HostApp* app : apps) {
    bool reported = false;
    for (const std::string& screen : app->screens) {
      std::string base = options.out + "/" + app->name + "-" + screen;
      bool themed = !options.stock;
      bool report = options.hooks && themed && !reported;
      reported = reported || report;
      if (renderScreen(*app, screen, themed, options, wallpaper, base + ".png", options.dumpJson ? base + ".json" : "",
                       report) != 0) {
        ++failures;
        continue;
      }
      std::printf("wrote %s.png\n", base.c_str());
      if (options.compare && themed) {
        std::string stockPng = base + "-stock.png";
        if (renderScreen(*app, screen, false, options, wallpaper, stockPng,
                         options.dumpJson ? base + "-stock.json" : "", false) != 0) {
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
    }
  }
  return failures ? kExitInputFailed : kExitDone;
}
