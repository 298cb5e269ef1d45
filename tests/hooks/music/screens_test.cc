// The Music app's screens as the themed host builds them, read back through
// the view dump: what is clear, and which colours the host draws its texts
// and tab bar in, with the default preferences; and how readable the texts
// are, rendered over a wallpaper.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "apps/music/MusicApp.h"
#include "platform/render/Renderer.h"
#include "platform/render/ViewDump.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"

using nlohmann::json;

namespace {

void eachNode(const json& node, const std::function<void(const json&)>& visit) {
  visit(node);
  for (const json& sub : node["subviews"]) eachNode(sub, visit);
}

json dumpScreen(const std::string& screen) {
  AutoreleasePool pool;
  Ref<UIWindow> window = musicApp().buildScreen(screen);
  EXPECT_NE(window.get(), nullptr) << screen;
  return window ? dumpView(window.get()) : json();
}

// The colour each drawn text had, by its text; the first one drawn wins
// (the tab bar comes after the screen it belongs to).
std::map<std::string, json> drawnTextColours(const json& window) {
  std::map<std::string, json> colours;
  eachNode(window, [&](const json& node) {
    if (node.contains("texts"))
      for (const json& run : node["texts"]) colours.emplace(run["text"], run["color"]);
    if (node.contains("text") && node["text"].is_string()) colours.emplace(node["text"], node["textColor"]);
  });
  return colours;
}

TEST(Screens, ContainersAreClearOnEveryScreenAndRadioTextsAreInTheThemeColours) {
  inLaunch({.registerHostClasses = &registerMusicClasses}, [] {
    const std::set<json> theme = {"#F4FCF7FF", "#E4E4E4FF"};
    const std::pair<const char*, std::vector<const char*>> expectations[] = {
        {"songs", {"UITableView", "_UITableViewHeaderFooterViewBackground", "_UITableViewHeaderFooterContentView"}},
        {"albums", {"UICollectionView", "MPUVignetteBackgroundView"}},
        {"more", {"UITableView"}},
        {"customize", {"UITabBarCustomizeView"}},
        {"search", {"UITableView"}},
        {"actions", {"UITableView"}},
        {"alert", {"UITableView"}},
        {"radio", {"UITableView", "UICollectionView", "_UITableViewHeaderFooterViewBackground"}},
        {"radio-history", {"UITableView"}},
        {"artists", {"UICollectionView", "MPUVignetteBackgroundView"}},
        {"album", {"UITableView", "_UITableViewHeaderFooterContentView"}},
        {"album-flipside", {"UITableView"}},
        {"genius", {"MPUVignetteBackgroundView"}},
    };
    ASSERT_EQ(musicApp().screens,
              (std::vector<std::string>{"songs", "albums", "more", "customize", "nowplaying", "search", "actions",
                                        "alert", "radio", "radio-history", "artists", "album", "album-flipside",
                                        "genius"}));
    for (const auto& [screen, classes] : expectations) {
      json window = dumpScreen(screen);
      for (const char* className : classes) {
        int seen = 0;
        eachNode(window, [&](const json& node) {
          if (node["class"] != className) return;
          ++seen;
          EXPECT_EQ(node["backgroundColor"], "#00000000") << screen << " " << className;
        });
        EXPECT_GT(seen, 0) << screen << " shows no " << className;
      }
      if (std::string(screen).rfind("radio", 0) != 0) continue;
      // Every label shown and every text drawn into an image, by what its
      // pixels show: the radio screens have nothing left in a colour of
      // their own.
      int labels = 0, images = 0;
      std::function<void(const json&)> visit = [&](const json& node) {
        if (node["hidden"]) return;
        if (node.contains("text") && node["text"].is_string()) {
          ++labels;
          EXPECT_TRUE(theme.count(node["textColor"])) << screen << ": " << node["text"];
        }
        if (node.contains("image") && node["image"].is_object() && node["image"].contains("inkColor")) {
          ++images;
          EXPECT_TRUE(theme.count(node["image"]["inkColor"])) << screen << ": " << node["image"]["drawnTexts"];
        }
        for (const json& sub : node["subviews"]) visit(sub);
      };
      visit(window);
      EXPECT_GE(labels, 5) << screen;
      EXPECT_GE(images, 6) << screen;
    }
  });
}

TEST(Screens, SongsAreDrawnInTheDefaultThemeTextColoursAndUnselectedTabsInTheSecondaryTint) {
  inLaunch({.registerHostClasses = &registerMusicClasses}, [] {
    json window = dumpScreen("songs");
    std::map<std::string, json> colours = drawnTextColours(window);
    const std::pair<const char*, const char*> expected[] = {
        {"Blue Hour", "#F4FCF7FF"},                       // the playing song's title, emphasised
        {"3:18", "#F4FCF7FF"},                            // its duration, emphasised
        {"Afterglow", "#E4E4E4FF"},                       // a regular title
        {"The Lanterns \u2014 Northern Lights", "#F4FCF7FF"},  // a regular subtitle
        {"3:42", "#F4FCF7FF"},                            // a regular grey detail
        {"A", "#E4E4E4FF"},                               // a section header's regular title
        {"Songs", "#F4FCF7FF"},                           // the navigation bar's title
    };
    for (auto [text, colour] : expected) {
      ASSERT_TRUE(colours.count(text)) << text << " is not drawn";
      EXPECT_EQ(colours[text], colour) << text;
    }

    // An unselected tab button shows its image and its label in the tint.
    int unselected = 0;
    eachNode(window, [&](const json& node) {
      if (node["class"] != "UITabBarButton") return;
      std::string label = node["texts"].at(0)["text"];
      json drawn = node["texts"].at(0)["color"];
      json glyph = node["subviews"].at(0)["tintColor"];
      if (label == "Songs") {
        EXPECT_NE(drawn, "#0B4478FF") << "the selected tab keeps the tint colour";
        return;
      }
      ++unselected;
      EXPECT_EQ(node["unselectedTintColor"], "#0B4478FF") << label;
      EXPECT_EQ(drawn, "#0B4478FF") << label << ": the label follows the unselected tint";
      EXPECT_EQ(glyph, "#0B4478FF") << label;
    });
    EXPECT_EQ(unselected, 4);
  });
}

// --- Readability ---------------------------------------------------------------

Bitmap renderOver(UIWindow* window, const Bitmap& wallpaper, std::vector<TextReading>* readings = nullptr) {
  return renderWindow(window, {2, UIApplication::shared()->backgroundStyle(), &wallpaper, readings});
}

UIView* viewAtPath(UIView* root, const std::string& path) {
  UIView* view = root;
  for (size_t at = 0; view && (at = path.find("/subviews/", at)) != std::string::npos;) {
    at += 10;
    size_t index = std::stoul(path.substr(at));
    std::vector<UIView*> subviews = view->subviewList();
    view = index < subviews.size() ? subviews[index] : nullptr;
  }
  return view;
}

// The oracle: the screen drawn again without the text, read over the
// reading's box, each pixel against the ink laid over it.
std::vector<float> ratiosWithout(const Bitmap& picture, const TextReading& r) {
  auto first = [](double v) { return static_cast<int>(std::ceil(v * 2 - 0.5)); };
  std::vector<float> ratios;
  for (int y = first(r.y); y < first(r.y + r.height); ++y)
    for (int x = first(r.x); x < first(r.x + r.width); ++x) {
      uint8_t p[4];
      picture.rgbaAt(x, y, p);
      double mixed[3];
      for (int c = 0; c < 3; ++c) mixed[c] = std::lround(r.ink[c] * 255 * r.ink[3] + p[c] * (1 - r.ink[3])) / 255.0;
      ratios.push_back(static_cast<float>(contrastRatio(relativeLuminance(mixed[0], mixed[1], mixed[2]),
                                                        relativeLuminance(p[0] / 255.0, p[1] / 255.0, p[2] / 255.0))));
    }
  std::sort(ratios.begin(), ratios.end());
  return ratios;
}

TEST(Screens, EachTextIsMeasuredAgainstTheScreenWithoutItAndWhiteOverWhiteIsFlagged) {
  inLaunch({.registerHostClasses = &registerMusicClasses}, [] {
    Bitmap wallpaper = builtInWallpaper(640, 1136);
    Ref<UIWindow> window = musicApp().buildScreen("songs");
    std::vector<TextReading> readings;
    renderOver(window, wallpaper, &readings);
    int checked = 0;
    for (const TextReading& r : readings) {
      if (r.viewClass != "UILabel") continue;
      SCOPED_TRACE(r.text);
      UIView* label = viewAtPath(window, r.viewPath);
      ASSERT_NE(label, nullptr);
      label->setHidden(YES);
      std::vector<float> ratios = ratiosWithout(renderOver(window, wallpaper), r);
      label->setHidden(NO);
      ASSERT_FALSE(ratios.empty());
      EXPECT_NEAR(r.contrast, ratios[ratios.size() / 2], 1e-4);
      EXPECT_NEAR(r.worstContrast, ratios[(ratios.size() - 1) / 10], 1e-4);
      ++checked;
    }
    EXPECT_GE(checked, 4) << "the section headers are labels";

    // The themed list's near-white texts read over the built-in wallpaper's
    // dark blur; over a white wallpaper the same texts are flagged.
    Bitmap white = Bitmap::create(640, 1136);
    cairo_t* cr = cairo_create(white.surface());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::vector<TextReading> overWhite;
    renderOver(window, white, &overWhite);
    ASSERT_EQ(readings.size(), overWhite.size());
    int whiteTexts = 0;
    for (size_t i = 0; i < overWhite.size(); ++i) {
      const TextReading& r = overWhite[i];
      bool inTheList = r.viewClass == "UILabel" || r.viewClass.rfind("MusicSongList", 0) == 0;
      if (!inTheList || std::min({r.ink[0], r.ink[1], r.ink[2]}) < 0.85) continue;
      ++whiteTexts;
      EXPECT_EQ(r.verdict, ReadabilityVerdict::BelowAA) << r.text << " " << r.worstContrast;
      EXPECT_GE(readings[i].worstContrast, 4.5) << r.text;
    }
    EXPECT_GE(whiteTexts, 20);
  });
}

}  // namespace
