// The WCAG 2 contrast ratio of two colours, from their relative luminance:
// (L1 + 0.05) / (L2 + 0.05), L1 the lighter colour's, L2 the darker's; from
// 1 (the same luminance) to 21 (black and white). The picker's own contrast
// test is another one (brightness and colour differences); this one tells a
// reader how legible a scheme's text is.
//
//   double ratio = KRContrastRatio(scheme->backgroundColor(), scheme->primaryTextColor());  // 4.5 and up reads well
#pragma once

#include "platform/uikit/UIColor.h"

// 0.2126 R + 0.7152 G + 0.0722 B of the linear sRGB channels; a colour that
// cannot give RGB counts as black.
double KRRelativeLuminance(UIColor* color);
double KRContrastRatio(UIColor* a, UIColor* b);
