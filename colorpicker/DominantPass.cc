// The counting pass on the CPU.
//
// The fast pass gives exactly the plain loop's bytes because it computes
// every Y, U, V and every squared distance with the same single-precision
// operations in the same order; it only avoids work whose outcome is known:
//   - equal samples (equal sums of their four texels) are one sample with a
//     weight, and equal pixels (equal R, G, B) are counted once;
//   - "sqrtf(d²) < 0.1f" is replaced by "d² < limit", limit being the
//     smallest float whose square root is not below 0.1f;
//   - samples are sorted into cells of (Y, U) of width 1/9.5 (> 0.1). A
//     sample that passes has its rounded dY² and dU² each no larger than its
//     rounded d², so |dY| and |dU| stay below 0.1000001, and its cell is at
//     most one step from the pixel's in each of Y and U: only those 3 × 3
//     cells are tested, and they form three runs of the sorted samples;
//   - the runs are tested eight samples at a time with vector arithmetic.
// The build compiles this file without floating-point contraction, so no
// product and sum become one fused operation in either loop.
#include "colorpicker/DominantPass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      uint8_t* o = out + (y * kSide + x) * 4;
      if (x < kQuarter && y < kQuarter) {
        const uint8_t* p = texels + (y * kSide + x) * 4;
        o[0] = p[0], o[1] = p[1], o[2] = p[2], o[3] = quarterAlpha[y * kQuarter + x];
      } else {
        o[0] = o[1] = o[2] = 0, o[3] = 255;
      }
    }
  }
}

// --- the fast pass ------------------------------------------------------------

constexpr int kBins = 10;  // cells per axis, each 1/9.5 wide
inline int yBin(float y) { return std::clamp(int(y * 9.5f), 0, kBins - 1); }
inline int uBin(float u) { return std::clamp(int((u + 0.5f) * 9.5f), 0, kBins - 1); }

// Open addressing over twice as many slots as there can be keys.
struct DistinctKeys {
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
  uint32_t keys[2 * kSamples];
  uint16_t index[2 * kSamples];
  int count = 0;

  DistinctKeys() { std::memset(keys, 0xFF, sizeof keys); }
  // The key's index among the distinct keys, in order of first appearance.
  int add(uint32_t key) {
    uint32_t h = (key * 2654435761u) >> 23;  // 9 bits
    for (;;) {
      if (keys[h] == key) return index[h];
      if (keys[h] == kEmpty) {
        keys[h] = key;
        index[h] = static_cast<uint16_t>(count);
        return count++;
      }
      h = (h + 1) & (2 * kSamples - 1);
    }
  }
};

typedef float f8 __attribute__((vector_size(32)));
typedef int32_t i8 __attribute__((vector_size(32)));

// Samples sorted by cell, in columns, with eight spare entries at the end so
// that a run can be read eight at a time past its last sample.
struct SortedSamples {
  alignas(32) float y[kSamples + 8];
  alignas(32) float u[kSamples + 8];
  alignas(32) float v[kSamples + 8];
  alignas(32) int32_t weight[kSamples + 8];
  int cellStart[kBins * kBins + 1];
};

// The total weight of the samples in [lo, hi) within the distance of p.
inline int countRun(const SortedSamples& s, int lo, int hi, YUV p, float limit) {
  const i8 lanes = {0, 1, 2, 3, 4, 5, 6, 7};
  i8 total = {};
  for (int i = lo; i < hi; i += 8) {
    f8 y, u, v;
    i8 w;
    std::memcpy(&y, s.y + i, sizeof y);
    std::memcpy(&u, s.u + i, sizeof u);
    std::memcpy(&v, s.v + i, sizeof v);
    std::memcpy(&w, s.weight + i, sizeof w);
    f8 dy = y - p.y, du = u - p.u, dv = v - p.v;
    f8 d2 = (dy * dy + du * du) + dv * dv;
    i8 counted = (d2 < limit) & ((lanes + i) < hi);
    total += counted & w;
  }
  return total[0] + total[1] + total[2] + total[3] + total[4] + total[5] + total[6] + total[7];
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
  const Tables& t = tables();

  // Distinct samples and how often each occurs.
  DistinctKeys sampleKeys;
  unsigned sums[kSamples][3];
  int weight[kSamples] = {};
  for (int j = 0; j < kQuarter; ++j) {
    for (int i = 0; i < kQuarter; ++i) {
      unsigned s[3];
      sampleSums(texels, i, j, s);
      int k = sampleKeys.add(s[0] | s[1] << 10 | s[2] << 20);
      if (weight[k]++ == 0) std::memcpy(sums[k], s, sizeof s);
    }
  }

  // Sorted by (Y, U) cell with a counting sort.
  SortedSamples sorted;
  YUV yuv[kSamples];
  int cell[kSamples];
  int fill[kBins * kBins + 1] = {};
  for (int k = 0; k < sampleKeys.count; ++k) {
    yuv[k] = sampleYUV(sums[k]);
    cell[k] = yBin(yuv[k].y) * kBins + uBin(yuv[k].u);
    ++fill[cell[k] + 1];
  }
  for (int c = 0; c < kBins * kBins; ++c) fill[c + 1] += fill[c];
  std::memcpy(sorted.cellStart, fill, sizeof fill);
  for (int k = 0; k < sampleKeys.count; ++k) {
    int at = fill[cell[k]]++;
    sorted.y[at] = yuv[k].y, sorted.u[at] = yuv[k].u, sorted.v[at] = yuv[k].v;
    sorted.weight[at] = weight[k];
  }
  for (int at = sampleKeys.count; at < sampleKeys.count + 8; ++at)
    sorted.y[at] = sorted.u[at] = sorted.v[at] = 0, sorted.weight[at] = 0;

  // Each distinct pixel against the runs of its neighbouring cells.
  DistinctKeys pixelKeys;
  uint16_t pixelOf[kSamples];
  int counts[kSamples];
  for (int y = 0; y < kQuarter; ++y) {
    for (int x = 0; x < kQuarter; ++x) {
      const uint8_t* p = texels + (y * kSide + x) * 4;
      int before = pixelKeys.count;
      int k = pixelKeys.add(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16);
      pixelOf[y * kQuarter + x] = static_cast<uint16_t>(k);
      if (k < before) continue;
      YUV c = pixelYUV(p);
      int ky = yBin(c.y), ku = uBin(c.u);
      int uFirst = std::max(ku - 1, 0), uLast = std::min(ku + 1, kBins - 1);
      int n = 0;
      for (int row = std::max(ky - 1, 0); row <= std::min(ky + 1, kBins - 1); ++row)
        n += countRun(sorted, sorted.cellStart[row * kBins + uFirst], sorted.cellStart[row * kBins + uLast + 1], c,
                      t.limit);
      counts[k] = n;
    }
  }

  uint8_t alpha[kSamples];
  for (int i = 0; i < kSamples; ++i) alpha[i] = t.alpha[counts[pixelOf[i]]];
  writeOutput(texels, out, alpha);
}
