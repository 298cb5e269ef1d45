// Arrays, dictionaries and values.
#include <gtest/gtest.h>

#include "platform/foundation/foundation.h"

namespace {

TEST(NSDictionaryTest, KeysAreComparedByEqualityAndCopied) {
  Ref<NSMutableDictionary> dict = objc::make<NSMutableDictionary>();
  Ref<NSMutableString> key = adopt(objc::as<NSMutableString>(NSString::withUTF8("key")->mutableCopy()));
  dict->setObjectForKey(NSNumber::withInteger(1), key);
  key->appendString("changed"_ns);
  EXPECT_EQ(objc::as<NSNumber>(dict->objectForKey(NSString::withUTF8("key")))->integerValue(), 1)
      << "the dictionary holds its own copy of the key";
  dict->setObjectForKey(NSNumber::withInteger(2), "key"_ns);
  EXPECT_EQ(dict->count(), 1u);
  EXPECT_EQ(objc::as<NSNumber>(dict->objectForKey("key"_ns))->integerValue(), 2);
  dict->removeObjectForKey("key"_ns);
  EXPECT_EQ(dict->count(), 0u);
  EXPECT_EQ(dict->objectForKey("key"_ns), nil);
  EXPECT_EQ(dict->objectForKey(nil), nil);
}

TEST(NSDictionaryTest, CopiesAreShallowAndIndependent) {
  NSDictionary* original = NSDictionary::withObjectsAndKeys({"red"_ns, "colour"_ns, "Inter"_ns, "font"_ns});
  Ref<NSMutableDictionary> copy = adopt(objc::as<NSMutableDictionary>(original->mutableCopy()));
  copy->setObjectForKey("blue"_ns, "colour"_ns);
  EXPECT_TRUE(objc::as<NSString>(original->objectForKey("colour"_ns))->isEqualToString("red"_ns));
  EXPECT_TRUE(objc::as<NSString>(copy->objectForKey("font"_ns))->isEqualToString("Inter"_ns));
  Ref<NSDictionary> frozen = adopt(objc::as<NSDictionary>(copy->copy()));
  EXPECT_FALSE(frozen->isMemberOfClass(objc::classOf<NSMutableDictionary>()));
  EXPECT_TRUE(frozen->isEqual(copy));
}

TEST(NSDictionaryTest, ObjectsAndKeysStopAtTheFirstNilObjectAndKeyValueCodingReadsEntries) {
  NSDictionary* d = NSDictionary::withObjectsAndKeys({"red"_ns, "count"_ns, nil, "B"_ns, "c"_ns, "C"_ns});
  EXPECT_EQ(d->count(), 1u);
  EXPECT_EQ(NSDictionary::withObjectsAndKeys({nil, "A"_ns})->count(), 0u);
  EXPECT_EQ(d->valueForKey("count"_ns), d->objectForKey("count"_ns)) << "an entry wins over the count getter";
  EXPECT_EQ(d->valueForKey("missing"_ns), nil);
}

TEST(NSArrayTest, MutationRetainsAndReleases) {
  Ref<NSMutableArray> list = objc::make<NSMutableArray>();
  Ref<NSObject> a = objc::make<NSObject>(), b = objc::make<NSObject>();
  list->addObject(a);
  list->insertObjectAtIndex(b, 0);
  EXPECT_EQ(list->count(), 2u);
  EXPECT_EQ(list->objectAtIndex(0), b.get());
  EXPECT_EQ(objc_retainCount(a), 2u);
  list->removeObject(a);
  EXPECT_EQ(objc_retainCount(a), 1u);
  EXPECT_EQ(list->indexOfObject(a), NSNotFound);
  list->removeAllObjects();
  EXPECT_EQ(objc_retainCount(b), 1u);
}

TEST(NSValueTest, GeometryRoundTripsAndPrints) {
  NSValue* rect = NSValue::withCGRect(CGRectMake(1, -2, 3.5, 4));
  EXPECT_EQ(rect->CGRectValue(), CGRectMake(1, -2, 3.5, 4));
  EXPECT_EQ(NSValue::withCGSize(CGSizeMake(1, 1))->CGSizeValue(), CGSizeMake(1, 1));
  EXPECT_EQ(NSStringFromCGSize(CGSizeMake(1, 1))->str(), "{1, 1}");
  EXPECT_EQ(NSStringFromCGSize(CGSizeMake(0, 0))->str(), "{0, 0}");
  EXPECT_EQ(NSStringFromCGSize(CGSizeMake(1.5, 20))->str(), "{1.5, 20}");
  EXPECT_TRUE(rect->isEqual(NSValue::withCGRect(CGRectMake(1, -2, 3.5, 4))));
}

}  // namespace
