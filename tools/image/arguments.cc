// Reading mirel-image's argument texts.
#include "tools/image/arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>
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

namespace {

constexpr int kLargestNamedScale = 16;

// The part of the path before the extension of its last component.
size_t stemLength(const std::string& path) {
  size_t slash = path.rfind('/'), dot = path.rfind('.');
  size_t base = slash == std::string::npos ? 0 : slash + 1;
  return dot == std::string::npos || dot <= base ? path.size() : dot;
}

// The scale of the stem's "@Nx" and where that suffix starts; 0 without one.
int namedScale(const std::string& path, size_t* suffixAt) {
  size_t end = stemLength(path);
  if (end < 3 || path[end - 1] != 'x') return 0;
  size_t at = end - 1;
  while (at > 0 && path[at - 1] >= '0' && path[at - 1] <= '9') --at;
  if (at == end - 1 || at == 0 || path[at - 1] != '@' || path[at] == '0' || end - 1 - at > 2) return 0;
  int n = std::stoi(path.substr(at, end - 1 - at));
  if (n > kLargestNamedScale) return 0;
  *suffixAt = at - 1;
  return n;
}

std::string scaleText(double scale) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", scale);
  return text;
}

}  // namespace

double scaleFromFileName(const std::string& path) {
  size_t at;
  int n = namedScale(path, &at);
  return n ? n : 1;
}

OutputName outputNameForScale(const std::string& path, double scale) {
  size_t suffixAt = 0;
  int named = namedScale(path, &suffixAt);
  size_t stem = stemLength(path);
  bool whole = scale == std::floor(scale) && scale >= 1 && scale <= kLargestNamedScale;
  if (whole && named == int(scale)) return {path, "", ""};
  if (named) {
    std::string error = "-o " + path + " says scale " + std::to_string(named) + ", but the image is at scale " +
                        scaleText(scale);
    if (whole) {
      std::string suffix = scale == 1 ? "" : "@" + scaleText(scale) + "x";
      error += "; name it " + path.substr(0, suffixAt) + suffix + path.substr(stem);
    }
    return {"", "", error};
  }
  if (!whole)
    return {path,
            "scale " + scaleText(scale) + " cannot be said in a file name: " + path + " will be read back at scale 1",
            ""};
  if (scale == 1) return {path, "", ""};
  return {path.substr(0, stem) + "@" + scaleText(scale) + "x" + path.substr(stem), "", ""};
}

}  // namespace mirel_image
