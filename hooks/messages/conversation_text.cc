// -[CKConversationListCell layoutSubviews]: the host lays its labels out
// (and may set their colours for the cell's state) there, so the theme's
// colours go on after it, every time.
#include "hooks/messages/conversation_text.h"

#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<void()> orig_CKConversationListCell_layoutSubviews;

void hook_CKConversationListCell_layoutSubviews(id self, SEL _cmd) {
  orig_CKConversationListCell_layoutSubviews(self, _cmd);
  recolourLabelField(self, "_fromLabel", ThemeColours.PrimaryTextColour);
  recolourLabelField(self, "_summaryLabel", ThemeColours.SecondaryTextColour);
  recolourLabelField(self, "_dateLabel", ThemeColours.SecondaryTextColour);
}
