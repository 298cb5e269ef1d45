// Image files of every kind the image reader takes, written at test time
// with libpng and libjpeg, each with the pixels it must read as: straight
// R, G, B, A, upright. PNG samples are checked exactly; JPEG pictures are
// flat quadrants, checked within a tolerance away from their edges, whose
// places also tell the orientation. And the broken files, each with the
// words every reader must give for it.
//
//   for (const ImageKind& kind : imageKinds()) writeFile(dir + kind.fileName, kind.bytes);
#pragma once

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

struct ImageKind {
  std::string name, fileName, bytes;
  int width = 0, height = 0;       // upright
  std::vector<uint8_t> expected;   // straight RGBA, upright, rows from the top
  int tolerance = 0;               // per channel
  int margin = 0;                  // pixels this near a colour edge are not checked
  bool checked(int x, int y) const {
    if (margin == 0) return true;
    auto near = [&](int v, int edge) { return v >= edge - margin && v < edge + margin; };
    return !near(x, width / 2) && !near(y, height / 2);
  }
  const uint8_t* at(int x, int y) const { return expected.data() + (size_t(y) * width + x) * 4; }
};

namespace image_kinds {

struct PNGRecipe {
  int width = 13, height = 11;  // odd, so packed rows and interlace passes end part-way
  int depth = 8;
  int colorType = PNG_COLOR_TYPE_RGB;
  bool interlaced = false;
  int seed = 0;
  std::vector<std::array<uint16_t, 4>> fixed;  // samples of the first pixels, in order
  bool paletteAlpha = false, greyKey = false, rgbKey = false;
  double gamma = 0;  // a gAMA chunk when not 0
  bool iccp = false;
};

inline int channelsOf(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;  // a palette index
  }
}

// Samples spread over the whole range of the depth, from the position.
inline uint16_t sampleAt(const PNGRecipe& s, int x, int y, int c) {
  size_t i = size_t(y) * s.width + x;
  if (i < s.fixed.size()) return s.fixed[i][c];
  uint32_t h = (uint32_t(x) * 73856093u) ^ (uint32_t(y) * 19349663u) ^ (uint32_t(c + 1) * 83492791u) ^
               (uint32_t(s.seed) * 2654435761u);
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return uint16_t(h % (uint32_t(1) << s.depth));
}

// A sample of the depth as the 8 bits it means: the PNG scaling of 1, 2 and
// 4 bits, and 16 bits rounded to the nearest 8-bit value.
inline uint8_t eightBit(uint16_t v, int depth) {
  switch (depth) {
    case 1: return uint8_t(v * 255);
    case 2: return uint8_t(v * 85);
    case 4: return uint8_t(v * 17);
    case 16: return uint8_t((uint32_t(v) * 255 + 32767) / 65535);
    default: return uint8_t(v);
  }
}

inline png_color paletteColour(int i) {
  return png_color{uint8_t(i * 37 + 11), uint8_t(255 - i * 13), uint8_t(i * 91)};
}
inline uint8_t paletteAlphaOf(int i) { return uint8_t(i * 50 % 256); }  // only the first entries carry one

inline void appendToString(png_structp png, png_bytep data, size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

inline ImageKind pngKind(const std::string& name, const std::string& fileName, const PNGRecipe& s) {
  ImageKind kind{name, fileName, "", s.width, s.height, {}, 0, 0};
  int channels = channelsOf(s.colorType);
  int entries = 1 << std::min(s.depth, 8);
  const int kAlphaEntries = 3;
  png_color_16 key{};
  uint16_t keySample[3] = {sampleAt(s, 1, 0, 0), sampleAt(s, 1, 0, 1), sampleAt(s, 1, 0, 2)};

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write " << name;
    return kind;
  }
  png_set_write_fn(png, &kind.bytes, appendToString, nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.depth, s.colorType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (s.colorType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette(entries);
    for (int i = 0; i < entries; ++i) palette[i] = paletteColour(i);
    png_set_PLTE(png, info, palette.data(), entries);
    if (s.paletteAlpha) {
      uint8_t alpha[kAlphaEntries];
      for (int i = 0; i < kAlphaEntries; ++i) alpha[i] = paletteAlphaOf(i);
      png_set_tRNS(png, info, alpha, std::min(entries, kAlphaEntries), nullptr);
    }
  }
  if (s.greyKey || s.rgbKey) {
    key.gray = keySample[0];
    key.red = keySample[0], key.green = keySample[1], key.blue = keySample[2];
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  if (s.gamma > 0) png_set_gAMA(png, info, s.gamma);
  png_write_info(png, info);
  if (s.iccp) {
    // A profile no colour manager would take: the reader applies none anyway.
    const uint8_t chunk[] = {'d', 'i', 's', 'p', 'l', 'a', 'y', 0, 0,  // name, compression method
                             0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01};  // one zero byte, deflated
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("iCCP"), chunk, sizeof chunk);
  }
  if (s.depth < 8) png_set_packing(png);
  int bytesPerSample = s.depth == 16 ? 2 : 1;
  std::vector<std::vector<uint8_t>> rows(s.height, std::vector<uint8_t>(size_t(s.width) * channels * bytesPerSample));
  kind.expected.resize(size_t(s.width) * s.height * 4);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      uint16_t v[4] = {};
      for (int c = 0; c < channels; ++c) {
        v[c] = sampleAt(s, x, y, c);
        uint8_t* o = rows[y].data() + (size_t(x) * channels + c) * bytesPerSample;
        if (bytesPerSample == 2) o[0] = uint8_t(v[c] >> 8), o[1] = uint8_t(v[c]);
        else o[0] = uint8_t(v[c]);
      }
      uint8_t* e = kind.expected.data() + (size_t(y) * s.width + x) * 4;
      switch (s.colorType) {
        case PNG_COLOR_TYPE_PALETTE: {
          png_color p = paletteColour(v[0]);
          e[0] = p.red, e[1] = p.green, e[2] = p.blue;
          e[3] = s.paletteAlpha && v[0] < kAlphaEntries ? paletteAlphaOf(v[0]) : 255;
          break;
        }
        case PNG_COLOR_TYPE_GRAY:
        case PNG_COLOR_TYPE_GRAY_ALPHA:
          e[0] = e[1] = e[2] = eightBit(v[0], s.depth);
          e[3] = s.colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? eightBit(v[1], s.depth)
                 : s.greyKey && v[0] == keySample[0] ? 0 : 255;
          break;
        default:
          for (int c = 0; c < 3; ++c) e[c] = eightBit(v[c], s.depth);
          e[3] = s.colorType == PNG_COLOR_TYPE_RGB_ALPHA ? eightBit(v[3], s.depth)
                 : s.rgbKey && v[0] == keySample[0] && v[1] == keySample[1] && v[2] == keySample[2] ? 0 : 255;
      }
    }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return kind;
}

struct RGB {
  uint8_t r, g, b;
};

struct JPEGRecipe {
  int width = 32, height = 16;  // stored
  RGB quadrants[4];             // stored: top-left, top-right, bottom-left, bottom-right
  bool progressive = false, grey = false, cmyk = false;
  bool ycck = false;       // CMYK stored as YCCK
  bool plainCMYK = false;  // CMYK without Adobe's marker, so not inverted
  int exif = 0;            // 0: no Exif block
  int upright[4] = {0, 1, 2, 3};  // which stored quadrant shows at each upright quadrant
};

struct JPEGWriting {
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  bool progressive = false, ycck = false;
  bool adobeMarker = true;
  int exif = 0;  // an Exif orientation; 0: no Exif block
};

// JPEG bytes of the samples `sample` writes for each pixel, at quality 95.
inline std::string jpegBytes(int width, int height, const JPEGWriting& w,
                             const std::function<void(int x, int y, uint8_t* samples)>& sample) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = w.components;
  cinfo.in_color_space = w.components == 1 ? JCS_GRAYSCALE : w.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (w.ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  cinfo.write_Adobe_marker = cinfo.write_Adobe_marker && w.adobeMarker;
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (w.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (w.exif) {
    // "Exif\0\0", a big-endian TIFF header and IFD0 with one SHORT entry.
    const uint8_t exif[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1,
                            0, uint8_t(w.exif), 0, 0, 0, 0, 0, 0};
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif, sizeof exif);
  }
  std::vector<uint8_t> row(size_t(width) * w.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < width; ++x) sample(x, int(cinfo.next_scanline), row.data() + size_t(x) * w.components);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

// The stored quadrants as JPEG bytes; with `cmyk` each quadrant's r, g, b
// are C, M, Y of Adobe's inverted CMYK (255: no ink) and K is 255 (no ink)
// except where r is 0 and g 0, which writes full black ink; plain CMYK
// stores the same inks the other way round (0: no ink).
inline ImageKind jpegKind(const std::string& name, const std::string& fileName, const JPEGRecipe& s,
                          const std::array<RGB, 4>& shows) {
  bool sideways = s.exif >= 5;
  ImageKind kind{name, fileName, "", sideways ? s.height : s.width, sideways ? s.width : s.height, {}, 6, 4};
  JPEGWriting w{.components = s.grey ? 1 : s.cmyk ? 4 : 3, .progressive = s.progressive, .ycck = s.ycck,
                .adobeMarker = !s.plainCMYK, .exif = s.exif};
  kind.bytes = jpegBytes(s.width, s.height, w, [&](int x, int y, uint8_t* o) {
    const RGB& q = s.quadrants[(y >= s.height / 2) * 2 + (x >= s.width / 2)];
    o[0] = q.r;
    if (!s.grey) o[1] = q.g, o[2] = q.b;
    if (s.cmyk) o[3] = q.r == 0 && q.g == 0 ? 0 : 255;
    if (s.plainCMYK)
      for (int c = 0; c < 4; ++c) o[c] = uint8_t(255 - o[c]);
  });
  kind.expected.resize(size_t(kind.width) * kind.height * 4);
  for (int y = 0; y < kind.height; ++y)
    for (int x = 0; x < kind.width; ++x) {
      const RGB& q = shows[(y >= kind.height / 2) * 2 + (x >= kind.width / 2)];
      uint8_t* e = kind.expected.data() + (size_t(y) * kind.width + x) * 4;
      e[0] = q.r, e[1] = q.g, e[2] = q.b, e[3] = 255;
    }
  return kind;
}

}  // namespace image_kinds

inline std::vector<ImageKind> imageKinds() {
  using namespace image_kinds;
  using S = PNGRecipe;
  const std::array<uint16_t, 4> kHalfGrey{32768, 0, 0, 0}, kHalves{32768, 16384, 65535, 32768};
  std::vector<ImageKind> kinds = {
      pngKind("PNG RGBA 8-bit", "rgba8.png", S{.colorType = PNG_COLOR_TYPE_RGB_ALPHA, .seed = 1}),
      pngKind("PNG RGB 8-bit", "rgb8.png", S{.seed = 2}),
      pngKind("PNG RGB 16-bit", "rgb16.png", S{.depth = 16, .seed = 3, .fixed = {kHalves}}),
      pngKind("PNG RGBA 16-bit", "rgba16.png",
              S{.depth = 16, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .seed = 4, .fixed = {kHalves}}),
      pngKind("PNG grey 16-bit", "grey16.png",
              S{.depth = 16, .colorType = PNG_COLOR_TYPE_GRAY, .seed = 5, .fixed = {kHalfGrey}}),
      pngKind("PNG grey 8-bit", "grey8.png", S{.colorType = PNG_COLOR_TYPE_GRAY, .seed = 6}),
      pngKind("PNG grey 4-bit", "grey4.png", S{.depth = 4, .colorType = PNG_COLOR_TYPE_GRAY, .seed = 7}),
      pngKind("PNG grey 2-bit", "grey2.png", S{.depth = 2, .colorType = PNG_COLOR_TYPE_GRAY, .seed = 8}),
      pngKind("PNG grey 1-bit", "grey1.png", S{.depth = 1, .colorType = PNG_COLOR_TYPE_GRAY, .seed = 9}),
      pngKind("PNG grey 8-bit with a transparent grey", "grey8-key.png",
              S{.colorType = PNG_COLOR_TYPE_GRAY, .seed = 10, .greyKey = true}),
      pngKind("PNG grey 2-bit with a transparent grey", "grey2-key.png",
              S{.depth = 2, .colorType = PNG_COLOR_TYPE_GRAY, .seed = 11, .greyKey = true}),
      pngKind("PNG grey and alpha 8-bit", "grey-alpha8.png", S{.colorType = PNG_COLOR_TYPE_GRAY_ALPHA, .seed = 12}),
      pngKind("PNG grey and alpha 16-bit", "grey-alpha16.png",
              S{.depth = 16, .colorType = PNG_COLOR_TYPE_GRAY_ALPHA, .seed = 13}),
      pngKind("PNG RGB 8-bit with a transparent colour", "rgb8-key.png", S{.seed = 14, .rgbKey = true}),
      pngKind("PNG RGB 16-bit with a transparent colour", "rgb16-key.png", S{.depth = 16, .seed = 15, .rgbKey = true}),
      pngKind("PNG palette 8-bit with transparency", "palette8.png",
              S{.colorType = PNG_COLOR_TYPE_PALETTE, .seed = 16, .paletteAlpha = true}),
      pngKind("PNG palette 4-bit with transparency", "palette4.png",
              S{.depth = 4, .colorType = PNG_COLOR_TYPE_PALETTE, .seed = 17, .paletteAlpha = true}),
      pngKind("PNG palette 2-bit with transparency", "palette2.png",
              S{.depth = 2, .colorType = PNG_COLOR_TYPE_PALETTE, .seed = 18, .paletteAlpha = true}),
      pngKind("PNG palette 1-bit", "palette1.png", S{.depth = 1, .colorType = PNG_COLOR_TYPE_PALETTE, .seed = 19}),
      pngKind("PNG RGBA 8-bit interlaced", "rgba8-interlaced.png",
              S{.colorType = PNG_COLOR_TYPE_RGB_ALPHA, .interlaced = true, .seed = 20}),
      pngKind("PNG grey 16-bit interlaced", "grey16-interlaced.png",
              S{.depth = 16, .colorType = PNG_COLOR_TYPE_GRAY, .interlaced = true, .seed = 21, .fixed = {kHalfGrey}}),
      pngKind("PNG palette 4-bit interlaced", "palette4-interlaced.png",
              S{.depth = 4, .colorType = PNG_COLOR_TYPE_PALETTE, .interlaced = true, .seed = 22, .paletteAlpha = true}),
      pngKind("PNG RGB 8-bit with gAMA 1.0 (not applied)", "rgb8-gamma.png", S{.seed = 23, .gamma = 1.0}),
      pngKind("PNG RGB 8-bit with an iCCP profile (not applied)", "rgb8-iccp.png", S{.seed = 24, .iccp = true}),
  };
  const RGB red{220, 30, 30}, green{30, 200, 40}, blue{40, 60, 210}, white{240, 240, 240};
  const JPEGRecipe colour{.quadrants = {red, green, blue, white}};
  JPEGRecipe progressive = colour, grey{.quadrants = {{30, 30, 30}, {90, 90, 90}, {160, 160, 160}, {230, 230, 230}},
                                     .grey = true};
  progressive.progressive = true;
  // Adobe's inverted CMYK: 255 is no ink. White paper, full black, full
  // cyan, and half magenta.
  JPEGRecipe cmyk{.quadrants = {{255, 255, 255}, {0, 0, 255}, {0, 255, 255}, {255, 127, 255}}, .cmyk = true};
  kinds.push_back(jpegKind("JPEG baseline", "baseline.jpg", colour, {red, green, blue, white}));
  kinds.push_back(jpegKind("JPEG progressive", "progressive.jpg", progressive, {red, green, blue, white}));
  kinds.push_back(jpegKind("JPEG greyscale", "grey.jpg", grey, {grey.quadrants[0], grey.quadrants[1],
                                                                   grey.quadrants[2], grey.quadrants[3]}));
  const std::array<RGB, 4> inks{RGB{255, 255, 255}, RGB{0, 0, 0}, RGB{0, 255, 255}, RGB{255, 127, 255}};
  kinds.push_back(jpegKind("JPEG Adobe CMYK", "cmyk.jpg", cmyk, inks));
  JPEGRecipe ycck = cmyk, plain = cmyk;
  ycck.ycck = true;
  plain.plainCMYK = true;
  kinds.push_back(jpegKind("JPEG Adobe YCCK", "ycck.jpg", ycck, inks));
  kinds.push_back(jpegKind("JPEG plain CMYK", "plain-cmyk.jpg", plain, inks));
  // A photo taken turned: the file stores red, green over blue, white and
  // says how to turn it.
  for (auto [exif, shows] : {std::pair{3, std::array<RGB, 4>{white, blue, green, red}},
                             std::pair{6, std::array<RGB, 4>{blue, red, white, green}},
                             std::pair{8, std::array<RGB, 4>{green, white, red, blue}}}) {
    JPEGRecipe turned = colour;
    turned.exif = exif;
    kinds.push_back(jpegKind("JPEG with Exif orientation " + std::to_string(exif),
                             "exif" + std::to_string(exif) + ".jpg", turned, shows));
  }
  // Files whose pixels are all there, without the end their format names:
  // a PNG without its IEND chunk, a baseline JPEG without its end marker.
  ImageKind noIEND = pngKind("PNG RGB 8-bit without IEND", "rgb8-no-iend.png", S{.seed = 2});
  ImageKind noEOI = jpegKind("JPEG baseline without its end marker", "baseline-no-eoi.jpg", colour,
                             {red, green, blue, white});
  noIEND.bytes.resize(noIEND.bytes.size() - 12);  // IEND is 12 bytes: length, name and checksum
  noEOI.bytes.resize(noEOI.bytes.size() - 2);
  kinds.push_back(noIEND);
  kinds.push_back(noEOI);
  return kinds;
}

// The plain form of a kind's picture: an 8-bit RGBA PNG of its expected
// pixels, which every tool must treat exactly as the kind's own file.
inline std::string plainPNG(const ImageKind& kind) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kind.width, image.height = kind.height, image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, kind.expected.data(), 0, nullptr);
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, kind.expected.data(), 0, nullptr)) return "";
  return bytes.substr(0, size);
}

struct BrokenImage {
  const char* name;
  std::string fileName;  // under the folder given to brokenImages
  const char* cause;     // what every reader says of it
  bool fromBytes = true;  // bytes in a file (not a folder, a link or a missing path)
};

inline void writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The broken files, made in `dir` (ending in "/"). A file that cannot be
// read for its permissions is left out where the test runs as root, whom
// no permission stops.
inline std::vector<BrokenImage> brokenImages(const std::string& dir) {
  std::vector<ImageKind> kinds = imageKinds();
  auto bytesOf = [&](const std::string& name) {
    for (const ImageKind& k : kinds)
      if (k.name == name) return k.bytes;
    return std::string();
  };
  const std::string png = bytesOf("PNG RGB 8-bit"), jpeg = bytesOf("JPEG baseline");
  const std::string progressive = bytesOf("JPEG progressive");
  // A PNG's signature and IHDR chunk are its first 33 bytes.
  std::string pngHeader = png.substr(0, 33);
  std::string bigPNG = png;
  const char huge[8] = {0, 0, 0x4E, 0x20, 0, 0, 0x4E, 0x20};  // 20000 x 20000
  bigPNG.replace(16, 8, huge, 8);
  // A JPEG's header runs to the end of its start-of-scan segment.
  size_t sos = jpeg.find("\xFF\xDA");
  std::string jpegHeader = jpeg.substr(0, sos + 2 + ((uint8_t(jpeg[sos + 2]) << 8) | uint8_t(jpeg[sos + 3])));
  std::string bigJPEG = jpeg;
  size_t sof = jpeg.find("\xFF\xC0");
  const char size[4] = {0x13, static_cast<char>(0x89), 0x4E, 0x20};  // 5001 high, 20000 wide
  bigJPEG.replace(sof + 5, 4, size, 4);
  size_t idat = png.find("IDAT");
  struct Made {
    BrokenImage image;
    std::string bytes;
  };
  std::vector<Made> made = {
      {{"empty", "empty.png", "empty file"}, ""},
      {{"text", "notes.png", "not a JPEG or PNG image"}, "not a picture\n"},
      {{"PNG header only", "header.png", "PNG file ends after its header, with no image data"}, pngHeader},
      {{"JPEG header only", "header.jpg", "JPEG file ends after its header, with no image data"}, jpegHeader},
      {{"PNG cut in its header", "cut-header.png", "truncated PNG file (it ends inside its header)"},
       png.substr(0, 20)},
      {{"PNG cut in its image data", "cut.png", "truncated PNG file (its image data ends early)"},
       png.substr(0, idat + 4 + 20)},
      {{"JPEG cut in its image data", "cut.jpg", "truncated JPEG file (its image data ends early)"},
       jpeg.substr(0, jpegHeader.size() + 40)},
      {{"progressive JPEG without its last scan", "cut-scans.jpg", "truncated JPEG file (its image data ends early)"},
       progressive.substr(0, progressive.rfind("\xFF\xDA"))},
      {{"PNG over 100 megapixels", "huge.png",
        "image is 20000 x 20000 pixels, more than the limit of 100 megapixels"}, bigPNG},
      {{"JPEG over 100 megapixels", "huge.jpg",
        "image is 20000 x 5001 pixels, more than the limit of 100 megapixels"}, bigJPEG},
  };
  std::vector<BrokenImage> broken;
  for (const Made& m : made) {
    writeFileBytes(dir + m.image.fileName, m.bytes);
    broken.push_back(m.image);
  }
  mkdir((dir + "folder.png").c_str(), 0755);
  broken.push_back({"a directory", "folder.png", "is a directory, not an image file", false});
  unlink((dir + "missing.png").c_str());
  broken.push_back({"no such file", "missing.png", "cannot be read (No such file or directory)", false});
  unlink((dir + "loop.png").c_str());
  if (symlink("loop.png", (dir + "loop.png").c_str()) == 0)
    broken.push_back({"a link to itself", "loop.png", "cannot be read (Too many levels of symbolic links)", false});
  writeFileBytes(dir + "locked.png", png);
  chmod((dir + "locked.png").c_str(), 0);
  if (access((dir + "locked.png").c_str(), R_OK) != 0)
    broken.push_back({"no permission to read", "locked.png", "cannot be read (Permission denied)", false});
  return broken;
}

// An 8-bit RGBA PNG as the tools write them, read with libpng's simplified
// interface (exact for such files): straight R, G, B, A; empty when it
// cannot be read.
inline std::vector<uint8_t> readToolPNG(const std::string& path, int* width, int* height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  *width = int(image.width), *height = int(image.height);
  return pixels;
}

// Premultiplied as images hold pixels, where straight colours under low
// alpha cannot come back exactly.
inline std::array<int, 4> premultipliedPixel(const uint8_t* p) {
  auto times = [&](int c) { return (c * p[3] + 127) / 255; };
  return {times(p[0]), times(p[1]), times(p[2]), p[3]};
}

// Whether a reader's pixels (`got`, premultiplied or straight as the
// reader holds them) are the kind's within its tolerance; the first few
// that are not are reported.
inline void expectKindPixels(const ImageKind& kind, const char* reader, bool premultiplied,
                             const std::function<std::array<int, 4>(int x, int y)>& got) {
  int wrong = 0;
  for (int y = 0; y < kind.height; ++y)
    for (int x = 0; x < kind.width; ++x) {
      if (!kind.checked(x, y)) continue;
      std::array<int, 4> g = got(x, y), want = premultipliedPixel(kind.at(x, y));
      if (!premultiplied) want = {kind.at(x, y)[0], kind.at(x, y)[1], kind.at(x, y)[2], kind.at(x, y)[3]};
      for (int c = 0; c < 4; ++c)
        if (std::abs(g[c] - want[c]) > kind.tolerance && ++wrong <= 3)
          ADD_FAILURE() << reader << " at " << x << "," << y << " channel " << c << ": " << g[c] << ", not " << want[c];
    }
}
