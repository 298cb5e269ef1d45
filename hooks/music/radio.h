// Radio screens: right after the host has built or laid out each element of
// the radio and history screens, their labels (reached through the host's
// own fields, by name) take the theme's text colours: titles and headings
// the primary colour, subtitles, details and status texts the secondary.
//
//   replace<&hook_RURadioViewController__layoutScrollViews, orig_RURadioViewController__layoutScrollViews>(...)
#pragma once

#include "platform/uikit/UIGeometry.h"
#include "tweak/hook_slot.h"

struct NSString;

extern HookSlot<id(id)> orig_RURadioViewController_initWithDataSource_;
extern HookSlot<void()> orig_RURadioViewController__layoutScrollViews;
extern HookSlot<void(NSString*, BOOL)> orig_RUStationTreeTableViewCell_setNowPlayingText_animated_;
extern HookSlot<id(NSInteger, NSString*)> orig_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_;
extern HookSlot<id(NSString*)> orig_RUStationTreeTableHeaderView_initWithReuseIdentifier_;
extern HookSlot<id(NSInteger, NSString*)> orig_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_;
extern HookSlot<id(NSInteger, NSString*)> orig_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_;
extern HookSlot<id(CGRect, NSString*, NSString*)> orig_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_;
extern HookSlot<void(BOOL)> orig_RUHistoryViewController_viewWillAppear_;

id hook_RURadioViewController_initWithDataSource_(id self, SEL _cmd, id dataSource);
void hook_RURadioViewController__layoutScrollViews(id self, SEL _cmd);
void hook_RUStationTreeTableViewCell_setNowPlayingText_animated_(id self, SEL _cmd, NSString* text, BOOL animated);
id hook_RUStationTreeTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                                  NSString* reuseIdentifier);
id hook_RUStationTreeTableHeaderView_initWithReuseIdentifier_(id self, SEL _cmd, NSString* reuseIdentifier);
id hook_RUHistoryTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                              NSString* reuseIdentifier);
id hook_RUEditNewStationTableViewCell_initWithStyle_reuseIdentifier_(id self, SEL _cmd, NSInteger style,
                                                                     NSString* reuseIdentifier);
id hook_RUHistoryTableHeaderView_initWithFrame_emphasizedText_detailText_(id self, SEL _cmd, CGRect frame,
                                                                          NSString* emphasizedText,
                                                                          NSString* detailText);
void hook_RUHistoryViewController_viewWillAppear_(id self, SEL _cmd, BOOL animated);
