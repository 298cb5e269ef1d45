// The modelled Messages app ("com.apple.MobileSMS"): SMSApplication, the
// conversation list inside a navigation container, and one conversation.
//
//   const HostApp& app = messagesApp();
#pragma once

#include "apps/common/HostApp.h"
#include "platform/uikit/uikit.h"

struct SMSApplication : UIApplication {
  static constexpr const char* kClassName = "SMSApplication";
  NSInteger _activations = 0;  // how often the app's own activation handler ran
};

// As in the stock app, the sender's name, the latest message's summary and
// its date are labels of the cell, laid out in layoutSubviews.
struct CKConversationListCell : UITableViewCell {
  static constexpr const char* kClassName = "CKConversationListCell";
  Ref<UILabel> _fromLabel;
  Ref<UILabel> _summaryLabel;
  Ref<UILabel> _dateLabel;
};

const HostApp& messagesApp();
void registerMessagesClasses();
