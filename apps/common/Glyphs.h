// Small glyph images the modelled apps draw in code (tab bar icons, album
// covers), so that no image files need shipping.
//
//   UIImage* note = glyphImage(Glyph::Note, 30);
#pragma once

#include "platform/coregraphics/CGContext.h"
#include "platform/uikit/UIImage.h"

enum class Glyph { Playlists, Artists, Note, Albums, More, Compose, Genres, Compilations, Composers, Audiobooks, Radio };

// An autoreleased black-on-transparent glyph, size × size points, at the
// screen's scale.
UIImage* glyphImage(Glyph glyph, CGFloat size);
// Fills a rectangle with rounded corners of `radius` in the context's fill
// colour.
void fillRoundedRect(CGContextRef c, CGRect r, CGFloat radius);
// An autoreleased square cover: a two-tone tile in the given hue (0..1).
UIImage* coverImage(CGFloat hue, CGFloat size);
