// The descriptor text, assembled in one buffer: the characters the
// formats "<%@:%@>" (name, size as NSStringFromCGSize writes it, corner
// inset as NSStringFromADDCornerInset writes it), "<%@:%d>" (resizable),
// "<%@:" "%ld"... ">" (colour hashes) and "<%@:%ld>" (tint colour hash,
// tint style, direction) append.
#include "imagekit/DescriptorText.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "imagekit/MD5Hashing.h"
#include "imagekit/UIImageAdditions.h"
#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSValue.h"

namespace {

// Writes the text into a buffer sized beforehand for the longest text the
// descriptor can give, so that no append checks or grows.
class Writer {
 public:
  explicit Writer(char* at) : at_(at) {}
  void literal(std::string_view text) { at_ = std::copy(text.begin(), text.end(), at_); }
  void integer(long v) { at_ = std::to_chars(at_, at_ + 24, v).ptr; }
  // As NSStringFromCGSize: the shortest text that reads back as each value.
  void size(CGSize size) {
    literal("{");
    at_ = std::to_chars(at_, at_ + 32, size.width).ptr;
    literal(", ");
    at_ = std::to_chars(at_, at_ + 32, size.height).ptr;
    literal("}");
  }
  void hashOf(id object) { integer(static_cast<long>(objc::send<NSUInteger()>(object, "hash"_sel))); }
  void cornerInset(ADDCornerInset inset) { at_ = writeADDCornerInsetText(at_, inset); }
  void field(const ADDDescriptorKey& key) {
    literal("<");
    literal(key.text);
    literal(":");
  }
  char* end() const { return at_; }

 private:
  char* at_;
};

size_t colourCount(const ADDImageDescriptor& d) { return d.color ? 1 : d.colors ? d.colors->_items.size() : 0; }

// Writes the text into `buffer`, grown to the longest text the descriptor
// can give; returns its length.
size_t writeText(const ADDImageDescriptor& d, std::vector<char>& buffer) {
  std::string name = d.name ? describe(d.name) : std::string();
  size_t longest = 256 + name.size() + 2 * 32 + 24 * (colourCount(d) + 3) + kADDCornerInsetTextChars;
  if (buffer.size() < longest) buffer.resize(longest);
  Writer w(buffer.data());
  w.field(kUIImageName);
  w.literal(name);
  w.literal(">");
  w.field(kUIImageSize);
  w.size(d.size);
  w.literal(">");
  w.field(kUIImageResizableImage);
  w.literal(d.resizable ? "1>" : "0>");
  w.field(kUIImageColors);
  if (d.color)
    w.hashOf(d.color);
  else if (d.colors)
    for (const Ref<objc_object>& color : d.colors->_items) w.hashOf(color.get());
  w.literal(">");
  w.field(kUIImageTintColor);
  if (d.tintColor)
    w.hashOf(d.tintColor);
  else
    w.literal("0");
  w.literal(">");
  w.field(kUIImageTintStyle);
  w.integer(d.tintStyle);
  w.literal(">");
  w.field(kUIImageCornerInset);
  w.cornerInset(d.cornerInset);
  w.literal(">");
  w.field(kADDImageGradientDirection);
  w.integer(d.gradientDirection);
  w.literal(">");
  return size_t(w.end() - buffer.data());
}

}  // namespace

ADDImageDescriptor ADDDescriptorOfDictionary(NSDictionary* d) {
  auto value = [d](NSString* key) { return objc::send<id(NSString*)>(d, "valueForKey:"_sel, key); };
  ADDImageDescriptor descriptor;
  descriptor.name = value(kUIImageName);
  descriptor.size = objc::send<CGSize()>(value(kUIImageSize), "CGSizeValue"_sel);
  descriptor.resizable = objc::send<BOOL()>(value(kUIImageResizableImage), "boolValue"_sel);
  descriptor.colors = objc::as<NSArray>(value(kUIImageColors));
  descriptor.tintColor = objc::as<UIColor>(value(kUIImageTintColor));
  descriptor.tintStyle = objc::send<NSInteger()>(value(kUIImageTintStyle), "integerValue"_sel);
  descriptor.cornerInset = add::cornerInsetValue(objc::as<NSValue>(value(kUIImageCornerInset)));
  descriptor.gradientDirection = objc::send<NSInteger()>(value(kADDImageGradientDirection), "integerValue"_sel);
  return descriptor;
}

std::string ADDDescriptorText(const ADDImageDescriptor& descriptor) {
  std::vector<char> buffer;
  return std::string(buffer.data(), writeText(descriptor, buffer));
}

// Each thread keeps its buffer, so a key costs no allocation but the key's.
NSString* ADDCacheKeyOf(const ADDImageDescriptor& descriptor) {
  thread_local std::vector<char> buffer;
  size_t length = writeText(descriptor, buffer);
  return md5HexOf(buffer.data(), length);
}
