// EAGLContext over EGL: the shared display, contexts and the per-thread
// current context.
#include "platform/gles/EAGLContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

struct Display {
  EGLDisplay display = EGL_NO_DISPLAY;
  std::string platform = "none";
  bool surfaceless = false;  // EGL_KHR_surfaceless_context
  bool configless = false;   // EGL_KHR_no_config_context
};

bool hasExtension(const char* list, const char* name) {
  if (!list) return false;
  size_t n = std::strlen(name);
  for (const char* p = list; (p = std::strstr(p, name)); p += n)
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
  return false;
}

bool initialise(EGLDisplay display) {
  if (display == EGL_NO_DISPLAY) return false;
  EGLint major = 0, minor = 0;
  return eglInitialize(display, &major, &minor) == EGL_TRUE;
}

// The devices EGL enumerates, less Mesa's software device; false where
// EGL cannot enumerate devices.
bool hardwareDevices(const char* clientExtensions, std::vector<EGLDeviceEXT>* found) {
  if (!hasExtension(clientExtensions, "EGL_EXT_device_enumeration")) return false;
  auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
  auto queryString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
  if (!queryDevices || !queryString) return false;
  EGLint count = 0;
  if (!queryDevices(0, nullptr, &count)) return false;
  std::vector<EGLDeviceEXT> devices(static_cast<size_t>(std::max(count, 0)));
  if (count > 0 && !queryDevices(count, devices.data(), &count)) return false;
  found->clear();
  for (EGLint i = 0; i < count; ++i)
    if (!hasExtension(queryString(devices[i], EGL_EXTENSIONS), "EGL_MESA_device_software"))
      found->push_back(devices[i]);
  return true;
}

// A GPU's display: the first device that is not Mesa's software device.
EGLDisplay deviceDisplay(const char* clientExtensions) {
  if (!hasExtension(clientExtensions, "EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
  auto platformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  std::vector<EGLDeviceEXT> devices;
  if (!platformDisplay || !hardwareDevices(clientExtensions, &devices)) return EGL_NO_DISPLAY;
  for (EGLDeviceEXT device : devices) {
    EGLDisplay display = platformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
    if (initialise(display)) return display;
  }
  return EGL_NO_DISPLAY;
}

EGLDisplay surfacelessDisplay(const char* clientExtensions) {
  if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
  auto platformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!platformDisplay) return EGL_NO_DISPLAY;
  EGLDisplay display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  return initialise(display) ? display : EGL_NO_DISPLAY;
}

EGLDisplay defaultDisplay() {
  EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  return initialise(display) ? display : EGL_NO_DISPLAY;
}

const Display& sharedDisplay() {
  static Display* shared = [] {
    auto* d = new Display;  // lives as long as the process, like the platform's display connection
    const char* wanted = std::getenv("MIREL_EGL_PLATFORM");
    std::string only = wanted ? wanted : "";
    if (only == "none") return d;
    if (!only.empty() && only != "device" && only != "surfaceless" && only != "default") {
      std::fprintf(stderr,
                   "warning: MIREL_EGL_PLATFORM=%s is not one of device, surfaceless, default, none; trying each\n",
                   only.c_str());
      only.clear();
    }
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);  // null without client extensions
    struct Candidate {
      const char* name;
      EGLDisplay (*open)(const char*);
    };
    const Candidate candidates[] = {
        {"device", &deviceDisplay},
        {"surfaceless", &surfacelessDisplay},
        {"default", [](const char*) { return defaultDisplay(); }},
    };
    for (const Candidate& c : candidates) {
      if (!only.empty() && only != c.name) continue;
      EGLDisplay display = c.open(client);
      if (display == EGL_NO_DISPLAY) continue;
      d->display = display;
      d->platform = c.name;
      const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
      d->surfaceless = hasExtension(extensions, "EGL_KHR_surfaceless_context");
      d->configless = hasExtension(extensions, "EGL_KHR_no_config_context");
      break;
    }
    return d;
  }();
  return *shared;
}

// Each thread's current context, retained as the platform retains it. A
// thread that ends lets go of its context first, so that EGL can destroy it.
struct CurrentSlot {
  Ref<EAGLContext> context;
  ~CurrentSlot() {
    if (context) eglMakeCurrent(sharedDisplay().display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
};
thread_local CurrentSlot tCurrent;

id EAGLContext_initWithAPI(EAGLContext* self, SEL, EAGLRenderingAPI api) {
  const Display& d = sharedDisplay();
  if (api != kEAGLRenderingAPIOpenGLES2 || d.display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_ES_API)) {
    objc_release(self);
    return nil;
  }
  // Framebuffer objects carry the colour; the config only has to be one an
  // OpenGL ES 2.0 context (and, where needed, a pbuffer) can use.
  const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT, EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint found = 0;
  if (!eglChooseConfig(d.display, configAttributes, &config, 1, &found) || found < 1) {
    const EGLint anyConfig[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
    if (!eglChooseConfig(d.display, anyConfig, &config, 1, &found) || found < 1) config = nullptr;
  }
  if (!config && !d.configless) {
    objc_release(self);
    return nil;
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  EGLContext context = eglCreateContext(d.display, config ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                                        contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    objc_release(self);
    return nil;
  }
  EGLSurface surface = EGL_NO_SURFACE;
  if (!d.surfaceless) {
    const EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
    surface = config ? eglCreatePbufferSurface(d.display, config, pbufferAttributes) : EGL_NO_SURFACE;
    if (surface == EGL_NO_SURFACE) {
      eglDestroyContext(d.display, context);
      objc_release(self);
      return nil;
    }
  }
  self->_API = api;
  self->_eglContext = context;
  self->_eglSurface = surface;
  return self;
}

void EAGLContext_dealloc(EAGLContext* self, SEL) {
  const Display& d = sharedDisplay();
  // A context still current on some thread is destroyed by EGL when that
  // thread lets go of it; a thread's current context is retained, so this
  // thread does not hold it.
  if (self->_eglContext) eglDestroyContext(d.display, static_cast<EGLContext>(self->_eglContext));
  if (self->_eglSurface) eglDestroySurface(d.display, static_cast<EGLSurface>(self->_eglSurface));
  objc::sendSuper<void()>(self, objc::classOf<NSObject>(), "dealloc"_sel);
}

EAGLRenderingAPI EAGLContext_API(EAGLContext* self, SEL) { return self->_API; }

BOOL EAGLContext_setCurrentContext(Class, SEL, EAGLContext* context) {
  if (context == tCurrent.context.get()) return YES;
  const Display& d = sharedDisplay();
  if (!context) {
    if (d.display != EGL_NO_DISPLAY && !eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT))
      return NO;
    tCurrent.context = nullptr;
    return YES;
  }
  auto surface = static_cast<EGLSurface>(context->_eglSurface);
  if (!eglMakeCurrent(d.display, surface, surface, static_cast<EGLContext>(context->_eglContext))) return NO;
  tCurrent.context = context;
  return YES;
}

id EAGLContext_currentContext(Class, SEL) { return tCurrent.context.get(); }

}  // namespace

std::string EAGLDisplayPlatform() { return sharedDisplay().platform; }

bool EAGLMachineHasGPUNodes() {
  auto anyEntry = [](const char* folder, const char* prefix, bool digitFollows) {
    DIR* dir = opendir(folder);
    if (!dir) return false;
    bool found = false;
    size_t n = std::strlen(prefix);
    while (dirent* entry = readdir(dir)) {
      const char* name = entry->d_name;
      if (std::strncmp(name, prefix, n) == 0 && (!digitFollows || (name[n] >= '0' && name[n] <= '9'))) {
        found = true;
        break;
      }
    }
    closedir(dir);
    return found;
  };
  return anyEntry("/dev/dri", "renderD", false) || anyEntry("/dev", "nvidia", true);
}

int EAGLHardwareDeviceCount() {
  std::vector<EGLDeviceEXT> devices;
  return hardwareDevices(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), &devices) ? int(devices.size()) : -1;
}

void registerEAGLContext() {
  objc::ClassBuilder<EAGLContext>("EAGLContext", objc::classOf<NSObject>())
      .classMethod<&EAGLContext_setCurrentContext>("setCurrentContext:")
      .classMethod<&EAGLContext_currentContext>("currentContext")
      .method<&EAGLContext_initWithAPI>("initWithAPI:")
      .method<&EAGLContext_API>("API")
      .method<&EAGLContext_dealloc>("dealloc");
}
