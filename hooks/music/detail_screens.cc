// Detail screens. Rows that recolour before the host's method do so
// because the host reads its labels' colours while it draws or lays out;
// the initialiser and viewDidLoad rows come after, as the labels are made
// (and given the host's colours) there.
#include "hooks/music/detail_screens.h"

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"
#include "tweak/backdrop.h"
#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<void(CGRect)> orig_MusicActionTableViewCellContentView_drawRect_;
HookSlot<id(NSString*)> orig_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_;
HookSlot<void()> orig_MusicAlbumsDetailTableHeaderView_layoutSubviews;
HookSlot<void(CGRect)> orig_MusicCollectionTrackTableViewCellContentView_drawRect_;
HookSlot<void()> orig_MusicGeniusOptInViewController_viewDidLoad;
HookSlot<void()> orig_MusicGeniusOptInViewController_layoutSubviews;
HookSlot<void()> orig_MusicFlipsideAlbumDetailHeaderView_layoutSubviews;
HookSlot<UITableViewCell*(UITableView*, NSIndexPath*)> orig_MusicMoreListController_tableView_cellForRowAtIndexPath_;
HookSlot<void()> orig_MusicArtistsViewController_viewDidLayoutSubviews;
HookSlot<void()> orig_MusicAlbumsViewController_viewDidLayoutSubviews;

namespace {

constexpr const char* kAlbumHeaderFields[] = {"_copyrightLabel", "_detailTextLabel", "_titleLabel", "_yearLabel"};
constexpr const char* kGeniusFields[] = {
    "_aboutGeniusLabel",        "_geniusLegalLabel",        "_stepOneBulletLabel",
    "_stepOneDescriptionLabel", "_stepTwoBulletLabel",      "_stepTwoDescriptionLabel",
    "_stepThreeBulletLabel",    "_stepThreeDescriptionLabel", "_continueUsingMusicLabel",
};

template <size_t N>
void recolourFields(id object, const char* const (&fields)[N], UIColor* colour) {
  for (const char* field : fields) recolourLabelField(object, field, colour);
}

// The blur goes in once per view: the tag, found anywhere below the view,
// says it is there. Until the view is in a hierarchy and holds a grid
// beside something else, each pass only clears and tries again next time.
void addScreenBlur(id controller) {
  UIView* view = objc::send<UIView*()>(controller, "view"_sel);
  clearBackground(view);
  if (!view->superview()) return;
  if (view->viewWithTag(kScreenBlurTag)) return;
  NSArray* subviews = view->subviews();
  if (subviews->count() < 2) return;
  for (id subview : subviews->items()) {
    if (!objc::send<BOOL(Class)>(subview, "isKindOfClass:"_sel, objc_getClass("UICollectionView"))) continue;
    Ref<UIBackdropView> blur = makeStandardBackdrop(CGRectZero);
    blur->setTag(kScreenBlurTag);
    view->insertSubviewAtIndex(blur, 0);
    return;
  }
}

}  // namespace

// --- Row content views -------------------------------------------------------------

void hook_MusicActionTableViewCellContentView_drawRect_(id self, SEL _cmd, CGRect rect) {
  recolourLabelField(self, "_titleLabel", ThemeColours.PrimaryTextColour);
  orig_MusicActionTableViewCellContentView_drawRect_(self, _cmd, rect);
}

void hook_MusicCollectionTrackTableViewCellContentView_drawRect_(id self, SEL _cmd, CGRect rect) {
  recolourLabelField(self, "_trackNumberLabel", ThemeColours.SecondaryTextColour);
  orig_MusicCollectionTrackTableViewCellContentView_drawRect_(self, _cmd, rect);
}

// --- Album headers -----------------------------------------------------------------

id hook_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_(id self, SEL _cmd, NSString* identifier) {
  id header = orig_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_(self, _cmd, identifier);
  if (header) recolourFields(header, kAlbumHeaderFields, ThemeColours.PrimaryTextColour);
  return header;
}

void hook_MusicAlbumsDetailTableHeaderView_layoutSubviews(id self, SEL _cmd) {
  recolourFields(self, kAlbumHeaderFields, ThemeColours.PrimaryTextColour);
  orig_MusicAlbumsDetailTableHeaderView_layoutSubviews(self, _cmd);
}

void hook_MusicFlipsideAlbumDetailHeaderView_layoutSubviews(id self, SEL _cmd) {
  recolourLabelField(self, "_artistLabel", ThemeColours.SecondaryTextColour);
  recolourLabelField(self, "_albumLabel", ThemeColours.PrimaryTextColour);
  recolourLabelField(self, "_durationLabel", ThemeColours.PrimaryTextColour);
  recolourLabelField(self, "_copyrightYearLabel", ThemeColours.SecondaryTextColour);
  orig_MusicFlipsideAlbumDetailHeaderView_layoutSubviews(self, _cmd);
}

// --- MusicGeniusOptInViewController ----------------------------------------------

void hook_MusicGeniusOptInViewController_viewDidLoad(id self, SEL _cmd) {
  orig_MusicGeniusOptInViewController_viewDidLoad(self, _cmd);
  recolourFields(self, kGeniusFields, ThemeColours.PrimaryTextColour);
}

void hook_MusicGeniusOptInViewController_layoutSubviews(id self, SEL _cmd) {
  recolourFields(self, kGeniusFields, ThemeColours.PrimaryTextColour);
  orig_MusicGeniusOptInViewController_layoutSubviews(self, _cmd);
}

// --- MusicMoreListController -------------------------------------------------------

// Reused cells come back with whatever the host set on them again, so
// every call recolours.
UITableViewCell* hook_MusicMoreListController_tableView_cellForRowAtIndexPath_(id self, SEL _cmd, UITableView* table,
                                                                              NSIndexPath* path) {
  UITableViewCell* cell = orig_MusicMoreListController_tableView_cellForRowAtIndexPath_(self, _cmd, table, path);
  objc::send<void(UIColor*)>(cell, "setBackgroundColor:"_sel, UIColor::clearColor());
  objc::send<void(UIColor*)>(objc::send<id()>(cell, "textLabel"_sel), "setTextColor:"_sel,
                             ThemeColours.PrimaryTextColour.get());
  objc::send<void(UIColor*)>(objc::send<id()>(cell, "detailTextLabel"_sel), "setTextColor:"_sel,
                             ThemeColours.SecondaryTextColour.get());
  return cell;
}

// --- Artists and albums screens ------------------------------------------------------

void hook_MusicArtistsViewController_viewDidLayoutSubviews(id self, SEL _cmd) {
  orig_MusicArtistsViewController_viewDidLayoutSubviews(self, _cmd);
  addScreenBlur(self);
}

void hook_MusicAlbumsViewController_viewDidLayoutSubviews(id self, SEL _cmd) {
  orig_MusicAlbumsViewController_viewDidLayoutSubviews(self, _cmd);
  addScreenBlur(self);
}
