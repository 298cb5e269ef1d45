// The counting pass's geometry and shaders: a quad over the whole viewport
// (texture coordinate (0, 0) at the framebuffer's lower-left corner) and the
// program that counts, for each pixel of the top-left 16 × 16 quarter, the
// samples of that quarter within YUV distance 0.1 of it.
//
//   glBufferData(GL_ARRAY_BUFFER, sizeof(Vertices), Vertices, GL_STATIC_DRAW);  // 144 bytes
#pragma once

#include <cstdint>

#include "platform/foundation/FoundationExport.h"

struct Vertex {
  float Position[3];
  float Color[4];
  float TexCoord[2];
};
static_assert(sizeof(Vertex) == 36, "nine floats a vertex");

FOUNDATION_EXPORT const Vertex Vertices[4];
FOUNDATION_EXPORT const uint8_t Indices[6];

// The sources exactly as the program is built from them; the identifiers in
// them ("ProccesedWidth" among them) are looked up by name.
FOUNDATION_EXPORT const char kDominantVertexShaderString[];
FOUNDATION_EXPORT const char kDominantFragmentShaderString[];
