// The synchronous extraction on both passes: schemes of uniform images and
// of nothing, ties between counts, the scans' filters and tolerances, the
// contrast test, the fallback text colours, and the GL objects' life.
//
// GL cases run where an OpenGL ES 2.0 context can be made (llvmpipe here);
// with MIREL_REQUIRE_GL=1 in the environment a missing context fails them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <GLES2/gl2.h>

#include "colorpicker/ContrastRatio.h"
#include "colorpicker/RendererChoice.h"
#include "colorpicker/colorpicker.h"
#include "platform/foundation/NSString.h"
#include "platform/gles/EAGLContext.h"
#include "platform/objc/class.h"
#include "tests/support/picker_images.h"

namespace {

bool glUsable() {
  static const bool usable = [] {
    AutoreleasePool pool;
    Ref<EAGLContext> context = adopt(objc::alloc<EAGLContext>()->initWithAPI(kEAGLRenderingAPIOpenGLES2));
    return bool(context);
  }();
  return usable;
}

std::vector<KRColorPickerBackend> backends() {
  if (std::getenv("MIREL_REQUIRE_GL")) {
    EXPECT_TRUE(glUsable()) << "no OpenGL ES 2.0 context on display " << EAGLDisplayPlatform();
  }
  if (glUsable()) return {KRColorPickerBackendCPU, KRColorPickerBackendGL};
  return {KRColorPickerBackendCPU};
}

Ref<KRColorPicker> makePicker(KRColorPickerBackend backend) {
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(backend);
  return picker;
}

// The pass that actually ran must be the one asked for.
KRColorScheme* extract(KRColorPicker* picker, UIImage* image) {
  KRColorScheme* scheme = picker->colorSchemeFromImage(image);
  EXPECT_EQ(picker->lastBackend(), picker->backend());
  return scheme;
}

template <class T>
T ivar(id object, const char* name) {
  Ivar v = class_getInstanceVariable(object_getClass(object), name);
  EXPECT_NE(v, nullptr) << name;
  return v ? *reinterpret_cast<T*>(reinterpret_cast<char*>(object) + ivar_getOffset(v)) : T{};
}

struct SchemeCase {
  const char* name;
  std::function<UIImage*()> image;
  const char *background, *primary, *secondary;
};

TEST(ColorPickerTest, SchemesOfUniformImagesAndOfNothing) {
  const SchemeCase cases[] = {
      // No pixel is far from a light background: both text scans find
      // nothing (black), and black contrasts with it.
      {"white", [] { return uniformImage(64, {255, 255, 255, 255}); }, "#FFFFFF", "#000000", "#000000"},
      {"light yellow", [] { return uniformImage(40, {250, 240, 120, 255}); }, "#FAF078", "#000000", "#000000"},
      // A dark background fails the contrast test with black: white.
      {"black", [] { return uniformImage(64, {0, 0, 0, 255}); }, "#000000", "#000000", "#FFFFFF"},
      {"navy", [] { return uniformImage(20, {10, 20, 90, 255}); }, "#0A145A", "#000000", "#FFFFFF"},
      {"transparent", [] { return uniformImage(32, {0, 0, 0, 0}); }, "#000000", "#000000", "#FFFFFF"},
      {"nil", [] { return static_cast<UIImage*>(nil); }, "#000000", "#000000", "#FFFFFF"},
  };
  for (KRColorPickerBackend backend : backends()) {
    Ref<KRColorPicker> picker = makePicker(backend);
    for (const SchemeCase& c : cases) {
      AutoreleasePool pool;
      KRColorScheme* scheme = extract(picker, c.image());
      ASSERT_NE(scheme, nullptr);
      std::string where = std::string(c.name) + " on " + KRColorPickerBackendName(backend);
      EXPECT_EQ(hexOf(scheme->backgroundColor()), c.background) << where;
      EXPECT_EQ(hexOf(scheme->primaryTextColor()), c.primary) << where;
      EXPECT_EQ(hexOf(scheme->secondaryTextColor()), c.secondary) << where;
    }
  }
}

// Two colours with equal counts in the counted quarter; the rest of the
// image is a third colour far from both. In rows: the earlier read-back row
// (nearer the top) wins; within rows, the leftmost pixel.
TEST(ColorPickerTest, TiesGoToTheEarlierRowThenTheLeftmostPixel) {
  const Pixel kA{220, 40, 40, 255}, kB{40, 60, 220, 255}, kFar{30, 200, 30, 255};
  struct Case {
    const char* name;
    bool rows;  // split the quarter into top and bottom halves, else left and right
    Pixel first, second;
    const char* expected;
  };
  for (KRColorPickerBackend backend : backends()) {
    Ref<KRColorPicker> picker = makePicker(backend);
    for (Case c : {Case{"A above B", true, kA, kB, "#DC2828"}, Case{"B above A", true, kB, kA, "#283CDC"},
                   Case{"A left of B", false, kA, kB, "#DC2828"}, Case{"B left of A", false, kB, kA, "#283CDC"}}) {
      AutoreleasePool pool;
      UIImage* image = imageFromPixels(32, 32, [&](int x, int y) {
        if (x >= 16 || y >= 16) return kFar;
        return (c.rows ? y : x) < 8 ? c.first : c.second;
      });
      KRColorScheme* scheme = extract(picker, image);
      EXPECT_EQ(hexOf(scheme->backgroundColor()), c.expected) << c.name << " on " << KRColorPickerBackendName(backend);
      // Both halves really count the same.
      uint8_t frame[32 * 32 * 4];
      dominantCountPass(picker->_texels.data(), frame);
      int firstAlpha = frame[(0 * 32 + 2) * 4 + 3];
      int secondAlpha = frame[(c.rows ? (12 * 32 + 2) : (2 * 32 + 12)) * 4 + 3];
      EXPECT_EQ(firstAlpha, secondAlpha) << c.name;
    }
  }
}

TEST(ColorPickerTest, ContrastNeedsABrightnessOf125AndAColourDifferenceAbove500) {
  Ref<KRColorPicker> picker = makePicker(KRColorPickerBackendCPU);
  auto bytes = [](int r, int g, int b) { return UIColor::withRGBA(r / 255.0, g / 255.0, b / 255.0, 1); };
  struct Case {
    const char* name;
    UIColor *background, *foreground;
    BOOL expected;
  };
  const Case cases[] = {
      {"brightness exactly 125, colour difference 541", bytes(0, 0, 195), bytes(194, 152, 0), YES},
      {"brightness just below 125", bytes(0, 0, 195), bytes(193, 152, 0), NO},
      {"colour difference exactly 500", bytes(0, 0, 0), bytes(250, 250, 0), NO},
      {"colour difference 501", bytes(0, 0, 0), bytes(251, 250, 0), YES},
      {"brightness 125 but colour difference 375", bytes(0, 0, 0), bytes(125, 125, 125), NO},
      {"white on black", bytes(0, 0, 0), bytes(255, 255, 255), YES},
      {"either way round", bytes(255, 255, 255), bytes(0, 0, 0), YES},
      {"grey colours have no channels", UIColor::blackColor(), UIColor::whiteColor(), NO},
      {"nil", nil, bytes(255, 255, 255), YES},
  };
  for (const Case& c : cases) EXPECT_EQ(picker->isSufficientContrast(c.background, c.foreground), c.expected) << c.name;
}

// The scans read the buffer of the last pass: a quarter mostly of A, a patch
// of B one step from A, a smaller patch of C far from both.
TEST(ColorPickerTest, FilteringScanTolerances) {
  const Pixel kA{20, 60, 200, 255}, kB{21, 60, 200, 255}, kC{255, 255, 0, 255};
  for (KRColorPickerBackend backend : backends()) {
    AutoreleasePool pool;
    Ref<KRColorPicker> picker = makePicker(backend);
    extract(picker, imageFromPixels(32, 32, [&](int x, int y) {
              if (x < 4 && y < 4) return kC;
              if (y >= 10 && y < 16 && x < 16) return kB;
              return kA;
            }));
    UIColor* a = UIColor::withRGBA(20 / 255.0, 60 / 255.0, 200 / 255.0, 1);
    struct Case {
      float tolerance;
      const char* expected;
    };
    // 0: everything but A itself; 1: squared distance above 65025, only C;
    // 2: above 260100, which no pair of colours reaches.
    for (Case c : {Case{0, "#153CC8"}, Case{1, "#FFFF00"}, Case{2, "#000000"}})
      EXPECT_EQ(hexOf(picker->colorFromImage(32, 32, a, c.tolerance)), c.expected)
          << "tolerance " << c.tolerance << " on " << KRColorPickerBackendName(backend);
    EXPECT_EQ(hexOf(picker->colorFromImage(32, 32, nil, 0.5f)), "#143CC8") << "nil filters against black";
  }
}

TEST(ColorPickerTest, ScansOfFewerThanTwoPixelsOrBeforeAnyPassFindNothing) {
  Ref<KRColorPicker> picker = makePicker(KRColorPickerBackendCPU);
  EXPECT_EQ(picker->lastBackend(), KRColorPickerBackendNone);
  EXPECT_EQ(hexOf(picker->colorWithBiggerCountFromImage(32, 32)), "#000000") << "before any pass";
  extract(picker, uniformImage(32, {255, 128, 0, 255}));
  EXPECT_EQ(hexOf(picker->colorWithBiggerCountFromImage(32, 32)), "#FF8000");
  EXPECT_EQ(hexOf(picker->colorWithBiggerCountFromImage(2, 2)), "#FF8000");
  for (auto [w, h] : {std::pair<NSUInteger, NSUInteger>{1, 32}, {32, 1}, {0, 0}, {1, 1}})
    EXPECT_EQ(hexOf(picker->colorWithBiggerCountFromImage(w, h)), "#000000") << w << " x " << h;
  UIColor* biggest = nil;
  picker->dumpImage(32, 32, &biggest);
  EXPECT_EQ(hexOf(biggest), "#FF8000");
}

// The text scans' two thresholds at their edges, on a counted buffer laid
// out by hand (each row of the quarter one colour with one count): squared
// distance 16256 from the background is too near and 16257 far enough;
// 5851 from the primary is too near and 5853 far enough (no three squares
// sum to 5852). Each near colour counts more than the far one, so a
// threshold off by one picks it instead. Last, the fallback's edge: black
// against a mid-grey background passes on brightness (127.5) but not on
// colour difference (382.5), and a background of Y 0.5 is "light".
TEST(ColorPickerTest, TextScanThresholdsAtTheirEdges) {
  struct Case {
    const char* name;
    std::vector<Pixel> rows;  // rows 0.. of the quarter (alpha: the count); the rest background
    const char *primary, *secondary;
    int secondaryComponents;  // 2: the grey whiteColor or blackColor of the fallback
    double background = 0;    // the grey of the scheme's background
  };
  const Pixel kBackground{0, 0, 0, 255};
  const Case cases[] = {
      {"primary: 16256 from the background is skipped, 16257 is taken",
       {{120, 40, 16, 200}, {127, 8, 8, 100}},
       "#7F0808", "#FFFFFF", 2},
      {"secondary: 5851 from the primary and 16256 from the background are skipped, 5853 is taken",
       {{230, 200, 150, 250}, {155, 215, 149, 200}, {120, 40, 16, 180}, {156, 216, 139, 100}},
       "#E6C896", "#9CD88B", 4},
      {"secondary: nothing far enough from the primary gives black, then the fallback",
       {{230, 200, 150, 250}, {155, 215, 149, 200}},
       "#E6C896", "#FFFFFF", 2},
      {"a background of Y exactly one half is light: the fallback is black", {}, "#000000", "#000000", 2, 0.5},
      {"just below one half it is dark: white", {}, "#000000", "#FFFFFF", 2, 0.49},
      {"on white, the black of a scan that finds nothing is an RGB colour", {}, "#000000", "#000000", 4, 1},
  };
  Ref<KRColorPicker> picker = makePicker(KRColorPickerBackendCPU);
  extract(picker, uniformImage(32, kBackground));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        Pixel p = y < int(c.rows.size()) && x < 16 ? c.rows[y] : kBackground;
        uint8_t* out = &picker->_cpuFramebuffer[(y * 32 + x) * 4];
        out[0] = p.r, out[1] = p.g, out[2] = p.b, out[3] = p.a;
      }
    Ref<KRColorScheme> scheme = objc::make<KRColorScheme>();
    scheme->setBackgroundColor(UIColor::withRGBA(c.background, c.background, c.background, 1));
    picker->findTextColorsTaskForColorScheme(scheme);
    EXPECT_EQ(hexOf(scheme->primaryTextColor()), c.primary);
    EXPECT_EQ(hexOf(scheme->secondaryTextColor()), c.secondary);
    EXPECT_EQ(int(CGColorGetNumberOfComponents(scheme->secondaryTextColor()->CGColor())), c.secondaryComponents);
  }
}

// A cover stored sideways (its orientation says Right) gives the scheme of
// the upright cover: the picker counts the picture as it is seen.
TEST(ColorPickerTest, ARotatedCoverGivesTheSchemeOfTheUprightOne) {
  // Upright: an orange top half over a dark blue bottom half, white in the
  // top-left corner. Stored turned a quarter anticlockwise, as a camera
  // held on its side writes it.
  auto upright = [](int x, int y) {
    if (x < 8 && y < 8) return Pixel{255, 255, 255, 255};
    return y < 16 ? Pixel{240, 140, 20, 255} : Pixel{20, 30, 90, 255};
  };
  UIImage* seen = imageFromPixels(32, 32, upright);
  UIImage* stored = imageFromPixels(32, 32, [&](int x, int y) { return upright(31 - y, x); });
  UIImage* sideways = UIImage::imageWithCGImage(stored->CGImage(), 1, UIImageOrientationRight);
  for (KRColorPickerBackend backend : backends()) {
    SCOPED_TRACE(KRColorPickerBackendName(backend));
    Ref<KRColorPicker> picker = makePicker(backend);
    KRColorScheme* expected = extract(picker, seen);
    std::string background = hexOf(expected->backgroundColor()), primary = hexOf(expected->primaryTextColor());
    KRColorScheme* rotated = extract(picker, sideways);
    EXPECT_EQ(hexOf(rotated->backgroundColor()), background);
    EXPECT_EQ(hexOf(rotated->primaryTextColor()), primary);
    EXPECT_NE(hexOf(extract(picker, stored)->primaryTextColor()), primary) << "the stored pixels alone differ";
  }
}

TEST(ColorPickerGLTest, ObjectsAreMadeOnceTheThreadsContextIsGivenBackAndShadersReportFailure) {
  if (!glUsable()) GTEST_SKIP() << "no OpenGL ES 2.0 context here";
  Ref<KRColorPicker> picker = makePicker(KRColorPickerBackendGL);
  EXPECT_EQ(ivar<EAGLContext*>(picker, "_context"), nullptr) << "no GL work before the first extraction";
  extract(picker, uniformImage(32, {1, 2, 3, 255}));
  EXPECT_NE(ivar<EAGLContext*>(picker, "_context"), nullptr);
  EXPECT_EQ(EAGLContext::currentContext(), nullptr);
  const char* names[] = {"_program", "_vertexBuffer", "_indexBuffer", "_colorRenderBuffer", "_depthRenderBuffer",
                         "_aTexture"};
  std::vector<uint32_t> first;
  for (const char* name : names) {
    first.push_back(ivar<uint32_t>(picker, name));
    EXPECT_NE(first.back(), 0u) << name;
  }
  extract(picker, uniformImage(32, {200, 2, 3, 255}));
  for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(ivar<uint32_t>(picker, names[i]), first[i]) << names[i];
  // The uniforms are found under the names the shader declares.
  EXPECT_NE(int32_t(ivar<uint32_t>(picker, "_proccesedWidthSlot")), -1);
  EXPECT_NE(int32_t(ivar<uint32_t>(picker, "_totalWidthSlot")), -1);
  EXPECT_NE(int32_t(ivar<uint32_t>(picker, "_textureUniform")), -1);

  // A thread's own current context survives an extraction.
  Ref<EAGLContext> mine = adopt(objc::alloc<EAGLContext>()->initWithAPI(kEAGLRenderingAPIOpenGLES2));
  ASSERT_TRUE(EAGLContext::setCurrentContext(mine));
  extract(picker, uniformImage(32, {9, 9, 9, 255}));
  EXPECT_EQ(EAGLContext::currentContext(), mine.get());

  // Shader compilation, in that context, reports failure.
  auto compile = [&](uint32_t* shader, uint32_t type, NSString* source) {
    return objc::send<BOOL(uint32_t*, uint32_t, NSString*)>(picker, "compileShader:type:string:"_sel, shader, type,
                                                            source);
  };
  uint32_t shader = 12345;
  EXPECT_FALSE(compile(&shader, 0x8B30 /* GL_FRAGMENT_SHADER */, nil));
  EXPECT_EQ(shader, 12345u) << "nothing is created without a source";
  EXPECT_FALSE(compile(&shader, 0x8B30, NSString::withUTF8("void main(void) { this is not GLSL }")));
  EXPECT_TRUE(compile(&shader, 0x8B30, NSString::withUTF8(kDominantFragmentShaderString)));
  EXPECT_TRUE(compile(&shader, 0x8B31 /* GL_VERTEX_SHADER */, NSString::withUTF8(kDominantVertexShaderString)));
  EAGLContext::setCurrentContext(nil);
}

TEST(RendererChoiceTest, AutomaticDrawsWithGLOnlyOnAGPU) {
  constexpr KRColorPickerBackend kAuto = KRColorPickerBackendAutomatic, kGL = KRColorPickerBackendGL,
                                 kCPU = KRColorPickerBackendCPU;
  struct Case {
    KRColorPickerBackend requested;
    std::vector<const char*> renderers;
    KRColorPickerBackend pass;
  };
  const Case cases[] = {
      {kAuto,
       {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer", "Mesa swrast", "Google SwiftShader",
        "D3D12 (Microsoft Basic Render Driver)", "LLVMPIPE", "", nullptr},
       kCPU},
      {kAuto,
       {"NVIDIA H100 80GB HBM3/PCIe/SSE2", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
        "AMD Radeon RX 6800 (navi21, LLVM 15.0.6, DRM 3.49, 6.1.0)", "Apple A7 GPU"},
       kGL},
      {kGL, {"llvmpipe (LLVM 15.0.6, 256 bits)", nullptr}, kGL},
      {kCPU, {"NVIDIA H100 80GB HBM3/PCIe/SSE2"}, kCPU},
  };
  for (const Case& c : cases)
    for (const char* renderer : c.renderers)
      EXPECT_EQ(KRColorPickerPassForRenderer(c.requested, renderer), c.pass)
          << KRColorPickerBackendName(c.requested) << " on " << (renderer ? renderer : "(none)");
}

TEST(RendererChoiceTest, AMachineWithoutAGPUSettlesOnTheCPUBeforeAnyContext) {
  struct Case {
    KRGPUEvidence evidence;
    bool noGPU;
    const char* machine;
  };
  const Case cases[] = {
      {{.deviceNodes = false}, true, "no device node"},
      {{.deviceNodes = true, .hardwareDevices = 0}, true, "device nodes, EGL lists only its software device"},
      {{.deviceNodes = true, .hardwareDevices = 1}, false, "a GPU"},
      {{.deviceNodes = true, .hardwareDevices = -1}, false, "device nodes EGL cannot enumerate: the renderer decides"},
      {{.platformChosen = true}, false, "an EGL platform chosen: tried as told"},
  };
  for (const Case& c : cases) EXPECT_EQ(KRNoGPUToRenderWith(c.evidence), c.noGPU) << c.machine;
}

// Here the renderer is whatever this machine's EGL gives; the automatic
// picker must have drawn with the pass its renderer calls for, and made no
// context at all on a machine without a GPU.
TEST(RendererChoiceTest, AutomaticPickerFollowsThisMachinesRenderer) {
  Ref<KRColorPicker> picker = makePicker(KRColorPickerBackendAutomatic);
  picker->colorSchemeFromImage(uniformImage(32, {10, 20, 30, 255}));
  if (KRMachineHasNoGPU()) {
    EXPECT_FALSE(picker->_context);
    EXPECT_EQ(picker->lastBackend(), KRColorPickerBackendCPU);
    return;
  }
  if (!glUsable()) GTEST_SKIP() << "no OpenGL ES 2.0 context here";
  ASSERT_TRUE(picker->_context);
  Ref<EAGLContext> previous = EAGLContext::currentContext();
  ASSERT_TRUE(EAGLContext::setCurrentContext(picker->_context));
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  KRColorPickerBackend expected = KRColorPickerPassForRenderer(KRColorPickerBackendAutomatic, renderer);
  EAGLContext::setCurrentContext(previous);
  EXPECT_EQ(picker->lastBackend(), expected) << renderer;
  picker->colorSchemeFromImage(uniformImage(32, {10, 20, 30, 255}));
  EXPECT_EQ(picker->lastBackend(), expected) << "and stays with it";
}

TEST(ContrastRatioTest, WCAGRatiosOfKnownPairs) {
  auto rgb = [](int r, int g, int b) { return UIColor::withRGBA(r / 255.0, g / 255.0, b / 255.0, 1); };
  struct Case {
    UIColor* a;
    UIColor* b;
    double ratio;
  };
  const Case cases[] = {
      {UIColor::blackColor(), UIColor::blackColor(), 1},
      {UIColor::whiteColor(), UIColor::blackColor(), 21},
      {UIColor::blackColor(), UIColor::whiteColor(), 21},  // the order does not matter
      {rgb(0x77, 0x77, 0x77), UIColor::whiteColor(), 4.4781},
      {rgb(255, 0, 0), UIColor::whiteColor(), 3.9985},
      {rgb(0x1A, 0x2B, 0x3C), rgb(0xF0, 0xE0, 0xD0), 11.1899},
      {nil, UIColor::whiteColor(), 21},  // no colour counts as black
  };
  for (const Case& c : cases) EXPECT_NEAR(KRContrastRatio(c.a, c.b), c.ratio, 5e-5) << c.ratio;
}

}  // namespace
