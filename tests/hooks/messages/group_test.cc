// Which rows a host gets: the Messages group, and only it, in the Messages
// app whatever NowPlayingHooks says; none of it anywhere else, even in a
// host that has the Messages classes.
#include <gtest/gtest.h>

#include <string>

#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"
#include "tweak/hook_installer.h"

namespace {

struct ExpectedRow {
  const char* className;
  const char* selector;
  InstallOutcome outcome;
};

// The table's order. The container only inherits its initialisers and
// setter from UIView, and has no initWithFrame:style: at all; the wrapper's
// rows are class methods, found on the metaclass.
const ExpectedRow kMessagesRows[] = {
    {"SMSApplication", "applicationDidBecomeActive:", InstallOutcome::ReplacedOwnMethod},
    {"CKConversationListController", "loadView", InstallOutcome::ReplacedOwnMethod},
    {"UILayoutContainerView", "setBackgroundColor:", InstallOutcome::AddedOverInherited},
    {"UILayoutContainerView", "initWithCoder:", InstallOutcome::AddedOverInherited},
    {"UILayoutContainerView", "initWithFrame:style:", InstallOutcome::SkippedNoMethod},
    {"UILayoutContainerView", "initWithFrame:", InstallOutcome::AddedOverInherited},
    {"UIViewControllerWrapperView", "wrapperViewForView:frame:", InstallOutcome::ReplacedOwnMethod},
    {"UIViewControllerWrapperView", "wrapperViewForView:wrapperFrame:viewFrame:", InstallOutcome::ReplacedOwnMethod},
    {"CKConversationListCell", "setBackgroundColor:", InstallOutcome::AddedOverInherited},
};

TEST(MessagesGroup, MessagesHostGetsTheNineRowsAndNothingElse) {
  for (const char* nowPlaying : {"<true/>", "<false/>"}) {
    SCOPED_TRACE(nowPlaying);
    inLaunch(messagesLaunch({{"NowPlayingHooks", nowPlaying}}), [] {
      const auto& report = installationReport();
      ASSERT_EQ(report.size(), std::size(kMessagesRows));
      for (size_t i = 0; i < report.size(); ++i) {
        const ExpectedRow& expected = kMessagesRows[i];
        SCOPED_TRACE(std::string(expected.className) + " " + expected.selector);
        EXPECT_EQ(report[i].group, HookGroup::Messages);
        EXPECT_STREQ(report[i].row->className, expected.className);
        EXPECT_STREQ(report[i].row->selector, expected.selector);
        EXPECT_EQ(report[i].outcome, expected.outcome);
      }
      // The Music group's style filter is absent: any style gets through.
      UIApplication::shared()->setBackgroundStyle(2);
      EXPECT_EQ(UIApplication::shared()->backgroundStyle(), 2);
    });
  }
}

TEST(MessagesGroup, OtherHostsNeverGetIt) {
  for (const char* nowPlaying : {"<true/>", "<false/>"}) {
    SCOPED_TRACE(nowPlaying);
    inLaunch(messagesLaunch({{"NowPlayingHooks", nowPlaying}}, "com.apple.Music"), [] {
      AutoreleasePool pool;
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
