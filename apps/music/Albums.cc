// The Albums screen and MPUVignetteBackgroundView.
#include "apps/music/Albums.h"

#include "apps/common/Glyphs.h"
#include "apps/music/AlbumDetail.h"
#include "apps/music/Library.h"
#include "apps/music/SongList.h"
#include "platform/objc/class_builder.h"

namespace {

constexpr CGFloat kTileWidth = 140, kCaptionHeight = 40;

// --- MPUVignetteBackgroundView ---------------------------------------------------
// Its colour and its dimming layer go through the ordinary setter and
// addSubview:, as the MediaPlayer UI builds it.

UIView* Vignette_initWithFrame(MPUVignetteBackgroundView* self, SEL, CGRect frame) {
  auto* view = objc::as<MPUVignetteBackgroundView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  view->setBackgroundColor(UIColor::withWhite(0.1, 1));
  Ref<UIView> dimming = UIView::create(view->bounds());
  dimming->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  dimming->setBackgroundColor(UIColor::withWhite(0, 0.4));
  view->addSubview(dimming);
  return view;
}

// --- The Albums controller ---------------------------------------------------------

struct MusicAlbumsViewController : UIViewController {
  static constexpr const char* kClassName = "MusicAlbumsViewController";
  CGFloat _laidOutWidth = 0;
};

// The screen's view has no colour of its own: the vignette at the back is
// its background, the grid lies in front of it.
void Albums_loadView(MusicAlbumsViewController* self, SEL) {
  Ref<UIView> view = UIView::create(UIScreen::mainScreen()->bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  self->setView(view);
}

void Albums_viewDidLoad(MusicAlbumsViewController* self, SEL) {
  addVignetteGrid(self, 12, CGSizeMake(kTileWidth, kTileWidth + kCaptionHeight));
}

void Albums_viewDidLayoutSubviews(MusicAlbumsViewController* self, SEL) {
  reloadGridOnWidthChange(self, &self->_laidOutWidth);
}

// A tile opens the album's detail screen.
void Albums_didSelectItem(MusicAlbumsViewController* self, SEL, UICollectionView*, NSIndexPath* path) {
  if (UINavigationController* nav = self->navigationController())
    nav->pushViewController(makeAlbumDetailViewController(static_cast<size_t>(path->row())), YES);
}

NSInteger Albums_numberOfItems(MusicAlbumsViewController*, SEL, UICollectionView*, NSInteger) {
  return static_cast<NSInteger>(libraryAlbums().size());
}

// A tile: the cover above a standard media caption (title over artist).
UIView* Albums_cellForItem(MusicAlbumsViewController*, SEL, UICollectionView*, NSIndexPath* path) {
  const Album& album = libraryAlbums()[path->row()];
  Ref<UICollectionViewCell> cell =
      UIView::make<UICollectionViewCell>(CGRectMake(0, 0, kTileWidth, kTileWidth + kCaptionHeight));
  UIView* content = cell->contentView();
  Ref<UIImageView> cover = UIView::make<UIImageView>(CGRectMake(0, 0, kTileWidth, kTileWidth));
  cover->setImage(coverImage(album.hue, kTileWidth));
  content->addSubview(cover);
  Ref<UIView> caption = makeStandardMediaContentView(CGRectMake(0, kTileWidth, kTileWidth, kCaptionHeight),
                                                     NSString::withUTF8(album.title),
                                                     NSString::withUTF8(album.artist));
  content->addSubview(caption);
  return cell.autorelease();
}

}  // namespace

void addVignetteGrid(UIViewController* controller, CGFloat spacing, CGSize itemSize) {
  UIView* view = controller->view();
  CGRect bounds = view->bounds();
  Ref<UIView> vignette = UIView::make<MPUVignetteBackgroundView>(bounds);
  vignette->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  view->addSubview(vignette);

  Ref<UICollectionView> grid = UIView::make<UICollectionView>(bounds);
  grid->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  grid->_contentInsetTop = 20 + kNavigationBarHeight;
  grid->_contentInsetBottom = kTabBarHeight;
  grid->_spacing = spacing;
  objc::send<void(CGSize)>(grid, "setItemSize:"_sel, itemSize);
  grid->setDataSource(controller);
  view->addSubview(grid);
}

void reloadGridOnWidthChange(UIViewController* controller, CGFloat* laidOutWidth) {
  CGFloat width = controller->view()->bounds().size.width;
  if (width == *laidOutWidth) return;
  *laidOutWidth = width;
  for (UIView* sub : controller->view()->subviewList())
    if (sub->isKindOfClass(objc::classOf<UICollectionView>())) objc::as<UICollectionView>(sub)->reloadData();
}

Ref<UIViewController> makeAlbumsViewController() {
  Ref<UIViewController> albums = objc::make<MusicAlbumsViewController>();
  albums->setTitle("Albums"_ns);
  return albums;
}

void registerAlbumsClasses() {
  objc::ClassBuilder<MPUVignetteBackgroundView>("MPUVignetteBackgroundView", objc::classOf<UIView>())
      .method<&Vignette_initWithFrame>("initWithFrame:");
  objc::ClassBuilder<MusicAlbumsViewController>("MusicAlbumsViewController", objc::classOf<UIViewController>())
      .method<&Albums_loadView>("loadView")
      .method<&Albums_viewDidLoad>("viewDidLoad")
      .method<&Albums_viewDidLayoutSubviews>("viewDidLayoutSubviews")
      .method<&Albums_didSelectItem>("collectionView:didSelectItemAtIndexPath:")
      .method<&Albums_numberOfItems>("collectionView:numberOfItemsInSection:")
      .method<&Albums_cellForItem>("collectionView:cellForItemAtIndexPath:");
}
