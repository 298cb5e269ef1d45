// An album's detail screen, opened from the Albums grid: a table whose
// header (MusicAlbumsDetailTableHeaderView) shows the artwork, title,
// details, year and copyright, followed by a shuffle row and one row per
// track; and the album's flip side, the same tracks under
// MusicFlipsideAlbumDetailHeaderView. Row content views draw their own
// labels, reading each label's colour as they draw.
//
//   navigation->pushViewController(makeAlbumDetailViewController(3), YES);
#pragma once

#include "platform/uikit/uikit.h"

struct MusicAlbumsDetailTableHeaderView : UITableViewHeaderFooterView {
  static constexpr const char* kClassName = "MusicAlbumsDetailTableHeaderView";
  Ref<UIImageView> _artworkView;
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _detailTextLabel;
  Ref<UILabel> _yearLabel;
  Ref<UILabel> _copyrightLabel;
};

// The shuffle row: "_titleLabel" is drawn, not shown as a subview.
struct MusicActionTableViewCellContentView : UIView {
  static constexpr const char* kClassName = "MusicActionTableViewCellContentView";
  Ref<UILabel> _titleLabel;
};

// A track row: the number ("_trackNumberLabel", drawn), the title and the
// duration, then the explicit and cloud glyphs and the rating as subviews.
struct MusicCollectionTrackTableViewCellContentView : UIView {
  static constexpr const char* kClassName = "MusicCollectionTrackTableViewCellContentView";
  Ref<UILabel> _trackNumberLabel;
  Ref<NSString> _duration;
};

struct MusicFlipsideAlbumDetailHeaderView : UIView {
  static constexpr const char* kClassName = "MusicFlipsideAlbumDetailHeaderView";
  Ref<UILabel> _artistLabel;
  Ref<UILabel> _albumLabel;
  Ref<UILabel> _durationLabel;
  Ref<UILabel> _copyrightYearLabel;
};

// The detail screen of the library album at `albumIndex`.
Ref<UIViewController> makeAlbumDetailViewController(size_t albumIndex);

// Turns the album over, as tapping its artwork does: pushes the flip side
// onto the detail screen's navigation controller.
void showAlbumFlipside(UIViewController* albumDetail);

void registerAlbumDetailClasses();
