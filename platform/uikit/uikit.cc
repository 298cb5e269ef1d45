// Registration of Core Graphics' object types and the UIKit classes.
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
}
