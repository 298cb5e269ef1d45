// Strings and numbers by Foundation's rules.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/foundation.h"

namespace {

TEST(NSStringTest, LengthsAndRangesCountUTF16Units) {
  NSString* s = NSString::withUTF8("a\u00e9\u20ac\U0001F600z");  // 1 + 1 + 1 + 2 + 1 units
  EXPECT_EQ(s->length(), 6u);
  EXPECT_EQ(s->characterAtIndex(3), 0xD83D);
  EXPECT_EQ(s->characterAtIndex(4), 0xDE00);
  EXPECT_TRUE(s->substringWithRange(NSMakeRange(3, 2))->isEqualToString(NSString::withUTF8("\U0001F600")));
  EXPECT_TRUE(s->substringFromIndex(5)->isEqualToString("z"_ns));
  EXPECT_EQ(NSString::withUTF8("")->length(), 0u);
  // Malformed bytes (a stray continuation, a cut-off sequence, a lead past
  // Unicode) are one U+FFFD each, for the length as for the reads.
  NSString* bad = NSString::withUTF8("#\x80\xE2\x82" "a\xF7\xBF\xBF\xBF");
  EXPECT_EQ(bad->length(), 9u);
  EXPECT_EQ(bad->characterAtIndex(1), 0xFFFD);
  EXPECT_EQ(bad->characterAtIndex(4), u'a');
  EXPECT_EQ(bad->substringFromIndex(1)->length(), 8u);
}

TEST(NSStringTest, EqualStringsHashEquallyMutableOnesAfterAChange) {
  NSString* a = NSString::withUTF8("Songs");
  NSString* b = NSString::withFormat("%s%@", "So", NSString::withUTF8("ngs"));
  EXPECT_NE(a, b);
  EXPECT_TRUE(a->isEqual(b));
  EXPECT_EQ(a->hash(), b->hash());
  EXPECT_FALSE(a->isEqual(NSNumber::withInteger(1)));
  // A mutable string hashes by its contents after a change.
  Ref<NSMutableString> text = adopt(objc::as<NSMutableString>(NSString::withUTF8("Song")->mutableCopy()));
  NSUInteger before = text->hash();
  text->appendString("s"_ns);
  EXPECT_NE(text->hash(), before);
  EXPECT_EQ(text->hash(), NSString::withUTF8("Songs")->hash());
}

TEST(NSStringTest, FormatHandlesObjectsAndPrintfConversions) {
  NSString* s = NSString::withFormat("<%@:%d><%ld><%f><%02x><%%><%@>", "k"_ns, 1, 42L, 0.5, 10, nil);
  EXPECT_EQ(s->str(), "<k:1><42><0.500000><0a><%><(null)>");
}

struct NumberText {
  const char* text;
  NSInteger integer;
  double real;
  bool boolean;
};

TEST(NSStringTest, NumbersFromTextFollowFoundation) {
  const NumberText cases[] = {
      {"42", 42, 42, true},
      {"  -17xyz", -17, -17, true},
      {"+3", 3, 3, true},
      {"abc", 0, 0, false},
      {"", 0, 0, false},
      {"0", 0, 0, false},
      {"007", 7, 7, true},
      {"1.75", 1, 1.75, true},
      {".5", 0, 0.5, false},
      {"2e3", 2, 2000, true},
      {"YES", 0, 0, true},
      {"yes", 0, 0, true},
      {"true", 0, 0, true},
      {"NO", 0, 0, false},
      {"false", 0, 0, false},
      {"\t\n9", 9, 9, true},
      {"99999999999999999999", LONG_MAX, 1e20, true},
      {"-99999999999999999999", LONG_MIN, -1e20, true},
  };
  for (const auto& c : cases) {
    NSString* s = NSString::withUTF8(c.text);
    EXPECT_EQ(s->integerValue(), c.integer) << c.text;
    EXPECT_DOUBLE_EQ(s->doubleValue(), c.real) << c.text;
    EXPECT_EQ(s->boolValue(), c.boolean) << c.text;
  }
}

TEST(NSNumberTest, ConversionsFollowFoundation) {
  EXPECT_EQ(NSNumber::withBool(YES)->stringValue()->str(), "1");
  EXPECT_EQ(NSNumber::withBool(NO)->integerValue(), 0);
  EXPECT_EQ(NSNumber::withInteger(112233)->stringValue()->str(), "112233");
  EXPECT_EQ(NSNumber::withInteger(-5)->stringValue()->str(), "-5");
  EXPECT_EQ(NSNumber::withDouble(2.5)->stringValue()->str(), "2.5");
  EXPECT_EQ(NSNumber::withDouble(2.9)->integerValue(), 2);
  EXPECT_EQ(NSNumber::withDouble(-2.9)->integerValue(), -2);
  EXPECT_TRUE(NSNumber::withDouble(0.1)->boolValue());
  EXPECT_FALSE(NSNumber::withDouble(0.0)->boolValue());
  EXPECT_DOUBLE_EQ(NSNumber::withInteger(3)->doubleValue(), 3.0);
}

TEST(NSNumberTest, EqualValuesAreEqualAcrossKinds) {
  NSNumber* one = NSNumber::withInteger(1);
  NSNumber* oneReal = NSNumber::withDouble(1.0);
  NSNumber* yes = NSNumber::withBool(YES);
  EXPECT_TRUE(one->isEqual(oneReal));
  EXPECT_EQ(one->hash(), oneReal->hash());
  EXPECT_TRUE(one->isEqual(yes));
  EXPECT_FALSE(one->isEqual(NSNumber::withDouble(1.5)));
  EXPECT_FALSE(one->isEqual("1"_ns));
}

}  // namespace
