// Reading property list files. libplist parses; before it does, a cheap
// scan of the raw bytes bounds what the parse would build, because libplist
// recurses on nesting and expands every shared reference of a binary file.
#include "platform/foundation/PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSData.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/DeviceFiles.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

// --- The file ----------------------------------------------------------------

// Only regular files: a FIFO or device could block or never end.
std::optional<std::string> readRegularFile(const char* path, size_t cap) {
  int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> contents;
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    // Read straight into the string: the file as fstat saw it, so a read
    // that brings that many bytes is the last (a file that grows meanwhile
    // is read as it stood). A file that gives no size (0) is read to its
    // end in growing steps.
    std::string data;
    size_t known = info.st_size > 0 ? size_t(info.st_size) : 0;
    data.resize(known ? std::min(known, cap + 1) : 4096);
    size_t length = 0;
    bool ok = true;
    while (ok && length <= cap && !(known && length == known)) {
      if (length == data.size()) data.resize(std::min(data.size() * 2, cap + 1));
      ssize_t n = read(fd, data.data() + length, data.size() - length);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ok = n == 0;
        break;
      }
      length += static_cast<size_t>(n);
    }
    data.resize(length);
    if (ok && !data.empty() && data.size() <= cap) contents = std::move(data);
  }
  close(fd);
  return contents;
}

// --- Bounds on what libplist will build -----------------------------------------

inline bool startsWith(std::string_view text, size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

inline bool startsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (size_t k = 0; k < prefix.size(); ++k)
    if ((text[at + k] | 0x20) != prefix[k]) return false;
  return true;
}

// The end of the tag starting at `at` (the index of its '>'), quotes honoured.
size_t tagEnd(std::string_view text, size_t at) {
  char quote = 0;
  for (size_t i = at; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return std::string_view::npos;
}

// An upper bound on the array/dict nesting that libplist's XML parser can
// see. Where this scan and the parser might read the markup differently, it
// errs high: openings count wherever they appear, even in comments and
// character data, and closings only in plain markup. A DTD internal subset,
// whose extent parsers disagree on, is refused outright.
bool xmlNestingWithin(std::string_view text, int limit) {
  int depth = 0;
  size_t i = 0;
  auto opensAt = [&](size_t k) {
    return startsWithNoCase(text, k + 1, "array") || startsWithNoCase(text, k + 1, "dict");
  };
  auto opensIn = [&](size_t from, size_t to) {
    for (size_t k = from; k < to; ++k)
      if (text[k] == '<' && opensAt(k) && ++depth > limit) return false;
    return true;
  };
  while ((i = text.find('<', i)) != std::string_view::npos) {
    size_t end;
    // The character after '<' tells the kinds apart, so a plain tag (most
    // of a file) is told by one comparison.
    char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (next == '!' && startsWith(text, i, "<!--")) {
      end = text.find("-->", i + 4);
      if (end == std::string_view::npos || !opensIn(i, end)) return false;
      i = end + 3;
    } else if (next == '!' && startsWith(text, i, "<![CDATA[")) {
      end = text.find("]]>", i + 9);
      if (end == std::string_view::npos || !opensIn(i, end)) return false;
      i = end + 3;
    } else if (next == '?') {
      end = text.find("?>", i + 2);
      if (end == std::string_view::npos || !opensIn(i, end)) return false;
      i = end + 2;
    } else if (next == '!') {
      end = tagEnd(text, i);
      if (end == std::string_view::npos || text.substr(i, end - i).find('[') != std::string_view::npos ||
          !opensIn(i, end))
        return false;
      i = end + 1;
    } else if (next == '/') {
      size_t name = startsWith(text, i, "</array") ? 7 : startsWith(text, i, "</dict") ? 6 : 0;
      char after = name && i + name < text.size() ? text[i + name] : 'x';
      bool closes = after == '>' || after == ' ' || after == '\t' || after == '\r' || after == '\n';
      if (closes && depth > 0) --depth;
      i += 2;
    } else {
      // One pass to the tag's end, quotes honoured, that also counts a '<'
      // inside the tag (in quotes, say) that opens a container. Every
      // character that matters sorts at or below '>', so letters cost one
      // comparison.
      bool container = opensAt(i);
      char quote = 0;
      for (end = i + 1; end < text.size(); ++end) {
        char c = text[end];
        if (static_cast<unsigned char>(c) > '>') continue;
        if (c == '<') {
          if (opensAt(end) && ++depth > limit) return false;
        } else if (quote) {
          if (c == quote) quote = 0;
        } else if (c == '>') {
          break;
        } else if (c == '"' || c == '\'') {
          quote = c;
        }
      }
      if (end == text.size()) return false;
      if (container && text[end - 1] != '/' && ++depth > limit) return false;
      i = end + 1;
    }
  }
  return true;
}

// The binary format: "bplist00", the objects, a table of their offsets and
// a 32-byte trailer. Walks the object graph from the top object as libplist
// will, without building anything, and answers whether it stays within the
// depth and value limits, has no cycle and only keys libplist can take.
class BinaryBounds {
 public:
  explicit BinaryBounds(std::string_view data) : data_(data) {}

  bool within(int depthLimit, uint64_t valueLimit) {
    depthLimit_ = depthLimit;
    valueLimit_ = valueLimit;
    if (data_.size() < 8 + 32) return false;
    size_t trailer = data_.size() - 32;
    offsetSize_ = byte(trailer + 6);
    refSize_ = byte(trailer + 7);
    objects_ = number(trailer + 8, 8);
    uint64_t top = number(trailer + 16, 8);
    uint64_t table = number(trailer + 24, 8);
    if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
    if (objects_ == 0 || top >= objects_ || table < 8 || table > trailer) return false;
    if (objects_ > (trailer - table) / offsetSize_) return false;
    table_ = table;
    end_ = trailer;
    Extent extent;
    return visit(top, 0, &extent);
  }

 private:
  struct Extent {
    uint64_t values = 0;  // the object and everything under it, shared references counted each time
    int height = 0;       // containers on the longest path down, itself included
  };

  unsigned byte(size_t at) const { return static_cast<unsigned char>(data_[at]); }
  uint64_t number(size_t at, unsigned width) const {
    uint64_t v = 0;
    for (unsigned k = 0; k < width; ++k) v = (v << 8) | byte(at + k);
    return v;
  }

  // The object's offset, or 0 when the table points outside the objects.
  uint64_t offsetOf(uint64_t index) const {
    uint64_t offset = number(table_ + index * offsetSize_, offsetSize_);
    return offset >= 8 && offset < end_ ? offset : 0;
  }

  // The element count of the object at `offset` and where its contents
  // start: in the marker's low nibble, or as an integer object after it.
  bool countAt(uint64_t offset, uint64_t* count, uint64_t* contents) const {
    uint64_t at = offset + 1;
    *count = byte(offset) & 0xF;
    if (*count == 0xF) {
      if (at >= end_ || byte(at) >> 4 != 0x1 || (byte(at) & 0xF) > 3) return false;
      unsigned width = 1u << (byte(at) & 0xF);
      if (end_ - at - 1 < width) return false;
      *count = number(at + 1, width);
      at += 1 + width;
    }
    *contents = at;
    return true;
  }

  // libplist aborts (an assertion) on a dictionary key whose text holds a
  // NUL, so keys must be ASCII or UTF-16 strings without one.
  bool plainKey(uint64_t index) {
    if (auto known = keys_.find(index); known != keys_.end()) return known->second;
    uint64_t offset = offsetOf(index), count = 0, at = 0;
    unsigned type = offset ? byte(offset) >> 4 : 0;
    bool ok = (type == 0x5 || type == 0x6) && countAt(offset, &count, &at);
    unsigned unit = type == 0x6 ? 2 : 1;
    // Each key's text is scanned once; aliases of one object under many
    // indices could otherwise make the scan quadratic.
    ok = ok && count <= (end_ - at) / unit && count * unit <= data_.size() - keyBytes_;
    if (ok) {
      keyBytes_ += count * unit;
      for (uint64_t k = 0; ok && k < count; ++k) ok = number(at + k * unit, unit) != 0;
    }
    keys_.emplace(index, ok);
    return ok;
  }

  bool visit(uint64_t index, int containersAbove, Extent* out) {
    if (auto known = done_.find(index); known != done_.end()) {
      *out = known->second;
      return containersAbove + out->height <= depthLimit_;
    }
    if (!inProgress_.emplace(index, true).second) return false;  // a cycle
    uint64_t offset = offsetOf(index);
    if (!offset) return false;
    unsigned type = byte(offset) >> 4;
    Extent extent{1, 0};
    if (type >= 0xA && type <= 0xD) {  // array, ordered set, set, dictionary
      if (containersAbove + 1 > depthLimit_) return false;
      uint64_t count = 0, at = 0;
      if (!countAt(offset, &count, &at)) return false;
      uint64_t refs = count;
      if (type == 0xD && __builtin_mul_overflow(count, 2, &refs)) return false;
      if (refs > (end_ - at) / refSize_) return false;
      if (refs > valueLimit_ - refsRead_) return false;  // bounds the work for any graph
      refsRead_ += refs;
      for (uint64_t k = 0; k < refs; ++k) {
        uint64_t child = number(at + k * refSize_, refSize_);
        if (child >= objects_ || (type == 0xD && k < count && !plainKey(child))) return false;
        Extent sub;
        if (!visit(child, containersAbove + 1, &sub)) return false;
        extent.values += sub.values;
        if (extent.values > valueLimit_) return false;
        extent.height = std::max(extent.height, sub.height);
      }
      extent.height += 1;
    }
    inProgress_.erase(index);
    done_.emplace(index, extent);
    *out = extent;
    return true;
  }

  std::string_view data_;
  unsigned offsetSize_ = 0, refSize_ = 0;
  uint64_t objects_ = 0, table_ = 0, end_ = 0;
  int depthLimit_ = 0;
  uint64_t valueLimit_ = 0, refsRead_ = 0, keyBytes_ = 0;
  std::unordered_map<uint64_t, Extent> done_;
  std::unordered_map<uint64_t, bool> keys_;
  std::unordered_map<uint64_t, bool> inProgress_;
};

// --- libplist nodes to objects ----------------------------------------------

struct PlistFree {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct FreeIterator {
  void operator()(void* iterator) const { std::free(iterator); }
};

Ref<NSString> makeString(const char* bytes, size_t length) {
  auto* s = static_cast<NSString*>(class_createInstance(objc::classOf<NSString>(), 0));
  if (bytes) s->_utf8.assign(bytes, length);
  return adopt(s);
}

// A number as numberWithBool: or numberWithInteger: makes it, owned by the
// caller rather than autoreleased: a file's numbers go straight into their
// dictionary.
Ref<NSNumber> makeNumber(NSNumber::Kind kind, NSInteger value) {
  auto* n = static_cast<NSNumber*>(class_createInstance(objc::classOf<NSNumber>(), 0));
  n->_kind = kind;
  n->_integer = value;
  n->_double = static_cast<double>(value);
  return adopt(n);
}

// Answers false when the tree is deeper than allowed; `out` stays nil for a
// node of a type that has no object form (a UID), which the caller skips.
bool convert(plist_t node, int depth, Class dictionaryClass, Ref<objc_object>* out);

bool convertDictionary(plist_t node, int depth, Class cls, Ref<objc_object>* out) {
  auto* dict = static_cast<NSDictionary*>(class_createInstance(cls, 0));
  Ref<NSDictionary> kept = adopt(dict);
  dict->_entries.reserve(plist_dict_get_size(node));  // the parsed tree's own count
  // A repeated key keeps its last value, as a dictionary would. Small
  // dictionaries (preferences) find a repeat by a scan of the entries; from
  // kScannedKeys on, an index of the keys' text does.
  constexpr size_t kScannedKeys = 32;
  std::unordered_map<std::string_view, size_t> index;
  auto earlier = [&](const char* key, NSUInteger hash) -> NSDictionary::Entry* {
    if (dict->_entries.size() <= kScannedKeys) {
      for (NSDictionary::Entry& e : dict->_entries)
        if (e.hash == hash && static_cast<NSString*>(e.key.get())->_utf8 == key) return &e;
      return nullptr;
    }
    if (index.empty())
      for (size_t k = 0; k < dict->_entries.size(); ++k)
        index.emplace(static_cast<NSString*>(dict->_entries[k].key.get())->_utf8, k);
    auto found = index.find(key);
    return found == index.end() ? nullptr : &dict->_entries[found->second];
  };
  plist_dict_iter raw = nullptr;
  plist_dict_new_iter(node, &raw);
  if (!raw) return false;
  std::unique_ptr<void, FreeIterator> iterator(raw);
  for (;;) {
    char* rawKey = nullptr;
    plist_t item = nullptr;
    plist_dict_next_item(node, raw, &rawKey, &item);
    std::unique_ptr<char, FreeIterator> key(rawKey);
    if (!item) break;
    if (!key) continue;
    Ref<objc_object> value;
    if (!convert(item, depth + 1, objc::classOf<NSDictionary>(), &value)) return false;
    if (!value) continue;
    Ref<NSString> keyString = makeString(key.get(), std::strlen(key.get()));
    NSUInteger hash = keyString->hash();
    if (NSDictionary::Entry* entry = earlier(key.get(), hash)) {
      entry->value = std::move(value);
      continue;
    }
    // The index holds views of the keys' own text, which stays where it is.
    if (!index.empty()) index.emplace(keyString->_utf8, dict->_entries.size());
    dict->_entries.push_back({hash, std::move(keyString), std::move(value)});
  }
  *out = std::move(kept);
  return true;
}

bool convertArray(plist_t node, int depth, Ref<objc_object>* out) {
  auto* array = static_cast<NSArray*>(class_createInstance(objc::classOf<NSArray>(), 0));
  Ref<NSArray> kept = adopt(array);
  plist_array_iter raw = nullptr;
  plist_array_new_iter(node, &raw);
  if (!raw) return false;
  std::unique_ptr<void, FreeIterator> iterator(raw);
  for (;;) {
    plist_t item = nullptr;
    plist_array_next_item(node, raw, &item);
    if (!item) break;
    Ref<objc_object> value;
    if (!convert(item, depth + 1, objc::classOf<NSDictionary>(), &value)) return false;
    if (value) array->_items.push_back(std::move(value));
  }
  *out = std::move(kept);
  return true;
}

bool convert(plist_t node, int depth, Class dictionaryClass, Ref<objc_object>* out) {
  switch (plist_get_node_type(node)) {
    case PLIST_DICT:
      return depth <= kPropertyListMaxDepth && convertDictionary(node, depth, dictionaryClass, out);
    case PLIST_ARRAY:
      return depth <= kPropertyListMaxDepth && convertArray(node, depth, out);
    case PLIST_STRING: {
      uint64_t length = 0;
      const char* text = plist_get_string_ptr(node, &length);
      *out = makeString(text, text ? length : 0);
      return true;
    }
    case PLIST_UINT: {
      uint64_t value = 0;
      plist_get_uint_val(node, &value);
      // libplist keeps negative integers as their two's complement.
      *out = makeNumber(NSNumber::Kind::Integer, static_cast<NSInteger>(value));
      return true;
    }
    case PLIST_REAL: {
      double value = 0;
      plist_get_real_val(node, &value);
      *out = NSNumber::withDouble(value);
      return true;
    }
    case PLIST_BOOLEAN: {
      uint8_t value = 0;
      plist_get_bool_val(node, &value);
      *out = makeNumber(NSNumber::Kind::Bool, value != 0);
      return true;
    }
    case PLIST_DATE: {
      int32_t seconds = 0, microseconds = 0;
      plist_get_date_val(node, &seconds, &microseconds);
      *out = NSDate::withTimeIntervalSinceReferenceDate(seconds + microseconds / 1e6);
      return true;
    }
    case PLIST_DATA: {
      uint64_t length = 0;
      const char* bytes = plist_get_data_ptr(node, &length);
      *out = NSData::withBytes(bytes, bytes ? length : 0);
      return true;
    }
    default:
      return true;  // UIDs and keys have no object of their own
  }
}

// A +1 dictionary of class `cls`, or nil.
id readDictionary(Class cls, NSString* path) {
  if (!path) return nil;
  std::optional<std::string> data = readRegularFile(deviceFilePath(path->UTF8String()).c_str(), kPropertyListMaxFileSize);
  if (!data) return nil;
  auto length = static_cast<uint32_t>(data->size());
  plist_t raw = nullptr;
  if (plist_is_binary(data->data(), length)) {
    if (!BinaryBounds(*data).within(kPropertyListMaxDepth, kPropertyListMaxValues)) return nil;
    plist_from_bin(data->data(), length, &raw);
  } else {
    if (!xmlNestingWithin(*data, kPropertyListMaxDepth)) return nil;
    plist_from_xml(data->data(), length, &raw);
  }
  PlistPtr root(raw);
  if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return nil;
  Ref<objc_object> result;
  {
    AutoreleasePool pool;  // the numbers, dates and data made on the way
    if (!convert(root.get(), 1, cls, &result)) return nil;
  }
  return result.leakRef();
}

id NSDictionary_dictionaryWithContentsOfFile(Class cls, SEL, NSString* path) {
  return objc_autorelease(readDictionary(cls, path));
}

}  // namespace

NSDictionary* NSDictionary::withContentsOfFile(NSString* path) {
  return objc::send<NSDictionary*(NSString*)>(reinterpret_cast<id>(objc::classOf<NSDictionary>()),
                                              "dictionaryWithContentsOfFile:"_sel, path);
}

void registerPropertyList() {
  Class meta = object_getClass(reinterpret_cast<id>(objc::classOf<NSDictionary>()));
  if (!class_addMethod(meta, "dictionaryWithContentsOfFile:"_sel, objc::imp<&NSDictionary_dictionaryWithContentsOfFile>(),
                       objc::encodingOf<&NSDictionary_dictionaryWithContentsOfFile>().c_str()))
    objc::fatal("NSDictionary defines dictionaryWithContentsOfFile: twice");
}
