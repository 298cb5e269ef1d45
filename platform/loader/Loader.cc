// Host launches and the extension's mapping.
#include "platform/loader/Loader.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/foundation/DeviceFiles.h"
#include "platform/foundation/foundation.h"
#include "platform/gles/EAGLContext.h"
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

void launchHost(const HostDescription& host, const ExtensionImage* extension) {
  bootPlatform();
  setDeviceRoot(host.deviceRoot);
  if (host.registerClasses) host.registerClasses();
  UIApplicationSetPrincipalClass(host.principalClass);
  NSBundleSetMainBundleIdentifier(host.bundleIdentifier);
  if (!host.resourcePath.empty()) NSBundleSetResourcePath(host.resourcePath.c_str());
  if (extension) mapExtension(*extension);
}

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
    _exit(status);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 127;
}
