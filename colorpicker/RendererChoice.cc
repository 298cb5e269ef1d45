// Telling software rasterisers from GPUs by their renderer strings.
#include "colorpicker/RendererChoice.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "platform/gles/EAGLContext.h"

namespace {

bool containsNoCase(const char* text, const char* part) {
  size_t n = std::strlen(part);
  for (const char* p = text; *p; ++p)
    if (strncasecmp(p, part, n) == 0) return true;
  return false;
}

}  // namespace

bool KRRendererIsSoftware(const char* renderer) {
  if (!renderer || !*renderer) return true;
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "swiftshader", "basic render driver"})
    if (containsNoCase(renderer, name)) return true;
  return false;
}

KRColorPickerBackend KRColorPickerPassForRenderer(KRColorPickerBackend requested, const char* renderer) {
  if (requested != KRColorPickerBackendAutomatic) return requested;
  return KRRendererIsSoftware(renderer) ? KRColorPickerBackendCPU : KRColorPickerBackendGL;
}

bool KRNoGPUToRenderWith(const KRGPUEvidence& evidence) {
  if (evidence.platformChosen) return false;
  return !evidence.deviceNodes || evidence.hardwareDevices == 0;
}

bool KRMachineHasNoGPU() {
  static const bool none = [] {
    KRGPUEvidence evidence;
    evidence.platformChosen = std::getenv("MIREL_EGL_PLATFORM") != nullptr;
    if (!evidence.platformChosen) evidence.deviceNodes = EAGLMachineHasGPUNodes();
    if (evidence.deviceNodes) evidence.hardwareDevices = EAGLHardwareDeviceCount();
    return KRNoGPUToRenderWith(evidence);
  }();
  return none;
}
