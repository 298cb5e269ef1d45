// NSBundle. The host's settings live as C++ strings so that they may be set
// before Foundation is registered; each read makes a fresh string, so that
// a concurrent change never frees a string a reader still holds.
#include "platform/foundation/NSBundle.h"

#include <unistd.h>

#include <climits>
#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

// An application bundle keeps its resources beside its executable.
std::optional<std::string> executableDirectory() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::nullopt;
  std::string text(path, static_cast<size_t>(n));
  size_t slash = text.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  return slash == 0 ? std::string("/") : text.substr(0, slash);
}

struct MainBundleSettings {
  std::mutex lock;
  std::optional<std::string> identifier;
  std::optional<std::string> resourcePath = executableDirectory();
};

MainBundleSettings& settings() {
  static auto* s = new MainBundleSettings;  // never destroyed: read from static destructors too
  return *s;
}

NSString* read(std::optional<std::string> MainBundleSettings::*field) {
  std::optional<std::string> value;
  {
    MainBundleSettings& s = settings();
    std::lock_guard guard(s.lock);
    value = s.*field;
  }
  return value ? NSString::withUTF8(*value) : nil;
}

void write(std::optional<std::string> MainBundleSettings::*field, const char* value) {
  MainBundleSettings& s = settings();
  std::lock_guard guard(s.lock);
  if (value) s.*field = value;
  else s.*field = std::nullopt;
}

id NSBundle_mainBundle(Class cls, SEL) {
  static NSBundle* bundle = [cls] {
    auto* b = static_cast<NSBundle*>(class_createInstance(cls, 0));
    b->flags_.fetch_or(objc::kImmortal);
    return b;
  }();
  return bundle;
}

NSString* NSBundle_bundleIdentifier(NSBundle*, SEL) { return read(&MainBundleSettings::identifier); }
NSString* NSBundle_resourcePath(NSBundle*, SEL) { return read(&MainBundleSettings::resourcePath); }

}  // namespace

void NSBundleSetMainBundleIdentifier(const char* identifier) { write(&MainBundleSettings::identifier, identifier); }
void NSBundleSetResourcePath(const char* path) { write(&MainBundleSettings::resourcePath, path); }

NSBundle* NSBundle::mainBundle() {
  return objc::send<NSBundle*()>(reinterpret_cast<id>(objc::classOf<NSBundle>()), "mainBundle"_sel);
}

void registerNSBundle() {
  objc::ClassBuilder<NSBundle>("NSBundle", objc::classOf<NSObject>())
      .classMethod<&NSBundle_mainBundle>("mainBundle")
      .method<&NSBundle_bundleIdentifier>("bundleIdentifier")
      .method<&NSBundle_resourcePath>("resourcePath");
}
