// Reading an image's bytes once, with its first bytes looked at first.
#include "platform/imageio/ImageInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

size_t ImageInput::readSource(uint8_t* into, size_t count) {
  if (!file_) {
    size_t n = std::min(count, length_ - offset_);
    if (n) std::memcpy(into, bytes_ + offset_, n);
    offset_ += n;
    return n;
  }
  size_t n = std::fread(into, 1, count, file_);
  if (n < count && std::ferror(file_) && !readError_) readError_ = errno ? errno : EIO;
  return n;
}

size_t ImageInput::peek(uint8_t* into, size_t count) {
  count = std::min(count, kPeekBytes);
  while (peekedLength_ < count) {
    size_t n = readSource(peeked_ + peekedLength_, count - peekedLength_);
    if (n == 0) break;
    peekedLength_ += n;
  }
  size_t n = std::min(count, peekedLength_);
  std::memcpy(into, peeked_, n);
  return n;
}

size_t ImageInput::read(uint8_t* into, size_t count) {
  size_t done = 0;
  if (peekedOffset_ < peekedLength_) {
    done = std::min(count, peekedLength_ - peekedOffset_);
    std::memcpy(into, peeked_ + peekedOffset_, done);
    peekedOffset_ += done;
  }
  while (done < count) {
    size_t n = readSource(into + done, count - done);
    if (n == 0) break;
    done += n;
  }
  return done;
}
