// KRColorPicker: reduces an image to a KRColorScheme. The image is shrunk to
// 32 × 32 pixels, a counting pass writes into each pixel of the top-left
// quarter how many samples of the quarter lie near it in YUV space, the
// most-counted pixel is the background, and two filtered scans of the same
// buffer with a contrast test give the text colours. The pass runs as an
// OpenGL ES 2.0 draw where a context can be made and the program links, and
// otherwise as the same arithmetic on the CPU.
//
//   Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
//   KRColorScheme* scheme = picker->colorSchemeFromImage(artwork);  // nil in the background
#pragma once

#include <array>
#include <cstdint>

#include "colorpicker/KRColorScheme.h"
#include "platform/coregraphics/CGGeometry.h"
#include "platform/dispatch/dispatch.h"
#include "platform/foundation/Block.h"
#include "platform/gles/EAGLContext.h"

struct UIImage;
struct NSDictionary;

// Which pass computes the counts. Automatic uses GL when a context can be
// made, its renderer is a GPU (not a software rasteriser: RendererChoice.h)
// and the program links, and stops trying GL for the picker's life once no
// context could be made or the renderer proved to be software. GL tries GL at every extraction and falls back to
// the CPU for an extraction where it fails. CPU never touches GL.
typedef NSInteger KRColorPickerBackend;
enum : NSInteger {
  KRColorPickerBackendNone = -1,  // lastBackend before any pass has drawn
  KRColorPickerBackendAutomatic = 0,
  KRColorPickerBackendGL = 1,
  KRColorPickerBackendCPU = 2,
};

// "auto", "gl" or "cpu" (case as given); -1 for anything else.
KRColorPickerBackend KRColorPickerBackendFromName(const char* name);
// "gl", "cpu", "auto" or "none".
const char* KRColorPickerBackendName(KRColorPickerBackend backend);

struct KRColorPicker : NSObject {
  static constexpr const char* kClassName = "KRColorPicker";
  uint32_t _vertexBuffer = 0;
  uint32_t _indexBuffer = 0;
  uint32_t _colorRenderBuffer = 0;
  uint32_t _depthRenderBuffer = 0;
  uint32_t _program = 0;
  uint32_t _proccesedWidthSlot = 0;
  uint32_t _totalWidthSlot = 0;
  uint32_t _positionSlot = 0;
  uint32_t _colorSlot = 0;
  uint32_t _texCoordSlot = 0;
  uint32_t _textureUniform = 0;
  uint32_t _aTexture = 0;
  Ref<EAGLContext> _context;
  Ref<OS_dispatch_queue> taskQueue;

  // The model's own state. The GL objects are made on the first extraction
  // that has a context and reused by the later ones, so the framebuffer's
  // name is kept too.
  uint32_t _frameBuffer = 0;
  bool _glObjectsMade = false;
  bool _glReady = false;        // this extraction draws with GL
  bool _glUnavailable = false;  // no context could be made (Automatic stops trying)
  bool _rendererChecked = false;   // the first current context named its renderer
  bool _softwareRenderer = false;  // it is a software rasteriser (Automatic uses the CPU pass)
  bool _suspendedQueue = false; // this picker suspended taskQueue and owes a resume
  KRColorPickerBackend _backend = KRColorPickerBackendAutomatic;
  KRColorPickerBackend _lastBackend = KRColorPickerBackendNone;
  std::array<uint8_t, 32 * 32 * 4> _texels{};       // the rendition the CPU pass reads
  std::array<uint8_t, 32 * 32 * 4> _cpuFramebuffer{};  // what the CPU pass wrote

  // --- front end
  KRColorScheme* colorSchemeFromImage(UIImage* image) {
    return objc::send<KRColorScheme*(UIImage*)>(this, "colorSchemeFromImage:"_sel, image);
  }
  // The same from a 32 × 32 rendition made already (premultiplied R, G, B,
  // A, top row first, as scaleImage gives it: PickerRendition.h), from the
  // texture upload on.
  KRColorScheme* colorSchemeFromRendition(const uint8_t* texels) {
    return objc::send<KRColorScheme*(const uint8_t*)>(this, "colorSchemeFromRendition:"_sel, texels);
  }
  void pickColorsFromImage(UIImage* image, Block<void(KRColorScheme*)>* completion) {
    objc::send<void(UIImage*, Block<void(KRColorScheme*)>*)>(this, "pickColorsFromImage:onComplete:"_sel, image,
                                                            completion);
  }
  static void pickColorFromImage(UIImage* image, Block<void(NSDictionary*)>* completion) {
    objc::send<void(UIImage*, Block<void(NSDictionary*)>*)>(cls(), "pickColorFromImage:onComplete:"_sel, image,
                                                           completion);
  }
  BOOL isAppActive() { return objc::send<BOOL()>(this, "isAppActive"_sel); }

  // --- the pass
  UIImage* scaleImage(UIImage* image, CGFloat width, CGFloat height) {
    return objc::send<UIImage*(UIImage*, CGFloat, CGFloat)>(this, "scaleImage:width:height:"_sel, image, width,
                                                            height);
  }
  void setupOpenGL() { objc::send<void()>(this, "setupOpenGL"_sel); }
  uint32_t setupTextureFromImage(UIImage* image) {
    return objc::send<uint32_t(UIImage*)>(this, "setupTextureFromImage:"_sel, image);
  }
  void renderDominant() { objc::send<void()>(this, "renderDominant"_sel); }
  UIColor* colorWithBiggerCountFromImage(NSUInteger width, NSUInteger height) {
    return objc::send<UIColor*(NSUInteger, NSUInteger)>(this, "colorWithBiggerCountFromImageWidth:height:"_sel, width,
                                                        height);
  }
  UIImage* dumpImage(NSUInteger width, NSUInteger height, UIColor** biggestAlphaColor) {
    return objc::send<UIImage*(NSUInteger, NSUInteger, UIColor**)>(
        this, "dumpImageWithWidth:height:biggestAlphaColorReturn:"_sel, width, height, biggestAlphaColor);
  }

  // --- text colours
  void findTextColorsTaskForColorScheme(KRColorScheme* scheme) {
    objc::send<void(KRColorScheme*)>(this, "findTextColorsTaskForColorScheme:"_sel, scheme);
  }
  UIColor* colorFromImage(NSUInteger width, NSUInteger height, UIColor* filteringColor, float tolerance) {
    return objc::send<UIColor*(NSUInteger, NSUInteger, UIColor*, float)>(
        this, "colorFromImageWithWidth:height:filteringColor:tolerance:"_sel, width, height, filteringColor,
        tolerance);
  }
  BOOL isSufficientContrast(UIColor* background, UIColor* foreground) {
    return objc::send<BOOL(UIColor*, UIColor*)>(this, "isSufficienteContrastBetweenBackground:andForground:"_sel,
                                                background, foreground);
  }

  // --- the model's pass choice
  void setBackend(KRColorPickerBackend backend) {
    objc::send<void(KRColorPickerBackend)>(this, "setBackend:"_sel, backend);
  }
  KRColorPickerBackend backend() { return objc::send<KRColorPickerBackend()>(this, "backend"_sel); }
  // The pass that drew the buffer the scans read now.
  KRColorPickerBackend lastBackend() { return objc::send<KRColorPickerBackend()>(this, "lastBackend"_sel); }

 private:
  static id cls() { return reinterpret_cast<id>(objc::classOf<KRColorPicker>()); }
};

void registerKRColorPicker();
