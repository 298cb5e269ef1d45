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

// The grid screens (albums, artists) build their view alike: a vignette at
// the back, as the screen's background, and a collection view in front of
// it between the bars, with `controller` as its data source.
void addVignetteGrid(UIViewController* controller, CGFloat spacing, CGSize itemSize);
// Fills the screen's grid once the view has its width, and again whenever
// the width changes; `laidOutWidth` is the controller's record of it.
void reloadGridOnWidthChange(UIViewController* controller, CGFloat* laidOutWidth);

Ref<UIViewController> makeAlbumsViewController();

void registerAlbumsClasses();
