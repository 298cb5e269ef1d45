// The Artists screen.
#include "apps/music/Artists.h"

#include <string>
#include <vector>

#include "apps/music/Albums.h"
#include "apps/music/Library.h"
#include "apps/music/SongList.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"

namespace {

constexpr CGFloat kPortraitSide = 84, kTileWidth = 130, kCaptionHeight = 40, kSpacing = 14;

struct Artist {
  std::string name;
  int albums;
  double hue;
};

// Every artist of the library's albums, in album order.
std::vector<Artist> libraryArtists() {
  std::vector<Artist> artists;
  for (const Album& album : libraryAlbums()) {
    bool known = false;
    for (Artist& a : artists)
      if (a.name == album.artist) known = true, ++a.albums;
    if (!known) artists.push_back({album.artist, 1, album.hue});
  }
  return artists;
}

// A portrait: a tile in the artist's hue with a lighter head and
// shoulders.
UIImage* portraitImage(double hue, CGFloat side) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(side, side), NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  objc::send<void()>(UIColor::withRGBA(0.3 + 0.5 * hue, 0.35, 0.8 - 0.5 * hue, 1), "setFill"_sel);
  CGContextFillRect(c, CGRectMake(0, 0, side, side));
  CGContextSetRGBFillColor(c, 1, 1, 1, 0.55);
  CGContextFillRect(c, CGRectMake(side * 0.38, side * 0.22, side * 0.24, side * 0.26));
  CGContextFillRect(c, CGRectMake(side * 0.24, side * 0.56, side * 0.52, side * 0.3));
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

struct MusicArtistsViewController : UIViewController {
  static constexpr const char* kClassName = "MusicArtistsViewController";
  CGFloat _laidOutWidth = 0;
};

void Artists_loadView(MusicArtistsViewController* self, SEL) {
  Ref<UIView> view = UIView::create(UIScreen::mainScreen()->bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  self->setView(view);
}

void Artists_viewDidLoad(MusicArtistsViewController* self, SEL) {
  addVignetteGrid(self, kSpacing, CGSizeMake(kTileWidth, kPortraitSide + kCaptionHeight));
}

void Artists_viewDidLayoutSubviews(MusicArtistsViewController* self, SEL) {
  reloadGridOnWidthChange(self, &self->_laidOutWidth);
}

NSInteger Artists_numberOfItems(MusicArtistsViewController*, SEL, UICollectionView*, NSInteger) {
  return static_cast<NSInteger>(libraryArtists().size());
}

UIView* Artists_cellForItem(MusicArtistsViewController*, SEL, UICollectionView*, NSIndexPath* path) {
  Artist artist = libraryArtists()[path->row()];
  CGFloat width = kTileWidth;
  Ref<UICollectionViewCell> cell =
      UIView::make<UICollectionViewCell>(CGRectMake(0, 0, width, kPortraitSide + kCaptionHeight));
  UIView* content = cell->contentView();
  Ref<UIImageView> portrait = UIView::make<UIImageView>(CGRectMake((kTileWidth - kPortraitSide) / 2, 0, kPortraitSide, kPortraitSide));
  portrait->setImage(portraitImage(artist.hue, kPortraitSide));
  content->addSubview(portrait);
  Ref<UIView> caption = makeStandardMediaContentView(
      CGRectMake(0, kPortraitSide, width, kCaptionHeight), NSString::withUTF8(artist.name),
      NSString::withFormat("%d Album%s", artist.albums, artist.albums == 1 ? "" : "s"));
  content->addSubview(caption);
  return cell.autorelease();
}

}  // namespace

Ref<UIViewController> makeArtistsViewController() {
  Ref<UIViewController> artists = objc::make<MusicArtistsViewController>();
  artists->setTitle("Artists"_ns);
  return artists;
}

void registerArtistsClasses() {
  objc::ClassBuilder<MusicArtistsViewController>("MusicArtistsViewController", objc::classOf<UIViewController>())
      .method<&Artists_loadView>("loadView")
      .method<&Artists_viewDidLoad>("viewDidLoad")
      .method<&Artists_viewDidLayoutSubviews>("viewDidLayoutSubviews")
      .method<&Artists_numberOfItems>("collectionView:numberOfItemsInSection:")
      .method<&Artists_cellForItem>("collectionView:cellForItemAtIndexPath:");
}
