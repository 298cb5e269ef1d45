// Attributed strings: runs, effective ranges, edits over part of a run,
// appending, copies and reads past the end.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/foundation/foundation.h"

static void PrintTo(const NSRange& r, std::ostream* os) { *os << "{" << r.location << ", " << r.length << "}"; }

namespace {

NSString* font() { return "Inter 17"_ns; }
NSString* red() { return "red"_ns; }
NSDictionary* withFont() { return NSDictionary::withObjectsAndKeys({font(), NSFontAttributeName()}); }

Ref<NSMutableAttributedString> mutableString(NSString* text, NSDictionary* attributes = nil) {
  return adopt(objc::as<NSMutableAttributedString>(
      objc::alloc<NSMutableAttributedString>()->initWithString(text, attributes)));
}

TEST(NSAttributedStringTest, ReadsWithinAndPastTheEnd) {
  Ref<NSAttributedString> s =
      adopt(objc::alloc<NSAttributedString>()->initWithString(NSString::withUTF8("\U0001F3B5 Songs"), withFont()));
  EXPECT_EQ(s->length(), 8u) << "lengths count UTF-16 units";
  NSRange range;
  EXPECT_EQ(s->attribute(NSFontAttributeName(), 7, &range), font());
  EXPECT_EQ(range, NSMakeRange(0, 8));
  EXPECT_EQ(s->attribute(NSForegroundColorAttributeName(), 0, &range), nil);
  EXPECT_EQ(range, NSMakeRange(0, 8));
  EXPECT_EQ(s->attributesAtIndex(3)->count(), 1u) << "a null range pointer is allowed";

  EXPECT_EQ(s->attribute(NSFontAttributeName(), 8, &range), nil);
  EXPECT_EQ(range.location, NSNotFound);
  EXPECT_EQ(s->attributesAtIndex(100, &range), nil);
  EXPECT_EQ(mutableString(""_ns)->attribute(NSFontAttributeName(), 0, nullptr), nil);
  EXPECT_EQ(mutableString("abc"_ns)->attributesAtIndex(1, &range)->count(), 0u);
  EXPECT_EQ(range, NSMakeRange(0, 3));
}

TEST(NSAttributedStringTest, AddAttributeOverPartOfARunSplitsIt) {
  Ref<NSMutableAttributedString> s = mutableString("Hello world"_ns, withFont());
  s->addAttribute(NSForegroundColorAttributeName(), red(), NSMakeRange(6, 3));

  struct Expected {
    NSUInteger index;
    NSRange run;
    NSUInteger count;
    id colour;
  };
  const Expected expected[] = {
      {0, {0, 6}, 1, nil}, {5, {0, 6}, 1, nil}, {6, {6, 3}, 2, red()}, {8, {6, 3}, 2, red()}, {9, {9, 2}, 1, nil},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.index);
    NSRange run, colourRange, fontRange;
    NSDictionary* attributes = s->attributesAtIndex(e.index, &run);
    EXPECT_EQ(run, e.run);
    EXPECT_EQ(attributes->count(), e.count);
    EXPECT_EQ(s->attribute(NSForegroundColorAttributeName(), e.index, &colourRange), e.colour);
    EXPECT_EQ(colourRange, e.run);
    EXPECT_EQ(s->attribute(NSFontAttributeName(), e.index, &fontRange), font());
    EXPECT_EQ(fontRange, NSMakeRange(0, 11)) << "one attribute's range spans runs that differ in others";
  }

  // Colouring the rest (with an equal, not identical, value) merges the runs.
  s->addAttribute(NSForegroundColorAttributeName(), red(), NSMakeRange(0, 6));
  s->addAttribute(NSForegroundColorAttributeName(), NSString::withUTF8("red"), NSMakeRange(9, 2));
  NSRange run;
  EXPECT_EQ(s->attributesAtIndex(4, &run)->count(), 2u);
  EXPECT_EQ(run, NSMakeRange(0, 11));
}

TEST(NSAttributedStringTest, SetAttributesReplacesAndAppendShiftsRuns) {
  Ref<NSMutableAttributedString> s = mutableString("abcd"_ns, withFont());
  s->setAttributes(NSDictionary::withObjectsAndKeys({red(), NSForegroundColorAttributeName()}), NSMakeRange(1, 2));
  NSRange run;
  EXPECT_EQ(s->attribute(NSFontAttributeName(), 1, &run), nil);
  EXPECT_EQ(run, NSMakeRange(1, 2));
  s->setAttributes(nil, NSMakeRange(0, 4));
  EXPECT_EQ(s->attributesAtIndex(2, &run)->count(), 0u);
  EXPECT_EQ(run, NSMakeRange(0, 4));

  s->appendAttributedString(mutableString(NSString::withUTF8("\u00e9f"),
                                          NSDictionary::withObjectsAndKeys({red(), NSForegroundColorAttributeName()})));
  EXPECT_TRUE(s->string()->isEqualToString(NSString::withUTF8("abcd\u00e9f")));
  EXPECT_EQ(s->attribute(NSForegroundColorAttributeName(), 5, &run), red());
  EXPECT_EQ(run, NSMakeRange(4, 2));

  s->appendAttributedString(s);
  EXPECT_EQ(s->length(), 12u);
  EXPECT_EQ(s->attribute(NSForegroundColorAttributeName(), 11, &run), red());
  EXPECT_EQ(run, NSMakeRange(10, 2));
  EXPECT_EQ(s->attribute(NSForegroundColorAttributeName(), 6, &run), nil);
  EXPECT_EQ(run, NSMakeRange(6, 4));
}

TEST(NSAttributedStringTest, CopiesAreIndependent) {
  Ref<NSAttributedString> original = adopt(objc::alloc<NSAttributedString>()->initWithString("abc"_ns));
  EXPECT_EQ(adopt(objc::as<NSAttributedString>(original->copy())).get(), original.get());

  Ref<NSMutableAttributedString> edited = adopt(objc::as<NSMutableAttributedString>(original->mutableCopy()));
  edited->addAttribute(NSFontAttributeName(), font(), NSMakeRange(0, 1));
  EXPECT_EQ(original->attribute(NSFontAttributeName(), 0), nil);
  EXPECT_FALSE(original->isEqual(edited));

  Ref<NSAttributedString> frozen = adopt(objc::as<NSAttributedString>(edited->copy()));
  EXPECT_TRUE(frozen->isMemberOfClass(objc::classOf<NSAttributedString>()));
  edited->addAttribute(NSFontAttributeName(), font(), NSMakeRange(1, 2));
  EXPECT_EQ(frozen->attribute(NSFontAttributeName(), 2), nil);
}

}  // namespace
