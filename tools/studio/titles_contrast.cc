#include "tools/studio/titles_contrast.h"

#include "apps/music/MusicApp.h"

using json = nlohmann::json;

namespace {

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind("/subviews/")); }

TitleContrast contrastOf(const json& record) {
  return {record.value("contrast", 0.0), record.value("worstContrast", 0.0)};
}

}  // namespace

bool titlesReadings(const json& texts, TitlesContrast* out) {
  // The titles view holds the title label (bold) as its first subview and
  // the detail label as its second; the navigation bar's bold title has no
  // such sibling.
  for (const json& title : texts) {
    const std::string path = title["view"].value("path", "");
    if (!title["font"].value("bold", false) || !path.ends_with("/subviews/0")) continue;
    for (const json& detail : texts)
      if (detail["view"].value("path", "") == parentOf(path) + "/subviews/1" && !detail["font"].value("bold", true)) {
        *out = {contrastOf(title), contrastOf(detail)};
        return true;
      }
  }
  return false;
}

bool measureTitlesContrast(LauncherPool& launchers, const Preferences& document, const std::string& artworkPath,
                           double scale, bool blurArtwork, TitlesContrast* out, std::string* error) {
  Preferences measured = document;
  Change change;
  if (!measured.setAll({{"Enabled", true}, {"AdaptiveNowPlaying", true}, {"ReadableText", false},
                        {"BlurArtwork", blurArtwork}},
                       &change, error))
    return false;
  ScreenRenderRequest request{.app = &musicApp(), .screen = "nowplaying", .themed = true};
  request.preferences = measured.propertyList();
  request.scale = scale;
  std::string png;
  json texts;
  if (!launchers.render(request, "", artworkPath, &png, error, &texts)) return false;
  if (!titlesReadings(texts, out)) return *error = "the Now Playing render drew no titles", false;
  return true;
}
