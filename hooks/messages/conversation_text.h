// The conversation list's texts in the theme's text colours (ReadableText):
// each cell's sender name takes PrimaryTextColour, its summary and date
// SecondaryTextColour, as the Music lists' texts take them. The labels are
// found by name in the cell's class; a label the host lacks is left out.
//
//   hooks::replace<&hook_CKConversationListCell_layoutSubviews, orig_CKConversationListCell_layoutSubviews>(
//       "CKConversationListCell", "layoutSubviews")
#pragma once

#include "tweak/hook_slot.h"

extern HookSlot<void()> orig_CKConversationListCell_layoutSubviews;

void hook_CKConversationListCell_layoutSubviews(id self, SEL _cmd);
