// The picker's 32 × 32 rendition of an image file, made straight from the
// decoder: the JPEG decoded at the DCT scale nearest above 32 pixels a side
// into Cairo's pixel layout, turned upright where its Exif block says so,
// and stretched into the rendition in one draw. The bytes are those that
// scaleImage: and setupTextureFromImage: make of the file's UIImage, without
// the image objects, the contexts and the copies between them.
//
//   std::array<uint8_t, kDominantSide * kDominantSide * 4> texels;
//   if (KRRenditionOfFile("cover.jpg", texels.data(), &error)) picker->colorSchemeFromRendition(texels.data());
#pragma once

#include <cstdint>
#include <string>

// texels: kDominantSide × kDominantSide × 4 bytes, premultiplied R, G, B, A,
// top row first. False with the reader's words where the file cannot be read.
bool KRRenditionOfFile(const std::string& path, uint8_t* texels, std::string* error);
