// The GL pass against the CPU pass on the same renditions, where a GL
// context can be made: the buffers the scans read, and the schemes.
//
// Where the two may differ: the colour bytes and everything outside the
// counted quarter are the rendition's own bytes and agree exactly. A count
// can differ only through samples whose distance lies near 0.1: the texture
// unit filters the four texels in its own fixed-point arithmetic (llvmpipe
// interpolates 8-bit values with 8-bit weights, off by up to about one step
// of 1/255 a channel) and the GPU may fuse or reorder the shader's products,
// while the CPU pass takes the exact mean and rounds each operation once.
// So the GL count lies between the CPU count less the samples just inside
// the edge and the CPU count plus those just outside it (within 0.012 of
// 0.1, which covers an error of 1.5/255 in each channel). The stored alpha
// may lie one step off the formula's round(n × 0.0039 × 255): llvmpipe adds
// the 0.0039 steps in half precision, the shader's accumulator being lowp,
// which stores counts 91 to 112 one step higher. A scheme differs only when
// such a change reorders the largest counts.
#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "colorpicker/colorpicker.h"
#include "platform/gles/EAGLContext.h"
#include "tests/support/picker_images.h"

namespace {

using Frame = std::array<uint8_t, 32 * 32 * 4>;

std::string rendererOf(KRColorPicker* picker) {
  EXPECT_TRUE(EAGLContext::setCurrentContext(picker->_context));
  const GLubyte* name = glGetString(GL_RENDERER);
  EAGLContext::setCurrentContext(nil);
  return name ? reinterpret_cast<const char*>(name) : "?";
}

Frame glFrame(KRColorPicker* picker) {
  Frame frame{};
  EXPECT_TRUE(EAGLContext::setCurrentContext(picker->_context));
  glBindFramebuffer(GL_FRAMEBUFFER, picker->_frameBuffer);
  glReadPixels(0, 0, 32, 32, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
  EAGLContext::setCurrentContext(nil);
  return frame;
}

struct Tally {
  int images = 0, identicalFrames = 0, identicalSchemes = 0;
  int countedPixels = 0, differingAlphas = 0, largestAlphaStep = 0;
};

struct CountBounds {
  int count;        // samples within 0.1, as the CPU pass counts them
  int justInside;   // of those, the ones within 0.012 of the edge
  int justOutside;  // samples from 0.1 to 0.112
};

// The CPU pass's count for the pixel at (x, y) of the rendition, and the
// samples near the edge, from the exact four-texel means.
CountBounds boundsAt(const uint8_t* texels, int x, int y) {
  auto channel = [texels](int c, int r, int k) { return texels[((r & 31) * 32 + (c & 31)) * 4 + k]; };
  const uint8_t* p = texels + (y * 32 + x) * 4;
  YUV pixel = yuvFromChannels(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f);
  CountBounds b{0, 0, 0};
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) {
      float mean[3];
      for (int k = 0; k < 3; ++k)
        mean[k] = float(channel(i - 1, j - 1, k) + channel(i, j - 1, k) + channel(i - 1, j, k) + channel(i, j, k)) /
                  1020.0f;
      YUV s = yuvFromChannels(mean[0], mean[1], mean[2]);
      float dy = s.y - pixel.y, du = s.u - pixel.u, dv = s.v - pixel.v;
      float d = std::sqrt((dy * dy + du * du) + dv * dv);
      if (d < 0.1f) {
        ++b.count;
        b.justInside += d >= 0.088f;
      } else {
        b.justOutside += d < 0.112f;
      }
    }
  return b;
}

TEST(PassAgreementTest, GLAndCPUPassesAgree) {
  {
    AutoreleasePool pool;
    Ref<EAGLContext> probe = adopt(objc::alloc<EAGLContext>()->initWithAPI(kEAGLRenderingAPIOpenGLES2));
    if (!probe) {
      if (std::getenv("MIREL_REQUIRE_GL")) FAIL() << "no OpenGL ES 2.0 context on " << EAGLDisplayPlatform();
      GTEST_SKIP() << "no OpenGL ES 2.0 context here";
    }
  }
  Ref<KRColorPicker> gl = objc::make<KRColorPicker>();
  gl->setBackend(KRColorPickerBackendGL);
  Ref<KRColorPicker> cpu = objc::make<KRColorPicker>();
  cpu->setBackend(KRColorPickerBackendCPU);

  Tally tally;
  auto compare = [&](UIImage* image, const std::string& name) {
    KRColorScheme* a = gl->colorSchemeFromImage(image);
    KRColorScheme* b = cpu->colorSchemeFromImage(image);
    ASSERT_EQ(gl->lastBackend(), KRColorPickerBackendGL) << name;
    ASSERT_EQ(cpu->lastBackend(), KRColorPickerBackendCPU) << name;
    ASSERT_EQ(gl->_texels, cpu->_texels) << name << ": both passes start from the same rendition";
    Frame g = glFrame(gl);
    const Frame& c = cpu->_cpuFramebuffer;
    ++tally.images;
    tally.identicalFrames += g == c;
    bool sameScheme = hexOf(a->backgroundColor()) == hexOf(b->backgroundColor()) &&
                      hexOf(a->primaryTextColor()) == hexOf(b->primaryTextColor()) &&
                      hexOf(a->secondaryTextColor()) == hexOf(b->secondaryTextColor());
    tally.identicalSchemes += sameScheme;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const uint8_t* p = g.data() + (y * 32 + x) * 4;
        const uint8_t* q = c.data() + (y * 32 + x) * 4;
        ASSERT_TRUE(p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) << name << " colour bytes at " << x << "," << y;
        if (x >= 16 || y >= 16) {
          ASSERT_EQ(p[3], q[3]) << name << " outside the quarter at " << x << "," << y;
          continue;
        }
        ++tally.countedPixels;
        CountBounds b = boundsAt(cpu->_texels.data(), x, y);
        ASSERT_EQ(q[3], dominantAlphaForCount(b.count)) << name;
        int low = dominantAlphaForCount(b.count - b.justInside) - 1;
        int high = dominantAlphaForCount(b.count + b.justOutside) + 1;
        ASSERT_TRUE(p[3] >= low && p[3] <= high)
            << name << " at " << x << "," << y << ": GL alpha " << int(p[3]) << ", CPU count " << b.count << " with "
            << b.justInside << " samples just inside and " << b.justOutside << " just outside";
        int step = std::abs(int(p[3]) - int(q[3]));
        tally.differingAlphas += step != 0;
        tally.largestAlphaStep = std::max(tally.largestAlphaStep, step);
      }
  };

  for (unsigned seed = 0; seed < 300; ++seed) {
    AutoreleasePool pool;
    compare(imageFromPixels(32, 32, artwork(seed, 32)), "artwork " + std::to_string(seed));
  }
  for (int g = 0; g <= 229; g += 3) {
    AutoreleasePool pool;
    compare(imageFromPixels(32, 32,
                            [g](int x, int y) {
                              uint8_t v = x == 7 && y == 7 ? uint8_t(g) : uint8_t(g + 25 + (x & 1));
                              return Pixel{v, v, v, 255};
                            }),
            "edge grey " + std::to_string(g));
  }

  std::printf("GL/CPU agreement on %s (%s): %d images, identical buffers %d (%.1f%%), identical schemes %d (%.1f%%), "
              "alpha bytes differing %d of %d (%.3f%%), largest difference %d\n",
              EAGLDisplayPlatform().c_str(), rendererOf(gl).c_str(), tally.images, tally.identicalFrames,
              100.0 * tally.identicalFrames / tally.images, tally.identicalSchemes,
              100.0 * tally.identicalSchemes / tally.images, tally.differingAlphas, tally.countedPixels,
              100.0 * tally.differingAlphas / tally.countedPixels, tally.largestAlphaStep);
  RecordProperty("identical_buffers", tally.identicalFrames);
  RecordProperty("identical_schemes", tally.identicalSchemes);
  RecordProperty("differing_alphas", tally.differingAlphas);
}

// What the README says of llvmpipe's counting, without any sample near the
// distance edge: around the white pixel (0, 0), exactly n samples are white
// (rows 31 and 0 to k − 1 white, and row k from column 31 to m − 1, with
// n = 16k + m); every other sample is a mean of white and black, far from
// white. The CPU pass stores the formula's alpha; llvmpipe stores the alpha
// of the 0.0039 steps added in half precision.
TEST(PassAgreementTest, LlvmpipeAddsTheCountInHalfPrecision) {
  Ref<KRColorPicker> gl = objc::make<KRColorPicker>();
  gl->setBackend(KRColorPickerBackendGL);
  Ref<KRColorPicker> cpu = objc::make<KRColorPicker>();
  cpu->setBackend(KRColorPickerBackendCPU);
  {
    AutoreleasePool pool;
    gl->colorSchemeFromImage(uniformImage(32, Pixel{1, 2, 3, 255}));
    if (gl->lastBackend() != KRColorPickerBackendGL || rendererOf(gl).find("llvmpipe") == std::string::npos)
      GTEST_SKIP() << "the GL pass does not run on llvmpipe here";
  }
  auto halfPrecisionAlpha = [](int n) {
    _Float16 sum = 0;
    for (int i = 0; i < n; ++i) sum = sum + _Float16(0.0039f);
    return int(std::lround(std::fmin(1.0f, float(sum)) * 255.0f));
  };
  for (int n : {1, 64, 90, 91, 100, 112, 113, 128, 200, 256}) {
    SCOPED_TRACE("count " + std::to_string(n));
    AutoreleasePool pool;
    int k = n / 16, m = n % 16;
    UIImage* image = imageFromPixels(32, 32, [&](int x, int y) {
      bool white = y == 31 || y < k || (y == k && (x == 31 || x < m));
      return white ? Pixel{255, 255, 255, 255} : Pixel{0, 0, 0, 255};
    });
    gl->colorSchemeFromImage(image);
    cpu->colorSchemeFromImage(image);
    int glAlpha = glFrame(gl)[3], cpuAlpha = cpu->_cpuFramebuffer[3];
    EXPECT_EQ(cpuAlpha, dominantAlphaForCount(n));
    EXPECT_EQ(glAlpha, halfPrecisionAlpha(n));
    EXPECT_EQ(glAlpha - cpuAlpha, n >= 91 && n <= 112 ? 1 : 0);
  }
}

}  // namespace
