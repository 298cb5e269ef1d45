// EAGLContext: an OpenGL ES 2.0 rendering context and the calling thread's
// current context, as OpenGLES.framework offers them, over EGL. The display
// is the process's one EGL display: a GPU through EGL_EXT_platform_device
// where there is one, else Mesa's surfaceless platform (llvmpipe on a machine
// without a GPU), else the default display. Contexts render only into
// framebuffer objects: no window surface is ever made.
//
//   Ref<EAGLContext> context = adopt(objc::alloc<EAGLContext>()->initWithAPI(kEAGLRenderingAPIOpenGLES2));
//   if (context && EAGLContext::setCurrentContext(context)) glClear(GL_COLOR_BUFFER_BIT);
#pragma once

#include <string>

#include "platform/foundation/NSObject.h"

typedef NSUInteger EAGLRenderingAPI;
enum : NSUInteger {
  kEAGLRenderingAPIOpenGLES1 = 1,
  kEAGLRenderingAPIOpenGLES2 = 2,
  kEAGLRenderingAPIOpenGLES3 = 3,
};

struct EAGLContext : NSObject {
  static constexpr const char* kClassName = "EAGLContext";
  EAGLRenderingAPI _API = 0;
  void* _eglContext = nullptr;  // EGLContext
  void* _eglSurface = nullptr;  // a 1 × 1 pbuffer, only where the display has no surfaceless contexts

  // Only OpenGL ES 2.0 is modelled: any other API, or a display or context
  // that EGL cannot make, answers nil (the receiver is released).
  EAGLContext* initWithAPI(EAGLRenderingAPI api) {
    return objc::send<EAGLContext*(EAGLRenderingAPI)>(this, "initWithAPI:"_sel, api);
  }
  EAGLRenderingAPI API() { return objc::send<EAGLRenderingAPI()>(this, "API"_sel); }

  // Per thread. The current context is retained until another replaces it;
  // nil makes no context current. NO when EGL refuses, for instance because
  // the context is current on another thread (EGL allows one thread at a
  // time); the thread's current context is then unchanged.
  static BOOL setCurrentContext(EAGLContext* context) {
    return objc::send<BOOL(EAGLContext*)>(cls(), "setCurrentContext:"_sel, context);
  }
  static EAGLContext* currentContext() { return objc::send<EAGLContext*()>(cls(), "currentContext"_sel); }

 private:
  static id cls() { return reinterpret_cast<id>(objc::classOf<EAGLContext>()); }
};

// Model side, for tools and tests: which EGL platform gave the display
// ("device", "surfaceless", "default"), or "none" when no display could be
// initialised. The environment variable MIREL_EGL_PLATFORM, read once,
// picks one of the three or "none" instead of trying them in turn.
std::string EAGLDisplayPlatform();

// What the machine shows of a GPU without loading any GL driver, so that a
// caller that would only use a GPU can decide without making a context:
// whether it has a GPU's device node (a DRM render node /dev/dri/renderD*,
// or NVIDIA's /dev/nvidia0 and on), and how many devices other than Mesa's
// software one EGL's device enumeration lists (−1 where EGL cannot
// enumerate devices). Enumerating loads EGL's vendor libraries, not a driver.
bool EAGLMachineHasGPUNodes();
int EAGLHardwareDeviceCount();

void registerEAGLContext();
