// Telling software rasterisers from GPUs by their renderer strings.
#include "colorpicker/RendererChoice.h"

#include <strings.h>

#include <cstring>

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
