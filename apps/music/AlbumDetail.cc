// The album detail screen and the album's flip side.
#include "apps/music/AlbumDetail.h"

#include <cstdio>
#include <string>
#include <vector>

#include "apps/common/Glyphs.h"
#include "apps/music/Library.h"
#include "apps/music/MediaPlayerTheme.h"
#include "apps/music/ScreenTable.h"
#include "apps/music/TextDrawingClasses.h"
#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"

namespace {

constexpr CGFloat kHeaderHeight = 132, kFlipsideHeaderHeight = 76, kRowHeight = 44, kArtworkSide = 100;
constexpr CGFloat kTitleHeight = 20;  // one line of the 16-point title

struct Track {
  const Song* song;
  bool explicitLyrics;
  bool inCloud;
  NSInteger rating;
};

// The album's songs in library order; which of them are explicit, in the
// cloud and how they are rated is fixed per position.
std::vector<Track> albumTracks(const Album& album) {
  std::vector<Track> tracks;
  for (const Song& song : librarySongs())
    if (std::string(song.album) == album.title) {
      NSInteger n = static_cast<NSInteger>(tracks.size());
      tracks.push_back({&song, n % 3 == 1, n % 2 == 0, (n * 2 + 3) % 6});
    }
  return tracks;
}

std::string albumDuration(const std::vector<Track>& tracks) {
  int seconds = 0;
  for (const Track& t : tracks) {
    int m = 0, s = 0;
    std::sscanf(t.song->duration, "%d:%d", &m, &s);
    seconds += m * 60 + s;
  }
  return std::to_string((seconds + 30) / 60) + " Mins";
}

Ref<UILabel> makeLabel(CGFloat size, bool bold, UIColor* colour) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setFont(bold ? UIFont::boldSystemFont(size) : UIFont::systemFont(size));
  label->setTextColor(colour);
  return label;
}

// Draws a label that is not shown as a view: its text in its own font and
// colour, as they are at this moment.
void drawLabel(UILabel* label, CGRect rect, NSInteger alignment) {
  if (!label || !label->text()) return;
  NSDictionary* attributes = NSDictionary::withObjectsAndKeys(
      {label->textColor(), NSForegroundColorAttributeName(), objc::send<UIFont*()>(label, "font"_sel),
       NSFontAttributeName(), NSNumber::withInteger(alignment), NSParagraphStyleAttributeName()});
  drawString(label->text(), rect, attributes);
}

UIColor* hostGrey() { return UIColor::withWhite(0.56, 1); }
UIColor* hostTint() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }

// --- MusicAlbumsDetailTableHeaderView ----------------------------------------------

UITableViewHeaderFooterView* Header_initWithReuseIdentifier(MusicAlbumsDetailTableHeaderView* self, SEL,
                                                            NSString* identifier) {
  auto* header = objc::as<MusicAlbumsDetailTableHeaderView>(
      objc::sendSuper<UITableViewHeaderFooterView*(NSString*)>(self, objc::classOf<UITableViewHeaderFooterView>(),
                                                               "initWithReuseIdentifier:"_sel, identifier));
  if (!header) return nullptr;
  UIView* content = header->contentView();
  header->_artworkView = UIView::make<UIImageView>(CGRectMake(15, 16, kArtworkSide, kArtworkSide));
  content->addSubview(header->_artworkView);
  header->_titleLabel = makeLabel(17, true, UIColor::blackColor());
  header->_detailTextLabel = makeLabel(13, false, UIColor::darkGrayColor());
  header->_yearLabel = makeLabel(13, false, hostGrey());
  header->_copyrightLabel = makeLabel(10, false, hostGrey());
  for (UILabel* label : {header->_titleLabel.get(), header->_detailTextLabel.get(), header->_yearLabel.get(),
                         header->_copyrightLabel.get()})
    content->addSubview(label);
  return header;
}

// Title, details and year stacked beside the artwork, the copyright at
// its foot.
void Header_layoutSubviews(MusicAlbumsDetailTableHeaderView* self, SEL) {
  CGRect b = self->bounds();
  CGFloat x = 15 + kArtworkSide + 12, w = b.size.width - x - 15;
  self->_titleLabel->setFrame(CGRectMake(x, 18, w, 22));
  self->_detailTextLabel->setFrame(CGRectMake(x, 42, w, 18));
  self->_yearLabel->setFrame(CGRectMake(x, 60, w, 18));
  self->_copyrightLabel->setFrame(CGRectMake(x, 16 + kArtworkSide - 14, w, 14));
}

// --- Row content views ----------------------------------------------------------------

UIView* Action_initWithFrame(MusicActionTableViewCellContentView* self, SEL, CGRect frame) {
  auto* view = objc::as<MusicActionTableViewCellContentView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  view->_titleLabel = makeLabel(16, false, hostTint());
  return view;
}
void Action_drawRect(MusicActionTableViewCellContentView* self, SEL, CGRect) {
  CGRect b = self->bounds();
  drawLabel(self->_titleLabel, CGRectMake(42, 0, b.size.width - 57, b.size.height), 0);
}

UIView* Track_initWithFrame(MusicCollectionTrackTableViewCellContentView* self, SEL, CGRect frame) {
  auto* view = objc::as<MusicCollectionTrackTableViewCellContentView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  view->_trackNumberLabel = makeLabel(15, false, hostGrey());
  return view;
}
// The number in its label's colour, the duration in the row's own grey; the
// title is the MediaPlayer UI's text drawing, shown by an image view.
void Track_drawRect(MusicCollectionTrackTableViewCellContentView* self, SEL, CGRect) {
  CGRect b = self->bounds();
  drawLabel(self->_trackNumberLabel, CGRectMake(8, 0, 26, b.size.height), 1);
  if (self->_duration)
    drawString(self->_duration, CGRectMake(b.size.width - 55, 0, 45, b.size.height),
               NSDictionary::withObjectsAndKeys({hostGrey(), NSForegroundColorAttributeName(), UIFont::systemFont(14),
                                                 NSFontAttributeName(), NSNumber::withInteger(2),
                                                 NSParagraphStyleAttributeName()}));
}

Ref<UITableViewCell> plainCell(NSString* identifier) {
  Ref<UITableViewCell> cell =
      adopt(objc::alloc<UITableViewCell>()->initWithStyle(UITableViewCellStyleDefault, identifier));
  cell->textLabel()->setHidden(YES);
  return cell;
}

Ref<UITableViewCell> shuffleCell() {
  Ref<UITableViewCell> cell = plainCell("Shuffle"_ns);
  Ref<MusicActionTableViewCellContentView> content =
      UIView::make<MusicActionTableViewCellContentView>(cell->contentView()->bounds());
  content->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  content->_titleLabel->setText("Shuffle"_ns);
  cell->contentView()->addSubview(content);
  return cell;
}

Ref<UIImageView> glyphView(UIImage* glyph, CGFloat x, CGFloat height) {
  Ref<UIImageView> view = UIView::make<UIImageView>(CGRectMake(x, 0, 16, height));
  view->setContentMode(UIViewContentModeCenter);
  view->setImage(glyph);
  return view;
}

// A track row at the table's width; the glyphs and the rating sit left of
// the duration.
Ref<UITableViewCell> trackCell(const Track& track, NSInteger number) {
  Ref<UITableViewCell> cell = plainCell("Track"_ns);
  CGFloat width = UIScreen::mainScreen()->bounds().size.width;
  cell->setFrame(CGRectMake(0, 0, width, kRowHeight));
  Ref<MusicCollectionTrackTableViewCellContentView> content =
      UIView::make<MusicCollectionTrackTableViewCellContentView>(CGRectMake(0, 0, width, kRowHeight));
  content->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  content->_trackNumberLabel->setText(NSString::withFormat("%ld", static_cast<long>(number)));
  Ref<NSAttributedString> title = adopt(objc::alloc<NSAttributedString>()->initWithString(
      NSString::withUTF8(track.song->title),
      NSDictionary::withObjectsAndKeys(
          {UIColor::blackColor(), NSForegroundColorAttributeName(), UIFont::systemFont(16), NSFontAttributeName()})));
  content->addSubview(textDrawingView(makeTextDrawing(title, CGSizeMake(width - 190, kTitleHeight)),
                                      CGPointMake(42, (kRowHeight - kTitleHeight) / 2)));
  content->_duration = NSString::withUTF8(track.song->duration);
  if (track.explicitLyrics)
    content->addSubview(glyphView(themeExplicitGlyph(NSString::withUTF8(kSizeCategoryMedium)), width - 145, kRowHeight));
  if (track.inCloud) content->addSubview(glyphView(themeCloudGlyph(), width - 126, kRowHeight));
  Ref<MPURatingControl> rating = UIView::make<MPURatingControl>(CGRectMake(width - 108, 16, 50, 12));
  rating->_rating = track.rating;
  content->addSubview(rating);
  cell->contentView()->addSubview(content);
  return cell;
}

// --- The detail controller ---------------------------------------------------------

struct MusicAlbumsDetailViewController : UIViewController {
  static constexpr const char* kClassName = "MusicAlbumsDetailViewController";
  size_t _albumIndex = 0;
};

Ref<UITableView> trackTable(id source, CGFloat headerHeight) {
  Ref<UITableView> table = makeScreenTable(source, kRowHeight, 20 + kNavigationBarHeight);
  table->_sectionHeaderHeight = headerHeight;
  return table;
}

void Detail_loadView(MusicAlbumsDetailViewController* self, SEL) { self->setView(trackTable(self, kHeaderHeight)); }
void Detail_viewDidLoad(MusicAlbumsDetailViewController* self, SEL) {
  objc::as<UITableView>(self->view())->reloadData();
}
NSInteger Detail_numberOfRows(MusicAlbumsDetailViewController* self, SEL, UITableView*, NSInteger) {
  return 1 + static_cast<NSInteger>(albumTracks(libraryAlbums()[self->_albumIndex]).size());
}
UITableViewCell* Detail_cellForRow(MusicAlbumsDetailViewController* self, SEL, UITableView*, NSIndexPath* path) {
  if (path->row() == 0) return shuffleCell().autorelease();
  std::vector<Track> tracks = albumTracks(libraryAlbums()[self->_albumIndex]);
  return trackCell(tracks[path->row() - 1], path->row()).autorelease();
}
UIView* Detail_viewForHeader(MusicAlbumsDetailViewController* self, SEL, UITableView*, NSInteger) {
  const Album& album = libraryAlbums()[self->_albumIndex];
  std::vector<Track> tracks = albumTracks(album);
  auto* header = objc::as<MusicAlbumsDetailTableHeaderView>(
      objc::alloc<MusicAlbumsDetailTableHeaderView>()->initWithReuseIdentifier("AlbumHeader"_ns));
  if (!header) return nullptr;
  header->_artworkView->setImage(coverImage(album.hue, kArtworkSide));
  header->_titleLabel->setText(NSString::withUTF8(album.title));
  header->_detailTextLabel->setText(
      NSString::withFormat("%zu Songs, %s", tracks.size(), albumDuration(tracks).c_str()));
  header->_yearLabel->setText("Released 2014"_ns);
  header->_copyrightLabel->setText(NSString::withFormat("\u2117 2014 %s", album.artist));
  return objc::as<UIView>(objc_autorelease(header));
}

// --- The flip side -------------------------------------------------------------------

UIView* Flipside_initWithFrame(MusicFlipsideAlbumDetailHeaderView* self, SEL, CGRect frame) {
  auto* header = objc::as<MusicFlipsideAlbumDetailHeaderView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!header) return nullptr;
  header->_artistLabel = makeLabel(13, false, hostGrey());
  header->_albumLabel = makeLabel(17, true, UIColor::blackColor());
  header->_durationLabel = makeLabel(13, false, UIColor::darkGrayColor());
  header->_copyrightYearLabel = makeLabel(11, false, hostGrey());
  for (UILabel* label : {header->_artistLabel.get(), header->_albumLabel.get(), header->_durationLabel.get(),
                         header->_copyrightYearLabel.get()}) {
    label->setTextAlignment(1);
    header->addSubview(label);
  }
  return header;
}

// Artist over album, centred; duration and copyright year on one line
// beneath, left and right.
void Flipside_layoutSubviews(MusicFlipsideAlbumDetailHeaderView* self, SEL) {
  CGFloat w = self->bounds().size.width;
  self->_artistLabel->setFrame(CGRectMake(15, 8, w - 30, 16));
  self->_albumLabel->setFrame(CGRectMake(15, 26, w - 30, 22));
  self->_durationLabel->setFrame(CGRectMake(15, 52, w / 2 - 15, 16));
  self->_copyrightYearLabel->setFrame(CGRectMake(w / 2, 52, w / 2 - 15, 16));
}

struct MusicFlipsideAlbumDetailViewController : UIViewController {
  static constexpr const char* kClassName = "MusicFlipsideAlbumDetailViewController";
  size_t _albumIndex = 0;
};

void FlipsideVC_loadView(MusicFlipsideAlbumDetailViewController* self, SEL) {
  self->setView(trackTable(self, kFlipsideHeaderHeight));
}
void FlipsideVC_viewDidLoad(MusicFlipsideAlbumDetailViewController* self, SEL) {
  objc::as<UITableView>(self->view())->reloadData();
}
NSInteger FlipsideVC_numberOfRows(MusicFlipsideAlbumDetailViewController* self, SEL, UITableView*, NSInteger) {
  return static_cast<NSInteger>(albumTracks(libraryAlbums()[self->_albumIndex]).size());
}
UITableViewCell* FlipsideVC_cellForRow(MusicFlipsideAlbumDetailViewController* self, SEL, UITableView*,
                                       NSIndexPath* path) {
  std::vector<Track> tracks = albumTracks(libraryAlbums()[self->_albumIndex]);
  return trackCell(tracks[path->row()], path->row() + 1).autorelease();
}
UIView* FlipsideVC_viewForHeader(MusicFlipsideAlbumDetailViewController* self, SEL, UITableView*, NSInteger) {
  const Album& album = libraryAlbums()[self->_albumIndex];
  Ref<MusicFlipsideAlbumDetailHeaderView> header =
      UIView::make<MusicFlipsideAlbumDetailHeaderView>(CGRectMake(0, 0, 320, kFlipsideHeaderHeight));
  if (!header) return nullptr;
  header->_artistLabel->setText(NSString::withUTF8(album.artist));
  header->_albumLabel->setText(NSString::withUTF8(album.title));
  header->_durationLabel->setText(NSString::withUTF8(albumDuration(albumTracks(album))));
  header->_copyrightYearLabel->setText("\u2117 2014"_ns);
  return header.autorelease();
}

}  // namespace

Ref<UIViewController> makeAlbumDetailViewController(size_t albumIndex) {
  Ref<MusicAlbumsDetailViewController> detail = objc::make<MusicAlbumsDetailViewController>();
  detail->_albumIndex = albumIndex;
  detail->setTitle(NSString::withUTF8(libraryAlbums()[albumIndex].title));
  return detail;
}

void showAlbumFlipside(UIViewController* albumDetail) {
  auto* detail = objc::as<MusicAlbumsDetailViewController>(albumDetail);
  Ref<MusicFlipsideAlbumDetailViewController> flipside = objc::make<MusicFlipsideAlbumDetailViewController>();
  flipside->_albumIndex = detail->_albumIndex;
  flipside->setTitle("Tracks"_ns);
  if (UINavigationController* nav = detail->navigationController()) nav->pushViewController(flipside, YES);
}

void registerAlbumDetailClasses() {
  objc::ClassBuilder<MusicAlbumsDetailTableHeaderView>("MusicAlbumsDetailTableHeaderView",
                                                       objc::classOf<UITableViewHeaderFooterView>())
      .ivar("_artworkView", &MusicAlbumsDetailTableHeaderView::_artworkView)
      .ivar("_titleLabel", &MusicAlbumsDetailTableHeaderView::_titleLabel)
      .ivar("_detailTextLabel", &MusicAlbumsDetailTableHeaderView::_detailTextLabel)
      .ivar("_yearLabel", &MusicAlbumsDetailTableHeaderView::_yearLabel)
      .ivar("_copyrightLabel", &MusicAlbumsDetailTableHeaderView::_copyrightLabel)
      .method<&Header_initWithReuseIdentifier>("initWithReuseIdentifier:")
      .method<&Header_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<MusicActionTableViewCellContentView>("MusicActionTableViewCellContentView",
                                                          objc::classOf<UIView>())
      .ivar("_titleLabel", &MusicActionTableViewCellContentView::_titleLabel)
      .method<&Action_initWithFrame>("initWithFrame:")
      .method<&Action_drawRect>("drawRect:");
  objc::ClassBuilder<MusicCollectionTrackTableViewCellContentView>("MusicCollectionTrackTableViewCellContentView",
                                                                   objc::classOf<UIView>())
      .ivar("_trackNumberLabel", &MusicCollectionTrackTableViewCellContentView::_trackNumberLabel)
      .method<&Track_initWithFrame>("initWithFrame:")
      .method<&Track_drawRect>("drawRect:");
  objc::ClassBuilder<MusicFlipsideAlbumDetailHeaderView>("MusicFlipsideAlbumDetailHeaderView", objc::classOf<UIView>())
      .ivar("_artistLabel", &MusicFlipsideAlbumDetailHeaderView::_artistLabel)
      .ivar("_albumLabel", &MusicFlipsideAlbumDetailHeaderView::_albumLabel)
      .ivar("_durationLabel", &MusicFlipsideAlbumDetailHeaderView::_durationLabel)
      .ivar("_copyrightYearLabel", &MusicFlipsideAlbumDetailHeaderView::_copyrightYearLabel)
      .method<&Flipside_initWithFrame>("initWithFrame:")
      .method<&Flipside_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<MusicAlbumsDetailViewController>("MusicAlbumsDetailViewController",
                                                      objc::classOf<UIViewController>())
      .method<&Detail_loadView>("loadView")
      .method<&Detail_viewDidLoad>("viewDidLoad")
      .method<&Detail_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&Detail_cellForRow>("tableView:cellForRowAtIndexPath:")
      .method<&Detail_viewForHeader>("tableView:viewForHeaderInSection:");
  objc::ClassBuilder<MusicFlipsideAlbumDetailViewController>("MusicFlipsideAlbumDetailViewController",
                                                             objc::classOf<UIViewController>())
      .method<&FlipsideVC_loadView>("loadView")
      .method<&FlipsideVC_viewDidLoad>("viewDidLoad")
      .method<&FlipsideVC_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&FlipsideVC_cellForRow>("tableView:cellForRowAtIndexPath:")
      .method<&FlipsideVC_viewForHeader>("tableView:viewForHeaderInSection:");
}
