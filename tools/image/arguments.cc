// Reading mirel-image's argument texts.
#include "tools/image/arguments.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace mirel_image {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parseNumber(const std::string& text, double* out) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  auto result = std::from_chars(begin, end, *out);
  return result.ec == std::errc() && result.ptr == end && std::isfinite(*out);
}

}  // namespace

bool parseHexColour(const std::string& text, double rgba[4], std::string* error) {
  std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
  size_t n = digits.size();
  if (n != 3 && n != 4 && n != 6 && n != 8) {
    *error = "colour \"" + text + "\" needs 3, 4, 6 or 8 hex digits";
    return false;
  }
  for (char c : digits) {
    if (hexDigit(c) < 0) {
      *error = "colour \"" + text + "\" has a character that is not a hex digit";
      return false;
    }
  }
  bool single = n == 3 || n == 4;
  int channels = n == 3 || n == 6 ? 3 : 4;
  for (int i = 0; i < channels; ++i) {
    int value = single ? hexDigit(digits[i]) * 17 : hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]);
    rgba[i] = value / 255.0;
  }
  if (channels == 3) rgba[3] = 1;
  return true;
}

bool parseSize(const std::string& text, double* width, double* height, std::string* error) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos || !parseNumber(text.substr(0, x), width) || !parseNumber(text.substr(x + 1), height)) {
    *error = "size \"" + text + "\" is not WIDTHxHEIGHT";
    return false;
  }
  return true;
}

bool parseNumberList(const std::string& text, int count, double* out, std::string* error) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == ',') pieces.emplace_back();
    else pieces.back().push_back(c);
  }
  bool ok = static_cast<int>(pieces.size()) == count;
  for (int i = 0; ok && i < count; ++i) ok = parseNumber(pieces[i], &out[i]);
  if (!ok) *error = "\"" + text + "\" is not " + std::to_string(count) + " numbers separated by commas";
  return ok;
}

double scaleFromFileName(const std::string& path) {
  auto endsWith = [&](const char* suffix) {
    std::string s = suffix;
    return path.size() >= s.size() && path.compare(path.size() - s.size(), s.size(), s) == 0;
  };
  if (endsWith("@2x.png")) return 2;
  if (endsWith("@3x.png")) return 3;
  return 1;
}

}  // namespace mirel_image
