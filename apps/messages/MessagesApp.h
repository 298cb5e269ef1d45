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

struct CKConversationListCell : UITableViewCell {
  static constexpr const char* kClassName = "CKConversationListCell";
  Ref<NSString> _name;
  Ref<NSString> _preview;
  Ref<NSString> _date;
};

const HostApp& messagesApp();
void registerMessagesClasses();
