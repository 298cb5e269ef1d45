// The Albums screen: a grid of album tiles (cover and caption) in a
// UICollectionView, over the MediaPlayer UI's MPUVignetteBackgroundView,
// which serves as the screen's background. The controller fills the grid
// in viewDidLayoutSubviews; a tile opens the album's detail screen.
//
//   Ref<UIViewController> albums = makeAlbumsViewController();
#pragma once

#include "platform/uikit/uikit.h"

// MPUVignetteBackgroundView: a dark background with a plain UIView dimming
// layer in front of it, both made when the view is initialised.
struct MPUVignetteBackgroundView : UIView {
  static constexpr const char* kClassName = "MPUVignetteBackgroundView";
};

Ref<UIViewController> makeAlbumsViewController();

void registerAlbumsClasses();
