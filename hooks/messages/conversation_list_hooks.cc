// -[CKConversationListController loadView] and
// -[CKConversationListCell setBackgroundColor:].
//
//   controller->view();   // loads the list view, clear from the start
#include "hooks/messages/conversation_list_hooks.h"

#include "platform/uikit/UIView.h"

HookSlot<void()> orig_CKConversationListController_loadView;
HookSlot<void(UIColor*)> orig_CKConversationListCell_setBackgroundColor_;

// The list view is cleared through an ordinary message, so any replacement
// of its own setter sees the change too.
void hook_CKConversationListController_loadView(id self, SEL _cmd) {
  orig_CKConversationListController_loadView(self, _cmd);
  UIView* list = objc::send<UIView*()>(self, "view"_sel);
  objc::send<void(UIColor*)>(list, "setBackgroundColor:"_sel, UIColor::clearColor());
}

// Every colour the host gives a cell, white included, becomes clear.
void hook_CKConversationListCell_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_CKConversationListCell_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}
