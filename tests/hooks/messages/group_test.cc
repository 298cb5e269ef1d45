// The Messages group is installed nowhere but in the Messages app, even in
// a host that has the Messages classes (which rows the Messages app gets,
// and for which settings, the hook table and start-up tests pin).
#include <gtest/gtest.h>

#include <string>

#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"
#include "tweak/hook_installer.h"

namespace {

TEST(MessagesGroup, OtherHostsNeverGetIt) {
  for (const char* nowPlaying : {"<true/>", "<false/>"}) {
    SCOPED_TRACE(nowPlaying);
    inLaunch(messagesLaunch({{"NowPlayingHooks", nowPlaying}}, "com.apple.Music"), [] {
      EXPECT_FALSE(installationReport().empty());
      for (const InstallRecord& r : installationReport()) EXPECT_NE(r.group, HookGroup::Messages);

      Ref<UIView> container = UIView::make<UILayoutContainerView>(CGRectZero);
      container->setBackgroundColor(UIColor::redColor());
      EXPECT_TRUE(container->backgroundColor()->isEqual(UIColor::redColor()));
      Ref<UIView> content = UIView::create(CGRectZero);
      UIView* wrapper = UIViewControllerWrapperView::wrapperFor(content, CGRectMake(0, 64, 320, 416));
      EXPECT_EQ(wrapper->subviewList().size(), 1u) << "no backdrop";
      UIApplicationBecomeActive();
      EXPECT_EQ(objc::as<SMSApplication>(UIApplication::shared())->_activations, 1);
    });
  }
}

}  // namespace
