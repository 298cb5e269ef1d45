// NSScanner's hex reading: prefixes, stopping points, failure and overflow.
#include <gtest/gtest.h>

#include <climits>

#include "platform/foundation/foundation.h"

namespace {

struct HexCase {
  const char* text;
  bool ok;
  unsigned value;       // expected result when ok
  NSUInteger location;  // expected scan location afterwards (UTF-16 units)
};

constexpr unsigned kUntouched = 0x5A5A5A5A;

const HexCase kHexCases[] = {
    {"ff", true, 0xFF, 2},
    {"0", true, 0, 1},
    {"1G", true, 1, 1},
    {"  0x1A", true, 0x1A, 6},
    {"0XdeadBEEF", true, 0xDEADBEEF, 10},
    {"\n\t7f rest", true, 0x7F, 4},
    {"FFFFFFFF", true, UINT_MAX, 8},
    {"100000000", true, UINT_MAX, 9},
    {"ffffffffffffffffffffffff1z", true, UINT_MAX, 25},
    {"\u00a0\u30000aB", true, 0xAB, 5},  // Unicode spaces are skipped too
    {"0x", true, 0, 1},  // no digit after the "x": the "0" is the number
    {"  0XG", true, 0, 3},
    {"G", false, 0, 0},
    {"#", false, 0, 0},
    {"-1", false, 0, 0},
    {"", false, 0, 0},
    {"   ", false, 0, 0},
    {"\U0001F600", false, 0, 0},
};

TEST(NSScannerTest, ScanHexInt) {
  for (const HexCase& c : kHexCases) {
    AutoreleasePool pool;
    SCOPED_TRACE(c.text);
    NSScanner* scanner = NSScanner::withString(NSString::withUTF8(c.text));
    unsigned value = kUntouched;
    EXPECT_EQ(scanner->scanHexInt(&value), c.ok);
    EXPECT_EQ(value, c.ok ? c.value : kUntouched);
    EXPECT_EQ(scanner->scanLocation(), c.location);
  }
}

TEST(NSScannerTest, ScansContinueFromTheLocationAndEndAfterTrailingSpace) {
  NSScanner* scanner = NSScanner::withString("a 0x1f\u2003"_ns);
  unsigned value = 0;
  ASSERT_TRUE(scanner->scanHexInt(&value));
  EXPECT_EQ(value, 0xAu);
  EXPECT_FALSE(scanner->isAtEnd());
  ASSERT_TRUE(scanner->scanHexInt(nullptr)) << "a null result is allowed";
  EXPECT_EQ(scanner->scanLocation(), 6u);
  EXPECT_TRUE(scanner->isAtEnd()) << "trailing whitespace does not count";
  EXPECT_FALSE(scanner->scanHexInt(&value));
  EXPECT_EQ(scanner->scanLocation(), 6u);

  scanner->setScanLocation(2);
  ASSERT_TRUE(scanner->scanHexInt(&value));
  EXPECT_EQ(value, 0x1Fu);
  EXPECT_TRUE(NSScanner::withString(""_ns)->isAtEnd());
}

}  // namespace
