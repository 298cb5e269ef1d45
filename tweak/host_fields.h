// Reading a host object's field by name (-valueForKey:), only where the
// host has it. The platform raises on a key that a class has neither an
// accessor nor a field for, and a host version without the field must leave
// that piece of the theme out, not end the launch.
//
//   UIView* titles = objc::as<UIView>(valueOfHostField(controller, "_titlesView"));  // nil: no such field
#pragma once

#include "platform/objc/runtime.h"

// Whether -valueForKey: finds `key` on `object`: an accessor of that name,
// or a field named `_key` or `key`.
bool hostHasField(id object, const char* key);

// [object valueForKey:key] when hostHasField, else nil (also for nil).
id valueOfHostField(id object, const char* key);
