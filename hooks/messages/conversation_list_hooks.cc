// -[CKConversationListController loadView] and
// -[CKConversationListCell setBackgroundColor:].
//
//   controller->view();   // loads the list view, clear from the start
#include "hooks/messages/conversation_list_hooks.h"

#include "platform/uikit/UIView.h"
#include "tweak/recolour.h"

HookSlot<void()> orig_CKConversationListController_loadView;
HookSlot<void(UIColor*)> orig_CKConversationListCell_setBackgroundColor_;

void hook_CKConversationListController_loadView(id self, SEL _cmd) {
  orig_CKConversationListController_loadView(self, _cmd);
  clearBackground(objc::send<UIView*()>(self, "view"_sel));
}

// Every colour the host gives a cell, white included, becomes clear.
void hook_CKConversationListCell_setBackgroundColor_(id self, SEL _cmd, UIColor* colour) {
  orig_CKConversationListCell_setBackgroundColor_(self, _cmd, UIColor::clearColor());
}
