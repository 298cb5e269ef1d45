// The runtime's lookup, add, replace and cache rules, exercised directly on
// classes made for the test.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"
#include "platform/objc/instance_memory.h"

namespace {

struct Base : NSObject {
  static constexpr const char* kClassName = "RTBase";
  int value = 0;
  Ref<NSObject> _child;
};
struct Derived : Base {
  static constexpr const char* kClassName = "RTDerived";
  double _ratio = 0;
};

int baseAnswer(Base*, SEL) { return 1; }
int derivedOwnAnswer(Derived*, SEL) { return 2; }
int replacementAnswer(Base*, SEL) { return 3; }
int laterAnswer(Base*, SEL) { return 4; }
int baseClassAnswer(Class, SEL) { return 10; }
int sum(Base* self, SEL, int a, int b) { return a + b + self->value; }
CGRect rectOf(Base*, SEL) { return CGRectMake(1, 2, 3, 4); }
NSString* nameOf(Base*, SEL) { return "base"_ns; }

// Each test gets fresh classes, so that changes made by one test do not leak
// into the next.
struct Classes {
  Class base, derived, leaf;
};

Classes makeClasses(const std::string& tag) {
  std::string b = "RTBase" + tag, d = "RTDerived" + tag, l = "RTLeaf" + tag;
  Classes c;
  c.base = objc::ClassBuilder<Base>(b.c_str(), objc::classOf<NSObject>())
               .ivar("value", &Base::value)
               .ivar("_child", &Base::_child)
               .method<&baseAnswer>("answer")
               .method<&sum>("sum:with:")
               .method<&rectOf>("rect")
               .method<&nameOf>("name")
               .classMethod<&baseClassAnswer>("classAnswer")
               .cls();
  c.derived = objc::ClassBuilder<Derived>(d.c_str(), c.base).ivar("_ratio", &Derived::_ratio).cls();
  c.leaf = objc::ClassBuilder<Derived>(l.c_str(), c.derived).cls();
  return c;
}

Ref<NSObject> instance(Class cls) {
  return adopt(static_cast<NSObject*>(objc::send<id()>(reinterpret_cast<id>(cls), "new"_sel)));
}

int answer(id obj) { return objc::send<int()>(obj, "answer"_sel); }

TEST(Runtime, ReplacingAnOwnMethodReturnsThePreviousImplementation) {
  Classes c = makeClasses("Own");
  Ref<NSObject> obj = instance(c.base);
  ASSERT_EQ(answer(obj), 1);  // cached now
  // A hook's superclass fallback asks for the implementation at each call,
  // so that it follows a later replacement there.
  ASSERT_EQ(class_getMethodImplementation(c.derived, "answer"_sel), objc::imp<&baseAnswer>());
  Method m = class_getInstanceMethod(c.base, "answer"_sel);
  IMP previous = method_setImplementation(m, objc::imp<&replacementAnswer>());
  EXPECT_EQ(previous, objc::imp<&baseAnswer>());
  EXPECT_EQ(answer(obj), 3);
  EXPECT_EQ(method_getImplementation(m), objc::imp<&replacementAnswer>());
  EXPECT_EQ(class_getMethodImplementation(c.derived, "answer"_sel), objc::imp<&replacementAnswer>());
  EXPECT_EQ(class_getMethodImplementation(c.base, "answer"_sel), objc::imp<&replacementAnswer>());
}

TEST(Runtime, AddingOverAnInheritedMethodLeavesTheSuperclassAloneAndAddsOnlyOnce) {
  Classes c = makeClasses("Inherited");
  Ref<NSObject> base = instance(c.base), derived = instance(c.derived), leaf = instance(c.leaf);
  // Subclasses cache the inherited implementation before the add.
  ASSERT_EQ(answer(derived), 1);
  ASSERT_EQ(answer(leaf), 1);
  Method inherited = class_getInstanceMethod(c.derived, "answer"_sel);
  ASSERT_NE(inherited, nullptr);
  EXPECT_TRUE(class_addMethod(c.derived, "answer"_sel, objc::imp<&derivedOwnAnswer>(), method_getTypeEncoding(inherited)));
  EXPECT_EQ(answer(derived), 2);
  EXPECT_EQ(answer(leaf), 2) << "a subclass's cached inherited method must be flushed";
  EXPECT_EQ(objc::sendSuper<int()>(leaf, c.base, "answer"_sel), 1) << "a super send starts at the class given";
  EXPECT_EQ(answer(base), 1);
  EXPECT_EQ(method_getImplementation(class_getInstanceMethod(c.base, "answer"_sel)), objc::imp<&baseAnswer>());
  // Now that the class has its own method, adding again fails and changes nothing.
  EXPECT_FALSE(class_addMethod(c.derived, "answer"_sel, objc::imp<&replacementAnswer>(), "i@:"));
  EXPECT_FALSE(class_addMethod(c.base, "answer"_sel, objc::imp<&replacementAnswer>(), "i@:"));
  EXPECT_EQ(answer(derived), 2);
  EXPECT_EQ(answer(base), 1);
}

TEST(Runtime, ClassMethodChangesReachOnlyTheMetaclass) {
  Classes c = makeClasses("Meta");
  Class meta = object_getClass(reinterpret_cast<id>(c.base));
  ASSERT_TRUE(class_isMetaClass(meta));
  EXPECT_EQ(class_getInstanceMethod(c.base, "classAnswer"_sel), nullptr);
  Method m = class_getInstanceMethod(meta, "classAnswer"_sel);
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(class_addMethod(meta, "answer"_sel, objc::imp<&baseClassAnswer>(), "i@:"));
  EXPECT_EQ(objc::send<int()>(reinterpret_cast<id>(c.base), "answer"_sel), 10);
  Ref<NSObject> obj = instance(c.base);
  EXPECT_EQ(answer(obj), 1) << "instances keep the instance method";
  // Class methods of a subclass are inherited through the metaclass chain.
  EXPECT_EQ(objc::send<int()>(reinterpret_cast<id>(c.derived), "classAnswer"_sel), 10);
}

TEST(Runtime, MissingClassesMethodsAndIvarsAreNil) {
  Classes c = makeClasses("Missing");
  EXPECT_EQ(objc_getClass("NoSuchClassAnywhere"), nullptr);
  EXPECT_EQ(class_getInstanceMethod(c.base, "noSuchMethod"_sel), nullptr);
  EXPECT_EQ(class_getInstanceMethod(nil, "answer"_sel), nullptr);
  EXPECT_EQ(class_getInstanceVariable(c.base, "_noSuchIvar"), nullptr);
  EXPECT_EQ(class_getSuperclass(nil), nullptr);
  EXPECT_FALSE(class_addMethod(nil, "answer"_sel, objc::imp<&baseAnswer>(), "i@:"));
  // Never null: a missing method answers the forwarding implementation.
  IMP forward = class_getMethodImplementation(c.base, "noSuchMethod"_sel);
  EXPECT_NE(forward, nullptr);
  EXPECT_EQ(forward, class_getMethodImplementation(c.derived, "otherMissing"_sel));
}

TEST(Runtime, ArgumentsAndStructResultsTravelThroughTheSendAndNilAnswersZero) {
  Classes c = makeClasses("Args");
  Ref<NSObject> obj = instance(c.base);
  static_cast<Base*>(obj.get())->value = 100;
  EXPECT_EQ((objc::send<int(int, int)>(obj, "sum:with:"_sel, 2, 3)), 105);
  EXPECT_EQ(objc::send<CGRect()>(obj, "rect"_sel), CGRectMake(1, 2, 3, 4));
  EXPECT_TRUE(objc::send<NSString*()>(obj, "name"_sel)->isEqualToString("base"_ns));
  id nothing = nil;
  EXPECT_EQ(objc::send<int()>(nothing, "answer"_sel), 0);
  EXPECT_EQ(objc::send<id()>(nothing, "anything"_sel), nil);
  EXPECT_FALSE(objc::send<BOOL(id)>(nothing, "isEqual:"_sel, nothing));
  EXPECT_EQ(objc::send<CGRect()>(nothing, "rect"_sel), CGRectZero);
  objc::send<void(int)>(nothing, "setAnything:"_sel, 3);  // does nothing, does not crash
}

TEST(Runtime, TypeEncodingsAreLibobjcs) {
  Classes c = makeClasses("Enc");
  EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(c.base, "sum:with:"_sel)), "i@:ii");
  EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(c.base, "rect"_sel)),
               "{CGRect={CGPoint=dd}{CGSize=dd}}@:");
  EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(objc::classOf<NSObject>(), "isEqual:"_sel)), "B@:@");
  EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(objc::classOf<NSObject>(), "description"_sel)), "@@:");
  EXPECT_TRUE(objc::encodingsMatch("v24@0:8@16", "v@:@"));
  EXPECT_TRUE(objc::encodingsMatch("@@:@\"UIColor\"", "@@:@"));
  EXPECT_FALSE(objc::encodingsMatch("v@:d", "v@:q"));
}

TEST(Runtime, IvarsAreFoundByNameThroughSuperclasses) {
  Classes c = makeClasses("Ivars");
  Ivar value = class_getInstanceVariable(c.leaf, "value");
  ASSERT_NE(value, nullptr);
  EXPECT_STREQ(ivar_getTypeEncoding(value), "i");
  Ivar ratio = class_getInstanceVariable(c.leaf, "_ratio");
  ASSERT_NE(ratio, nullptr);
  EXPECT_STREQ(ivar_getTypeEncoding(ratio), "d");
  EXPECT_EQ(class_getInstanceVariable(c.base, "_ratio"), nullptr);

  Ref<NSObject> obj = instance(c.leaf);
  static_cast<Derived*>(obj.get())->_ratio = 0.25;
  EXPECT_EQ(*reinterpret_cast<double*>(reinterpret_cast<char*>(obj.get()) + ivar_getOffset(ratio)), 0.25);
}

TEST(Runtime, ObjectIvarsAreStrong) {
  Classes c = makeClasses("Strong");
  Ref<NSObject> owner = instance(c.base);
  Ivar child = class_getInstanceVariable(c.base, "_child");
  Ref<NSObject> first = objc::make<NSObject>(), second = objc::make<NSObject>();
  object_setIvar(owner, child, first);
  EXPECT_EQ(objc_retainCount(first), 2u);
  EXPECT_EQ(object_getIvar(owner, child), first.get());
  object_setIvar(owner, child, second);
  EXPECT_EQ(objc_retainCount(first), 1u) << "the old value is released exactly once";
  EXPECT_EQ(objc_retainCount(second), 2u);
}

TEST(Runtime, ValueForKeyReadsGettersThenIvars) {
  Classes c = makeClasses("KVC");
  Ref<NSObject> obj = instance(c.derived);
  auto* typed = static_cast<Derived*>(obj.get());
  typed->value = 7;
  typed->_ratio = 0.5;
  Ref<NSObject> child = objc::make<NSObject>();
  typed->_child = child;
  EXPECT_EQ(obj->valueForKey("child"_ns), child.get()) << "_key ivar";
  EXPECT_EQ(obj->valueForKey("_child"_ns), child.get()) << "exact ivar name";
  EXPECT_TRUE(objc::as<NSObject>(obj->valueForKey("name"_ns))->isEqual("base"_ns)) << "getter";
  EXPECT_EQ(objc::as<NSNumber>(obj->valueForKey("value"_ns))->integerValue(), 7) << "scalar ivars are boxed";
  EXPECT_EQ(objc::as<NSNumber>(obj->valueForKey("ratio"_ns))->doubleValue(), 0.5);
  EXPECT_EQ(objc::as<NSValue>(obj->valueForKey("rect"_ns))->CGRectValue(), CGRectMake(1, 2, 3, 4));
  // As the platform raises, the launch ends, naming the class and the key.
  EXPECT_DEATH(obj->valueForKey("undefinedKey"_ns), "RTDerivedKVC.*valueForKey:.*undefinedKey");
}

TEST(Runtime, IntrospectionFollowsTheClassChain) {
  Classes c = makeClasses("Kind");
  Ref<NSObject> leaf = instance(c.leaf);
  EXPECT_TRUE(leaf->isKindOfClass(c.base));
  EXPECT_TRUE(leaf->isKindOfClass(objc::classOf<NSObject>()));
  EXPECT_FALSE(leaf->isMemberOfClass(c.base));
  EXPECT_TRUE(leaf->isMemberOfClass(c.leaf));
  EXPECT_TRUE(leaf->respondsToSelector("answer"_sel));
  EXPECT_FALSE(leaf->respondsToSelector("noSuchMethod"_sel));
  // A NO is remembered no longer than the superclass goes without the method.
  EXPECT_TRUE(class_addMethod(c.base, "noSuchMethod"_sel, objc::imp<&laterAnswer>(), "i@:"));
  EXPECT_TRUE(leaf->respondsToSelector("noSuchMethod"_sel));
  // Class objects answer the root class's instance methods.
  EXPECT_TRUE(objc::send<BOOL(SEL)>(reinterpret_cast<id>(c.leaf), "respondsToSelector:"_sel, "classAnswer"_sel));
}

// Instance memory is recycled: every block handed out must be zeroed and
// hold the size asked for, whatever size, and whichever thread, used it last.
// Sizes go up within a size class, so a block freed for a smaller request is
// asked to hold a larger one.
TEST(Runtime, InstanceMemoryIsZeroedAndLargeEnoughWhenRecycled) {
  const size_t sizes[] = {1, 16, 17, 32, 40, 48, 241, 256, 257, 1000};
  struct Block {
    void* memory;
    uint32_t sizeClass;
    size_t bytes;
  };
  auto take = [](size_t bytes) {
    Block b{nullptr, 0, bytes};
    b.memory = objc::allocateInstanceMemory(bytes, &b.sizeClass);
    return b;
  };
  auto checkAndDirty = [](const Block& b) {
    ASSERT_NE(b.memory, nullptr);
    EXPECT_GE(malloc_usable_size(b.memory), b.bytes) << b.bytes << " bytes";
    auto* bytes = static_cast<unsigned char*>(b.memory);
    EXPECT_TRUE(std::all_of(bytes, bytes + b.bytes, [](unsigned char c) { return c == 0; })) << b.bytes << " bytes";
    std::fill(bytes, bytes + b.bytes, 0xA5);
  };

  // Blocks made and dirtied on another thread, freed on this one.
  std::vector<Block> foreign;
  std::thread([&] {
    for (size_t bytes : sizes) foreign.push_back(take(bytes));
    for (const Block& b : foreign) std::fill_n(static_cast<unsigned char*>(b.memory), b.bytes, 0xA5);
  }).join();
  for (const Block& b : foreign) objc::freeInstanceMemory(b.memory, b.sizeClass);

  // All sizes held at once and freed in order, so that each round hands a
  // class's blocks out in the other order.
  for (int round = 0; round < 3; ++round) {
    std::vector<Block> held;
    for (size_t bytes : sizes) held.push_back(take(bytes));
    for (const Block& b : held) checkAndDirty(b);
    for (const Block& b : held) objc::freeInstanceMemory(b.memory, b.sizeClass);
  }
}

TEST(RuntimeDeathTest, UnrecognizedSelectorNamesClassAndSelector) {
  Classes c = makeClasses("Death");
  EXPECT_DEATH(
      {
        Ref<NSObject> obj = instance(c.base);
        objc::send<void()>(obj, "noSuchMethod"_sel);
      },
      "RTBaseDeath noSuchMethod");
}

#ifndef NDEBUG
TEST(RuntimeDeathTest, DebugSendsCheckTheSignature) {
  Classes c = makeClasses("Sig");
  EXPECT_DEATH(
      {
        Ref<NSObject> obj = instance(c.base);
        objc::send<long(int, int)>(obj, "sum:with:"_sel, 1, 2);
      },
      "sum:with:");
}
#endif

}  // namespace
