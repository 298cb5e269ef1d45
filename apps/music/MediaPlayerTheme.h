// The MediaPlayer UI's glyph sources and rating control: MPUTheme hands out
// the explicit and cloud glyphs that track rows show, and MPURatingControl
// shows a song's rating as five image views, a star for each point and a
// dot for the rest, with the images its class methods hand out.
//
//   Ref<MPURatingControl> rating = UIView::make<MPURatingControl>(CGRectMake(0, 0, 60, 12));
//   rating->_rating = 3;
#pragma once

#include "platform/uikit/uikit.h"

struct MPURatingControl : UIView {
  static constexpr const char* kClassName = "MPURatingControl";
  Ref<NSArray> _imageViews;
  NSInteger _rating = 0;  // 0 to 5 stars
};

// The content size categories the theme draws its glyphs for.
inline constexpr const char* kSizeCategorySmall = "UICTContentSizeCategoryS";
inline constexpr const char* kSizeCategoryMedium = "UICTContentSizeCategoryM";
inline constexpr const char* kSizeCategoryLarge = "UICTContentSizeCategoryL";

// +[MPUTheme explicitGlyphImageForSizeCategory:] and +[MPUTheme cloudGlyph].
UIImage* themeExplicitGlyph(NSString* sizeCategory);
UIImage* themeCloudGlyph();

void registerMediaPlayerThemeClasses();
