// UIKit as the extension and the hosts see it.
#pragma once

#include "platform/coregraphics/CGColor.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/coregraphics/CGGradient.h"
#include "platform/coregraphics/CGImage.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIScreen.h"

// Registers Core Graphics' object types and every UIKit class. Called once
// per process after registerFoundation().
void registerUIKit();
