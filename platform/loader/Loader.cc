// Host launches and the extension's mapping.
#include "platform/loader/Loader.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define MIREL_LEAK_CHECKS 1
#endif
#endif
#if !defined(MIREL_LEAK_CHECKS) && defined(__SANITIZE_ADDRESS__)
#define MIREL_LEAK_CHECKS 1
#endif
#if !defined(MIREL_LEAK_CHECKS)
#define MIREL_LEAK_CHECKS 0
#endif
#if MIREL_LEAK_CHECKS
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/foundation/DeviceFiles.h"
#include "platform/foundation/foundation.h"
#include "platform/gles/EAGLContext.h"
#include "platform/loader/SubstrateLoader.h"
#include "platform/uikit/uikit.h"

void bootPlatform() {
  static bool booted = false;
  if (booted) return;
  booted = true;
  registerFoundation();
  registerUIKit();
  registerEAGLContext();
}

void mapExtension(const ExtensionImage& extension) {
  if (extension.registerClasses) extension.registerClasses();
  {
    AutoreleasePool pool;
    extension.startupInitialiser();
  }
  {
    AutoreleasePool pool;
    extension.sharedObjectsInitialiser();
  }
}

void launchHost(const HostDescription& host, const ExtensionImage* linkedExtension) {
  bootPlatform();
  setDeviceRoot(host.deviceRoot);
  if (host.registerClasses) host.registerClasses();
  UIApplicationSetPrincipalClass(host.principalClass);
  NSBundleSetMainBundleIdentifier(host.bundleIdentifier);
  if (!host.resourcePath.empty()) NSBundleSetResourcePath(host.resourcePath.c_str());
  mapSubstrateLibraries(host.bundleIdentifier);
  if (linkedExtension) mapExtension(*linkedExtension);
}

namespace {

// What a child that passed but leaked ends with (LeakSanitizer's own code).
constexpr int kLeakedStatus = 23;

bool childLeaked() {
#if MIREL_LEAK_CHECKS
  return __lsan_do_recoverable_leak_check() != 0;
#else
  return false;
#endif
}

}  // namespace

bool launchesCheckLeaks() { return MIREL_LEAK_CHECKS; }

int runInChildProcess(const std::function<int()>& body) {
  std::fflush(stdout);
  std::fflush(stderr);
  pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    return 127;
  }
  if (pid == 0) {
    int status = body();
    std::fflush(stdout);
    std::fflush(stderr);
    // _exit skips the leak check that a sanitised build runs at exit, so the
    // child runs it itself: a launch that leaks fails like one that fails.
    if (childLeaked() && status == 0) status = kLeakedStatus;
    _exit(status);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) {
      std::perror("waitpid");
      return 127;
    }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 127;
}
