// The conversation list: the list view and its cells are cleared so that the
// wrapper's backdrop behind them shows.
//
//   hooks::replace<&hook_CKConversationListCell_setBackgroundColor_, orig_CKConversationListCell_setBackgroundColor_>(
//       "CKConversationListCell", "setBackgroundColor:")
#pragma once

#include "platform/uikit/UIColor.h"
#include "tweak/hook_slot.h"

extern HookSlot<void()> orig_CKConversationListController_loadView;
extern HookSlot<void(UIColor*)> orig_CKConversationListCell_setBackgroundColor_;

void hook_CKConversationListController_loadView(id self, SEL _cmd);
void hook_CKConversationListCell_setBackgroundColor_(id self, SEL _cmd, UIColor* colour);
