// The Playlists tab and the Genius opt-in screen: a list of playlists whose
// first row, Genius, opens MusicGeniusOptInViewController, nine labels
// explaining the feature over a MPUVignetteBackgroundView. The controller
// lays its labels out in its own layoutSubviews, which it runs from
// viewDidLayoutSubviews.
//
//   Ref<UIViewController> playlists = makePlaylistsViewController();
//   openGeniusFromPlaylists(playlists);
#pragma once

#include "platform/uikit/uikit.h"

struct MusicGeniusOptInViewController : UIViewController {
  static constexpr const char* kClassName = "MusicGeniusOptInViewController";
  Ref<UILabel> _aboutGeniusLabel;
  Ref<UILabel> _geniusLegalLabel;
  Ref<UILabel> _stepOneBulletLabel;
  Ref<UILabel> _stepOneDescriptionLabel;
  Ref<UILabel> _stepTwoBulletLabel;
  Ref<UILabel> _stepTwoDescriptionLabel;
  Ref<UILabel> _stepThreeBulletLabel;
  Ref<UILabel> _stepThreeDescriptionLabel;
  Ref<UILabel> _continueUsingMusicLabel;
};

Ref<UIViewController> makePlaylistsViewController();

// Taps the Genius row: the opt-in screen is pushed.
void openGeniusFromPlaylists(UIViewController* playlists);

void registerGeniusClasses();
