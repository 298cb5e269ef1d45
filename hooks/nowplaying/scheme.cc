// The scheme of the current artwork: process-wide, main thread only.
#include "hooks/nowplaying/scheme.h"

#include "colorpicker/ReadableColor.h"
#include "hooks/nowplaying/titles_backdrop.h"
#include "tweak/settings.h"

namespace {

// WCAG 2's AA minimum for body text.
constexpr double kReadableRatio = 4.5;

struct HeldColours {
  Ref<KRColorScheme> scheme;
  // With ReadableText: the scheme's text colours made readable; nil without.
  Ref<UIColor> primary, secondary;
};

HeldColours& held() {
  static auto* colours = new HeldColours;  // lives as long as the process
  return *colours;
}

}  // namespace

KRColorScheme* nowPlayingScheme() { return held().scheme.get(); }

void setNowPlayingScheme(KRColorScheme* scheme, const std::vector<readable::RGB>& behindTitle,
                         const std::vector<readable::RGB>& behindDetail) {
  HeldColours& h = held();
  h.scheme = scheme;
  h.primary = nullptr;
  h.secondary = nullptr;
  if (!scheme || !TweakSettings.ReadableText) return;
  auto readable = [&](UIColor* text, const std::vector<readable::RGB>& behind) {
    if (behind.empty()) return readableTextColorAgainstBackground(text, scheme->backgroundColor(), kReadableRatio);
    return readableOverPixels(text, behind, kReadableRatio);
  };
  h.primary = readable(scheme->primaryTextColor(), behindTitle);
  h.secondary = readable(scheme->secondaryTextColor(), behindDetail);
}

UIColor* adaptivePrimaryTextColour() {
  const HeldColours& h = held();
  if (h.primary) return h.primary.get();
  if (h.scheme) return h.scheme->primaryTextColor();
  return ThemeColours.PrimaryTextColour.get();
}

UIColor* adaptiveSecondaryTextColour() {
  const HeldColours& h = held();
  if (h.secondary) return h.secondary.get();
  if (h.scheme) return h.scheme->secondaryTextColor();
  return ThemeColours.SecondaryTextColour.get();
}
