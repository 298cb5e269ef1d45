// NSString and NSMutableString.
#include "platform/foundation/NSString.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

// Malformed bytes become U+FFFD, as Foundation decodes lossy UTF-8.

namespace {

// One code point from the UTF-8 text at i, i moved past it. A malformed
// byte is one U+FFFD and moves i by one, so the length, the indexed reads and
// the substrings all count the same units.
unsigned decodeCodePoint(const std::string& s, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned c = byte(i);
  unsigned cp;
  size_t extra;
  if (c < 0x80) {
    ++i;
    return c;
  } else if ((c & 0xE0) == 0xC0) {
    cp = c & 0x1F, extra = 1;
  } else if ((c & 0xF0) == 0xE0) {
    cp = c & 0x0F, extra = 2;
  } else if ((c & 0xF8) == 0xF0) {
    cp = c & 0x07, extra = 3;
  } else {
    ++i;
    return 0xFFFD;
  }
  for (size_t k = 1; k <= extra; ++k) {
    if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp > 0x10FFFF) {  // past Unicode: no pair of surrogates can say it
    ++i;
    return 0xFFFD;
  }
  i += extra + 1;
  return cp;
}

}  // namespace

std::u16string toUTF16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    unsigned cp = decodeCodePoint(s, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

namespace {

std::string fromUTF16(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;  // an unpaired surrogate
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

NSString* newString(Class cls, std::string text) {
  auto* s = static_cast<NSString*>(class_createInstance(cls, 0));
  s->_utf8 = std::move(text);
  return s;
}

size_t skipSpace(const std::string& t) {
  size_t i = 0;
  while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  return i;
}

id NSString_stringWithUTF8String(Class cls, SEL, const char* text) {
  if (!text) return nil;
  return objc_autorelease(newString(cls, text));
}
id NSString_string(Class cls, SEL) { return objc_autorelease(newString(cls, "")); }
id NSString_initWithUTF8String(NSString* self, SEL, const char* text) {
  if (!text) {
    objc_release(self);
    return nil;
  }
  self->_utf8 = text;
  return self;
}
const char* NSString_UTF8String(NSString* self, SEL) { return self->_utf8.c_str(); }
NSUInteger NSString_length(NSString* self, SEL) { return utf16Length(self->_utf8); }
// Plain ASCII text has one UTF-16 unit per byte, so it is indexed as it is.
bool isASCII(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

unsigned short NSString_characterAtIndex(NSString* self, SEL sel, NSUInteger i) {
  if (isASCII(self->_utf8)) {
    if (i >= self->_utf8.size())
      objc::fatal("-[NSString %s]: index %lu beyond bounds %zu", sel_getName(sel), i, self->_utf8.size());
    return static_cast<unsigned char>(self->_utf8[i]);
  }
  std::u16string u = toUTF16(self->_utf8);
  if (i >= u.size()) objc::fatal("-[NSString %s]: index %lu beyond bounds %zu", sel_getName(sel), i, u.size());
  return u[i];
}
NSString* NSString_substringWithRange(NSString* self, SEL sel, NSRange r) {
  if (isASCII(self->_utf8)) {
    size_t size = self->_utf8.size();
    if (r.location > size || r.length > size - r.location)
      objc::fatal("-[NSString %s]: range {%lu, %lu} beyond bounds %zu", sel_getName(sel), r.location, r.length, size);
    return objc::as<NSString>(
        objc_autorelease(newString(objc::classOf<NSString>(), self->_utf8.substr(r.location, r.length))));
  }
  std::u16string u = toUTF16(self->_utf8);
  if (r.location > u.size() || r.length > u.size() - r.location)
    objc::fatal("-[NSString %s]: range {%lu, %lu} beyond bounds %zu", sel_getName(sel), r.location, r.length,
                u.size());
  return objc::as<NSString>(objc_autorelease(newString(objc::classOf<NSString>(), fromUTF16(u.substr(r.location, r.length)))));
}
NSString* NSString_substringFromIndex(NSString* self, SEL, NSUInteger i) {
  NSUInteger length = utf16Length(self->_utf8);
  return NSString_substringWithRange(self, "substringWithRange:"_sel, NSMakeRange(i, i <= length ? length - i : 0));
}
BOOL NSString_isEqualToString(NSString* self, SEL, NSString* other) {
  return other && self->_utf8 == other->_utf8;
}
BOOL NSString_isEqual(NSString* self, SEL, id other) {
  if (other == self) return YES;
  return objc::isKind<NSString>(other) && self->_utf8 == objc::as<NSString>(other)->_utf8;
}
NSUInteger NSString_hash(NSString* self, SEL) {
  NSUInteger cached = self->_hash.load(std::memory_order_relaxed);
  if (cached) return cached;
  // FNV-1a over eight bytes at a time, then the bytes left: cache keys are
  // long enough for a byte at a time to show.
  uint64_t h = 1469598103934665603ull;
  const std::string& text = self->_utf8;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    h = (h ^ word) * 1099511628211ull;
    h ^= h >> 29;
  }
  for (; i < text.size(); ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
  if (!h) h = 1;  // 0 marks a hash not computed yet
  self->_hash.store(h, std::memory_order_relaxed);
  return h;
}
BOOL NSString_hasPrefix(NSString* self, SEL, NSString* prefix) {
  return prefix && !prefix->_utf8.empty() && self->_utf8.compare(0, prefix->_utf8.size(), prefix->_utf8) == 0;
}
NSString* NSString_description(NSString* self, SEL) { return self; }
NSInteger NSString_integerValue(NSString* self, SEL) { return parseIntegerValue(self->_utf8); }
int NSString_intValue(NSString* self, SEL) {
  NSInteger v = parseIntegerValue(self->_utf8);
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}
double NSString_doubleValue(NSString* self, SEL) { return parseDoubleValue(self->_utf8); }
BOOL NSString_boolValue(NSString* self, SEL) { return parseBoolValue(self->_utf8); }
id NSString_copyWithZone(NSString* self, SEL, void*) {
  if (object_getClass(self) == objc::classOf<NSString>()) return objc_retain(self);
  return newString(objc::classOf<NSString>(), self->_utf8);
}
id NSString_mutableCopyWithZone(NSString* self, SEL, void*) {
  return newString(objc::classOf<NSMutableString>(), self->_utf8);
}
void NSMutableString_appendString(NSMutableString* self, SEL, NSString* s) {
  if (!s) return;
  self->_utf8 += s->_utf8;
  self->_hash.store(0, std::memory_order_relaxed);
}
void NSMutableString_setString(NSMutableString* self, SEL, NSString* s) {
  self->_utf8 = s ? s->_utf8 : "";
  self->_hash.store(0, std::memory_order_relaxed);
}

}  // namespace

size_t utf16Length(const std::string& utf8) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++n, ++i;
      continue;
    }
    n += decodeCodePoint(utf8, i) >= 0x10000 ? 2 : 1;
  }
  return n;
}

NSInteger parseIntegerValue(const std::string& t) {
  size_t i = skipSpace(t);
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const unsigned long long limit = static_cast<unsigned long long>(LONG_MAX) + 1;
  unsigned long long magnitude = 0;
  for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
    unsigned digit = static_cast<unsigned>(t[i] - '0');
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  if (negative) return magnitude >= limit ? LONG_MIN : -static_cast<long>(magnitude);
  return magnitude > static_cast<unsigned long long>(LONG_MAX) ? LONG_MAX : static_cast<long>(magnitude);
}

double parseDoubleValue(const std::string& t) {
  size_t start = skipSpace(t), i = start;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) {
      while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j;
      i = j;
    }
  }
  std::string number = t.substr(start, i - start);
  return std::strtod(number.c_str(), nullptr);
}

bool parseBoolValue(const std::string& t) {
  size_t i = skipSpace(t);
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  while (i < t.size() && t[i] == '0') ++i;
  if (i >= t.size()) return false;
  char c = t[i];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string describe(id object) {
  if (!object) return "(null)";
  NSString* text = objc::send<NSString*()>(object, "description"_sel);
  return text ? text->_utf8 : "(null)";
}

std::string formatWithObjects(const char* format, va_list args) {
  std::string out;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out.push_back(*p);
      continue;
    }
    const char* specStart = p++;
    if (*p == '%') {
      out.push_back('%');
      continue;
    }
    std::string directive = "%";
    while (*p && std::strchr("-+ #0", *p)) directive.push_back(*p++);
    auto readNumber = [&] {
      if (*p == '*') {
        directive += std::to_string(va_arg(args, int));
        ++p;
      } else {
        while (std::isdigit(static_cast<unsigned char>(*p))) directive.push_back(*p++);
      }
    };
    readNumber();
    if (*p == '.') {
      directive.push_back(*p++);
      readNumber();
    }
    std::string length;
    while (*p && std::strchr("hlqLzjt", *p)) length.push_back(*p++);
    char conversion = *p;
    if (!conversion) {
      out.append(specStart);
      break;
    }
    char buffer[512];
    if (conversion == '@') {
      out += describe(va_arg(args, id));
      continue;
    }
    std::string cDirective = directive + (length == "q" ? std::string("ll") : length) + conversion;
    switch (conversion) {
      case 'd':
      case 'i':
        if (length == "l" || length == "z" || length == "t" || length == "j")
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, long));
        else if (length == "ll" || length == "q")
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, long long));
        else
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, int));
        break;
      case 'u':
      case 'x':
      case 'X':
      case 'o':
        if (length == "l" || length == "z" || length == "t" || length == "j")
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, unsigned long));
        else if (length == "ll" || length == "q")
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, unsigned long long));
        else
          std::snprintf(buffer, sizeof buffer, cDirective.c_str(), va_arg(args, unsigned));
        break;
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        std::snprintf(buffer, sizeof buffer, (directive + conversion).c_str(), va_arg(args, double));
        break;
      case 'c':
        std::snprintf(buffer, sizeof buffer, (directive + 'c').c_str(), va_arg(args, int));
        break;
      case 's': {
        const char* s = va_arg(args, const char*);
        std::snprintf(buffer, sizeof buffer, (directive + 's').c_str(), s ? s : "(null)");
        break;
      }
      case 'p':
        std::snprintf(buffer, sizeof buffer, "%p", va_arg(args, void*));
        break;
      default:
        out.append(specStart, p + 1);
        continue;
    }
    out += buffer;
  }
  return out;
}

NSString* NSString::withUTF8(const char* text) {
  return objc::send<NSString*(const char*)>(reinterpret_cast<id>(objc::classOf<NSString>()),
                                            "stringWithUTF8String:"_sel, text);
}

NSString* NSString::withFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatWithObjects(format, args);
  va_end(args);
  return withUTF8(text);
}

NSMutableString* NSMutableString::string() {
  return objc::as<NSMutableString>(
      objc::send<id()>(reinterpret_cast<id>(objc::classOf<NSMutableString>()), "string"_sel));
}

void NSMutableString::appendFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatWithObjects(format, args);
  va_end(args);
  appendString(NSString::withUTF8(text));
}

// Looked up by the literal's characters, without making a std::string of
// them: a literal is looked up every time its expression runs.
struct LiteralHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

NSString* constantString(const char* text) {
  static std::mutex lock;
  static auto* table = new std::unordered_map<std::string, NSString*, LiteralHash, std::equal_to<>>;
  std::lock_guard guard(lock);
  auto it = table->find(std::string_view(text));
  if (it != table->end()) return it->second;
  NSString* s = newString(objc::classOf<NSString>(), text);
  s->flags_.fetch_or(objc::kImmortal);
  table->emplace(text, s);
  return s;
}

void registerNSString() {
  objc::ClassBuilder<NSString>("NSString", objc::classOf<NSObject>())
      .classMethod<&NSString_stringWithUTF8String>("stringWithUTF8String:")
      .classMethod<&NSString_string>("string")
      .method<&NSString_initWithUTF8String>("initWithUTF8String:")
      .method<&NSString_UTF8String>("UTF8String")
      .method<&NSString_length>("length")
      .method<&NSString_characterAtIndex>("characterAtIndex:")
      .method<&NSString_substringWithRange>("substringWithRange:")
      .method<&NSString_substringFromIndex>("substringFromIndex:")
      .method<&NSString_isEqualToString>("isEqualToString:")
      .method<&NSString_isEqual>("isEqual:")
      .method<&NSString_hash>("hash")
      .method<&NSString_hasPrefix>("hasPrefix:")
      .method<&NSString_description>("description")
      .method<&NSString_integerValue>("integerValue")
      .method<&NSString_intValue>("intValue")
      .method<&NSString_doubleValue>("doubleValue")
      .method<&NSString_boolValue>("boolValue")
      .method<&NSString_copyWithZone>("copyWithZone:")
      .method<&NSString_mutableCopyWithZone>("mutableCopyWithZone:");
  objc::ClassBuilder<NSMutableString>("NSMutableString", objc::classOf<NSString>())
      .method<&NSMutableString_appendString>("appendString:")
      .method<&NSMutableString_setString>("setString:");
}
