// Corner insets, MD5, descriptor keys and the cache.
#include <gtest/gtest.h>

#include <string>

#include "imagekit/imagekit.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"

namespace {

TEST(MD5HashingTest, MatchesTheRFC1321TestSuite) {
  struct Case {
    const char* text;
    const char* digest;
  };
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      // UTF-8 bytes 47 72 c3 bc c3 9f 65 2c 20 e4 b8 96 e7 95 8c 20 f0 9f 8e b5.
      {"Grüße, 世界 🎵", "e4094ee88fc895a4dd3a1607da196f60"},
  };
  for (const Case& c : cases) EXPECT_EQ(add::md5(NSString::withUTF8(c.text))->str(), c.digest) << c.text;
}

TEST(ADDCornerInsetTest, BoxesAsARectangleAndBack) {
  for (ADDCornerInset inset : {ADDCornerInsetZero, ADDCornerInset{1, 2, 3, 4}, ADDCornerInset{-5, 0.25, -1e9, 7}}) {
    NSValue* boxed = add::valueWithCornerInset(inset);
    EXPECT_EQ(boxed->CGRectValue(), CGRectMake(inset.topLeft, inset.topRight, inset.bottomLeft, inset.bottomRight));
    EXPECT_EQ(add::cornerInsetValue(boxed), inset);
  }
  EXPECT_EQ(add::cornerInsetValue(NSValue::withCGRect(CGRectMake(9, 8, 7, 6))), (ADDCornerInset{9, 8, 7, 6}));
  EXPECT_EQ(add::cornerInsetValue(nil), ADDCornerInsetZero);
  Method m = class_getClassMethod(objc::classOf<NSValue>(), "valueWithADDCornerInset:"_sel);
  EXPECT_STREQ(method_getTypeEncoding(m), "@@:{ADDCornerInset=dddd}");
}

const char kZeroInsetText[] =
    "ADDCornerInset <topLeft:0.000000> <topRight:0.000000> <bottomLeft:0.000000> <bottomRight:0.000000>";

// The key of a dictionary is the MD5 of its text, field by field (a corner
// inset's with six decimals, in record order); an empty or nil dictionary,
// or one of keys outside the record, gives the text of the defaults. A
// colour enters by its hash, so an equal colour gives an equal key.
TEST(DescriptorKeyTest, TextOfADictionaryFieldByField) {
  const std::string defaults =
      std::string("<kUIImageName:><kUIImageSize:{0, 0}><kUIImageResizableImage:0><kUIImageColors:>") +
      "<kUIImageTintColor:0><kUIImageTintStyle:0><kUIImageCornerInset:" + kZeroInsetText +
      "><kADDImageGradientDirection:0>";
  UIColor* colour = UIColor::withRGBA(0.2, 0.4, 0.6, 1);
  std::string hash = std::to_string(static_cast<long>(UIColor::withRGBA(0.2, 0.4, 0.6, 1)->hash()));
  struct Case {
    NSDictionary* descriptors;
    std::string text;
  };
  const Case cases[] = {
      {NSDictionary::dictionary(), defaults},
      {nil, defaults},
      {NSDictionary::withObjectsAndKeys({"x"_ns, "unrelated"_ns}), defaults},
      {NSDictionary::withObjectsAndKeys({NSArray::withObjects({colour}), kUIImageColors,
                                         NSValue::withCGSize(CGSizeMake(1, 1)), kUIImageSize,
                                         add::valueWithCornerInset(ADDCornerInsetZero), kUIImageCornerInset}),
       "<kUIImageName:><kUIImageSize:{1, 1}><kUIImageResizableImage:0><kUIImageColors:" + hash +
           "><kUIImageTintColor:0><kUIImageTintStyle:0><kUIImageCornerInset:" + kZeroInsetText +
           "><kADDImageGradientDirection:0>"},
      {NSDictionary::withObjectsAndKeys({"icon"_ns, kUIImageName, NSValue::withCGSize(CGSizeMake(2.5, 0.1)),
                                         kUIImageSize, NSNumber::withBool(YES), kUIImageResizableImage,
                                         NSArray::withObjects({colour, colour}), kUIImageColors, colour,
                                         kUIImageTintColor, NSNumber::withInteger(3), kUIImageTintStyle,
                                         add::valueWithCornerInset({4, -0.0, 1.25, 7}), kUIImageCornerInset,
                                         NSNumber::withInteger(2), kADDImageGradientDirection}),
       "<kUIImageName:icon><kUIImageSize:{2.5, 0.1}><kUIImageResizableImage:1><kUIImageColors:" + hash + hash +
           "><kUIImageTintColor:" + hash +
           "><kUIImageTintStyle:3><kUIImageCornerInset:ADDCornerInset <topLeft:4.000000> <topRight:-0.000000> "
           "<bottomLeft:1.250000> <bottomRight:7.000000>><kADDImageGradientDirection:2>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(add::keyForImageWithDescriptors(c.descriptors)->str(), add::md5(NSString::withUTF8(c.text))->str())
        << c.text;
}

// Each generating method makes its key straight from its values; the image
// it caches must be found under the descriptor dictionary of its kind.
TEST(DescriptorKeyTest, EachKindOfImageIsFiledUnderItsDictionary) {
  UIColor* colour = UIColor::withRGBA(0.7, 0.1, 0.3, 1);
  NSArray* colours = NSArray::withObjects({colour, UIColor::blueColor()});
  ADDCornerInset inset{1, 0, 0.5, 0};
  auto size = [](CGFloat w, CGFloat h) { return NSValue::withCGSize(CGSizeMake(w, h)); };
  auto unsignedNumber = [](unsigned v) {
    return objc::send<NSNumber*(unsigned)>(reinterpret_cast<id>(objc::classOf<NSNumber>()),
                                           "numberWithUnsignedInt:"_sel, v);
  };
  struct Case {
    const char* kind;
    UIImage* image;
    NSDictionary* descriptors;
  };
  const Case cases[] = {
      {"colour", add::imageWithColor(colour, CGSizeMake(3, 2.5), inset),
       NSDictionary::withObjectsAndKeys({NSArray::withObjects({colour}), kUIImageColors, size(3, 2.5), kUIImageSize,
                                         add::valueWithCornerInset(inset), kUIImageCornerInset})},
      {"stretchable colour", add::resizableImageWithColor(colour, inset),
       NSDictionary::withObjectsAndKeys({NSArray::withObjects({colour}), kUIImageColors, NSNumber::withBool(YES),
                                         kUIImageResizableImage, add::valueWithCornerInset(inset),
                                         kUIImageCornerInset})},
      {"gradient", add::imageWithGradient(colours, CGSizeMake(4, 6), ADDImageGradientDirectionVertical),
       NSDictionary::withObjectsAndKeys({colours, kUIImageColors, size(4, 6), kUIImageSize, unsignedNumber(1),
                                         kADDImageGradientDirection})},
      {"stretchable gradient",
       add::resizableImageWithGradient(colours, CGSizeMake(5, 0), ADDImageGradientDirectionHorizontal),
       NSDictionary::withObjectsAndKeys({colours, kUIImageColors, size(5, 0), kUIImageSize, unsignedNumber(2),
                                         kADDImageGradientDirection, NSNumber::withBool(YES),
                                         kUIImageResizableImage})},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.image) << c.kind;
    EXPECT_EQ(add::cachedImageWithDescriptors(c.descriptors), c.image) << c.kind;
  }
}

// imageWithColor's last argument decides whether the image it draws is
// kept; a cached image comes back whatever it says.
TEST(ImageCacheTest, StoresUnderTheKeyNeverStoresNilAndKeepsWhatItIsAskedTo) {
  id cache = add::cache();
  ASSERT_NE(cache, nil);
  EXPECT_EQ(add::cache(), cache);
  UIColor* colour = UIColor::withRGBA(0.3, 0.6, 0.9, 1);
  CGSize size = CGSizeMake(5, 4);
  UIImage* first = add::imageWithColor(colour, size, ADDCornerInsetZero, NO);
  UIImage* second = add::imageWithColor(colour, size, ADDCornerInsetZero, NO);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second) << "not cached: drawn afresh";
  NSDictionary* descriptors = NSDictionary::withObjectsAndKeys({"cache-test"_ns, kUIImageName});
  EXPECT_EQ(add::cachedImageWithDescriptors(descriptors), nil);
  add::cacheImage(nil, descriptors);
  EXPECT_EQ(add::cachedImageWithDescriptors(descriptors), nil);
  add::cacheImage(first, descriptors);
  EXPECT_EQ(add::cachedImageWithDescriptors(NSDictionary::withObjectsAndKeys({"cache-test"_ns, kUIImageName})), first);
  add::cacheImage(second, descriptors);
  EXPECT_EQ(add::cachedImageWithDescriptors(descriptors), second) << "a later store replaces the entry";
  UIImage* kept = add::imageWithColor(colour, size, ADDCornerInsetZero, YES);
  EXPECT_NE(kept, first);
  EXPECT_EQ(add::imageWithColor(colour, size, ADDCornerInsetZero, NO), kept);
  EXPECT_EQ(add::imageWithColor(colour, size), kept);
}

}  // namespace
