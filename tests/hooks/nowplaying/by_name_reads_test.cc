// The extension's by-name reads of host fields (-valueForKey:) in a host
// whose class lacks the field: the platform would end the launch on such a
// key, and the extension must leave that piece out (its added method
// answers nil) instead.
#include <gtest/gtest.h>

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"
#include "tests/support/launch.h"

namespace {

// A host object with no fields and no accessors of its own.
struct BareHostObject : NSObject {
  static constexpr const char* kClassName = "BareHostObject";
};

id BareObserver_sharedObserver(id self, SEL) {
  static id shared = objc::send<id()>(objc::send<id()>(self, "alloc"_sel), "init"_sel);
  return shared;
}

// The three host classes the reads go to, each without the field read.
void registerBareHostClasses() {
  objc::ClassBuilder<BareHostObject>("MusicNowPlayingViewController", objc::classOf<NSObject>());
  objc::ClassBuilder<BareHostObject>("MPUNowPlayingPlaybackControlsView", objc::classOf<NSObject>());
  objc::ClassBuilder<BareHostObject>("MusicNowPlayingObserver", objc::classOf<NSObject>())
      .classMethod<&BareObserver_sharedObserver>("sharedObserver");
}

struct ByNameRead {
  const char* receiverClass;
  const char* addedMethod;  // answers the field read by name
  const char* field;
};

TEST(ByNameReads, AHostClassLackingTheFieldLeavesThePieceOut) {
  const ByNameRead reads[] = {
      {"MusicNowPlayingViewController", "mirel_nowPlayingTitleView", "_titlesView"},
      {"MusicNowPlayingViewController", "mirel_currentArtworkImage", "_currentArtworkImage (of the observer)"},
      {"MPUNowPlayingPlaybackControlsView", "mirel_TransportControls", "_transportControls"},
  };
  for (const ByNameRead& read : reads) {
    SCOPED_TRACE(read.field);
    inLaunch({.registerHostClasses = &registerBareHostClasses}, [&] {
      Ref<objc_object> receiver = adopt(objc::send<id()>(
          objc::send<id()>(reinterpret_cast<id>(objc_getClass(read.receiverClass)), "alloc"_sel), "init"_sel));
      SEL added = sel_registerName(read.addedMethod);
      ASSERT_TRUE(objc::send<BOOL(SEL)>(receiver.get(), "respondsToSelector:"_sel, added)) << "the method was added";
      EXPECT_EQ(objc::send<id()>(receiver.get(), added), nil);
    });
  }
}

}  // namespace
