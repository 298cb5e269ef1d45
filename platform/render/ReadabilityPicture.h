// A rendered screen with its hard-to-read texts marked: each text below AA
// outlined in red, each between AA and AAA in amber, with its worst-case
// ratio written beside it. Texts that reach AAA are left unmarked.
//
//   Bitmap marked = outlinedPicture(picture, readings, 2);
#pragma once

#include <string>
#include <vector>

#include "platform/render/Bitmap.h"
#include "platform/render/Readability.h"

// A copy of `picture` (rendered at `scale`) with the marks drawn over it.
Bitmap outlinedPicture(const Bitmap& picture, const std::vector<TextReading>& readings, double scale);

// "2.1:1": the ratio cut to one place, so a failing text never reads as
// reaching its threshold.
std::string ratioText(double ratio);
