// Process-wide Foundation: the main bundle and NSLog; and
// the plain value classes NSData and NSDate.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "platform/foundation/foundation.h"

namespace {

TEST(NSBundleTest, HostSetsIdentifierAndResourcePath) {
  NSBundle* bundle = NSBundle::mainBundle();
  EXPECT_EQ(bundle, NSBundle::mainBundle());
  NSString* initial = bundle->resourcePath();
  ASSERT_NE(initial, nil);
  char exe[4096] = {};
  ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  EXPECT_EQ(std::string(exe).rfind(initial->str() + "/", 0), 0u) << "resources sit beside the executable";

  NSBundleSetMainBundleIdentifier("com.apple.Music");
  NSString* held = bundle->bundleIdentifier();
  NSBundleSetMainBundleIdentifier("com.apple.MobileSMS");
  EXPECT_TRUE(held->isEqualToString("com.apple.Music"_ns)) << "an identifier read earlier stays valid";
  EXPECT_TRUE(bundle->bundleIdentifier()->isEqualToString("com.apple.MobileSMS"_ns));
  NSBundleSetMainBundleIdentifier(nullptr);
  EXPECT_EQ(bundle->bundleIdentifier(), nil);

  NSBundleSetResourcePath("/Applications/Music.app");
  EXPECT_TRUE(bundle->resourcePath()->isEqualToString("/Applications/Music.app"_ns));
  NSBundleSetResourcePath(initial->UTF8String());
}

TEST(NSLogTest, WritesTheFormattedLineToStandardError) {
  testing::internal::CaptureStderr();
  NSLog("theme %@ loaded in %d ms (%.1f%%)", "Dark"_ns, 12, 99.5);
  NSLog("%@", nil);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "theme Dark loaded in 12 ms (99.5%)\n(null)\n");
}

TEST(NSDataDateTest, HoldTheirValuesAndAreNotNumbers) {
  const unsigned char bytes[] = {0x0b, 0xad, 0xf0, 0x0d, 0x2a};
  NSData* data = NSData::withBytes(bytes, sizeof bytes);
  EXPECT_EQ(data->length(), 5u);
  EXPECT_EQ(std::memcmp(data->bytes(), bytes, sizeof bytes), 0);
  EXPECT_EQ(describe(data), "<0badf00d 2a>");
  EXPECT_TRUE(data->isEqual(NSData::withBytes(bytes, sizeof bytes)));
  EXPECT_FALSE(data->isEqual(NSData::withBytes(bytes, 4)));
  EXPECT_EQ(NSData::withBytes(nullptr, 0)->length(), 0u);

  NSDate* date = NSDate::withTimeIntervalSinceReferenceDate(86400 * 366 + 3661.5);
  EXPECT_EQ(date->timeIntervalSinceReferenceDate(), 86400 * 366 + 3661.5);
  EXPECT_EQ(describe(date), "2002-01-02 01:01:01 +0000");
  EXPECT_EQ(describe(NSDate::withTimeIntervalSinceReferenceDate(-1)), "2000-12-31 23:59:59 +0000");
  EXPECT_NE(describe(NSDate::withTimeIntervalSinceReferenceDate(1e300)), "") << "any double prints";
  for (id object : {static_cast<id>(data), static_cast<id>(date)})
    for (SEL sel : {"integerValue"_sel, "doubleValue"_sel, "boolValue"_sel, "stringValue"_sel})
      EXPECT_FALSE(objc::send<BOOL(SEL)>(object, "respondsToSelector:"_sel, sel))
          << object_getClassName(object) << " " << sel_getName(sel);
}

}  // namespace
