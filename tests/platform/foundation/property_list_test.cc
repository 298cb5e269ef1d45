// Property list files: XML and binary read into typed objects, and every
// way a file can be missing, broken or hostile answering nil.
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/foundation.h"

namespace {

// A binary property list written byte by byte, for graphs libplist will not
// write: each object is its raw bytes, references are one byte wide.
std::string binaryPlist(const std::vector<std::string>& objects, uint64_t top = 0) {
  std::string out = "bplist00";
  std::vector<size_t> offsets;
  for (const std::string& object : objects) {
    offsets.push_back(out.size());
    out += object;
  }
  uint64_t table = out.size();
  for (size_t offset : offsets) {
    out.push_back(static_cast<char>(offset >> 16));
    out.push_back(static_cast<char>(offset >> 8));
    out.push_back(static_cast<char>(offset));
  }
  std::string trailer(6, '\0');
  trailer += '\x03';  // offset width
  trailer += '\x01';  // reference width
  for (uint64_t v : {static_cast<uint64_t>(objects.size()), top, table})
    for (int shift = 56; shift >= 0; shift -= 8) trailer.push_back(static_cast<char>(v >> shift));
  return out + trailer;
}

std::string arrayOf(std::initializer_list<int> refs) {
  std::string object(1, static_cast<char>(0xA0 | refs.size()));
  for (int r : refs) object.push_back(static_cast<char>(r));
  return object;
}

// A dictionary holding a chain of arrays, each holding the next `fanout`
// times, the innermost empty: with sharing, few bytes describe many values.
std::string binaryChain(int containers, int fanout = 1) {
  std::vector<std::string> objects = {std::string("\xD1\x01\x02", 3), "\x51k"};
  for (int i = 2; i < containers; ++i) objects.push_back(fanout == 1 ? arrayOf({i + 1}) : arrayOf({i + 1, i + 1}));
  objects.push_back(arrayOf({}));
  return binaryPlist(objects);
}

std::string nestedXML(int containers) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>k</key>";
  for (int i = 1; i < containers; ++i) xml += "<array>";
  for (int i = 1; i < containers; ++i) xml += "</array>";
  return xml + "</dict></plist>";
}

std::string serialise(plist_t root, bool binary) {
  char* bytes = nullptr;
  uint32_t length = 0;
  (binary ? plist_to_bin : plist_to_xml)(root, &bytes, &length);
  std::string out(bytes, length);
  std::free(bytes);
  return out;
}

class PropertyListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/mirel-plist-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& path : files_) std::remove(path.c_str());
    rmdir(dir_.c_str());
  }
  NSString* write(const std::string& contents) {
    std::string path = dir_ + "/" + std::to_string(files_.size()) + ".plist";
    std::ofstream(path, std::ios::binary) << contents;
    files_.push_back(path);
    return NSString::withUTF8(path);
  }
  NSDictionary* read(const std::string& contents) { return NSDictionary::withContentsOfFile(write(contents)); }

  AutoreleasePool pool_;
  std::string dir_;
  std::vector<std::string> files_;
};

// One tree, every value type, nested; written by libplist as XML and binary.
plist_t sampleTree() {
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "CFBundleIdentifier", plist_new_string("com.apple.Music"));
  plist_dict_set_item(root, "Count", plist_new_uint(42));
  plist_dict_set_item(root, "Offset", plist_new_uint(static_cast<uint64_t>(-7)));
  plist_dict_set_item(root, "Scale", plist_new_real(2.5));
  plist_dict_set_item(root, "Enabled", plist_new_bool(1));
  plist_dict_set_item(root, "Hidden", plist_new_bool(0));
  plist_dict_set_item(root, "Modified", plist_new_date(86400, 0));  // XML keeps whole seconds
  plist_dict_set_item(root, "Blob", plist_new_data("\x01\x00\x02", 3));
  plist_t colours = plist_new_array();
  plist_array_append_item(colours, plist_new_string("#FF8800"));
  plist_t inner = plist_new_dict();
  plist_dict_set_item(inner, "Alpha", plist_new_real(0.25));
  plist_array_append_item(colours, inner);
  plist_dict_set_item(root, "Colours", colours);
  return root;
}

NSNumber* number(NSDictionary* d, const char* key) {
  id value = d->objectForKey(NSString::withUTF8(key));
  return objc::isKind<NSNumber>(value) ? objc::as<NSNumber>(value) : nil;
}

void expectSample(NSDictionary* d) {
  ASSERT_NE(d, nil);
  EXPECT_EQ(d->count(), 9u);
  EXPECT_TRUE(objc::as<NSString>(d->objectForKey("CFBundleIdentifier"_ns))->isEqualToString("com.apple.Music"_ns));
  ASSERT_NE(number(d, "Count"), nil);
  EXPECT_EQ(number(d, "Count")->integerValue(), 42);
  EXPECT_EQ(number(d, "Offset")->integerValue(), -7);
  EXPECT_EQ(number(d, "Scale")->doubleValue(), 2.5);
  EXPECT_TRUE(number(d, "Enabled")->boolValue());
  EXPECT_FALSE(number(d, "Hidden")->boolValue());
  EXPECT_EQ(number(d, "Hidden")->_kind, NSNumber::Kind::Bool);

  id date = d->objectForKey("Modified"_ns);
  ASSERT_TRUE(objc::isKind<NSDate>(date));
  EXPECT_EQ(objc::as<NSDate>(date)->timeIntervalSinceReferenceDate(), 86400);
  id blob = d->objectForKey("Blob"_ns);
  ASSERT_TRUE(objc::isKind<NSData>(blob));
  EXPECT_EQ(objc::as<NSData>(blob)->_bytes, (std::vector<uint8_t>{1, 0, 2}));

  id colours = d->objectForKey("Colours"_ns);
  ASSERT_TRUE(objc::isKind<NSArray>(colours));
  NSArray* list = objc::as<NSArray>(colours);
  ASSERT_EQ(list->count(), 2u);
  EXPECT_TRUE(objc::as<NSString>(list->objectAtIndex(0))->isEqualToString("#FF8800"_ns));
  ASSERT_TRUE(objc::isKind<NSDictionary>(list->objectAtIndex(1)));
  EXPECT_EQ(number(objc::as<NSDictionary>(list->objectAtIndex(1)), "Alpha")->doubleValue(), 0.25);
  EXPECT_FALSE(objc::as<NSObject>(list->objectAtIndex(1))->isKindOfClass(objc::classOf<NSMutableDictionary>()));
}

TEST_F(PropertyListTest, ReadsXMLAndBinaryIntoTypedObjects) {
  plist_t tree = sampleTree();
  for (bool binary : {false, true}) {
    SCOPED_TRACE(binary ? "binary" : "XML");
    expectSample(read(serialise(tree, binary)));
  }
  plist_free(tree);
}

TEST_F(PropertyListTest, BinaryKeepsSubsecondDatesAndSkipsUIDs) {
  // {"d": date 1.5 s, "u": UID 3}
  std::string date("\x33\x3f\xf8\0\0\0\0\0\0", 9);
  NSDictionary* d =
      read(binaryPlist({std::string("\xD2\x01\x02\x03\x04", 5), "\x51" "d", "\x51u", date, std::string("\x80\x03", 2)}));
  ASSERT_NE(d, nil);
  EXPECT_EQ(d->count(), 1u);
  ASSERT_TRUE(objc::isKind<NSDate>(d->objectForKey("d"_ns)));
  EXPECT_EQ(objc::as<NSDate>(d->objectForKey("d"_ns))->timeIntervalSinceReferenceDate(), 1.5);
}

// Read through either class, the dictionary is of the receiver's class.
TEST_F(PropertyListTest, ReadsHandWrittenXMLAsTheReceiversClass) {
  NSString* path = write(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<!-- a comment, with <array> in it -->
<dict>
  <key>Name</key><string>Rock &amp; Roll</string>
  <key>Level</key><integer>-3</integer>
  <key>Empty</key><array/>
  <key>Name</key><string>Jazz</string>
</dict>
</plist>)");
  NSDictionary* d = NSDictionary::withContentsOfFile(path);
  ASSERT_NE(d, nil);
  EXPECT_TRUE(d->isMemberOfClass(objc::classOf<NSDictionary>()));
  EXPECT_TRUE(objc::isKind<NSMutableDictionary>(objc::send<id(NSString*)>(
      reinterpret_cast<id>(objc::classOf<NSMutableDictionary>()), "dictionaryWithContentsOfFile:"_sel, path)));
  EXPECT_TRUE(objc::as<NSString>(d->objectForKey("Name"_ns))->isEqualToString("Jazz"_ns)) << "a repeated key keeps its last value";
  EXPECT_EQ(number(d, "Level")->integerValue(), -3);
  EXPECT_EQ(objc::as<NSArray>(d->objectForKey("Empty"_ns))->count(), 0u);
  EXPECT_EQ(d->count(), 3u);
}

TEST_F(PropertyListTest, UnreadableOrUnsuitableFilesGiveNil) {
  plist_t tree = sampleTree();
  std::string binary = serialise(tree, true), xml = serialise(tree, false);
  plist_free(tree);

  struct Case {
    const char* what;
    std::string contents;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"binary truncated", binary.substr(0, binary.size() / 2)},
      {"binary without its trailer", binary.substr(0, binary.size() - 1)},
      {"XML truncated", xml.substr(0, xml.size() / 2)},
      {"malformed XML", "<plist><dict><key>a</key><string>b</dict></plist>"},
      {"not a property list", "hello, world"},
      {"binary header only", "bplist00"},
      {"top level array, binary", binaryPlist({arrayOf({1}), "\x51x"})},
      {"top level array, XML", "<plist><array><string>x</string></array></plist>"},
      {"top level string", "<plist><string>x</string></plist>"},
      {"binary reference cycle", binaryPlist({arrayOf({1}), arrayOf({0})})},
      {"binary reference out of range", binaryPlist({std::string("\xD1\x01\x05", 3), "\x51" "a"})},
      {"DTD internal subset", "<!DOCTYPE plist [ <!ENTITY a \"b\"> ]><plist><dict/></plist>"},
      {"binary key holding a NUL", binaryPlist({std::string("\xD1\x01\x02", 3), std::string("\x61\0\0", 3), "\x09"})},
      {"binary key that is not a string", binaryPlist({std::string("\xD1\x01\x02", 3), "\x10\x01", "\x09"})},
      {"over the size limit", "<plist><dict/></plist>" + std::string(kPropertyListMaxFileSize, ' ')},
      {"XML nested past the depth limit", nestedXML(kPropertyListMaxDepth + 1)},
      {"XML nested far deeper than a recursive parser's stack allows", nestedXML(1000000)},
      {"binary nested past the depth limit", binaryChain(kPropertyListMaxDepth + 1)},
      {"binary sharing that expands to 2^40 values in ~130 bytes", binaryChain(42, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(read(c.contents), nil);
  }
  EXPECT_EQ(NSDictionary::withContentsOfFile(NSString::withUTF8(dir_ + "/missing.plist")), nil);
  EXPECT_EQ(NSDictionary::withContentsOfFile(NSString::withUTF8(dir_)), nil) << "a directory";
  EXPECT_EQ(NSDictionary::withContentsOfFile(nil), nil);
}

TEST_F(PropertyListTest, NestingAndSharingWithinTheLimitsRead) {
  EXPECT_NE(read(nestedXML(kPropertyListMaxDepth)), nil);
  EXPECT_NE(read(binaryChain(kPropertyListMaxDepth)), nil);
  NSDictionary* d = read(binaryChain(3, 2));
  ASSERT_NE(d, nil) << "modest sharing is a legal file";
  EXPECT_EQ(objc::as<NSArray>(d->objectForKey("k"_ns))->count(), 2u);
}

}  // namespace
