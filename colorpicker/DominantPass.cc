// The counting pass on the CPU.
//
// The fast pass gives exactly the plain loop's bytes because it computes
// every Y, U, V and every squared distance with the same single-precision
// operations in the same order; it only avoids work whose outcome is known:
//   - "sqrtf(d²) < 0.1f" becomes "d² < limit", limit being the smallest
//     float whose square root is not below 0.1f;
//   - pixels and samples go in blocks of 2 × 4 neighbours, which in an
//     image that is not noise have nearly the same colour. The squared
//     distance between two blocks' bounding boxes in YUV decides most pairs
//     of blocks at once: every sample of the one is within 0.0995 of every
//     pixel of the other, or none is within 0.1005. Those margins are far
//     wider than the rounding of any distance computed from the same floats,
//     so only pairs of blocks in between get the exact test;
//     In noise, image neighbours differ as much as any two colours, so
//     there the pixels are first placed in colour order (a Z-order walk of
//     an RGB grid), which makes their blocks tight again;
//   - within an undecided pair, each sample against the pixel block's box is
//     again near all eight pixels, near none, or undecided;
//   - the exact test takes the eight pixels of a block side by side in one
//     vector against each undecided sample in turn. With AVX2 (where the
//     processor has it) the undecided blocks and samples are first listed
//     without a branch per mask bit, which keeps mispredicted branches out
//     of the loops. Without AVX2, 128-bit vectors decide pairs of blocks the
//     same way and test every sample of an undecided pair exactly.
// The build compiles this file without floating-point contraction, so no
// product and sum become one fused operation in either loop.
#include "colorpicker/DominantPass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <immintrin.h>

#include "colorpicker/YUVSpace.h"

namespace {

constexpr int kSide = kDominantSide;
constexpr int kQuarter = kDominantQuarter;
constexpr int kSamples = kQuarter * kQuarter;

struct Tables {
  uint8_t alpha[kSamples + 1];
  float limit;
};

const Tables& tables() {
  static const Tables shared = [] {
    Tables t{};
    // The shader adds 0.0039 once per counted sample to a float.
    float accumulator = 0;
    for (int n = 0; n <= kSamples; ++n) {
      if (n > 0) accumulator += 0.0039f;
      t.alpha[n] = static_cast<uint8_t>(std::round(std::fmin(1.0f, accumulator) * 255.0f));
    }
    float x = 0.1f * 0.1f;
    while (std::sqrt(x) >= 0.1f) x = std::nextafter(x, 0.0f);
    while (std::sqrt(std::nextafter(x, 1.0f)) < 0.1f) x = std::nextafter(x, 1.0f);
    t.limit = std::nextafter(x, 1.0f);
    return t;
  }();
  return shared;
}

inline const uint8_t* texel(const uint8_t* texels, int column, int row) {
  return texels + ((row & (kSide - 1)) * kSide + (column & (kSide - 1))) * 4;
}

// Sums of the four texels around the corner (i/32, j/32), per channel.
inline void sampleSums(const uint8_t* texels, int i, int j, unsigned sums[3]) {
  const uint8_t* a = texel(texels, i - 1, j - 1);
  const uint8_t* b = texel(texels, i, j - 1);
  const uint8_t* c = texel(texels, i - 1, j);
  const uint8_t* d = texel(texels, i, j);
  for (int k = 0; k < 3; ++k) sums[k] = unsigned(a[k]) + b[k] + c[k] + d[k];
}

// The mean of four channel values v/255 is sum/1020, rounded once.
inline YUV sampleYUV(const unsigned sums[3]) {
  return yuvFromChannels(float(sums[0]) / 1020.0f, float(sums[1]) / 1020.0f, float(sums[2]) / 1020.0f);
}

inline YUV pixelYUV(const uint8_t* p) {
  return yuvFromChannels(float(p[0]) / 255.0f, float(p[1]) / 255.0f, float(p[2]) / 255.0f);
}

inline void writeOutput(const uint8_t* texels, uint8_t* out, const uint8_t* quarterAlpha) {
  const uint32_t opaqueBlack = 0xFF000000u;  // bytes 0, 0, 0, 255 on a little-endian machine
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__);
  for (int i = 0; i < kSide * kSide; ++i) std::memcpy(out + i * 4, &opaqueBlack, 4);
  for (int y = 0; y < kQuarter; ++y) {
    std::memcpy(out + y * kSide * 4, texels + y * kSide * 4, kQuarter * 4);
    for (int x = 0; x < kQuarter; ++x) out[(y * kSide + x) * 4 + 3] = quarterAlpha[y * kQuarter + x];
  }
}

// --- the fast pass ------------------------------------------------------------

constexpr int kBlock = 8;                      // 2 columns × 4 rows
constexpr int kBlocks = kSamples / kBlock;  // 8 across, 4 down
constexpr float kSurelyInside = 0.0995f * 0.0995f;
constexpr float kSurelyOutside = 0.1005f * 0.1005f;

// Position of (x, y) of the 16 × 16 quarter in block order: blocks of two
// columns and four rows, eight blocks across and four down.
constexpr int blockPositionOf(int x, int y) { return ((y >> 2) * 8 + (x >> 1)) * kBlock + (y & 3) * 2 + (x & 1); }
struct PositionTable {
  uint8_t at[kSamples];
  constexpr PositionTable() : at() {
    for (int y = 0; y < kQuarter; ++y)
      for (int x = 0; x < kQuarter; ++x) at[y * kQuarter + x] = uint8_t(blockPositionOf(x, y));
  }
};
constexpr PositionTable kPositions;

// Colours in block order, in columns, with each block's bounding box.
struct Blocks {
  alignas(32) float y[kSamples], u[kSamples], v[kSamples];
  alignas(32) float yLow[kBlocks], yHigh[kBlocks], uLow[kBlocks], uHigh[kBlocks], vLow[kBlocks], vHigh[kBlocks];

};

// counts[block position] = samples within 0.1 of that pixel. Both kernels
// below compute it; they differ only in the width of their vectors.

// Eight-lane vectors for machines without AVX2; the compiler splits them
// into 128-bit halves. The helpers are always inlined, so how such vectors
// would pass between functions (-Wpsabi) never matters.
#pragma GCC diagnostic ignored "-Wpsabi"
typedef float f8 __attribute__((vector_size(32)));
typedef int32_t i8 __attribute__((vector_size(32)));
#define VECTOR_HELPER inline __attribute__((always_inline))

VECTOR_HELPER f8 load8(const float* p) {
  f8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
VECTOR_HELPER f8 splat8(float x) { return f8{x, x, x, x, x, x, x, x}; }
VECTOR_HELPER f8 max8(f8 a, f8 b) { return a > b ? a : b; }
VECTOR_HELPER f8 squaredGap8(f8 low, f8 high, f8 otherLow, f8 otherHigh, f8 zero) {
  f8 gap = max8(max8(low - otherHigh, otherLow - high), zero);
  return gap * gap;
}
VECTOR_HELPER f8 squaredSpan8(f8 low, f8 high, f8 otherLow, f8 otherHigh) {
  f8 span = max8(high - otherLow, otherHigh - low);
  return span * span;
}

void countPortable(const Blocks& samples, const Blocks& pixels, float limit, int32_t* counts) {
  const f8 inside = splat8(kSurelyInside), outside = splat8(kSurelyOutside), limits = splat8(limit),
           zero = splat8(0);
  for (int p = 0; p < kBlocks; ++p) {
    const f8 pyl = splat8(pixels.yLow[p]), pyh = splat8(pixels.yHigh[p]);
    const f8 pul = splat8(pixels.uLow[p]), puh = splat8(pixels.uHigh[p]);
    const f8 pvl = splat8(pixels.vLow[p]), pvh = splat8(pixels.vHigh[p]);
    const f8 py = load8(pixels.y + p * kBlock), pu = load8(pixels.u + p * kBlock), pv = load8(pixels.v + p * kBlock);
    i8 whole{}, counted{};
    for (int s0 = 0; s0 < kBlocks; s0 += 8) {
      f8 yl = load8(samples.yLow + s0), yh = load8(samples.yHigh + s0);
      f8 ul = load8(samples.uLow + s0), uh = load8(samples.uHigh + s0);
      f8 vl = load8(samples.vLow + s0), vh = load8(samples.vHigh + s0);
      f8 nearest = (squaredGap8(yl, yh, pyl, pyh, zero) + squaredGap8(ul, uh, pul, puh, zero)) +
                   squaredGap8(vl, vh, pvl, pvh, zero);
      f8 farthest =
          (squaredSpan8(yl, yh, pyl, pyh) + squaredSpan8(ul, uh, pul, puh)) + squaredSpan8(vl, vh, pvl, pvh);
      i8 all = farthest < inside, none = nearest > outside;
      whole -= all;  // −1 for each block that is wholly near
      i8 open = ~(all | none);
      for (int j = 0; j < 8; ++j) {
        if (!open[j]) continue;
        int base = (s0 + j) * kBlock;
        for (int m = 0; m < kBlock; ++m) {
          f8 dy = splat8(samples.y[base + m]) - py, du = splat8(samples.u[base + m]) - pu,
             dv = splat8(samples.v[base + m]) - pv;
          f8 d2 = (dy * dy + du * du) + dv * dv;
          counted -= d2 < limits;
        }
      }
    }
    int bulk = kBlock * (whole[0] + whole[1] + whole[2] + whole[3] + whole[4] + whole[5] + whole[6] + whole[7]);
    for (int k = 0; k < kBlock; ++k) counts[p * kBlock + k] = bulk + counted[k];
  }
}

// Every processor with AVX2 also counts bits in one instruction (POPCNT).
#define AVX2_HELPER static inline __attribute__((target("avx2,popcnt"), always_inline))
AVX2_HELPER __m256 squaredGap(__m256 low, __m256 high, __m256 otherLow, __m256 otherHigh) {
  __m256 gap = _mm256_max_ps(_mm256_max_ps(_mm256_sub_ps(low, otherHigh), _mm256_sub_ps(otherLow, high)),
                             _mm256_setzero_ps());
  return _mm256_mul_ps(gap, gap);
}
AVX2_HELPER __m256 squaredSpan(__m256 low, __m256 high, __m256 otherLow, __m256 otherHigh) {
  __m256 span = _mm256_max_ps(_mm256_sub_ps(high, otherLow), _mm256_sub_ps(otherHigh, low));
  return _mm256_mul_ps(span, span);
}

// For each 8-bit mask, the positions of its set bits, in order.
struct SetBits {
  alignas(8) uint8_t at[256][8];
  constexpr SetBits() : at() {
    for (int mask = 0; mask < 256; ++mask)
      for (int bit = 0, n = 0; bit < 8; ++bit)
        if (mask & (1 << bit)) at[mask][n++] = uint8_t(bit);
  }
};
constexpr SetBits kSetBits;

// Appends first + (each set bit's position) to the list, without a branch
// per bit: eight entries are written and the length grows by the count.
AVX2_HELPER int appendSetBits(int32_t* list, int length, unsigned mask, int first) {
  uint64_t positions;
  std::memcpy(&positions, kSetBits.at[mask], 8);
  __m256i entries = _mm256_add_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(int64_t(positions))),
                                     _mm256_set1_epi32(first));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(list + length), entries);
  return length + __builtin_popcount(mask);
}

// The same counts as countPortable. Work that depends on the data is first
// gathered into lists (the undecided blocks, then the undecided samples) so
// that the loops over them do not branch on every mask.
__attribute__((target("avx2,popcnt"))) void countAVX2(const Blocks& samples, const Blocks& pixels, float limit,
                                                      int32_t* counts) {
  const __m256 inside = _mm256_set1_ps(kSurelyInside), outside = _mm256_set1_ps(kSurelyOutside),
               limits = _mm256_set1_ps(limit);
  for (int p = 0; p < kBlocks; ++p) {
    const __m256 pyl = _mm256_broadcast_ss(pixels.yLow + p), pyh = _mm256_broadcast_ss(pixels.yHigh + p);
    const __m256 pul = _mm256_broadcast_ss(pixels.uLow + p), puh = _mm256_broadcast_ss(pixels.uHigh + p);
    const __m256 pvl = _mm256_broadcast_ss(pixels.vLow + p), pvh = _mm256_broadcast_ss(pixels.vHigh + p);
    const __m256 py = _mm256_load_ps(pixels.y + p * kBlock), pu = _mm256_load_ps(pixels.u + p * kBlock),
                 pv = _mm256_load_ps(pixels.v + p * kBlock);
    int whole = 0;  // samples near every pixel of the block

    // Sample blocks against the pixel block's box, eight at a time.
    int32_t openBlocks[kBlocks + 8];
    int openCount = 0;
    for (int s0 = 0; s0 < kBlocks; s0 += 8) {
      __m256 yl = _mm256_load_ps(samples.yLow + s0), yh = _mm256_load_ps(samples.yHigh + s0);
      __m256 ul = _mm256_load_ps(samples.uLow + s0), uh = _mm256_load_ps(samples.uHigh + s0);
      __m256 vl = _mm256_load_ps(samples.vLow + s0), vh = _mm256_load_ps(samples.vHigh + s0);
      __m256 nearest = _mm256_add_ps(_mm256_add_ps(squaredGap(yl, yh, pyl, pyh), squaredGap(ul, uh, pul, puh)),
                                     squaredGap(vl, vh, pvl, pvh));
      __m256 farthest = _mm256_add_ps(_mm256_add_ps(squaredSpan(yl, yh, pyl, pyh), squaredSpan(ul, uh, pul, puh)),
                                      squaredSpan(vl, vh, pvl, pvh));
      unsigned all = unsigned(_mm256_movemask_ps(_mm256_cmp_ps(farthest, inside, _CMP_LT_OQ)));
      unsigned none = unsigned(_mm256_movemask_ps(_mm256_cmp_ps(nearest, outside, _CMP_GT_OQ)));
      whole += kBlock * __builtin_popcount(all);
      openCount = appendSetBits(openBlocks, openCount, ~(all | none) & 0xFFu, s0);
    }

    // The undecided blocks' samples side by side against the pixel block's
    // box: most of them are near all eight pixels or near none. No sample
    // is near all the pixels of a box whose diagonal is wider than twice
    // the inner margin (noise in colour order), so there only the far
    // ones are sorted out; the rest go to the exact test either way.
    int32_t openSamples[kSamples + 8];
    int exactCount = 0;
    float wy = pixels.yHigh[p] - pixels.yLow[p], wu = pixels.uHigh[p] - pixels.uLow[p],
          wv = pixels.vHigh[p] - pixels.vLow[p];
    bool wide = wy * wy + wu * wu + wv * wv > 4 * kSurelyInside;
    for (int q = 0; q < openCount; ++q) {
      int base = openBlocks[q] * kBlock;
      __m256 sy = _mm256_load_ps(samples.y + base), su = _mm256_load_ps(samples.u + base),
             sv = _mm256_load_ps(samples.v + base);
      __m256 near = _mm256_add_ps(_mm256_add_ps(squaredGap(sy, sy, pyl, pyh), squaredGap(su, su, pul, puh)),
                                  squaredGap(sv, sv, pvl, pvh));
      unsigned nearNone = unsigned(_mm256_movemask_ps(_mm256_cmp_ps(near, outside, _CMP_GT_OQ)));
      unsigned nearAll = 0;
      if (!wide) {
        __m256 far = _mm256_add_ps(_mm256_add_ps(squaredSpan(sy, sy, pyl, pyh), squaredSpan(su, su, pul, puh)),
                                   squaredSpan(sv, sv, pvl, pvh));
        nearAll = unsigned(_mm256_movemask_ps(_mm256_cmp_ps(far, inside, _CMP_LT_OQ)));
        whole += __builtin_popcount(nearAll);
      }
      exactCount = appendSetBits(openSamples, exactCount, ~(nearAll | nearNone) & 0xFFu, base);
    }

    // The exact test of the eight pixels against each sample left.
    __m256i counted = _mm256_setzero_si256();
    for (int q = 0; q < exactCount; ++q) {
      int m = openSamples[q];
      __m256 dy = _mm256_sub_ps(_mm256_broadcast_ss(samples.y + m), py);
      __m256 du = _mm256_sub_ps(_mm256_broadcast_ss(samples.u + m), pu);
      __m256 dv = _mm256_sub_ps(_mm256_broadcast_ss(samples.v + m), pv);
      __m256 d2 = _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(dy, dy), _mm256_mul_ps(du, du)), _mm256_mul_ps(dv, dv));
      counted = _mm256_sub_epi32(counted, _mm256_castps_si256(_mm256_cmp_ps(d2, limits, _CMP_LT_OQ)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(counts + p * kBlock),
                        _mm256_add_epi32(counted, _mm256_set1_epi32(whole)));
  }
}

VECTOR_HELPER f8 min8(f8 a, f8 b) { return a < b ? a : b; }

// The lowest and highest of eight values, in lane 0 of each result.
VECTOR_HELPER void lowHigh8(f8 v, float* low, float* high) {
  f8 lo = min8(v, __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3)),
     hi = max8(v, __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3));
  lo = min8(lo, __builtin_shufflevector(lo, lo, 2, 3, 0, 1, 6, 7, 4, 5));
  hi = max8(hi, __builtin_shufflevector(hi, hi, 2, 3, 0, 1, 6, 7, 4, 5));
  lo = min8(lo, __builtin_shufflevector(lo, lo, 1, 0, 3, 2, 5, 4, 7, 6));
  hi = max8(hi, __builtin_shufflevector(hi, hi, 1, 0, 3, 2, 5, 4, 7, 6));
  *low = lo[0], *high = hi[0];
}

__attribute__((target_clones("avx2", "default")))
void boundBlocks(Blocks& b) {
  for (int k = 0; k < kBlocks; ++k) {
    lowHigh8(load8(b.y + k * kBlock), &b.yLow[k], &b.yHigh[k]);
    lowHigh8(load8(b.u + k * kBlock), &b.uLow[k], &b.uHigh[k]);
    lowHigh8(load8(b.v + k * kBlock), &b.vLow[k], &b.vHigh[k]);
  }
}

typedef float f4 __attribute__((vector_size(16)));
typedef double d4 __attribute__((vector_size(32)));

// Y, U and V of 256 colours, four at a time in double precision; each lane
// rounds exactly as yuvFromChannels does.
__attribute__((target_clones("avx2", "default")))
void yuvOfChannels(const float* r, const float* g, const float* b, float* y, float* u, float* v) {
  for (int k = 0; k < kSamples; k += 4) {
    f4 r4, g4, b4;
    std::memcpy(&r4, r + k, sizeof r4);
    std::memcpy(&g4, g + k, sizeof g4);
    std::memcpy(&b4, b + k, sizeof b4);
    d4 dr = __builtin_convertvector(r4, d4), dg = __builtin_convertvector(g4, d4), db = __builtin_convertvector(b4, d4);
    f4 y4 = __builtin_convertvector((0.299 * dr + 0.587 * dg) + 0.114 * db, f4);
    f4 u4 = __builtin_convertvector((-0.14713 * dr + -0.28886 * dg) + 0.436 * db, f4);
    f4 v4 = __builtin_convertvector((0.615 * dr + -0.51499 * dg) + -0.10001 * db, f4);
    std::memcpy(y + k, &y4, sizeof y4);
    std::memcpy(u + k, &u4, sizeof u4);
    std::memcpy(v + k, &v4, sizeof v4);
  }
}

// Pixels and samples of the quarter in block order: pixel (x, y) at
// pixelPlace[y * 16 + x], sample (i, j) at samplePlace[j * 16 + i].
void gather(const uint8_t* texels, Blocks& samples, Blocks& pixels, const uint8_t* pixelPlace,
            const uint8_t* samplePlace) {
  // The texels the quarter's samples reach, one plane per channel: grid
  // rows and columns 0 to 16 are texel rows and columns 31, 0, 1, ..., 15.
  uint16_t grid[3][kQuarter + 1][kQuarter + 1];
  for (int gy = 0; gy <= kQuarter; ++gy) {
    const uint8_t* row = texels + ((gy + kSide - 1) & (kSide - 1)) * kSide * 4;
    for (int c = 0; c < 3; ++c) grid[c][gy][0] = row[(kSide - 1) * 4 + c];
    for (int gx = 1; gx <= kQuarter; ++gx)
      for (int c = 0; c < 3; ++c) grid[c][gy][gx] = row[(gx - 1) * 4 + c];
  }
  // Channels as floats a row at a time, each row then dealt out in pairs
  // to the eight blocks it crosses.
  alignas(32) float channels[6][kSamples];
  for (int c = 0; c < 3; ++c)
    for (int j = 0; j < kQuarter; ++j) {
      float sampleRow[kQuarter], pixelRow[kQuarter];
      for (int i = 0; i < kQuarter; ++i) {
        unsigned sum = unsigned(grid[c][j][i]) + grid[c][j][i + 1] + grid[c][j + 1][i] + grid[c][j + 1][i + 1];
        sampleRow[i] = float(sum) / 1020.0f;
        pixelRow[i] = float(grid[c][j + 1][i + 1]) / 255.0f;
      }
      for (int i = 0; i < kQuarter; ++i) {
        channels[c][samplePlace[j * kQuarter + i]] = sampleRow[i];
        channels[3 + c][pixelPlace[j * kQuarter + i]] = pixelRow[i];
      }
    }
  yuvOfChannels(channels[0], channels[1], channels[2], samples.y, samples.u, samples.v);
  yuvOfChannels(channels[3], channels[4], channels[5], pixels.y, pixels.u, pixels.v);
}

// Colour order, for images whose neighbouring pixels differ (noise): the
// pixels in a Z-order walk of an RGB grid of 16 levels a channel, so that
// neighbours in the order are near in colour. Blocks of eight such pixels
// have small boxes where blocks of image neighbours span half the colour
// space. The samples stay in image order: each is the mean of four texels
// that its neighbours share, which keeps their blocks tight enough (sorting
// them too costs more than it saves). Images that are not noise keep the
// image order for both, whose blocks are already tight.
struct LevelCodes {  // a level's four bits spaced three apart
  uint16_t of[16];
  constexpr LevelCodes() : of() {
    for (int v = 0; v < 16; ++v)
      for (int bit = 0; bit < 4; ++bit)
        if (v & (1 << bit)) of[v] = uint16_t(of[v] | (1 << (3 * bit)));
  }
};
constexpr LevelCodes kLevelCodes;
inline uint16_t colourCode(unsigned r, unsigned g, unsigned b) {  // levels 0 to 15
  return uint16_t(kLevelCodes.of[r] | kLevelCodes.of[g] << 1 | kLevelCodes.of[b] << 2);
}

// Noise: horizontal neighbours in every fourth row of the quarter differ
// by more than 40 a channel on average (random bytes differ by 85, artwork
// by a few). The alpha bytes are summed too, which keeps the loop plain;
// opaque images add nothing with them. Either answer gives exact counts.
bool noisy(const uint8_t* texels) {
  constexpr int kRowsLooked = kQuarter / 4;
  unsigned total = 0;
  for (int y = 0; y < kQuarter; y += 4) {
    const uint8_t* row = texels + y * kSide * 4;
    for (int i = 0; i < (kQuarter - 1) * 4; ++i) total += unsigned(std::abs(int(row[i]) - int(row[i + 4])));
  }
  return total > 40u * 3 * (kQuarter - 1) * kRowsLooked;
}

// placeOf[k]: the place of colour k in the order of its code, by a
// two-pass radix sort of the 12-bit codes, six bits a pass.
void placeByCode(const uint16_t* code, uint8_t* placeOf) {
  uint16_t low[64] = {}, high[64] = {};
  for (int k = 0; k < kSamples; ++k) ++low[code[k] & 63], ++high[code[k] >> 6];
  for (int c = 0, atLow = 0, atHigh = 0; c < 64; ++c) {
    int nLow = low[c], nHigh = high[c];
    low[c] = uint16_t(atLow), high[c] = uint16_t(atHigh);
    atLow += nLow, atHigh += nHigh;
  }
  uint8_t byLow[kSamples];
  for (int k = 0; k < kSamples; ++k) byLow[low[code[k] & 63]++] = uint8_t(k);
  for (int k = 0; k < kSamples; ++k) placeOf[byLow[k]] = uint8_t(high[code[byLow[k]] >> 6]++);
}

// Where pixel (x, y) of the quarter goes, at [y * 16 + x], in colour order.
void orderByColour(const uint8_t* texels, uint8_t* pixelPlace) {
  uint16_t code[kSamples];
  for (int y = 0; y < kQuarter; ++y)
    for (int x = 0; x < kQuarter; ++x) {
      const uint8_t* p = texels + (y * kSide + x) * 4;
      code[y * kQuarter + x] = colourCode(p[0] >> 4, p[1] >> 4, p[2] >> 4);
    }
  placeByCode(code, pixelPlace);
}

// Pixels and samples in block order with their boxes; pixelPlace[y * 16 + x]
// is where pixel (x, y) of the quarter went.
void prepare(const uint8_t* texels, Blocks& samples, Blocks& pixels, uint8_t* pixelPlace) {
  if (noisy(texels))
    orderByColour(texels, pixelPlace);
  else
    std::memcpy(pixelPlace, kPositions.at, kSamples);
  gather(texels, samples, pixels, pixelPlace, kPositions.at);
  boundBlocks(samples);
  boundBlocks(pixels);
}

void finish(const uint8_t* texels, uint8_t* out, const int32_t* counts, const uint8_t* pixelPlace) {
  const Tables& t = tables();
  uint8_t alpha[kSamples];
  for (int k = 0; k < kSamples; ++k) alpha[k] = t.alpha[counts[pixelPlace[k]]];
  writeOutput(texels, out, alpha);
}

}  // namespace

uint8_t dominantAlphaForCount(int n) { return tables().alpha[std::clamp(n, 0, kSamples)]; }

void dominantCountPassReference(const uint8_t* texels, uint8_t* out) {
  YUV samples[kSamples];
  for (int j = 0; j < kQuarter; ++j) {
    for (int i = 0; i < kQuarter; ++i) {
      unsigned sums[3];
      sampleSums(texels, i, j, sums);
      samples[j * kQuarter + i] = sampleYUV(sums);
    }
  }
  uint8_t alpha[kSamples];
  for (int y = 0; y < kQuarter; ++y) {
    for (int x = 0; x < kQuarter; ++x) {
      YUV p = pixelYUV(texels + (y * kSide + x) * 4);
      int n = 0;
      for (const YUV& s : samples) {
        float dy = s.y - p.y, du = s.u - p.u, dv = s.v - p.v;
        if (std::sqrt((dy * dy + du * du) + dv * dv) < 0.1f) ++n;
      }
      alpha[y * kQuarter + x] = dominantAlphaForCount(n);
    }
  }
  writeOutput(texels, out, alpha);
}

void dominantCountPass(const uint8_t* texels, uint8_t* out) {
  static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  Blocks samples, pixels;
  uint8_t pixelPlace[kSamples];
  prepare(texels, samples, pixels, pixelPlace);
  int32_t counts[kSamples];
  if (avx2)
    countAVX2(samples, pixels, tables().limit, counts);
  else
    countPortable(samples, pixels, tables().limit, counts);
  finish(texels, out, counts, pixelPlace);
}

void dominantCountPassPortable(const uint8_t* texels, uint8_t* out) {
  Blocks samples, pixels;
  uint8_t pixelPlace[kSamples];
  prepare(texels, samples, pixels, pixelPlace);
  int32_t counts[kSamples];
  countPortable(samples, pixels, tables().limit, counts);
  finish(texels, out, counts, pixelPlace);
}
