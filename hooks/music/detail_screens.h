// Detail screens: the labels of the album, flip-side, track, shuffle and
// Genius screens take the theme's text colours, the More list's rows become
// clear with themed text, and the artists and albums screens get one blur
// view behind their grid.
//
//   replace<&hook_MusicAlbumsDetailTableHeaderView_layoutSubviews, orig_MusicAlbumsDetailTableHeaderView_layoutSubviews>(
//       "MusicAlbumsDetailTableHeaderView", "layoutSubviews")
#pragma once

#include "platform/uikit/UIGeometry.h"
#include "tweak/hook_slot.h"

struct NSString;
struct NSIndexPath;
struct UITableView;
struct UITableViewCell;

// The tag that marks the blur view inserted into the artists and albums
// screens; the screen is searched for it at every layout pass.
inline constexpr NSInteger kScreenBlurTag = 1141;

extern HookSlot<void(CGRect)> orig_MusicActionTableViewCellContentView_drawRect_;
extern HookSlot<id(NSString*)> orig_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_;
extern HookSlot<void()> orig_MusicAlbumsDetailTableHeaderView_layoutSubviews;
extern HookSlot<void(CGRect)> orig_MusicCollectionTrackTableViewCellContentView_drawRect_;
extern HookSlot<void()> orig_MusicGeniusOptInViewController_viewDidLoad;
extern HookSlot<void()> orig_MusicGeniusOptInViewController_layoutSubviews;
extern HookSlot<void()> orig_MusicFlipsideAlbumDetailHeaderView_layoutSubviews;
extern HookSlot<UITableViewCell*(UITableView*, NSIndexPath*)> orig_MusicMoreListController_tableView_cellForRowAtIndexPath_;
extern HookSlot<void()> orig_MusicArtistsViewController_viewDidLayoutSubviews;
extern HookSlot<void()> orig_MusicAlbumsViewController_viewDidLayoutSubviews;

void hook_MusicActionTableViewCellContentView_drawRect_(id self, SEL _cmd, CGRect rect);
id hook_MusicAlbumsDetailTableHeaderView_initWithReuseIdentifier_(id self, SEL _cmd, NSString* identifier);
void hook_MusicAlbumsDetailTableHeaderView_layoutSubviews(id self, SEL _cmd);
void hook_MusicCollectionTrackTableViewCellContentView_drawRect_(id self, SEL _cmd, CGRect rect);
void hook_MusicGeniusOptInViewController_viewDidLoad(id self, SEL _cmd);
void hook_MusicGeniusOptInViewController_layoutSubviews(id self, SEL _cmd);
void hook_MusicFlipsideAlbumDetailHeaderView_layoutSubviews(id self, SEL _cmd);
UITableViewCell* hook_MusicMoreListController_tableView_cellForRowAtIndexPath_(id self, SEL _cmd, UITableView* table,
                                                                              NSIndexPath* path);
void hook_MusicArtistsViewController_viewDidLayoutSubviews(id self, SEL _cmd);
void hook_MusicAlbumsViewController_viewDidLayoutSubviews(id self, SEL _cmd);
