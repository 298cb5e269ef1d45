// -[SMSApplication applicationDidBecomeActive:].
//
//   UIApplicationBecomeActive();   // the host activates; this runs instead of its handler
#include "hooks/messages/application_hooks.h"

#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIView.h"

// The host's own handler is deliberately not called, and the notification is
// not looked at. The current style is not checked first either: each
// activation starts an animation of its own, also when the style is 3
// already. The style itself changes only when the run loop runs the
// animation block.
void hook_SMSApplication_applicationDidBecomeActive_(id self, SEL _cmd, id notification) {
  Ref<Block<void()>> animations = Block<void()>::make([] { UIApplication::shared()->setBackgroundStyle(3); });
  Ref<Block<void(BOOL)>> completion = Block<void(BOOL)>::make([](BOOL finished) {});
  UIView::animate(kActivationAnimationDuration, animations, completion);
}
