// List text recolouring. Each replacement calls the host's own method and
// returns a recoloured copy of its dictionary. Which theme colour a method
// gets is decided per method, not by role: the song list's regular title,
// for one, takes the secondary colour while its regular subtitle takes the
// primary one.
#include "hooks/music/list_text.h"

#include "tweak/recolour.h"
#include "tweak/settings.h"

HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView__detailRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_titleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_titleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_subtitleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_detailEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_detailRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSongListTableViewCellContentView_detailRegularGrayTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView__titleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView__subtitleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView_titleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView_titleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView_subtitleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicStandardMediaTableViewCellContentView_subtitleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_MusicTableSectionHeaderView_titleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_MusicTableSectionHeaderView_titleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSearchTableViewCellContentView_titleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSearchTableViewCellContentView_titleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSearchTableViewCellContentView_subtitleRegularTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSearchTableViewCellContentView_subtitleEmphasizedTextAttributes;
HookSlot<NSDictionary*()> orig_meta_MusicSearchTableViewCellContentView_detailRegularTextAttributes;

// --- MusicSongListTableViewCellContentView -------------------------------------

NSDictionary* hook_meta_MusicSongListTableViewCellContentView__detailRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView__detailRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_titleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView_titleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_titleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView_titleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_subtitleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView_subtitleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_detailEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView_detailEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_detailRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSongListTableViewCellContentView_detailRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSongListTableViewCellContentView_detailRegularGrayTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicSongListTableViewCellContentView_detailRegularGrayTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

// --- MusicStandardMediaTableViewCellContentView --------------------------------

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView__titleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView__titleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView__subtitleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView__subtitleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView_titleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView_titleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView_titleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView_titleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView_subtitleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView_subtitleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicStandardMediaTableViewCellContentView_subtitleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes =
      orig_meta_MusicStandardMediaTableViewCellContentView_subtitleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

// --- MusicTableSectionHeaderView -----------------------------------------------

NSDictionary* hook_MusicTableSectionHeaderView_titleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_MusicTableSectionHeaderView_titleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_MusicTableSectionHeaderView_titleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_MusicTableSectionHeaderView_titleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

// --- MusicSearchTableViewCellContentView ---------------------------------------

NSDictionary* hook_meta_MusicSearchTableViewCellContentView_titleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSearchTableViewCellContentView_titleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_meta_MusicSearchTableViewCellContentView_titleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSearchTableViewCellContentView_titleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSearchTableViewCellContentView_subtitleRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSearchTableViewCellContentView_subtitleRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}

NSDictionary* hook_meta_MusicSearchTableViewCellContentView_subtitleEmphasizedTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSearchTableViewCellContentView_subtitleEmphasizedTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.PrimaryTextColour);
}

NSDictionary* hook_meta_MusicSearchTableViewCellContentView_detailRegularTextAttributes(id self, SEL _cmd) {
  NSDictionary* attributes = orig_meta_MusicSearchTableViewCellContentView_detailRegularTextAttributes(self, _cmd);
  return attributesWithForegroundColor(attributes, ThemeColours.SecondaryTextColour);
}
