// mirel-preview --suggest-theme: a theme from the wallpaper, checked on the
// rendered screens, written as a binary preferences file, with a line per
// round and the counts of theme texts below AA before and after.
#pragma once

#include <string>
#include <vector>

#include "platform/render/Bitmap.h"
#include "tools/common/theme_suggestion.h"

// Returns the exit status: 0 when written (texts left below AA are named
// on standard output, not a failure), 1 when it could not be made.
int writeSuggestedTheme(const Bitmap& wallpaper, const std::vector<SuggestionScreen>& screens, double scale,
                        const std::string& outPath);
