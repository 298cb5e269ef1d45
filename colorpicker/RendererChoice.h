// The automatic pass choice: the GL pass where the context is backed by a
// GPU, the CPU pass (the same arithmetic, exact) where the renderer is a
// software rasteriser, which GL_RENDERER names. On such a machine the CPU
// pass is both faster and exact.
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
