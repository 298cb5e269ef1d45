// The installer's rules on classes made for the test: an own method is
// replaced and kept in the slot; an inherited one gets an added method and a
// fallback that follows the superclass; missing classes and methods are
// skipped; an add never replaces.
#include <gtest/gtest.h>

#include "platform/objc/class_builder.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tweak/hook_installer.h"

namespace {

struct Host : NSObject {
  static constexpr const char* kClassName = "InstHost";
};

NSInteger Host_value(Host*, SEL) { return 1; }
NSInteger Host_classValue(Class, SEL) { return 5; }
NSInteger Base_laterValue(Host*, SEL) { return 4; }

HookSlot<NSInteger()> orig_InstHost_value;
HookSlot<NSInteger()> orig_InstChild_value;
HookSlot<NSInteger()> orig_meta_InstHost_classValue;
HookSlot<NSInteger()> orig_InstHost_missing;

NSInteger hook_InstHost_value(id self, SEL _cmd) { return 10 + orig_InstHost_value(self, _cmd); }
NSInteger hook_InstChild_value(id self, SEL _cmd) { return 20 + orig_InstChild_value(self, _cmd); }
NSInteger hook_meta_InstHost_classValue(id self, SEL _cmd) { return 30 + orig_meta_InstHost_classValue(self, _cmd); }
NSInteger hook_InstHost_missing(id self, SEL _cmd) { return 0; }
NSInteger added_InstHost_extra(id self, SEL _cmd) { return 99; }
NSInteger added_InstHost_value(id self, SEL _cmd) { return -1; }

void registerHostClasses() {
  Class host = objc::ClassBuilder<Host>("InstHost", objc::classOf<NSObject>())
                   .method<&Host_value>("value")
                   .classMethod<&Host_classValue>("classValue")
                   .cls();
  objc::ClassBuilder<Host>("InstChild", host);
}

NSInteger valueOf(const char* className) {
  Ref<NSObject> obj = adopt(static_cast<NSObject*>(
      objc::send<id()>(reinterpret_cast<id>(objc_getClass(className)), "new"_sel)));
  return objc::send<NSInteger()>(obj, "value"_sel);
}

TEST(HookInstaller, EachRuleThroughOneGroup) {
  inLaunch({.withExtension = false, .registerHostClasses = &registerHostClasses}, [] {
    const HookRow rows[] = {
        hooks::replace<&hook_InstHost_value, orig_InstHost_value>("InstHost", "value"),
        hooks::replace<&hook_InstChild_value, orig_InstChild_value>("InstChild", "value"),
        hooks::replaceClassMethod<&hook_meta_InstHost_classValue, orig_meta_InstHost_classValue>("InstHost",
                                                                                                  "classValue"),
        hooks::replace<&hook_InstHost_missing, orig_InstHost_missing>("InstHost", "missing"),
        hooks::replace<&hook_InstHost_missing, orig_InstHost_missing>("NoSuchHostClass", "value"),
        hooks::add<&added_InstHost_extra>("InstHost", "extra", "q@:"),
        hooks::add<&added_InstHost_value>("InstHost", "value", "q@:"),
    };
    installHookRows(HookGroup::Music, rows);
    const InstallOutcome expected[] = {
        InstallOutcome::ReplacedOwnMethod, InstallOutcome::AddedOverInherited, InstallOutcome::ReplacedOwnMethod,
        InstallOutcome::SkippedNoMethod,   InstallOutcome::SkippedNoClass,     InstallOutcome::Added,
        InstallOutcome::AddFailedExists,
    };
    ASSERT_EQ(installationReport().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
      EXPECT_EQ(installationReport()[i].outcome, expected[i]) << installationReport()[i].row->selector << " row " << i;

    // Own method: the slot holds the class's previous implementation.
    EXPECT_EQ(orig_InstHost_value.imp, objc::imp<&Host_value>());
    EXPECT_EQ(valueOf("InstHost"), 11);
    // Inherited: the child has its own method now, the superclass is
    // unchanged, and the fallback reaches the superclass's current one.
    ASSERT_NE(class_getInstanceMethod(objc_getClass("InstChild"), "value"_sel),
              class_getInstanceMethod(objc_getClass("InstHost"), "value"_sel));
    EXPECT_EQ(valueOf("InstChild"), 20 + 11) << "child replacement, then the superclass's (replaced) method";
    method_setImplementation(class_getInstanceMethod(objc_getClass("InstHost"), "value"_sel),
                             objc::imp<&Base_laterValue>());
    EXPECT_EQ(valueOf("InstChild"), 24) << "the fallback follows a later change on the superclass";
    // Class method: only the metaclass changed.
    EXPECT_EQ(objc::send<NSInteger()>(reinterpret_cast<id>(objc_getClass("InstHost")), "classValue"_sel), 35);
    Ref<NSObject> instance = adopt(static_cast<NSObject*>(
        objc::send<id()>(reinterpret_cast<id>(objc_getClass("InstHost")), "new"_sel)));
    EXPECT_FALSE(instance->respondsToSelector("classValue"_sel));
    // Skipped rows leave their slots empty; adds never replace.
    EXPECT_TRUE(orig_InstHost_missing.empty());
    EXPECT_EQ(objc::send<NSInteger()>(instance, "extra"_sel), 99);
    EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(objc_getClass("InstHost"), "extra"_sel)), "q@:");
  });
}

}  // namespace
