// The scheme of the current artwork: process-wide, main thread only.
#include "hooks/nowplaying/scheme.h"

#include "tweak/settings.h"

namespace {

Ref<KRColorScheme>& heldScheme() {
  static auto* scheme = new Ref<KRColorScheme>;  // lives as long as the process
  return *scheme;
}

}  // namespace

KRColorScheme* nowPlayingScheme() { return heldScheme().get(); }

void setNowPlayingScheme(KRColorScheme* scheme) { heldScheme() = scheme; }

UIColor* adaptivePrimaryTextColour() {
  if (KRColorScheme* scheme = nowPlayingScheme()) return scheme->primaryTextColor();
  return ThemeColours.PrimaryTextColour.get();
}

UIColor* adaptiveSecondaryTextColour() {
  if (KRColorScheme* scheme = nowPlayingScheme()) return scheme->secondaryTextColor();
  return ThemeColours.SecondaryTextColour.get();
}
