// Start-up: the two load-time initialisers, in the order they run.
#include "tweak/startup.h"

#include <dlfcn.h>

#include "colorpicker/colorpicker.h"
#include "imagekit/imagekit.h"
#include "platform/foundation/DeviceFiles.h"
#include "platform/uikit/uikit.h"
#include "tweak/backdrop.h"
#include "tweak/color_from_hex.h"
#include "tweak/hook_installer.h"
#include "tweak/settings.h"

namespace {

NSNumber* gSharedYesNumber = nullptr;         // retained for the life of the process
KRColorPicker* gSharedColourPicker = nullptr;  // made with alloc/init, never released

void registerExtensionClasses() {
  registerColorCategories();
  registerColorPicker();
  registerImagekit();
}

void startupInitialiser() {
  // The companion library is only loaded; nothing in it is used, and a
  // failure changes nothing.
  dlopen(deviceFilePath(kCompanionPath).c_str(), RTLD_NOW);

  NSString* bundleIdentifier = objc::send<NSString*()>(
      objc::send<id()>(reinterpret_cast<id>(objc_getClass("NSBundle")), "mainBundle"_sel), "bundleIdentifier"_sel);
  if (!bundleIdentifier) return;

  loadSettings();
  if (!TweakSettings.Enabled) return;

  if (bundleIdentifier->isEqualToString("com.apple.MobileSMS"_ns)) {
    installHookGroup(HookGroup::Messages);
    if (TweakSettings.ReadableText) installHookGroup(HookGroup::MessagesText);
    return;
  }
  installHookGroup(HookGroup::Music);
  if (TweakSettings.NowPlayingHooks) installHookGroup(HookGroup::NowPlaying);

  // Every table cell shows a blur when selected, and the wallpaper shows
  // through the whole application under a blur.
  Ref<UIBackdropView> selectionBackdrop = makeStandardBackdrop(CGRectZero);
  objc::send<void(UIView*)>(UITableViewCell::appearance(), "setSelectedBackgroundView:"_sel, selectionBackdrop.get());
  UIApplication::shared()->setBackgroundStyle(3);
}

void sharedObjectsInitialiser() {
  AutoreleasePool pool;
  gSharedYesNumber = objc::as<NSNumber>(objc_retain(NSNumber::withBool(YES)));
  gSharedColourPicker = objc::as<KRColorPicker>(objc::alloc<KRColorPicker>()->init());
}

}  // namespace

NSNumber* sharedYesNumber() { return gSharedYesNumber; }
KRColorPicker* sharedColourPicker() { return gSharedColourPicker; }

const ExtensionImage& mirelExtensionImage() {
  static const ExtensionImage image{kInstallPath, &registerExtensionClasses, &startupInitialiser,
                                    &sharedObjectsInitialiser};
  return image;
}
