// The automatic pass choice: the GL pass where the context is backed by a
// GPU, the CPU pass (the same arithmetic, exact) where the renderer is a
// software rasteriser, which GL_RENDERER names. On such a machine the CPU
// pass is both faster and exact. A machine that shows no GPU at all gets
// the CPU pass before any context is made: loading a GL driver only to read
// that it is a software one costs more than a whole extraction.
//
//   if (KRRendererIsSoftware((const char*)glGetString(GL_RENDERER))) ...
#pragma once

#include "colorpicker/KRColorPicker.h"

// Mesa's llvmpipe, softpipe and swrast ("Software Rasterizer"), Google's
// SwiftShader and Microsoft's Basic Render Driver, in any case; a renderer
// that gives no name counts as one too, since nothing vouches for a GPU.
bool KRRendererIsSoftware(const char* renderer);

// The pass a picker set to `requested` draws with on `renderer`: GL and CPU
// as asked, Automatic by the renderer.
KRColorPickerBackend KRColorPickerPassForRenderer(KRColorPickerBackend requested, const char* renderer);

// What the machine shows of a GPU before any GL driver is loaded (EAGLContext.h).
struct KRGPUEvidence {
  bool platformChosen = false;  // MIREL_EGL_PLATFORM names the EGL platform to use: it is tried as told
  bool deviceNodes = false;     // a DRM render node or NVIDIA's device node
  int hardwareDevices = -1;     // EGL devices but Mesa's software one; −1: EGL cannot enumerate
};

// Whether the automatic choice settles on the CPU pass without making a
// context: no device node, or device nodes that EGL finds no GPU behind.
bool KRNoGPUToRenderWith(const KRGPUEvidence& evidence);

// This machine's answer, found once per process: the device nodes first,
// EGL's enumeration only where there are some.
bool KRMachineHasNoGPU();
