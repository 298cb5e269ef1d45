// The Playlists list and the Genius opt-in screen.
#include "apps/music/Genius.h"

#include "apps/music/Albums.h"
#include "apps/music/ScreenTable.h"
#include "platform/objc/class_builder.h"

namespace {

constexpr const char* kPlaylists[] = {"Genius", "Recently Added", "Top 25 Most Played", "Road Trip", "Rainy Days"};

// --- MusicGeniusOptInViewController --------------------------------------------

void Genius_loadView(MusicGeniusOptInViewController* self, SEL) {
  Ref<UIView> view = UIView::create(UIScreen::mainScreen()->bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  self->setView(view);
}

Ref<UILabel> geniusLabel(UIView* view, const char* text, CGFloat size, bool bold, UIColor* colour) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setText(NSString::withUTF8(text));
  label->setFont(bold ? UIFont::boldSystemFont(size) : UIFont::systemFont(size));
  label->setTextColor(colour);
  view->addSubview(label);
  return label;
}

// The labels are made and styled here, in the light text the screen shows
// over its dark vignette.
void Genius_viewDidLoad(MusicGeniusOptInViewController* self, SEL) {
  UIView* view = self->view();
  Ref<UIView> vignette = UIView::make<MPUVignetteBackgroundView>(view->bounds());
  vignette->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  view->addSubview(vignette);
  UIColor* white = UIColor::whiteColor();
  UIColor* light = UIColor::withWhite(0.8, 1);
  self->_aboutGeniusLabel =
      geniusLabel(view, "Playlists of songs that go together.", 15, true, white);
  self->_stepOneBulletLabel = geniusLabel(view, "1", 20, true, white);
  self->_stepOneDescriptionLabel = geniusLabel(view, "Genius looks at your library.", 13, false, light);
  self->_stepTwoBulletLabel = geniusLabel(view, "2", 20, true, white);
  self->_stepTwoDescriptionLabel =
      geniusLabel(view, "It learns what goes together.", 13, false, light);
  self->_stepThreeBulletLabel = geniusLabel(view, "3", 20, true, white);
  self->_stepThreeDescriptionLabel =
      geniusLabel(view, "It makes playlists and mixes.", 13, false, light);
  self->_geniusLegalLabel =
      geniusLabel(view, "Turning Genius on sends details of your library.", 11, false, UIColor::withWhite(0.6, 1));
  self->_continueUsingMusicLabel =
      geniusLabel(view, "Continue Using Music Without Genius", 15, false, UIColor::withRGBA(1.0, 0.18, 0.33, 1));
}

// The about text, three numbered steps, the legal note and the way out,
// top to bottom.
void Genius_layoutSubviews(MusicGeniusOptInViewController* self, SEL) {
  CGFloat w = self->view()->bounds().size.width, y = 20 + kNavigationBarHeight + 20;
  self->_aboutGeniusLabel->setFrame(CGRectMake(20, y, w - 40, 40));
  y += 60;
  UILabel* steps[][2] = {{self->_stepOneBulletLabel, self->_stepOneDescriptionLabel},
                         {self->_stepTwoBulletLabel, self->_stepTwoDescriptionLabel},
                         {self->_stepThreeBulletLabel, self->_stepThreeDescriptionLabel}};
  for (auto& step : steps) {
    step[0]->setFrame(CGRectMake(20, y, 24, 36));
    step[1]->setFrame(CGRectMake(52, y, w - 72, 36));
    y += 52;
  }
  self->_geniusLegalLabel->setFrame(CGRectMake(20, y + 10, w - 40, 30));
  self->_continueUsingMusicLabel->setFrame(CGRectMake(20, y + 60, w - 40, 30));
}

void Genius_viewDidLayoutSubviews(MusicGeniusOptInViewController* self, SEL) {
  objc::send<void()>(self, "layoutSubviews"_sel);
}

// --- The Playlists list ----------------------------------------------------------

struct MusicPlaylistsViewController : UIViewController {
  static constexpr const char* kClassName = "MusicPlaylistsViewController";
};

void Playlists_loadView(MusicPlaylistsViewController* self, SEL) {
  self->setView(makeScreenTable(self, 50, 20 + kNavigationBarHeight));
}
void Playlists_viewDidLoad(MusicPlaylistsViewController* self, SEL) {
  objc::as<UITableView>(self->view())->reloadData();
}
NSInteger Playlists_numberOfRows(MusicPlaylistsViewController*, SEL, UITableView*, NSInteger) {
  return static_cast<NSInteger>(std::size(kPlaylists));
}
UITableViewCell* Playlists_cellForRow(MusicPlaylistsViewController*, SEL, UITableView*, NSIndexPath* path) {
  auto* cell = objc::alloc<UITableViewCell>()->initWithStyle(UITableViewCellStyleDefault, "Playlist"_ns);
  if (!cell) return nullptr;
  cell->textLabel()->setText(NSString::withUTF8(kPlaylists[path->row()]));
  return objc::as<UITableViewCell>(objc_autorelease(cell));
}
// The Genius row opens the opt-in screen while Genius is off.
void Playlists_didSelectRow(MusicPlaylistsViewController* self, SEL, UITableView*, NSIndexPath* path) {
  if (path->row() != 0) return;
  Ref<UIViewController> optIn = objc::make<MusicGeniusOptInViewController>();
  optIn->setTitle("Genius"_ns);
  if (UINavigationController* nav = self->navigationController()) nav->pushViewController(optIn, YES);
}

}  // namespace

Ref<UIViewController> makePlaylistsViewController() {
  Ref<UIViewController> playlists = objc::make<MusicPlaylistsViewController>();
  playlists->setTitle("Playlists"_ns);
  return playlists;
}

void openGeniusFromPlaylists(UIViewController* playlists) {
  objc::send<void(UITableView*, NSIndexPath*)>(playlists, "tableView:didSelectRowAtIndexPath:"_sel,
                                               objc::as<UITableView>(playlists->view()), NSIndexPath::forRow(0, 0));
}

void registerGeniusClasses() {
  using G = MusicGeniusOptInViewController;
  objc::ClassBuilder<G>("MusicGeniusOptInViewController", objc::classOf<UIViewController>())
      .ivar("_aboutGeniusLabel", &G::_aboutGeniusLabel)
      .ivar("_geniusLegalLabel", &G::_geniusLegalLabel)
      .ivar("_stepOneBulletLabel", &G::_stepOneBulletLabel)
      .ivar("_stepOneDescriptionLabel", &G::_stepOneDescriptionLabel)
      .ivar("_stepTwoBulletLabel", &G::_stepTwoBulletLabel)
      .ivar("_stepTwoDescriptionLabel", &G::_stepTwoDescriptionLabel)
      .ivar("_stepThreeBulletLabel", &G::_stepThreeBulletLabel)
      .ivar("_stepThreeDescriptionLabel", &G::_stepThreeDescriptionLabel)
      .ivar("_continueUsingMusicLabel", &G::_continueUsingMusicLabel)
      .method<&Genius_loadView>("loadView")
      .method<&Genius_viewDidLoad>("viewDidLoad")
      .method<&Genius_layoutSubviews>("layoutSubviews")
      .method<&Genius_viewDidLayoutSubviews>("viewDidLayoutSubviews");
  objc::ClassBuilder<MusicPlaylistsViewController>("MusicPlaylistsViewController", objc::classOf<UIViewController>())
      .method<&Playlists_loadView>("loadView")
      .method<&Playlists_viewDidLoad>("viewDidLoad")
      .method<&Playlists_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&Playlists_cellForRow>("tableView:cellForRowAtIndexPath:")
      .method<&Playlists_didSelectRow>("tableView:didSelectRowAtIndexPath:");
}
