// Radio screens. Every replacement runs the host's method first, with its
// arguments as given; the fields are looked up on the receiver's class at
// each call, so a class without one of them keeps the others recoloured.
#include "hooks/music/radio.h"

#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<id(id)> orig_RURadioViewController_initWithDataSource_;
HookSlot<void()> orig_RURadioViewController__layoutScrollViews;
HookSlot<void(NSString*, BOOL)> orig_RUStationTreeTableViewCell_setNowPlayingText_animated_;
HookSlot<id(NSInteger, NSString*)> orig_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_;
HookSlot<id(NSString*)> orig_RUStationTreeTableHeaderView_initWithReuseIdentifier_;
HookSlot<id(NSInteger, NSString*)> orig_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_;
HookSlot<id(NSInteger, NSString*)> orig_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_;
HookSlot<id(CGRect, NSString*, NSString*)> orig_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_;
HookSlot<void(BOOL)> orig_RUHistoryViewController_viewWillAppear_;

// --- RURadioViewController -------------------------------------------------------
// The section labels are recoloured at every layout pass of the scroll
// views, which also catches labels the host re-creates or re-styles there.

id hook_RURadioViewController_initWithDataSource_(id self, SEL _cmd, id dataSource) {
  return orig_RURadioViewController_initWithDataSource_(self, _cmd, dataSource);
}

void hook_RURadioViewController__layoutScrollViews(id self, SEL _cmd) {
  orig_RURadioViewController__layoutScrollViews(self, _cmd);
  recolourLabelField(self, "_featuredStationsLabel", ThemeColours.PrimaryTextColour);
  recolourLabelField(self, "_myStationsLabel", ThemeColours.PrimaryTextColour);
}

// --- Station list ------------------------------------------------------------------

// Every time the host sets the text, animated or not, nil included.
void hook_RUStationTreeTableViewCell_setNowPlayingText_animated_(id self, SEL _cmd, NSString* text, BOOL animated) {
  orig_RUStationTreeTableViewCell_setNowPlayingText_animated_(self, _cmd, text, animated);
  recolourLabelField(self, "_nowPlayingTextLabel", ThemeColours.SecondaryTextColour);
}

id hook_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                                  NSString* reuseIdentifier) {
  id cell = orig_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_(self, _cmd, style, reuseIdentifier);
  if (cell) recolourLabelField(cell, "_titleLabel", ThemeColours.PrimaryTextColour);
  return cell;
}

id hook_RUStationTreeTableHeaderView_initWithReuseIdentifier_(id self, SEL _cmd, NSString* reuseIdentifier) {
  id header = orig_RUStationTreeTableHeaderView_initWithReuseIdentifier_(self, _cmd, reuseIdentifier);
  if (header) recolourLabelField(header, "_titleLabel", ThemeColours.PrimaryTextColour);
  return header;
}

id hook_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                                     NSString* reuseIdentifier) {
  id cell = orig_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_(self, _cmd, style, reuseIdentifier);
  if (cell) recolourLabelField(cell, "_titleLabel", ThemeColours.PrimaryTextColour);
  return cell;
}

// --- History -------------------------------------------------------------------------

id hook_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                              NSString* reuseIdentifier) {
  id cell = orig_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_(self, _cmd, style, reuseIdentifier);
  if (!cell) return nil;
  recolourLabelField(cell, "_iAdLabel", ThemeColours.SecondaryTextColour);
  recolourLabelField(cell, "_subtitleLabel", ThemeColours.SecondaryTextColour);
  recolourLabelField(cell, "_titleLabel", ThemeColours.PrimaryTextColour);
  return cell;
}

id hook_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_(id self, SEL _cmd, CGRect frame,
                                                                          NSString* emphasizedText,
                                                                          NSString* detailText) {
  id header =
      orig_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_(self, _cmd, frame, emphasizedText, detailText);
  if (!header) return nil;
  recolourLabelField(header, "_textLabel", ThemeColours.PrimaryTextColour);
  recolourLabelField(header, "_detailTextLabel", ThemeColours.SecondaryTextColour);
  return header;
}

// After the host's own handling, each time the screen is about to appear.
void hook_RUHistoryViewController_viewWillAppear_(id self, SEL _cmd, BOOL animated) {
  orig_RUHistoryViewController_viewWillAppear_(self, _cmd, animated);
  recolourLabelField(self, "_loadingLabel", ThemeColours.SecondaryTextColour);
  recolourLabelField(self, "_noHistoryLabel", ThemeColours.SecondaryTextColour);
}
