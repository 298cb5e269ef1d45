// NSBundle: the process's main bundle, whose identifier and resource
// directory the host application sets at launch.
//
//   NSBundleSetMainBundleIdentifier("com.apple.Music");
//   NSString* id = NSBundle::mainBundle()->bundleIdentifier();
#pragma once

#include "platform/foundation/NSObject.h"

struct NSBundle : NSObject {
  static constexpr const char* kClassName = "NSBundle";

  // The process's one main bundle.
  static NSBundle* mainBundle();

  // Autoreleased; nil until the host sets one.
  NSString* bundleIdentifier() { return objc::send<NSString*()>(this, "bundleIdentifier"_sel); }
  // Autoreleased; the executable's directory until the host sets one.
  NSString* resourcePath() { return objc::send<NSString*()>(this, "resourcePath"_sel); }
};

// Host side; callable at any time, before registerFoundation() too.
// nullptr clears the identifier (or the resource path).
void NSBundleSetMainBundleIdentifier(const char* identifier);
void NSBundleSetResourcePath(const char* path);

void registerNSBundle();
