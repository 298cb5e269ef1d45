// Why an image file could not be read. Every reader of image files (the
// artwork, the wallpaper, the toolkit's inputs, the studio's uploads) gives
// one of these kinds with the same words, so that one fault reads the same
// in every tool; tools put the file's name in front: "cover.png: empty file".
//
//   ImageReadError error;
//   if (!readImageFile(path, {}, &image, &error)) std::fprintf(stderr, "%s: %s\n", path, error.cause.c_str());
#pragma once

#include <string>

enum class ImageFailure {
  Unreadable,   // cannot be opened or read (permissions, no such file, an I/O error)
  Directory,    // a folder, which opens but holds no bytes
  Empty,        // no bytes at all
  NotAnImage,   // its first bytes are neither a PNG's nor a JPEG's
  HeaderOnly,   // its header gives a size, then it ends before any image data
  Truncated,    // it ends inside its header or inside its image data
  Oversized,    // its header's width times height is over the limit
  Damaged,      // the decoder refuses what the file holds
  OutOfMemory,  // the pixels of a size within the limit could not be had
};

// The image formats read: told apart by their first bytes, never by name.
enum class ImageFormat { PNG, JPEG };

struct ImageReadError {
  ImageFailure kind = ImageFailure::Damaged;
  std::string cause;
};

// The error of a kind in its words. `format` names the file's format where
// the kind says something of it (header only, truncated, damaged); `detail`
// is the decoder's or the system's own words where there are any, or the
// image's size for Oversized and OutOfMemory ("20000 x 20000").
ImageReadError imageReadError(ImageFailure kind, ImageFormat format, const std::string& detail = "");
// The same for the kinds that come before the format is known.
ImageReadError imageReadError(ImageFailure kind, const std::string& detail = "");
