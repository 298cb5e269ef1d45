// List text recolouring: the twenty attribute methods, each compared with
// the dictionary its saved implementation (the host's own) hands out.
#include <gtest/gtest.h>

#include "platform/foundation/NSArray.h"
#include "tests/hooks/music/probes.h"
#include "tweak/hook_table.h"
#include "tweak/settings.h"

namespace {

struct Row {
  const char* className;
  const char* selector;
  bool classMethod;
  Theme colour;
};

// The assignment is per method; it follows no rule of role or emphasis.
constexpr Row kRows[] = {
    {"MusicSongListTableViewCellContentView", "_detailRegularTextAttributes", true, Theme::Secondary},
    {"MusicSongListTableViewCellContentView", "titleRegularTextAttributes", true, Theme::Secondary},
    {"MusicSongListTableViewCellContentView", "titleEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicSongListTableViewCellContentView", "subtitleRegularTextAttributes", true, Theme::Primary},
    {"MusicSongListTableViewCellContentView", "detailEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicSongListTableViewCellContentView", "detailRegularTextAttributes", true, Theme::Primary},
    {"MusicSongListTableViewCellContentView", "detailRegularGrayTextAttributes", true, Theme::Primary},
    {"MusicStandardMediaTableViewCellContentView", "_titleRegularTextAttributes", true, Theme::Primary},
    {"MusicStandardMediaTableViewCellContentView", "_subtitleRegularTextAttributes", true, Theme::Secondary},
    {"MusicStandardMediaTableViewCellContentView", "titleRegularTextAttributes", true, Theme::Primary},
    {"MusicStandardMediaTableViewCellContentView", "titleEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicStandardMediaTableViewCellContentView", "subtitleRegularTextAttributes", true, Theme::Primary},
    {"MusicStandardMediaTableViewCellContentView", "subtitleEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicTableSectionHeaderView", "titleRegularTextAttributes", false, Theme::Secondary},
    {"MusicTableSectionHeaderView", "titleEmphasizedTextAttributes", false, Theme::Primary},
    {"MusicSearchTableViewCellContentView", "titleRegularTextAttributes", true, Theme::Secondary},
    {"MusicSearchTableViewCellContentView", "titleEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicSearchTableViewCellContentView", "subtitleRegularTextAttributes", true, Theme::Secondary},
    {"MusicSearchTableViewCellContentView", "subtitleEmphasizedTextAttributes", true, Theme::Primary},
    {"MusicSearchTableViewCellContentView", "detailRegularTextAttributes", true, Theme::Secondary},
};

// The saved implementation of a row: what the host itself answers.
NSDictionary* hostAttributes(const Row& row, id receiver) {
  for (const HookRow& hook : hookGroup(HookGroup::Music))
    if (std::string(hook.className) == row.className && std::string(hook.selector) == row.selector &&
        (hook.kind == HookKind::ReplaceClass) == row.classMethod)
      return objc::Sender<NSDictionary*()>::call(*hook.slot, receiver, sel_registerName(row.selector));
  ADD_FAILURE() << "no row for " << row.className << " " << row.selector;
  return nil;
}

TEST(ListText, EachMethodHandsOutACopyInItsThemeColour) {
  inLaunch(probedMusicHost(), [] {
    ASSERT_FALSE(ThemeColours.PrimaryTextColour->isEqual(ThemeColours.SecondaryTextColour));
    Ref<UIView> header = adopt(objc::send<UIView*(NSString*)>(allocOf("MusicTableSectionHeaderView"),
                                                              "initWithReuseIdentifier:"_sel, "Header"_ns));
    for (const Row& row : kRows) {
      SCOPED_TRACE(std::string(row.classMethod ? "+[" : "-[") + row.className + " " + row.selector + "]");
      id receiver = row.classMethod ? reinterpret_cast<id>(objc_getClass(row.className)) : header.get();
      UIColor* expected = themeColour(row.colour);
      NSDictionary* host = hostAttributes(row, receiver);
      ASSERT_NE(host, nullptr);
      Ref<UIColor> hostColour = objc::as<UIColor>(host->objectForKey(NSForegroundColorAttributeName()));
      id hostFont = host->objectForKey(NSFontAttributeName());
      ASSERT_NE(hostColour.get(), nullptr);
      ASSERT_NE(hostFont, nil);

      SEL sel = sel_registerName(row.selector);
      NSDictionary* first = objc::send<NSDictionary*()>(receiver, sel);
      NSDictionary* second = objc::send<NSDictionary*()>(receiver, sel);
      ASSERT_NE(first, nullptr);
      EXPECT_TRUE(sameColour(first->objectForKey(NSForegroundColorAttributeName()), expected));
      EXPECT_EQ(first->objectForKey(NSFontAttributeName()), hostFont) << "the rest stays as the host made it";
      EXPECT_EQ(first->count(), host->count()) << "no key added or removed";

      EXPECT_NE(first, host);
      EXPECT_NE(first, second) << "a new dictionary at every call";
      EXPECT_TRUE(first->isEqual(second));
      EXPECT_EQ(host->objectForKey(NSForegroundColorAttributeName()), hostColour.get())
          << "the host's own dictionary is never changed";
      EXPECT_EQ(hostAttributes(row, receiver), host) << "the host hands out the same dictionary again";
    }
  });
}

}  // namespace
