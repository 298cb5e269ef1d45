// The bytes of an image, from an open file or from memory, read front to
// back once. The first few can be looked at before a decoder starts, and
// the decoder then reads them again, so that files that cannot seek (a
// pipe) read as well as any other.
//
//   ImageInput input = ImageInput::ofFile(file);
//   uint8_t head[8];
//   size_t got = input.peek(head, sizeof head);
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class ImageInput {
 public:
  static ImageInput ofFile(FILE* file) { return ImageInput(file, nullptr, 0); }
  static ImageInput ofBytes(const uint8_t* bytes, size_t length) { return ImageInput(nullptr, bytes, length); }

  // Up to `count` bytes (at most kPeekBytes) from the start, which read()
  // then gives again; call it before the first read().
  size_t peek(uint8_t* into, size_t count);
  // Up to `count` bytes; fewer only at the end or on a read error.
  size_t read(uint8_t* into, size_t count);
  // The errno of a read that failed, 0 when none did.
  int readError() const { return readError_; }

  static constexpr size_t kPeekBytes = 64;

 private:
  ImageInput(FILE* file, const uint8_t* bytes, size_t length) : file_(file), bytes_(bytes), length_(length) {}
  size_t readSource(uint8_t* into, size_t count);

  FILE* file_;
  const uint8_t* bytes_;
  size_t length_, offset_ = 0;
  uint8_t peeked_[kPeekBytes] = {};
  size_t peekedLength_ = 0, peekedOffset_ = 0;
  int readError_ = 0;
};
