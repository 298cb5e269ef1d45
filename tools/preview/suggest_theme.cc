#include "tools/preview/suggest_theme.h"

#include <cstdio>
#include <fstream>

#include "tools/exit_status.h"
#include "tools/studio/preferences.h"

int writeSuggestedTheme(const Bitmap& wallpaper, const std::vector<SuggestionScreen>& screens, double scale,
                        const std::string& outPath) {
  ThemeSuggestionRequest request{&wallpaper, scale, screens};
  request.progress = [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  ThemeSuggestion suggestion;
  std::string error;
  if (!suggestTheme(request, &suggestion, &error)) {
    std::fprintf(stderr, "mirel-preview: --suggest-theme: %s\n", error.c_str());
    return kExitInputFailed;
  }
  Preferences document;
  Change change;
  if (!document.setAll(suggestion.values, &change, &error)) {
    std::fprintf(stderr, "mirel-preview: --suggest-theme: %s\n", error.c_str());
    return kExitInputFailed;
  }
  const std::string bytes = document.propertyList(PropertyListFormat::Binary);
  std::ofstream out(outPath, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    std::fprintf(stderr, "mirel-preview: cannot write %s\n", outPath.c_str());
    return kExitInputFailed;
  }
  for (const std::string& line : suggestion.unreachable) std::printf("still below AA: %s\n", line.c_str());
  auto byApp = [](const std::map<std::string, size_t>& counts) {
    std::string text;
    for (const auto& [app, count] : counts) text += (text.empty() ? "" : ", ") + app + " " + std::to_string(count);
    return text;
  };
  std::printf("theme texts below AA: default theme %zu (%s), suggested %zu (%s), of %zu\n",
              suggestion.belowAAWithDefault, byApp(suggestion.belowByAppWithDefault).c_str(),
              suggestion.belowAAWithSuggestion, byApp(suggestion.belowByAppWithSuggestion).c_str(),
              suggestion.themedTexts);
  std::printf("wrote %s\n", outPath.c_str());
  return kExitDone;
}
