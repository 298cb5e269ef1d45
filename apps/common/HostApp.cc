// Settling a host's window before it is looked at.
#include "apps/common/HostApp.h"

#include "platform/foundation/RunLoop.h"
#include "platform/uikit/uikit.h"

void settleWindow(UIWindow* window) {
  RunLoop::main().runUntilIdle();
  window->layoutIfNeeded();
  RunLoop::main().runUntilIdle();
}
