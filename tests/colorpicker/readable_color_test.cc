// The lightness move that makes text readable: what moves, which way, how
// far, and what stays.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "colorpicker/ReadableColor.h"

namespace {

using readable::RGB;

struct MoveCase {
  const char* what;
  RGB text, background;
  double minimum;
  int way;  // +1 lighter, -1 darker, 0 unchanged
};

// Against a middle grey both white and black reach 4.5:1; a light text
// goes the shorter way up, a dark one down.
const MoveCase kMoves[] = {
    {"white on black already passes", {1, 1, 1}, {0, 0, 0}, 4.5, 0},
    {"black on black becomes light", {0, 0, 0}, {0, 0, 0}, 4.5, +1},
    {"dark blue on a dark scheme", {0.05, 0.1, 0.45}, {0.1, 0.1, 0.12}, 4.5, +1},
    {"pale yellow on white", {0.95, 0.9, 0.6}, {1, 1, 1}, 4.5, -1},
    {"saturated red on mid grey", {0.9, 0.1, 0.1}, {0.5, 0.5, 0.5}, 4.5, -1},
    {"green on dark green, strict", {0.2, 0.6, 0.2}, {0.1, 0.3, 0.12}, 7, +1},
    {"grey just short of the edge", {0.46, 0.46, 0.46}, {1, 1, 1}, 4.5, 0},
    {"light grey on middle grey", {0.7, 0.7, 0.7}, {0.46, 0.46, 0.46}, 4.5, +1},
    {"dark grey on middle grey", {0.3, 0.3, 0.3}, {0.46, 0.46, 0.46}, 4.5, -1},
};

double hueDistance(double a, double b) {
  double d = std::fabs(a - b);
  return std::fmin(d, 2 * std::numbers::pi - d);
}

TEST(ReadableText, MovesInLightnessJustFarEnoughKeepingTheHue) {
  for (const MoveCase& c : kMoves) {
    SCOPED_TRACE(c.what);
    readable::LightnessMove move = readable::moveLightness(c.text, c.background, c.minimum);
    EXPECT_GE(readable::contrastRatio(move.colour, c.background), c.minimum);
    EXPECT_EQ((move.toLightness > move.fromLightness) - (move.toLightness < move.fromLightness), c.way);
    if (readable::contrastRatio(c.text, c.background) >= c.minimum) {
      EXPECT_EQ(move.colour.r, c.text.r);
      EXPECT_EQ(move.colour.g, c.text.g);
      EXPECT_EQ(move.colour.b, c.text.b);
      continue;
    }
    // One step less of the move falls short: the minimum is reached, not overshot.
    const double back = move.toLightness + (move.toLightness > move.fromLightness ? -1 : 1) * readable::kLightnessStep;
    EXPECT_LT(readable::contrastRatio(readable::atLightness(c.text, back), c.background), c.minimum);
    readable::LCh before = readable::oklch(c.text), after = readable::oklch(move.colour);
    if (before.C > 0.03 && after.C > 0.03) {
      EXPECT_LT(hueDistance(before.h, after.h), 0.05);
    }
  }
}

TEST(ReadableText, TheExportedFormKeepsAPassingColourAndTheAlpha) {
  UIColor* white = UIColor::whiteColor();
  EXPECT_EQ(readableTextColorAgainstBackground(white, UIColor::blackColor(), 4.5), white);
  CGFloat r = 0, g = 0, b = 0, a = 0;
  UIColor* moved = readableTextColorAgainstBackground(UIColor::withRGBA(0, 0, 0, 0.8), nullptr, 4.5);
  ASSERT_TRUE(moved->getRGBA(&r, &g, &b, &a));
  EXPECT_DOUBLE_EQ(a, 0.8);
}

}  // namespace
