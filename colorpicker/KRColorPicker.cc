// KRColorPicker: the counting pass (GL or CPU), the scans of its buffer, the
// text-colour choice, and the synchronous and asynchronous front ends with
// the application-state observers.
#include "colorpicker/KRColorPicker.h"

#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <strings.h>

#include "colorpicker/DominantPass.h"
#include "colorpicker/DominantShaders.h"
#include "colorpicker/RendererChoice.h"
#include "colorpicker/YUVSpace.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/NSNotification.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSThread.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImage.h"

namespace {

constexpr int kSide = kDominantSide;
constexpr int kQuarter = kDominantQuarter;
constexpr size_t kFrameBytes = size_t(kSide) * kSide * 4;
// Squared byte distances the text scans must reach: tolerance 0.5 against
// the background and 0.3 against the primary colour, plus one.
constexpr NSInteger kBackgroundDistance = 16257;
constexpr NSInteger kPrimaryDistance = 5853;

// Makes a context current for a scope and gives the thread back the context
// it had. EGL lets a context be current on one thread at a time, so a picker
// never leaves its context current behind it: the next extraction may run
// on another worker thread of its queue.
class ContextScope {
 public:
  explicit ContextScope(EAGLContext* context) : previous_(EAGLContext::currentContext()) {
    current_ = context && EAGLContext::setCurrentContext(context);
  }
  ~ContextScope() {
    if (current_) EAGLContext::setCurrentContext(previous_);
  }
  bool current() const { return current_; }

 private:
  Ref<EAGLContext> previous_;
  bool current_ = false;
};

// --- Reading the pass's buffer ----------------------------------------------

// w × h pixels from (0, 0) of the 32 × 32 buffer, bottom framebuffer row (the
// top row of the rendition) first; what lies outside the buffer, or a buffer
// no pass has drawn, reads as zero bytes. malloc'd: the caller frees it.
uint8_t* readBack(KRColorPicker* self, NSUInteger width, NSUInteger height) {
  size_t bytes = width * height * 4;
  auto* buffer = static_cast<uint8_t*>(std::calloc(bytes ? bytes : 1, 1));
  if (!buffer) return nullptr;
  uint8_t frame[kFrameBytes];
  const uint8_t* source = nullptr;
  if (self->_lastBackend == KRColorPickerBackendGL) {
    ContextScope scope(self->_context);
    if (scope.current()) {
      std::memset(frame, 0, sizeof frame);
      glBindFramebuffer(GL_FRAMEBUFFER, self->_frameBuffer);
      glPixelStorei(GL_PACK_ALIGNMENT, 4);
      glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, frame);
      source = frame;
    }
  } else if (self->_lastBackend == KRColorPickerBackendCPU) {
    source = self->_cpuFramebuffer.data();
  }
  if (source) {
    size_t rows = std::min<NSUInteger>(height, kSide), columns = std::min<NSUInteger>(width, kSide);
    for (size_t r = 0; r < rows; ++r) std::memcpy(buffer + r * width * 4, source + r * kSide * 4, columns * 4);
  }
  return buffer;
}

struct Bytes {
  unsigned red = 0, green = 0, blue = 0;
};

// The maximum-alpha scan: rows 0 to h/2 − 1, pixels 0 to w/2 − 1 of each; a
// pixel replaces the best so far when its alpha is strictly greater and the
// filter lets it through, so alpha 0 never wins and the first of equals does.
template <class Filter>
Bytes scanMaxAlpha(const uint8_t* buffer, NSUInteger width, NSUInteger height, Filter passes) {
  Bytes best;
  unsigned bestAlpha = 0;
  if (!buffer) return best;
  for (NSUInteger row = 0; row < height / 2; ++row) {
    for (NSUInteger column = 0; column < width / 2; ++column) {
      const uint8_t* p = buffer + (row * width + column) * 4;
      if (p[3] > bestAlpha && passes(p)) {
        bestAlpha = p[3];
        best = {p[0], p[1], p[2]};
      }
    }
  }
  return best;
}

UIColor* colorFromBytes(Bytes b) { return UIColor::withRGBA(b.red / 255.0, b.green / 255.0, b.blue / 255.0, 1.0); }

// A colour's channels as bytes, truncated; zeros when it cannot give RGB.
Bytes referenceChannels(UIColor* color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (color) color->getRGBA(&r, &g, &b, &a);
  auto byte = [](CGFloat c) {
    double v = c * 255.0;
    return v <= 0 ? 0u : v >= double(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(v);
  };
  return {byte(r), byte(g), byte(b)};
}

NSInteger distanceTo(const uint8_t* p, Bytes reference) {
  return squareDistanceInRGBSpaceBetweenColor(RGBPixel{p[0], p[1], p[2]},
                                              RGBPixel{NSInteger(reference.red), NSInteger(reference.green),
                                                       NSInteger(reference.blue)});
}

// --- The pass ---------------------------------------------------------------

UIImage* KRColorPicker_imageWithImageScaledToSize(KRColorPicker*, SEL, UIImage* image, CGSize size) {
  UIGraphicsBeginImageContextWithOptions(size, NO, 1.0);
  if (image) image->drawInRect(CGRectMake(0, 0, size.width, size.height));
  UIImage* scaled = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return scaled;
}

UIImage* KRColorPicker_scaleImage(KRColorPicker* self, SEL, UIImage* image, CGFloat width, CGFloat height) {
  return objc::send<UIImage*(UIImage*, CGSize)>(self, "imageWithImage:scaledToSize:"_sel, image,
                                                CGSizeMake(width, height));
}

BOOL KRColorPicker_setupContext(KRColorPicker* self, SEL) {
  if (!self->_context) {
    self->_context = adopt(objc::alloc<EAGLContext>()->initWithAPI(kEAGLRenderingAPIOpenGLES2));
    if (!self->_context) {
      NSLog("Failed to initialize OpenGLES 2.0 context");
      return NO;
    }
  }
  if (!EAGLContext::setCurrentContext(self->_context)) {
    NSLog("Failed to set current OpenGL context");
    return NO;
  }
  return YES;
}

void KRColorPicker_setupFrameBuffer(KRColorPicker* self, SEL) {
  glGenFramebuffers(1, &self->_frameBuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, self->_frameBuffer);
}

void KRColorPicker_setupRenderBuffer(KRColorPicker* self, SEL) {
  glGenRenderbuffers(1, &self->_colorRenderBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, self->_colorRenderBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8_OES, kSide, kSide);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, self->_colorRenderBuffer);
}

void KRColorPicker_setupDepthBuffer(KRColorPicker* self, SEL) {
  glGenRenderbuffers(1, &self->_depthRenderBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, self->_depthRenderBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, kSide, kSide);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, self->_depthRenderBuffer);
}

BOOL KRColorPicker_compileShader(KRColorPicker*, SEL, uint32_t* shader, uint32_t type, NSString* source) {
  const char* text = source ? source->UTF8String() : nullptr;
  if (!text) return NO;
  *shader = glCreateShader(type);
  glShaderSource(*shader, 1, &text, nullptr);
  glCompileShader(*shader);
  GLint compiled = 0;
  glGetShaderiv(*shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) {
    glDeleteShader(*shader);
    return NO;
  }
  return YES;
}

BOOL KRColorPicker_linkProgram(KRColorPicker*, SEL, uint32_t program) {
  glLinkProgram(program);
  GLint linked = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  return linked != 0;
}

BOOL KRColorPicker_validateProgram(KRColorPicker*, SEL, uint32_t program) {
  glValidateProgram(program);
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  if (length >= 1) {
    char* log = static_cast<char*>(std::malloc(size_t(length)));
    if (log) glGetProgramInfoLog(program, length, &length, log);
    std::free(log);
  }
  GLint valid = 0;
  glGetProgramiv(program, GL_VALIDATE_STATUS, &valid);
  return valid != 0;
}

// An attribute the compiler dropped has no location (−1); enabling it would
// be an error that makes the draw look failed, so it is left alone.
void enableAttribute(uint32_t location) {
  if (static_cast<GLint>(location) >= 0) glEnableVertexAttribArray(location);
}

BOOL KRColorPicker_setupOpenGLForDominantColor(KRColorPicker* self, SEL) {
  auto compile = [self](uint32_t* shader, GLenum type, const char* source) {
    return objc::send<BOOL(uint32_t*, uint32_t, NSString*)>(self, "compileShader:type:string:"_sel, shader, type,
                                                            constantString(source));
  };
  uint32_t vertexShader = 0, fragmentShader = 0;
  if (!compile(&vertexShader, GL_VERTEX_SHADER, kDominantVertexShaderString)) return NO;
  if (!compile(&fragmentShader, GL_FRAGMENT_SHADER, kDominantFragmentShaderString)) return NO;
  self->_program = glCreateProgram();
  glAttachShader(self->_program, vertexShader);
  glAttachShader(self->_program, fragmentShader);
  if (!objc::send<BOOL(uint32_t)>(self, "linkProgram:"_sel, self->_program)) {
    if (vertexShader) glDeleteShader(vertexShader);
    if (fragmentShader) glDeleteShader(fragmentShader);
    glDeleteProgram(self->_program);
    self->_program = 0;
    return NO;
  }
  glUseProgram(self->_program);
  self->_positionSlot = static_cast<uint32_t>(glGetAttribLocation(self->_program, "Position"));
  self->_colorSlot = static_cast<uint32_t>(glGetAttribLocation(self->_program, "SourceColor"));
  self->_texCoordSlot = static_cast<uint32_t>(glGetAttribLocation(self->_program, "TexCoordIn"));
  enableAttribute(self->_positionSlot);
  enableAttribute(self->_colorSlot);
  enableAttribute(self->_texCoordSlot);
  self->_textureUniform = static_cast<uint32_t>(glGetUniformLocation(self->_program, "Texture"));
  self->_proccesedWidthSlot = static_cast<uint32_t>(glGetUniformLocation(self->_program, "ProccesedWidth"));
  self->_totalWidthSlot = static_cast<uint32_t>(glGetUniformLocation(self->_program, "TotalWidth"));
  return YES;
}

void KRColorPicker_setupVBOs(KRColorPicker* self, SEL) {
  glGenBuffers(1, &self->_vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, self->_vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof Vertices, Vertices, GL_STATIC_DRAW);
  glGenBuffers(1, &self->_indexBuffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, self->_indexBuffer);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof Indices, Indices, GL_STATIC_DRAW);
}

void drainGLErrors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

// Automatic: the first context made current names its renderer, and a
// software rasteriser hands the picker to the CPU pass for good.
bool softwareRendererOnly(KRColorPicker* self) {
  if (!self->_rendererChecked) {
    self->_rendererChecked = true;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    self->_softwareRenderer =
        KRColorPickerPassForRenderer(KRColorPickerBackendAutomatic, renderer) == KRColorPickerBackendCPU;
  }
  return self->_softwareRenderer;
}

// Context, framebuffer, program and buffers. The objects are made by the
// first extraction that has a context and reused afterwards; the context is
// made current at every extraction, as the thread may have changed.
void KRColorPicker_setupOpenGL(KRColorPicker* self, SEL) {
  self->_glReady = false;
  if (self->_backend == KRColorPickerBackendCPU) return;
  if (self->_backend == KRColorPickerBackendAutomatic && (self->_glUnavailable || self->_softwareRenderer)) return;
  // A machine without a GPU decides as a software renderer would, before a
  // GL driver is loaded.
  if (self->_backend == KRColorPickerBackendAutomatic && !self->_rendererChecked && KRMachineHasNoGPU()) {
    self->_rendererChecked = self->_softwareRenderer = true;
    return;
  }
  if (!objc::send<BOOL()>(self, "setupContext"_sel)) {
    if (!self->_context) self->_glUnavailable = true;
    return;
  }
  if (self->_backend == KRColorPickerBackendAutomatic && softwareRendererOnly(self)) return;
  if (!self->_glObjectsMade) {
    self->_glObjectsMade = true;
    objc::send<void()>(self, "setupFrameBuffer"_sel);
    objc::send<void()>(self, "setupRenderBuffer"_sel);
    objc::send<void()>(self, "setupDepthBuffer"_sel);
    objc::send<BOOL()>(self, "setupOpenGLForDominantColor"_sel);
    objc::send<void()>(self, "setupVBOs"_sel);
  } else {
    glBindFramebuffer(GL_FRAMEBUFFER, self->_frameBuffer);
    if (self->_program) glUseProgram(self->_program);
  }
  self->_glReady = self->_program != 0 && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The picker's texture holding `pixels` where this extraction draws with GL.
uint32_t uploadTexture(KRColorPicker* self, const uint8_t* pixels, size_t width, size_t height) {
  uint32_t texture = self->_aTexture;
  if (self->_glReady) {
    if (!texture) glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(width), GLsizei(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  }
  return texture;
}

uint32_t KRColorPicker_setupTextureFromImage(KRColorPicker* self, SEL, UIImage* image) {
  CGImageRef cgImage = image ? image->CGImage() : nullptr;
  size_t width = cgImage ? CGImageGetWidth(cgImage) : 0, height = cgImage ? CGImageGetHeight(cgImage) : 0;
  auto* pixels = static_cast<uint8_t*>(std::calloc(width * height * 4 + 1, 1));
  if (width && height) {
    CGContextRef context = CGBitmapContextCreate(pixels, width, height, 8, width * 4, CGImageGetColorSpace(cgImage),
                                                 kCGImageAlphaPremultipliedLast);
    CGContextDrawImage(context, CGRectMake(0, 0, CGFloat(width), CGFloat(height)), cgImage);
    CGContextRelease(context);
  }
  // The CPU pass reads the rendition as 32 × 32 texels; the extraction
  // always gives it that size.
  self->_texels.fill(0);
  for (size_t r = 0; r < std::min<size_t>(height, kSide); ++r)
    std::memcpy(self->_texels.data() + r * kSide * 4, pixels + r * width * 4, std::min<size_t>(width, kSide) * 4);
  uint32_t texture = uploadTexture(self, pixels, width, height);
  std::free(pixels);
  return texture;
}

void KRColorPicker_renderDominant(KRColorPicker* self, SEL) {
  if (self->_glReady) {
    drainGLErrors();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glViewport(0, 0, kSide, kSide);
    glBindBuffer(GL_ARRAY_BUFFER, self->_vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, self->_indexBuffer);
    auto attribute = [](uint32_t slot, GLint size, size_t offset) {
      if (static_cast<GLint>(slot) >= 0)
        glVertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offset));
    };
    attribute(self->_positionSlot, 3, 0);
    attribute(self->_colorSlot, 4, sizeof(float) * 3);
    attribute(self->_texCoordSlot, 2, sizeof(float) * 7);
    glUniform1i(static_cast<GLint>(self->_proccesedWidthSlot), kQuarter);
    glUniform1i(static_cast<GLint>(self->_totalWidthSlot), kSide);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, self->_aTexture);
    glUniform1i(static_cast<GLint>(self->_textureUniform), 0);
    glDrawElements(GL_TRIANGLES, sizeof Indices, GL_UNSIGNED_BYTE, nullptr);
    if (glGetError() == GL_NO_ERROR) {
      self->_lastBackend = KRColorPickerBackendGL;
      return;
    }
    drainGLErrors();
  }
  dominantCountPass(self->_texels.data(), self->_cpuFramebuffer.data());
  self->_lastBackend = KRColorPickerBackendCPU;
}

UIColor* KRColorPicker_colorWithBiggerCount(KRColorPicker* self, SEL, NSUInteger width, NSUInteger height) {
  uint8_t* buffer = readBack(self, width, height);
  Bytes best = scanMaxAlpha(buffer, width, height, [](const uint8_t*) { return true; });
  std::free(buffer);
  return colorFromBytes(best);
}

UIImage* KRColorPicker_dumpImage(KRColorPicker* self, SEL, NSUInteger width, NSUInteger height, UIColor** biggest) {
  uint8_t* buffer = readBack(self, width, height);
  Bytes best = scanMaxAlpha(buffer, width, height, [](const uint8_t*) { return true; });
  if (biggest) *biggest = colorFromBytes(best);
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, buffer, width * height * 4, &freeImageData);
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGImageRef cgImage = CGImageCreate(width, height, 8, 32, width * 4, space, 0, provider, nullptr, false,
                                     kCGRenderingIntentDefault);
  UIImage* image = cgImage ? UIImage::imageWithCGImage(cgImage) : nil;
  CGImageRelease(cgImage);
  CGColorSpaceRelease(space);
  CGDataProviderRelease(provider);  // the buffer goes with the provider's last reference
  return image;
}

// --- Text colours --------------------------------------------------------------

UIColor* KRColorPicker_colorFromImage(KRColorPicker* self, SEL, NSUInteger width, NSUInteger height,
                                      UIColor* filteringColor, float tolerance) {
  float scaled = tolerance * 255.0f;
  float square = scaled * scaled;
  NSInteger threshold = !(square > 0) ? 0 : square >= 4e18f ? NSInteger(4e18) : static_cast<NSInteger>(square);
  Bytes reference = referenceChannels(filteringColor);
  uint8_t* buffer = readBack(self, width, height);
  Bytes best = scanMaxAlpha(buffer, width, height,
                            [&](const uint8_t* p) { return distanceTo(p, reference) > threshold; });
  std::free(buffer);
  return colorFromBytes(best);
}

BOOL KRColorPicker_isSufficientContrast(KRColorPicker*, SEL, UIColor* background, UIColor* foreground) {
  float yb = YUVSpace::yComponentFromColor(background), yf = YUVSpace::yComponentFromColor(foreground);
  if (std::fabs(yb - yf) * 255.0f < 125.0f) return NO;
  float b[3], f[3];
  yuvSpaceChannels(background, &b[0], &b[1], &b[2]);
  yuvSpaceChannels(foreground, &f[0], &f[1], &f[2]);
  float sum = 0;
  for (int c = 0; c < 3; ++c) sum += std::max(b[c], f[c]) - std::min(b[c], f[c]);
  return sum * 255.0f > 500.0f;
}

void KRColorPicker_findTextColors(KRColorPicker* self, SEL, KRColorScheme* scheme) {
  uint8_t* buffer = readBack(self, kSide, kSide);
  Bytes background = referenceChannels(scheme->backgroundColor());
  Bytes primary = scanMaxAlpha(buffer, kSide, kSide,
                               [&](const uint8_t* p) { return distanceTo(p, background) >= kBackgroundDistance; });
  scheme->setPrimaryTextColor(colorFromBytes(primary));
  Bytes secondary = scanMaxAlpha(buffer, kSide, kSide, [&](const uint8_t* p) {
    return distanceTo(p, background) >= kBackgroundDistance && distanceTo(p, primary) >= kPrimaryDistance;
  });
  UIColor* secondaryColor = colorFromBytes(secondary);
  UIColor* backgroundColor = scheme->backgroundColor();
  if (objc::send<BOOL(UIColor*, UIColor*)>(self, "isSufficienteContrastBetweenBackground:andForground:"_sel,
                                           backgroundColor, secondaryColor)) {
    scheme->setSecondaryTextColor(secondaryColor);
  } else if (YUVSpace::yComponentFromColor(backgroundColor) < 0.5f) {
    scheme->setSecondaryTextColor(UIColor::whiteColor());
  } else {
    scheme->setSecondaryTextColor(UIColor::blackColor());
  }
  std::free(buffer);
}

// --- Front end ------------------------------------------------------------------

BOOL KRColorPicker_isAppActive(KRColorPicker*, SEL) {
  id application = objc::send<id()>(reinterpret_cast<id>(objc_getClass("UIApplication")), "sharedApplication"_sel);
  return objc::send<NSInteger()>(application, "applicationState"_sel) != UIApplicationStateBackground;
}

// The extraction once the texture holds the rendition: the pass, then the
// scans. The thread gets `previous`, its own current context, back at the
// end (see ContextScope).
KRColorScheme* schemeFromTexture(KRColorPicker* self, EAGLContext* previous) {
  self->renderDominant();
  Ref<KRColorScheme> scheme = objc::make<KRColorScheme>();
  scheme->setBackgroundColor(self->colorWithBiggerCountFromImage(kSide, kSide));
  self->findTextColorsTaskForColorScheme(scheme);
  if (EAGLContext::currentContext() != previous) EAGLContext::setCurrentContext(previous);
  return scheme.autorelease();
}

KRColorScheme* KRColorPicker_colorSchemeFromImage(KRColorPicker* self, SEL, UIImage* image) {
  if (!self->isAppActive()) return nil;
  Ref<EAGLContext> previous = EAGLContext::currentContext();
  UIImage* scaled = self->scaleImage(image, kSide, kSide);
  self->setupOpenGL();
  self->_aTexture = self->setupTextureFromImage(scaled);
  return schemeFromTexture(self, previous);
}

KRColorScheme* KRColorPicker_colorSchemeFromRendition(KRColorPicker* self, SEL, const uint8_t* texels) {
  if (!self->isAppActive()) return nil;
  Ref<EAGLContext> previous = EAGLContext::currentContext();
  std::memcpy(self->_texels.data(), texels, kFrameBytes);
  self->setupOpenGL();
  self->_aTexture = uploadTexture(self, self->_texels.data(), kSide, kSide);
  return schemeFromTexture(self, previous);
}

void KRColorPicker_pickColorsFromImage(KRColorPicker* self, SEL, UIImage* image,
                                       Block<void(KRColorScheme*)>* completion) {
  if (!self->isAppActive()) return;
  Ref<KRColorPicker> picker(self);
  Ref<UIImage> kept(image);
  Ref<Block<void(KRColorScheme*)>> done(completion);
  dispatch_async(self->taskQueue, [picker, kept, done] {
    Ref<KRColorScheme> scheme = picker->colorSchemeFromImage(kept);
    dispatch_async(dispatch_get_main_queue(), [done, scheme] { done->invoke(scheme); });
  });
}

KRColorPicker* classPicker() {
  static KRColorPicker* picker = nullptr;  // never released
  static dispatch_once_t once = 0;
  dispatch_once(&once, [] { picker = objc::as<KRColorPicker>(objc::alloc<KRColorPicker>()->init()); });
  return picker;
}

void KRColorPicker_classPickColorFromImage(Class, SEL, UIImage* image, Block<void(NSDictionary*)>* completion) {
  Ref<Block<void(NSDictionary*)>> done(completion);
  Ref<Block<void(KRColorScheme*)>> adapter = Block<void(KRColorScheme*)>::make([done](KRColorScheme* scheme) {
    UIColor* background = scheme ? scheme->backgroundColor() : nil;
    UIColor* primary = scheme ? scheme->primaryTextColor() : nil;
    UIColor* secondary = scheme ? scheme->secondaryTextColor() : nil;
    NSDictionary* colours = NSDictionary::withObjectsAndKeys({background, "BackgroundColor"_ns, primary,
                                                              "PrimaryTextColor"_ns, secondary,
                                                              "SecondaryTextColor"_ns});
    if (NSThread::isMainThread()) {
      done->invoke(colours);
      return;
    }
    Ref<NSDictionary> kept(colours);
    dispatch_async(dispatch_get_main_queue(), [done, kept] { done->invoke(kept); });
  });
  classPicker()->pickColorsFromImage(image, adapter);
}

void KRColorPicker_addNotificationObservers(KRColorPicker* self, SEL) {
  NSNotificationCenter* center = NSNotificationCenter::defaultCenter();
  center->addObserver(self, "appDidEnterBackground"_sel, UIApplicationDidEnterBackgroundNotificationName(), nil);
  center->addObserver(self, "appDidEnterForeground"_sel, UIApplicationWillEnterForegroundNotificationName(), nil);
}

// The picker resumes only what it suspended: a picker made while the
// application was already in the background hears the will-enter-foreground
// notification without having suspended anything.
void KRColorPicker_appDidEnterBackground(KRColorPicker* self, SEL) {
  if (!self->_suspendedQueue) {
    dispatch_suspend(self->taskQueue);
    self->_suspendedQueue = true;
  }
  if (EAGLContext::currentContext()) glFinish();
}

void KRColorPicker_appDidEnterForeground(KRColorPicker* self, SEL) {
  if (!self->_suspendedQueue) return;
  self->_suspendedQueue = false;
  dispatch_resume(self->taskQueue);
}

KRColorPickerBackend backendFromEnvironment() {
  const char* name = std::getenv("MIREL_PICKER_BACKEND");
  KRColorPickerBackend backend = name ? KRColorPickerBackendFromName(name) : KRColorPickerBackendAutomatic;
  if (backend != KRColorPickerBackendNone) return backend;
  // A misspelt value would otherwise pass for the automatic choice unseen.
  static std::once_flag warned;
  std::call_once(warned, [name] {
    std::fprintf(stderr, "warning: MIREL_PICKER_BACKEND=%s is not one of auto, gl, cpu; using auto\n", name);
  });
  return KRColorPickerBackendAutomatic;
}

id KRColorPicker_init(KRColorPicker* self, SEL) {
  auto* object = objc::sendSuper<id()>(self, objc::classOf<NSObject>(), "init"_sel);
  if (!object) return nil;
  self->taskQueue = adopt(dispatch_queue_create("KRColorPickerQueue", DISPATCH_QUEUE_SERIAL));
  dispatch_set_target_queue(self->taskQueue, dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_LOW, 0));
  self->_backend = backendFromEnvironment();
  objc::send<void()>(self, "addNotificationObservers"_sel);
  return self;
}

// The context goes with the picker (and with it every GL object it made);
// the queue too, once it is no longer suspended by this picker, since a
// suspended queue must not be released.
void KRColorPicker_dealloc(KRColorPicker* self, SEL) {
  NSNotificationCenter* center = NSNotificationCenter::defaultCenter();
  center->removeObserver(self, UIApplicationDidEnterBackgroundNotificationName(), nil);
  center->removeObserver(self, UIApplicationWillEnterForegroundNotificationName(), nil);
  if (self->_suspendedQueue) {
    self->_suspendedQueue = false;
    dispatch_resume(self->taskQueue);
  }
  objc::sendSuper<void()>(self, objc::classOf<NSObject>(), "dealloc"_sel);
}

void KRColorPicker_setBackend(KRColorPicker* self, SEL, KRColorPickerBackend backend) {
  if (backend >= KRColorPickerBackendAutomatic && backend <= KRColorPickerBackendCPU) self->_backend = backend;
}
KRColorPickerBackend KRColorPicker_backend(KRColorPicker* self, SEL) { return self->_backend; }
KRColorPickerBackend KRColorPicker_lastBackend(KRColorPicker* self, SEL) { return self->_lastBackend; }

}  // namespace

KRColorPickerBackend KRColorPickerBackendFromName(const char* name) {
  if (!name) return KRColorPickerBackendNone;
  if (!strcasecmp(name, "auto")) return KRColorPickerBackendAutomatic;
  if (!strcasecmp(name, "gl")) return KRColorPickerBackendGL;
  if (!strcasecmp(name, "cpu")) return KRColorPickerBackendCPU;
  return KRColorPickerBackendNone;
}

const char* KRColorPickerBackendName(KRColorPickerBackend backend) {
  switch (backend) {
    case KRColorPickerBackendAutomatic: return "auto";
    case KRColorPickerBackendGL: return "gl";
    case KRColorPickerBackendCPU: return "cpu";
    default: return "none";
  }
}

void registerKRColorPicker() {
  objc::ClassBuilder<KRColorPicker>("KRColorPicker", objc::classOf<NSObject>())
      .ivar("_vertexBuffer", &KRColorPicker::_vertexBuffer)
      .ivar("_indexBuffer", &KRColorPicker::_indexBuffer)
      .ivar("_colorRenderBuffer", &KRColorPicker::_colorRenderBuffer)
      .ivar("_depthRenderBuffer", &KRColorPicker::_depthRenderBuffer)
      .ivar("_program", &KRColorPicker::_program)
      .ivar("_proccesedWidthSlot", &KRColorPicker::_proccesedWidthSlot)
      .ivar("_totalWidthSlot", &KRColorPicker::_totalWidthSlot)
      .ivar("_positionSlot", &KRColorPicker::_positionSlot)
      .ivar("_colorSlot", &KRColorPicker::_colorSlot)
      .ivar("_texCoordSlot", &KRColorPicker::_texCoordSlot)
      .ivar("_textureUniform", &KRColorPicker::_textureUniform)
      .ivar("_aTexture", &KRColorPicker::_aTexture)
      .ivar("_context", &KRColorPicker::_context)
      .ivar("taskQueue", &KRColorPicker::taskQueue)
      .classMethod<&KRColorPicker_classPickColorFromImage>("pickColorFromImage:onComplete:")
      .method<&KRColorPicker_init>("init")
      .method<&KRColorPicker_dealloc>("dealloc")
      .method<&KRColorPicker_colorSchemeFromImage>("colorSchemeFromImage:")
      .method<&KRColorPicker_colorSchemeFromRendition>("colorSchemeFromRendition:")
      .method<&KRColorPicker_pickColorsFromImage>("pickColorsFromImage:onComplete:")
      .method<&KRColorPicker_addNotificationObservers>("addNotificationObservers")
      .method<&KRColorPicker_appDidEnterBackground>("appDidEnterBackground")
      .method<&KRColorPicker_appDidEnterForeground>("appDidEnterForeground")
      .method<&KRColorPicker_isAppActive>("isAppActive")
      .method<&KRColorPicker_scaleImage>("scaleImage:width:height:")
      .method<&KRColorPicker_imageWithImageScaledToSize>("imageWithImage:scaledToSize:")
      .method<&KRColorPicker_setupOpenGL>("setupOpenGL")
      .method<&KRColorPicker_setupContext>("setupContext")
      .method<&KRColorPicker_setupFrameBuffer>("setupFrameBuffer")
      .method<&KRColorPicker_setupRenderBuffer>("setupRenderBuffer")
      .method<&KRColorPicker_setupDepthBuffer>("setupDepthBuffer")
      .method<&KRColorPicker_setupVBOs>("setupVBOs")
      .method<&KRColorPicker_setupOpenGLForDominantColor>("setupOpenGLForDominantColor")
      .method<&KRColorPicker_compileShader>("compileShader:type:string:")
      .method<&KRColorPicker_linkProgram>("linkProgram:")
      .method<&KRColorPicker_validateProgram>("validateProgram:")
      .method<&KRColorPicker_setupTextureFromImage>("setupTextureFromImage:")
      .method<&KRColorPicker_renderDominant>("renderDominant")
      .method<&KRColorPicker_colorWithBiggerCount>("colorWithBiggerCountFromImageWidth:height:")
      .method<&KRColorPicker_dumpImage>("dumpImageWithWidth:height:biggestAlphaColorReturn:")
      .method<&KRColorPicker_findTextColors>("findTextColorsTaskForColorScheme:")
      .method<&KRColorPicker_colorFromImage>("colorFromImageWithWidth:height:filteringColor:tolerance:")
      .method<&KRColorPicker_isSufficientContrast>("isSufficienteContrastBetweenBackground:andForground:")
      .method<&KRColorPicker_setBackend>("setBackend:")
      .method<&KRColorPicker_backend>("backend")
      .method<&KRColorPicker_lastBackend>("lastBackend");
}
