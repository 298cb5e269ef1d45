// The counting pass computed on the CPU, into the same 32 × 32 RGBA buffer
// that the GL pass leaves in its framebuffer (read-back order: row 0 is the
// top row of the rendition), so that the scans read either one unchanged.
//
// For each pixel P of the top-left 16 × 16 quarter it counts the samples
// S(i, j), i and j from 0 to 15, within YUV distance 0.1 of P, where S(i, j)
// is what the texture unit returns at (i/32, j/32): the mean of the four
// texels around that corner, an index of −1 wrapping to 31. The count n
// becomes the alpha byte as the shader's single-precision accumulator of
// 0.0039 steps stores it: round(min(1, n × 0.0039) × 255). Pixels outside
// the quarter are opaque black.
//
//   uint8_t out[kDominantSide * kDominantSide * 4];
//   dominantCountPass(texels, out);
#pragma once

#include <cstdint>

inline constexpr int kDominantSide = 32;     // the rendition's side ("TotalWidth")
inline constexpr int kDominantQuarter = 16;  // the counted region's side ("ProccesedWidth")

// texels: the 32 × 32 premultiplied RGBA rendition, top row first.
// Blocks of neighbouring pixels and samples are compared by their bounding
// boxes first and only undecided pairs of blocks sample by sample, so the
// result is the plain loop's exactly, at a fraction of its cost.
void dominantCountPass(const uint8_t* texels, uint8_t* out);
// The same with 128-bit vectors only: what a processor without AVX2 runs.
void dominantCountPassPortable(const uint8_t* texels, uint8_t* out);
// The plain loop: every pixel against every sample. The definition that
// dominantCountPass must match byte for byte.
void dominantCountPassReference(const uint8_t* texels, uint8_t* out);
// The alpha byte that n counted samples (0 to 256) give.
uint8_t dominantAlphaForCount(int n);
