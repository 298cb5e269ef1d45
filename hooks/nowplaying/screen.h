// The Now Playing screen's extensions on MusicNowPlayingViewController: the
// artwork image view with its dim layer behind the screen, the scheme
// picked at each artwork change with the fade-out / swap / fade-in, the
// recolouring of the titles, the navigation item and bar, and the parent's
// bar repainted when the screen goes.
//
//   replace<&hook_MusicNowPlayingViewController_loadView, orig_MusicNowPlayingViewController_loadView>(...)
#pragma once

#include "tweak/hook_slot.h"

struct NSString;
struct UIImageView;
struct UIView;

// Music group.
extern HookSlot<void()> orig_MusicNowPlayingViewController_loadView;
extern HookSlot<void()> orig_MusicNowPlayingViewController_viewDidLoad;
extern HookSlot<void()> orig_MusicNowPlayingViewController__didUpdateArtworkImage;

void hook_MusicNowPlayingViewController_loadView(id self, SEL _cmd);
void hook_MusicNowPlayingViewController_viewDidLoad(id self, SEL _cmd);
id added_MusicNowPlayingViewController_mirel_nowPlayingTitleView(id self, SEL _cmd);
id added_MusicNowPlayingViewController_mirel_backImageView(id self, SEL _cmd);
id added_MusicNowPlayingViewController_mirel_currentArtworkImage(id self, SEL _cmd);
void added_MusicNowPlayingViewController_mirel_updateControlsAndArtwork(id self, SEL _cmd);
void added_MusicNowPlayingViewController_mirel_updateControls(id self, SEL _cmd);
void hook_MusicNowPlayingViewController__didUpdateArtworkImage(id self, SEL _cmd);

// Now Playing group.
extern HookSlot<void(id, BOOL)> orig_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_;
extern HookSlot<id(NSString*, id)> orig_MusicNowPlayingViewController_initWithNibName_bundle_;
extern HookSlot<void(BOOL)> orig_MusicNowPlayingViewController__updateNavigationItemAnimated_;
extern HookSlot<void(BOOL)> orig_MusicNowPlayingViewController_viewWillDisappear_;

void hook_MusicNowPlayingViewController__updateItemRelatedStateForChangeToItem_animated_(id self, SEL _cmd, id item,
                                                                                         BOOL animated);
id hook_MusicNowPlayingViewController_initWithNibName_bundle_(id self, SEL _cmd, NSString* nib, id bundle);
void hook_MusicNowPlayingViewController__updateNavigationItemAnimated_(id self, SEL _cmd, BOOL animated);
void hook_MusicNowPlayingViewController_viewWillDisappear_(id self, SEL _cmd, BOOL animated);

// ArtworkDimView, the dim layer inside the artwork image view; nil until
// the image view is first asked for.
UIView* artworkDimView();
