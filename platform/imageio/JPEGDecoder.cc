// JPEG decoding through libjpeg-turbo, into 8-bit RGBA: baseline and
// progressive, YCbCr, greyscale and CMYK (Adobe's inverted CMYK and YCCK as
// well as plain CMYK), at full size or a DCT scale, with the orientation
// from the Exif block.
//
// The bytes come through a source manager of our own, so that where the
// file ends is known: before the frame header it is truncated, between the
// headers and the first entropy-coded byte it holds only a header, inside
// the image data it is truncated again. A file of one scan whose data is
// all there reads without its end marker: the decoder reads ahead of the
// last bits it needs, and is given the marker where the file ends; it
// warns only when bits it needs are missing.
//
// libjpeg reports fatal errors through error_exit, which must not return:
// it longjmps back to the setjmp in decodeRows. No C++ object that owns
// memory lives across that jump: a failure is kept as plain data (its kind
// and words in a char array) and worded by the caller once decodeRows has
// returned; decodeRows's own locals that change after the setjmp are
// volatile plain C data, freed there.
#include <algorithm>
#include <bit>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "platform/imageio/ImageDecoders.h"
#include "platform/imageio/ImageHeader.h"

namespace {

// A file of more scans than this is refused: a progressive file can hold
// thousands of tiny scans, each one a pass over the whole image.
constexpr int kMaxScans = 500;

enum class Phase { Header, Data, Finishing };

struct Decoding {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  jpeg_source_mgr source;
  jpeg_progress_mgr progress;
  jmp_buf jump;
  ImageInput* input;
  JOCTET buffer[16384];
  Phase phase = Phase::Header;
  size_t leftAtHeaderEnd = 0;  // bytes of the buffer not yet taken when the header was read
  int fillsAfterHeader = 0;
  ImageFailure failure = ImageFailure::Damaged;
  char detail[JMSG_LENGTH_MAX] = {};  // the failure's own words, or the image's size
};

Decoding& decodingOf(j_common_ptr cinfo) { return *static_cast<Decoding*>(cinfo->client_data); }

[[noreturn]] void fail(j_common_ptr cinfo, ImageFailure kind, const char* detail) {
  Decoding& d = decodingOf(cinfo);
  d.failure = kind;
  std::snprintf(d.detail, sizeof d.detail, "%s", detail);
  std::longjmp(d.jump, 1);
}

// Whether the size in the header is within the limit; where it is not, the
// failure is noted as Oversized.
bool noteSize(Decoding& d, JDIMENSION width, JDIMENSION height) {
  if (uint64_t(width) * height <= kImageMaxPixels) return true;
  d.failure = ImageFailure::Oversized;
  std::snprintf(d.detail, sizeof d.detail, "%u x %u", width, height);
  return false;
}

// Fails, in the file's own terms, where the bytes ran out too early to be
// read; returns where the end marker may be all that is missing (the image
// data of a single scan, or after the last row).
void checkEnd(j_decompress_ptr cinfo) {
  Decoding& d = decodingOf(reinterpret_cast<j_common_ptr>(cinfo));
  auto common = reinterpret_cast<j_common_ptr>(cinfo);
  if (d.phase == Phase::Header) {
    if (cinfo->image_width == 0) fail(common, ImageFailure::Truncated, "it ends inside its header");
    if (!noteSize(d, cinfo->image_width, cinfo->image_height)) std::longjmp(d.jump, 1);
    fail(common, ImageFailure::HeaderOnly, "");
  }
  if (d.phase != Phase::Data) return;
  if (d.leftAtHeaderEnd == 0 && d.fillsAfterHeader == 1) fail(common, ImageFailure::HeaderOnly, "");
  // Scans of a progressive file can be missing whole, which no warning
  // would tell.
  if (jpeg_has_multiple_scans(cinfo)) fail(common, ImageFailure::Truncated, "its image data ends early");
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillBuffer(j_decompress_ptr cinfo) {
  Decoding& d = decodingOf(reinterpret_cast<j_common_ptr>(cinfo));
  if (d.phase == Phase::Data) ++d.fillsAfterHeader;
  size_t got = d.input->read(d.buffer, sizeof d.buffer);
  if (got == 0) {
    if (int e = d.input->readError())
      fail(reinterpret_cast<j_common_ptr>(cinfo), ImageFailure::Unreadable, std::strerror(e));
    checkEnd(cinfo);
    d.buffer[0] = 0xFF;
    d.buffer[1] = JPEG_EOI;
    got = 2;
  }
  d.source.next_input_byte = d.buffer;
  d.source.bytes_in_buffer = got;
  return TRUE;
}

void skipBytes(j_decompress_ptr cinfo, long count) {
  Decoding& d = decodingOf(reinterpret_cast<j_common_ptr>(cinfo));
  while (count > 0) {
    if (d.source.bytes_in_buffer == 0) fillBuffer(cinfo);
    size_t step = std::min(size_t(count), d.source.bytes_in_buffer);
    d.source.next_input_byte += step;
    d.source.bytes_in_buffer -= step;
    count -= long(step);
  }
}

[[noreturn]] void onError(j_common_ptr cinfo) {
  Decoding& d = decodingOf(cinfo);
  auto dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  // A damaged header that gave a size over the limit is named by its size.
  if (d.phase == Phase::Header && dinfo->image_width != 0 && !noteSize(d, dinfo->image_width, dinfo->image_height))
    std::longjmp(d.jump, 1);
  char said[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, said);
  fail(cinfo, ImageFailure::Damaged, said);
}

// Warnings are ignored, except a marker where entropy-coded data should be:
// libjpeg would fill the rest of the image with grey, which is not the
// image. Once every row is in, nothing is lost.
void onMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_HIT_MARKER && decodingOf(cinfo).phase != Phase::Finishing)
    fail(cinfo, ImageFailure::Truncated, "its image data ends early");
}

void onProgress(j_common_ptr cinfo) {
  static_assert(kMaxScans == 500, "the words below name the limit");
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    fail(cinfo, ImageFailure::Damaged, "more than 500 scans");
}

// Where each channel's byte lies in a pixel of either layout.
struct ChannelOffsets {
  int red, green, blue, alpha;
};
constexpr ChannelOffsets kRGBAOffsets{0, 1, 2, 3};
constexpr ChannelOffsets kNativeARGBOffsets =
    std::endian::native == std::endian::little ? ChannelOffsets{2, 1, 0, 3} : ChannelOffsets{1, 2, 3, 0};

uint32_t read16(const uint8_t* p, bool little) { return little ? p[0] | p[1] << 8 : p[0] << 8 | p[1]; }
uint32_t read32(const uint8_t* p, bool little) {
  return little ? p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24 : uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The Exif orientation tag (0x0112) of IFD0, 1 without one.
int exifOrientation(jpeg_saved_marker_ptr markers) {
  for (jpeg_saved_marker_ptr m = markers; m; m = m->next) {
    if (m->marker != JPEG_APP0 + 1 || m->data_length < 14 || std::memcmp(m->data, "Exif\0\0", 6) != 0) continue;
    const uint8_t* tiff = m->data + 6;
    size_t size = m->data_length - 6;
    bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) continue;
    uint32_t ifd = read32(tiff + 4, little);
    if (ifd > size - 2) continue;
    uint32_t entries = read16(tiff + ifd, little);
    for (uint32_t i = 0; i < entries; ++i) {
      size_t at = ifd + 2 + size_t(i) * 12;
      if (at + 12 > size) break;
      if (read16(tiff + at, little) != 0x0112) continue;
      uint32_t value = read16(tiff + at + 8, little);
      return value >= 1 && value <= 8 ? int(value) : 1;
    }
  }
  return 1;
}

// Decodes into *out; false with the failure noted in `d`, which lives in
// the caller's frame: it changes after the setjmp and is read after the
// longjmp.
bool decodeRows(Decoding& d, size_t minimumSide, PixelLayout layout, DecodedImage* out) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  uint8_t* volatile pixels = nullptr;
  cinfo.err = jpeg_std_error(&d.errors);
  cinfo.client_data = &d;
  d.errors.error_exit = onError;
  d.errors.emit_message = onMessage;
  if (setjmp(d.jump)) {
    std::free(pixels);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  d.source.init_source = initSource;
  d.source.fill_input_buffer = fillBuffer;
  d.source.skip_input_data = skipBytes;
  d.source.resync_to_restart = jpeg_resync_to_restart;
  d.source.term_source = termSource;
  d.source.bytes_in_buffer = 0;
  d.source.next_input_byte = nullptr;
  cinfo.src = &d.source;
  d.progress.progress_monitor = onProgress;
  cinfo.progress = &d.progress;
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  d.phase = Phase::Data;
  d.leftAtHeaderEnd = d.source.bytes_in_buffer;
  if (!noteSize(d, cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  out->orientation = exifOrientation(cinfo.marker_list);

  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  // Opaque pixels are their own premultiplied form, so Cairo's layout is
  // only a byte order that libjpeg-turbo writes as fast as R, G, B, A.
  bool argb = layout == PixelLayout::PremultipliedNativeARGB;
  ChannelOffsets at = argb ? kNativeARGBOffsets : kRGBAOffsets;
  J_COLOR_SPACE nativeARGB = kNativeARGBOffsets.alpha == 3 ? JCS_EXT_BGRA : JCS_EXT_ARGB;
  cinfo.out_color_space = cmyk ? JCS_CMYK : argb ? nativeARGB : JCS_EXT_RGBA;
  if (minimumSide > 0) {
    for (unsigned num = 1; num <= 8; ++num) {
      cinfo.scale_num = num;
      cinfo.scale_denom = 8;
      jpeg_calc_output_dimensions(&cinfo);
      if (cinfo.output_width >= minimumSide && cinfo.output_height >= minimumSide) break;
    }
  }
  jpeg_calc_output_dimensions(&cinfo);
  size_t rowBytes = size_t(cinfo.output_width) * 4;
  pixels = static_cast<uint8_t*>(std::malloc(rowBytes * cinfo.output_height));
  if (!pixels) {
    d.failure = ImageFailure::OutOfMemory;
    std::snprintf(d.detail, sizeof d.detail, "%u x %u", cinfo.output_width, cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels + size_t(cinfo.output_scanline) * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  d.phase = Phase::Finishing;
  if (cmyk) {
    // Adobe writes CMYK inverted (0 is full ink), which is how nearly every
    // CMYK JPEG in the wild is stored.
    bool inverted = cinfo.saw_Adobe_marker;
    for (uint8_t* p = pixels; p < pixels + rowBytes * cinfo.output_height; p += 4) {
      unsigned k = inverted ? p[3] : 255 - p[3];
      auto channel = [&](int c) { return uint8_t(((inverted ? p[c] : 255 - p[c]) * k + 127) / 255); };
      uint8_t red = channel(0), green = channel(1), blue = channel(2);
      p[at.red] = red, p[at.green] = green, p[at.blue] = blue, p[at.alpha] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  out->pixels.reset(pixels);
  out->layout = layout;
  out->width = cinfo.output_width;
  out->height = cinfo.output_height;
  out->opaque = true;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool decodeJPEG(ImageInput& input, const ImageDecodeOptions& options, DecodedImage* out, ImageReadError* error) {
  Decoding d;
  d.input = &input;
  if (decodeRows(d, options.minimumSide, options.layout, out)) return true;
  *error = imageReadError(d.failure, ImageFormat::JPEG, d.detail);
  return false;
}
