// Registration of Core Graphics' object types and the UIKit classes,
// superclasses first.
#include "platform/uikit/uikit.h"

void registerUIKit() {
  registerCGColor();
  registerCGImage();
  registerCGGradient();
  registerCGContext();
  registerUIColor();
  registerUIColorDrawing();
  registerUIScreen();
  registerUIImage();
  registerUIFont();
  registerTextDrawing();
  registerUIView();
  registerUILabel();
  registerUIImageView();
  registerUIApplication();
  registerUITableViewCell();
  registerUIBackdropView();
  registerUIStatusBar();
  registerUIButton();
  registerUITextField();
  registerUISearchBar();
  registerUIAlertView();
  registerUIViewController();
  registerUIAlertController();
  registerUIContainerViews();
  registerUINavigationController();
  registerUITableView();
  registerUICollectionView();
  registerUITabBar();
  registerUITabBarCustomizeView();
}
