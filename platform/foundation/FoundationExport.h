// FOUNDATION_EXPORT: a name a library exports as part of its interface, with
// C linkage and default visibility, as on the device. A library built with
// hidden visibility exports only the names so marked (and its export list
// then says which of them it means to).
//
//   FOUNDATION_EXPORT NSString* NSStringFromADDCornerInset(ADDCornerInset inset);
#pragma once

#define FOUNDATION_EXPORT extern "C" __attribute__((visibility("default")))
