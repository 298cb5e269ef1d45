// EAGLContext over EGL: which APIs give a context, and the current context
// of each thread. Skipped where EGL gives no display (MIREL_REQUIRE_GL=1
// makes that a failure).
#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "platform/gles/EAGLContext.h"

namespace {

Ref<EAGLContext> makeContext(EAGLRenderingAPI api) {
  return adopt(objc::alloc<EAGLContext>()->initWithAPI(api));
}

class EAGLContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (EAGLDisplayPlatform() != "none") return;
    if (std::getenv("MIREL_REQUIRE_GL")) FAIL() << "no EGL display";
    GTEST_SKIP() << "no EGL display here";
  }
};

TEST_F(EAGLContextTest, OnlyOpenGLES2GivesAContextAndTheCurrentOneIsPerThreadAndRetained) {
  AutoreleasePool pool;
  for (EAGLRenderingAPI api : {EAGLRenderingAPI(kEAGLRenderingAPIOpenGLES1), EAGLRenderingAPI(kEAGLRenderingAPIOpenGLES3),
                               EAGLRenderingAPI(0)})
    EXPECT_EQ(makeContext(api).get(), nullptr) << "API " << api;
  Ref<EAGLContext> a = makeContext(kEAGLRenderingAPIOpenGLES2), b = makeContext(kEAGLRenderingAPIOpenGLES2);
  ASSERT_TRUE(a && b) << "display " << EAGLDisplayPlatform();
  EXPECT_EQ(a->API(), kEAGLRenderingAPIOpenGLES2);
  EXPECT_EQ(EAGLContext::currentContext(), nullptr);
  NSUInteger before = objc_retainCount(a);
  ASSERT_TRUE(EAGLContext::setCurrentContext(a));
  EXPECT_EQ(EAGLContext::currentContext(), a.get());
  EXPECT_EQ(objc_retainCount(a), before + 1);
  const GLubyte* version = glGetString(GL_VERSION);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(version)).rfind("OpenGL ES", 0), 0u);

  std::thread other([&] {
    EXPECT_EQ(EAGLContext::currentContext(), nullptr);
    EXPECT_FALSE(EAGLContext::setCurrentContext(a)) << "EGL keeps a context on one thread";
    EXPECT_TRUE(EAGLContext::setCurrentContext(b));
    EXPECT_EQ(EAGLContext::currentContext(), b.get());
  });
  other.join();
  EXPECT_EQ(EAGLContext::currentContext(), a.get());
  // The ended thread let go of b: this one can take it.
  EXPECT_TRUE(EAGLContext::setCurrentContext(b));
  EXPECT_EQ(objc_retainCount(a), before);
  EXPECT_TRUE(EAGLContext::setCurrentContext(nil));
  EXPECT_EQ(EAGLContext::currentContext(), nullptr);
}

}  // namespace
