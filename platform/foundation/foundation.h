// Foundation as the extension and the hosts see it.
#pragma once

#include "platform/foundation/Block.h"
#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSCache.h"
#include "platform/foundation/NSData.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/NSNotification.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSObject.h"
#include "platform/foundation/NSScanner.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSThread.h"
#include "platform/foundation/NSValue.h"
#include "platform/foundation/PropertyList.h"

// Registers every Foundation class with the runtime. Called once per
// process, on the main thread, before anything is sent to a Foundation class.
void registerFoundation();
