// The conversation list and the containers around it in a launched Messages
// app: whatever background the host gives them, they end up clear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"

namespace {

// What reached UIView's own setter: the implementation that the container
// and the cell inherit, and that their replacements call on.
std::vector<std::pair<id, Ref<UIColor>>> gSetterCalls;
IMP gViewSetter = nullptr;
void recordingSetter(UIView* self, SEL sel, UIColor* colour) {
  gSetterCalls.emplace_back(self, colour);
  objc::Sender<void(UIColor*)>::call(gViewSetter, self, sel, colour);
}

// A view decoded from an archive, as a nib gives it: no initWithFrame: on
// the way, so only the initWithCoder: replacement can clear it. A broken
// archive gives nil.
bool gArchiveBroken = false;
UIView* decodingInit(UIView* self, SEL, id coder) {
  if (!gArchiveBroken) return self;
  objc_release(self);
  return nullptr;
}

TEST(MessagesClear, TheListAfterLoadViewAnyColourAtTheSavedSetterAndTheContainerFromEachInitialiser) {
  inLaunch(messagesLaunch(), [] {
    Ref<UIViewController> list = adopt(objc::as<UIViewController>(
        objc::send<id()>(reinterpret_cast<id>(objc_getClass("CKConversationListController")), "new"_sel)));
    UIColor* background = list->view()->backgroundColor();
    ASSERT_NE(background, nullptr) << "the stock list is white";
    EXPECT_TRUE(background->isEqual(UIColor::clearColor()));

    gViewSetter = spyOn(objc::classOf<UIView>(), "setBackgroundColor:"_sel, objc::imp<&recordingSetter>());
    id cellAlloc = objc::send<id()>(reinterpret_cast<id>(objc_getClass("CKConversationListCell")), "alloc"_sel);
    Ref<UIView> views[] = {UIView::make<UILayoutContainerView>(CGRectZero),
                           adopt(objc::as<UITableViewCell>(cellAlloc)->initWithStyle(0, "Conversation"_ns))};
    for (UIView* view : views)
      for (UIColor* colour : {UIColor::redColor(), UIColor::whiteColor(), UIColor::clearColor(), (UIColor*)nil}) {
        SCOPED_TRACE(std::string(object_getClassName(view)) + " given " + (colour ? UIColorHexText(colour) : "nil"));
        gSetterCalls.clear();
        view->setBackgroundColor(colour);
        ASSERT_EQ(gSetterCalls.size(), 1u);
        EXPECT_EQ(gSetterCalls[0].first, view);
        EXPECT_TRUE(gSetterCalls[0].second && gSetterCalls[0].second->isEqual(UIColor::clearColor()));
      }

    // Every initialiser the container has leaves it clear.
    Class cls = objc::classOf<UILayoutContainerView>();
    spyOn(objc::classOf<UIView>(), "initWithCoder:"_sel, objc::imp<&decodingInit>());
    auto decode = [cls] {
      return adopt(objc::send<UIView*(id)>(objc::send<id()>(reinterpret_cast<id>(cls), "alloc"_sel),
                                           "initWithCoder:"_sel, nil));
    };
    for (const Ref<UIView>& view : {Ref<UIView>(UIView::make<UILayoutContainerView>(CGRectZero)), decode()}) {
      ASSERT_NE(view.get(), nullptr);
      ASSERT_NE(view->backgroundColor(), nullptr) << "the stock container starts without a colour";
      EXPECT_TRUE(view->backgroundColor()->isEqual(UIColor::clearColor()));
    }
    gArchiveBroken = true;
    EXPECT_EQ(decode().get(), nullptr);
  });
}

}  // namespace
