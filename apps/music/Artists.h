// The Artists screen: a grid of artists (portrait, name and album count)
// in a UICollectionView over a MPUVignetteBackgroundView, which the
// controller fills in viewDidLayoutSubviews once it knows its width.
//
//   Ref<UIViewController> artists = makeArtistsViewController();
#pragma once

#include "platform/uikit/uikit.h"

Ref<UIViewController> makeArtistsViewController();

void registerArtistsClasses();
