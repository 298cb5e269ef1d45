// The picker in a launched process: the application state, the asynchronous
// forms delivered through the main run loop, the class method's dictionary,
// the queue's suspension and life, and the fallback where EGL gives
// nothing. Each case runs in a fresh child process.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "colorpicker/colorpicker.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSThread.h"
#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "platform/uikit/UIApplication.h"
#include "tests/support/launch.h"
#include "tests/support/picker_images.h"

namespace {

// Turns the main run loop until `done`, or gives up after a while of real
// time (a guard against a hang, not a timing).
template <class Done>
bool runMainLoopUntil(Done done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    if (!RunLoop::main().runDue()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

Ref<KRColorPicker> cpuPicker() {
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(KRColorPickerBackendCPU);
  return picker;
}

struct Results {
  std::vector<std::string> backgrounds;  // "nil" for a nil scheme
  Ref<Block<void(KRColorScheme*)>> block() {
    return Block<void(KRColorScheme*)>::make([this](KRColorScheme* scheme) {
      EXPECT_TRUE(NSThread::isMainThread());
      backgrounds.push_back(scheme ? hexOf(scheme->backgroundColor()) : "nil");
    });
  }
};

// A replacement of colorSchemeFromImage: that notes where it runs and,
// once closed, holds extractions at their start until the test opens it.
struct Gate {
  static inline std::mutex lock;
  static inline std::condition_variable changed;
  static inline bool open = true;
  static inline int waiting = 0;
  static inline std::set<std::string> labels;
  static inline bool onMainThread = false;
  static inline IMP original = nullptr;

  static void install(bool closed) {
    open = !closed;
    Method m = class_getInstanceMethod(objc::classOf<KRColorPicker>(), "colorSchemeFromImage:"_sel);
    original = method_setImplementation(m, objc::imp<&held>());
  }
  static KRColorScheme* held(KRColorPicker* self, SEL sel, UIImage* image) {
    labels.insert(dispatch_queue_get_label(DISPATCH_CURRENT_QUEUE_LABEL));
    onMainThread |= NSThread::isMainThread();
    {
      std::unique_lock guard(lock);
      ++waiting;
      changed.notify_all();
      changed.wait(guard, [] { return open; });
    }
    return objc::Sender<KRColorScheme*(UIImage*)>::call(original, self, sel, image);
  }
  static void awaitWaiting() {
    std::unique_lock guard(lock);
    changed.wait(guard, [] { return waiting > 0; });
  }
  static void release() {
    std::lock_guard guard(lock);
    open = true;
    changed.notify_all();
  }
};

TEST(PickerLaunchTest, RequestsRunOnTheLowPriorityQueueCompleteOnTheMainQueueInOrderAndSuspensionStaysBalanced) {
  inFreshProcess([] {
    registerColorPicker();
    Ref<KRColorPicker> picker = cpuPicker();
    dispatch_queue_t queue = picker->taskQueue;
    ASSERT_NE(queue, nullptr);
    EXPECT_STREQ(dispatch_queue_get_label(queue), "KRColorPickerQueue");
    EXPECT_EQ(DispatchQueueGetTarget(queue), dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_LOW, 0));
    Ivar v = class_getInstanceVariable(object_getClass(picker), "taskQueue");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(object_getIvar(picker, v), reinterpret_cast<id>(queue));

    Gate::install(false);
    Results results;
    const Pixel colours[] = {{255, 255, 255, 255}, {0, 0, 0, 255}, {200, 10, 10, 255}, {10, 200, 10, 255}};
    for (Pixel p : colours) picker->pickColorsFromImage(uniformImage(40, p), results.block());
    EXPECT_TRUE(results.backgrounds.empty()) << "completions wait for the main run loop";
    ASSERT_TRUE(runMainLoopUntil([&] { return results.backgrounds.size() == 4; }));
    EXPECT_EQ(results.backgrounds, (std::vector<std::string>{"#FFFFFF", "#000000", "#C80A0A", "#0AC80A"}));
    EXPECT_EQ(Gate::labels, std::set<std::string>{"KRColorPickerQueue"});
    EXPECT_FALSE(Gate::onMainThread);

    // Suspension stays balanced. Two background notifications suspend
    // once; one foreground resumes.
    UIApplicationEnterBackground();
    UIApplicationEnterBackground();
    UIApplicationEnterForeground();
    picker->pickColorsFromImage(uniformImage(32, {0, 0, 0, 255}), results.block());
    ASSERT_TRUE(runMainLoopUntil([&] { return results.backgrounds.size() == 5; }));
    // Made in the background: the first foreground notification finds
    // nothing of its own to resume (an over-resume would abort).
    UIApplicationEnterBackground();
    Ref<KRColorPicker> late = cpuPicker();
    UIApplicationEnterForeground();
    late->pickColorsFromImage(uniformImage(32, {255, 255, 255, 255}), results.block());
    ASSERT_TRUE(runMainLoopUntil([&] { return results.backgrounds.size() == 6; }));
    // Destroyed while its queue is suspended: it resumes before letting go
    // (releasing a suspended queue would abort), and the queue goes too.
    Ref<KRColorPicker> doomed = cpuPicker();
    Ref<OS_dispatch_queue> doomedQueue = doomed->taskQueue;
    NSUInteger before = objc_retainCount(doomedQueue);
    UIApplicationEnterBackground();
    doomed = nullptr;
    EXPECT_EQ(objc_retainCount(doomedQueue), before - 1);
    UIApplicationEnterForeground();
    EXPECT_EQ(results.backgrounds[4], "#000000");
    EXPECT_EQ(results.backgrounds[5], "#FFFFFF");
  });
}

// In the background the synchronous form answers nil without touching GL,
// and an asynchronous request is dropped.
TEST(PickerLaunchTest, InTheBackgroundARequestAnswersNilWithoutGLOrIsDropped) {
  inFreshProcess([] {
    registerColorPicker();
    Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
    Results results;
    UIApplicationEnterBackground();
    EXPECT_FALSE(picker->isAppActive());
    EXPECT_EQ(picker->colorSchemeFromImage(uniformImage(32, {255, 0, 0, 255})), nullptr);
    EXPECT_EQ(picker->_context.get(), nullptr) << "no context was made";
    EXPECT_EQ(picker->lastBackend(), KRColorPickerBackendNone) << "no pass ran";
    EXPECT_EQ(EAGLContext::currentContext(), nullptr);
    picker->pickColorsFromImage(uniformImage(32, {255, 255, 255, 255}), results.block());
    UIApplicationEnterForeground();
    EXPECT_TRUE(picker->isAppActive());
    EXPECT_NE(picker->colorSchemeFromImage(uniformImage(32, {255, 0, 0, 255})), nullptr);
    // Requests on one picker complete in order: when this one is back, a
    // dropped request would have completed before it.
    picker->pickColorsFromImage(uniformImage(32, {0, 0, 0, 255}), results.block());
    ASSERT_TRUE(runMainLoopUntil([&] { return !results.backgrounds.empty(); }));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(results.backgrounds, (std::vector<std::string>{"#000000"}));
  });
}

TEST(PickerLaunchTest, ClassMethodHandsOverTheColoursAsADictionaryAndAnOvertakenRequestCompletesEmpty) {
  inFreshProcess([] {
    registerColorPicker();
    setenv("MIREL_PICKER_BACKEND", "cpu", 1);
    std::vector<std::vector<std::string>> got;
    auto block = Block<void(NSDictionary*)>::make([&](NSDictionary* colours) {
      EXPECT_TRUE(NSThread::isMainThread());
      std::vector<std::string> entry{std::to_string(colours->count())};
      for (const char* key : {"BackgroundColor", "PrimaryTextColor", "SecondaryTextColor"})
        entry.push_back(hexOf(objc::as<UIColor>(colours->objectForKey(NSString::withUTF8(key)))));
      got.push_back(entry);
    });
    KRColorPicker::pickColorFromImage(uniformImage(32, {255, 255, 255, 255}), block);
    KRColorPicker::pickColorFromImage(nil, block);
    ASSERT_TRUE(runMainLoopUntil([&] { return got.size() == 2; }));
    EXPECT_EQ(got[0], (std::vector<std::string>{"3", "#FFFFFF", "#000000", "#000000"}));
    EXPECT_EQ(got[1], (std::vector<std::string>{"3", "#000000", "#000000", "#FFFFFF"}));

    // A request overtaken by the background completes with a nil scheme,
    // handed over as an empty dictionary.
    Gate::install(true);
    KRColorPicker::pickColorFromImage(uniformImage(32, {9, 9, 9, 255}), block);
    KRColorPicker::pickColorFromImage(uniformImage(32, {0, 0, 0, 255}), block);
    Gate::awaitWaiting();  // the first has started; the second waits in the queue
    UIApplicationEnterBackground();
    Gate::release();
    ASSERT_TRUE(runMainLoopUntil([&] { return got.size() == 3; }));
    EXPECT_EQ(got[2], (std::vector<std::string>{"0", "nil", "nil", "nil"}));
    // The suspended queue starts nothing more until the application returns.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(got.size(), 3u);
    UIApplicationEnterForeground();
    ASSERT_TRUE(runMainLoopUntil([&] { return got.size() == 4; }));
    EXPECT_EQ(got[3], (std::vector<std::string>{"3", "#000000", "#000000", "#FFFFFF"}));
  });
}

size_t occurrences(const std::string& text, const std::string& line) {
  size_t n = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
  return n;
}

TEST(PickerLaunchTest, WithoutAnEGLDisplayTheCPUPassTakesOver) {
  inFreshProcess([] {
    setenv("MIREL_EGL_PLATFORM", "none", 1);
    registerColorPicker();
    AutoreleasePool pool;
    Ref<KRColorPicker> automatic = objc::make<KRColorPicker>();
    Ref<KRColorPicker> insisting = objc::make<KRColorPicker>();
    insisting->setBackend(KRColorPickerBackendGL);
    ::testing::internal::CaptureStderr();
    for (KRColorPicker* picker : {automatic.get(), automatic.get(), insisting.get(), insisting.get()}) {
      KRColorScheme* scheme = picker->colorSchemeFromImage(uniformImage(32, {250, 240, 120, 255}));
      EXPECT_EQ(scheme ? hexOf(scheme->backgroundColor()) : "nil", "#FAF078");
      EXPECT_EQ(picker->lastBackend(), KRColorPickerBackendCPU);
    }
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(EAGLDisplayPlatform(), "none");
    // Automatic stops asking after the first failure; GL asks every time.
    EXPECT_EQ(occurrences(log, "Failed to initialize OpenGLES 2.0 context\n"), 3u) << log;
  });
}

}  // namespace
