// Activating the launched Messages app: each activation animates the
// background style to 3 over 3 seconds, and the app's own handler no longer
// runs.
#include <gtest/gtest.h>

#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"

namespace {

std::vector<double> gDurations;
IMP gAnimate = nullptr;
void recordingAnimate(id cls, SEL sel, double duration, Block<void()>* animations, Block<void(BOOL)>* completion) {
  gDurations.push_back(duration);
  objc::Sender<void(double, Block<void()>*, Block<void(BOOL)>*)>::call(gAnimate, cls, sel, duration, animations,
                                                                       completion);
}

std::vector<NSInteger> gStyles;
IMP gSetStyle = nullptr;
void recordingSetStyle(id self, SEL sel, NSInteger style) {
  gStyles.push_back(style);
  objc::Sender<void(NSInteger)>::call(gSetStyle, self, sel, style);
}

TEST(MessagesActivation, EachActivationAnimatesStyleThreeInsteadOfTheHostsHandler) {
  inLaunch(messagesLaunch(), [] {
    gAnimate = spyOn(objc::classOf<UIView>(), "animateWithDuration:animations:completion:"_sel,
                     objc::imp<&recordingAnimate>(), true);
    gSetStyle = spyOn(objc::classOf<UIApplication>(), "_setBackgroundStyle:"_sel, objc::imp<&recordingSetStyle>());
    for (int i = 0; i < 3; ++i) UIApplicationBecomeActive();

    EXPECT_EQ(gDurations, (std::vector<double>{3.0, 3.0, 3.0}));
    EXPECT_TRUE(gStyles.empty()) << "the style waits for the run loop";
    RunLoop::main().runDue();
    EXPECT_EQ(gStyles, (std::vector<NSInteger>{3, 3, 3}));
    EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 3);
    EXPECT_EQ(objc::as<SMSApplication>(UIApplication::shared())->_activations, 0);
  });
}

}  // namespace
