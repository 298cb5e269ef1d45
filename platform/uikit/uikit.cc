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
  registerUIFont();
  registerTextDrawing();
  registerUIView();
  registerUILabel();
  registerUIApplication();
  registerUITableViewCell();
  registerUIBackdropView();
  registerUIStatusBar();
  registerUIButton();
  registerUIViewController();
  registerUIContainerViews();
  registerUINavigationController();
  registerUITableView();
  registerUICollectionView();
  registerUIImage();
}
