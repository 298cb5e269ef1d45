// How the artwork scheme's text colours read over what actually lies behind
// the Now Playing titles: the dim layer (the scheme's background, half
// transparent with BlurArtwork) over the artwork. Measured, not worked out:
// the Now Playing screen is rendered themed with the scheme switched on and
// the title's and detail's readability records are read back.
//
//   TitlesContrast over;
//   measureTitlesContrast(launchers, document, artworkPath, 1, /*blurArtwork=*/true, &over, &error);
//   show(over.primary.median, over.primary.worst);
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "tools/studio/launcher.h"
#include "tools/studio/preferences.h"

struct TitleContrast {
  double median = 0, worst = 0;  // as the records give them: median and 10th percentile
};

struct TitlesContrast {
  TitleContrast primary, secondary;  // the title and the detail line
};

// The document's values with Enabled and AdaptiveNowPlaying on (the titles
// take the scheme's colours), ReadableText off (so they keep the scheme's
// own colours, not ones moved to be readable) and BlurArtwork as given.
bool measureTitlesContrast(LauncherPool& launchers, const Preferences& document, const std::string& artworkPath,
                           double scale, bool blurArtwork, TitlesContrast* out, std::string* error);

// Among a Now Playing render's records, the title label's and the detail
// label's: the two labels of the titles view, the bold title first and the
// detail beside it; false when the render drew no such pair.
bool titlesReadings(const nlohmann::json& texts, TitlesContrast* out);
