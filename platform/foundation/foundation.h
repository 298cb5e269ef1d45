// Foundation as the extension and the hosts see it.
#pragma once

#include "platform/foundation/Block.h"
#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/foundation/NSCache.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSNotification.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSObject.h"
#include "platform/foundation/NSScanner.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSValue.h"

// Registers every Foundation class with the runtime. Called once per
// process, before anything is sent to a Foundation class.
void registerFoundation();
