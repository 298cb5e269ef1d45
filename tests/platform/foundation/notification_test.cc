// NSNotificationCenter: matching by name and sender, handler shapes,
// order, removal (also from inside a handler) and the notification's fields.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"

namespace {

std::vector<std::string> deliveries;

struct TestObserver : NSObject {
  static constexpr const char* kClassName = "NotificationTestObserver";
  std::string _tag;
  Ref<NSNotification> _last;
  id _removeOnDelivery = nil;  // an observer this one removes when it is notified
};

void TestObserver_handle(TestObserver* self, SEL, NSNotification* n) {
  deliveries.push_back(self->_tag + ":" + n->name()->str());
  self->_last = n;
  if (self->_removeOnDelivery) NSNotificationCenter::defaultCenter()->removeObserver(self->_removeOnDelivery);
}
void TestObserver_appDidEnterBackground(TestObserver* self, SEL) { deliveries.push_back(self->_tag + ":no-argument"); }
void TestObserver_twoArguments(TestObserver*, SEL, id, id) {}

Ref<TestObserver> makeObserver(const char* tag) {
  static Class cls = objc::ClassBuilder<TestObserver>(TestObserver::kClassName, objc::classOf<NSObject>())
                         .method<&TestObserver_handle>("handle:")
                         .method<&TestObserver_appDidEnterBackground>("appDidEnterBackground")
                         .method<&TestObserver_twoArguments>("two:arguments:")
                         .cls();
  Ref<TestObserver> observer = adopt(static_cast<TestObserver*>(class_createInstance(cls, 0)));
  observer->_tag = tag;
  return observer;
}

// The center is process-wide: every test removes what it added.
class NotificationTest : public ::testing::Test {
 protected:
  void SetUp() override { deliveries.clear(); }
  void TearDown() override {
    for (auto& o : observers_) center()->removeObserver(o);
  }
  NSNotificationCenter* center() { return NSNotificationCenter::defaultCenter(); }
  TestObserver* observer(const char* tag) { return observers_.emplace_back(makeObserver(tag)); }
  std::vector<std::string> post(NSString* name, id object) {
    deliveries.clear();
    center()->postNotificationName(name, object);
    return deliveries;
  }

  AutoreleasePool pool_;
  std::vector<Ref<TestObserver>> observers_;
};

using Log = std::vector<std::string>;

TEST_F(NotificationTest, DeliversByNameAndSenderInRegistrationOrder) {
  Ref<NSObject> x = objc::make<NSObject>(), y = objc::make<NSObject>();
  center()->addObserver(observer("byName"), "handle:"_sel, "Ping"_ns, nil);
  center()->addObserver(observer("fromX"), "handle:"_sel, nil, x);
  center()->addObserver(observer("pingFromY"), "appDidEnterBackground"_sel, "Ping"_ns, y);
  center()->addObserver(observer("everything"), "handle:"_sel, nil, nil);

  EXPECT_EQ(post("Ping"_ns, x), (Log{"byName:Ping", "fromX:Ping", "everything:Ping"}));
  EXPECT_EQ(post("Pong"_ns, x), (Log{"fromX:Pong", "everything:Pong"}));
  EXPECT_EQ(post(NSString::withUTF8("Ping"), y), (Log{"byName:Ping", "pingFromY:no-argument", "everything:Ping"}))
      << "names match by equality, senders by identity";
  EXPECT_EQ(post("Ping"_ns, nil), (Log{"byName:Ping", "everything:Ping"}));
}

TEST_F(NotificationTest, HandlerReceivesTheNotificationWithItsFields) {
  Ref<NSObject> sender = objc::make<NSObject>();
  TestObserver* o = observer("o");
  center()->addObserver(o, "handle:"_sel, "Changed"_ns, nil);
  NSDictionary* info = NSDictionary::withObjectsAndKeys({NSNumber::withInteger(7), "count"_ns});
  center()->postNotification(NSNotification::withName("Changed"_ns, sender, info));
  ASSERT_TRUE(o->_last);
  EXPECT_TRUE(o->_last->name()->isEqualToString("Changed"_ns));
  EXPECT_EQ(o->_last->object(), sender.get());
  EXPECT_EQ(o->_last->userInfo(), info);
  EXPECT_EQ(objc_retainCount(o), 1u) << "only the fixture holds the observer; the center does not";
}

TEST_F(NotificationTest, RemovalNarrowsByNameAndSender) {
  Ref<NSObject> x = objc::make<NSObject>();
  TestObserver *a = observer("a"), *b = observer("b");
  center()->addObserver(a, "handle:"_sel, "Ping"_ns, nil);
  center()->addObserver(a, "handle:"_sel, "Pong"_ns, nil);
  center()->addObserver(a, "handle:"_sel, nil, x);
  center()->addObserver(b, "handle:"_sel, "Ping"_ns, nil);

  center()->removeObserver(a, "Ping"_ns, nil);
  EXPECT_EQ(post("Ping"_ns, nil), (Log{"b:Ping"}));
  EXPECT_EQ(post("Ping"_ns, x), (Log{"a:Ping", "b:Ping"})) << "the any-name registration stays";
  center()->removeObserver(a, nil, x);
  EXPECT_EQ(post("Ping"_ns, x), (Log{"b:Ping"}));
  EXPECT_EQ(post("Pong"_ns, nil), (Log{"a:Pong"}));
  center()->removeObserver(a);
  EXPECT_EQ(post("Pong"_ns, nil), Log{});
}

TEST_F(NotificationTest, HandlersMayRemoveObserversDuringDelivery) {
  TestObserver *first = observer("first"), *second = observer("second"), *third = observer("third");
  first->_removeOnDelivery = second;
  third->_removeOnDelivery = third;
  for (TestObserver* o : {first, second, third}) center()->addObserver(o, "handle:"_sel, "Go"_ns, nil);

  EXPECT_EQ(post("Go"_ns, nil), (Log{"first:Go", "third:Go"})) << "a removed observer is not called later in the post";
  EXPECT_EQ(post("Go"_ns, nil), (Log{"first:Go"}));
}

TEST_F(NotificationTest, DefaultCenterIsOnePerProcessAndOutlivesReleases) {
  NSNotificationCenter* fromOtherThread = nil;
  std::thread([&] { fromOtherThread = NSNotificationCenter::defaultCenter(); }).join();
  EXPECT_EQ(fromOtherThread, center());
  objc_release(center());
  center()->addObserver(observer("o"), "handle:"_sel, "Still"_ns, nil);
  EXPECT_EQ(post("Still"_ns, nil), (Log{"o:Still"}));
}

using NotificationDeathTest = NotificationTest;

TEST_F(NotificationDeathTest, HandlerOfAnotherShapeFailsLoudly) {
  TestObserver* o = observer("o");
  center()->addObserver(o, "two:arguments:"_sel, "Odd"_ns, nil);
  EXPECT_DEATH(center()->postNotificationName("Odd"_ns, nil), "cannot observe notifications");
}

}  // namespace
