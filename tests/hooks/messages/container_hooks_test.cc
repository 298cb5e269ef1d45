// Wrapper views in a launched Messages app: each gets exactly one blur at
// its back, made with the frame the wrapper had when first handed out, and
// never a second one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"

namespace {

// Every backdrop made in the launch, with the frame it was made with (an
// autosizing backdrop changes its frame once it is added to a view).
std::vector<CGRect> gBackdropFrames;
IMP gBackdropInit = nullptr;
UIBackdropView* recordingBackdropInit(UIBackdropView* self, SEL sel, CGRect frame, BOOL autosizes,
                                      UIBackdropViewSettings* settings) {
  gBackdropFrames.push_back(frame);
  return objc::Sender<UIBackdropView*(CGRect, BOOL, UIBackdropViewSettings*)>::call(gBackdropInit, self, sel, frame,
                                                                                     autosizes, settings);
}
void recordBackdrops() {
  gBackdropInit = spyOn(objc::classOf<UIBackdropView>(), "initWithFrame:autosizesToFitSuperview:settings:"_sel,
                        objc::imp<&recordingBackdropInit>());
}

std::vector<UIBackdropView*> backdropsIn(UIView* view) {
  std::vector<UIBackdropView*> found;
  for (UIView* sub : view->subviewList())
    if (sub->isKindOfClass(objc::classOf<UIBackdropView>())) found.push_back(objc::as<UIBackdropView>(sub));
  return found;
}

// The host's two ways of asking for a wrapper.
UIView* askByFrame(UIView* view, CGRect frame) { return UIViewControllerWrapperView::wrapperFor(view, frame); }
UIView* askByBothFrames(UIView* view, CGRect frame) {
  return UIViewControllerWrapperView::wrapperFor(view, frame, CGRectMake(0, 0, frame.size.width, frame.size.height));
}
using Ask = UIView* (*)(UIView*, CGRect);

const CGRect kWrapperFrame = CGRectMake(0, 64, 320, 416);

TEST(MessagesWrapper, OneBackdropAtTheBackWithTheWrappersFirstFrameHoweverOftenAskedAndNeverASecond) {
  for (auto [first, then] : {std::pair<Ask, Ask>{askByFrame, askByBothFrames}, {askByBothFrames, askByFrame}}) {
    inLaunch(messagesLaunch(), [first, then] {
      recordBackdrops();
      Ref<UIView> content = UIView::create(CGRectZero);
      UIView* wrapper = first(content, kWrapperFrame);
      ASSERT_NE(wrapper, nullptr);
      EXPECT_EQ(then(content, CGRectMake(0, 0, 320, 568)), wrapper);
      EXPECT_EQ(first(content, kWrapperFrame), wrapper);

      EXPECT_EQ(gBackdropFrames, std::vector<CGRect>{kWrapperFrame});
      std::vector<UIView*> subviews = wrapper->subviewList();
      ASSERT_EQ(backdropsIn(wrapper).size(), 1u);
      ASSERT_EQ(subviews.size(), 2u);
      EXPECT_EQ(subviews[0], backdropsIn(wrapper)[0]) << "behind the controller's view";
      EXPECT_EQ(backdropsIn(wrapper)[0]->settings()->blurQuality()->str(), "low") << "the standard recipe";

      // The wrapper is marked: with its backdrop taken away it gets no new one.
      backdropsIn(wrapper)[0]->removeFromSuperview();
      EXPECT_EQ(first(content, kWrapperFrame), wrapper);
      EXPECT_EQ(then(content, kWrapperFrame), wrapper);
      EXPECT_TRUE(backdropsIn(wrapper).empty());
      EXPECT_EQ(first(nil, kWrapperFrame), nullptr) << "no wrapper, no backdrop";
      EXPECT_EQ(gBackdropFrames.size(), 1u);
    });
  }
}

// The session's navigation controller asks for its wrapper on every layout
// pass; the wrapper it shows has one backdrop, at the back, under a clear
// container. On the conversation screen the list's wrapper made one too.
TEST(MessagesWrapper, TheSessionsWrappersEachHaveOneBackdrop) {
  for (auto [screen, backdropsMade] : {std::pair<const char*, size_t>{"conversations", 1}, {"conversation", 2}}) {
    SCOPED_TRACE(screen);
    inLaunch(messagesLaunch(), [screen, backdropsMade] {
      recordBackdrops();
      Ref<UIWindow> window = messagesApp().buildScreen(screen);
      UIView* container = window->subviewList().at(0);
      ASSERT_TRUE(container->isMemberOfClass(objc::classOf<UILayoutContainerView>()));
      EXPECT_TRUE(container->backgroundColor()->isEqual(UIColor::clearColor()));
      UIView* wrapper = container->subviewList().at(0);
      ASSERT_TRUE(wrapper->isMemberOfClass(objc::classOf<UIViewControllerWrapperView>()));
      EXPECT_EQ(askByFrame(wrapper->subviewList().back(), wrapper->frame()), wrapper);
      ASSERT_EQ(backdropsIn(wrapper).size(), 1u);
      EXPECT_EQ(wrapper->subviewList()[0], backdropsIn(wrapper)[0]);
      EXPECT_EQ(gBackdropFrames.size(), backdropsMade);
    });
  }
}

}  // namespace
