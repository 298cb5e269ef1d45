// The Songs screen: a table of songs whose rows draw their texts with the
// attribute dictionaries that MusicSongListTableViewCellContentView's class
// methods hand out, under MusicTableSectionHeaderView headers.
//
//   Ref<UIViewController> songs = makeSongsViewController();
#pragma once

#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"

struct MusicCellContentView : UIView {
  static constexpr const char* kClassName = "MusicSongListTableViewCellContentView";
  Ref<NSString> _title;
  Ref<NSString> _subtitle;
  Ref<NSString> _detail;
  bool _emphasized = false;  // the song that is playing
};

struct MusicTableSectionHeaderView : UITableViewHeaderFooterView {
  static constexpr const char* kClassName = "MusicTableSectionHeaderView";
  Ref<NSString> _title;
};

Ref<UIViewController> makeSongsViewController();

// A MusicStandardMediaTableViewCellContentView showing a title over a
// subtitle in its class's text attributes.
Ref<UIView> makeStandardMediaContentView(CGRect frame, NSString* title, NSString* subtitle);

void registerSongListClasses();
