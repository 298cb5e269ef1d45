// Radio screens, through launched Music hosts: the labels each host method
// leaves behind, in the theme colours of probedMusicHost().
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/foundation/RunLoop.h"
#include "platform/objc/class.h"
#include "tests/hooks/music/probes.h"
#include "tests/support/text_colour_log.h"
#include "tweak/settings.h"

namespace {

id cellOf(const char* className) {
  return objc_autorelease(objc::send<id(NSInteger, NSString*)>(allocOf(className), "initWithStyle:reuseIdentifier:"_sel,
                                                                0, "Cell"_ns));
}

// A screen (+1) with its view loaded, autoreleased.
id loaded(id controller) {
  objc::as<UIViewController>(controller)->view();
  return objc_autorelease(controller);
}

struct Row {
  const char* method;
  // Builds the receiver and sends it the row's method; `again` repeats the
  // message on the same receiver.
  std::function<id()> act;
  std::function<void(id)> again;  // null for initialisers
  std::vector<std::pair<const char*, Theme>> fields;
  std::optional<CGRect> frame;  // an initialiser given a frame: the view's frame
};

const std::vector<Row>& rows() {
  static const std::vector<Row> table = {
      {"-[RURadioViewController _layoutScrollViews]",
       [] { return loaded(objc::send<id(id)>(allocOf("RURadioViewController"), "initWithDataSource:"_sel, nil)); },
       [](id radio) { objc::send<void()>(radio, "_layoutScrollViews"_sel); },
       {{"_featuredStationsLabel", Theme::Primary}, {"_myStationsLabel", Theme::Primary}}},
      {"-[RUStationTreeTableViewCell initWithStyle:reuseIdentifier:]", [] { return cellOf("RUStationTreeTableViewCell"); },
       nullptr, {{"_titleLabel", Theme::Primary}}},
      {"-[RUStationTreeTableViewCell setNowPlayingText:animated:]",
       [] {
         id cell = cellOf("RUStationTreeTableViewCell");
         objc::send<void(NSString*, BOOL)>(cell, "setNowPlayingText:animated:"_sel, "Now Playing"_ns, NO);
         return cell;
       },
       [](id cell) { objc::send<void(NSString*, BOOL)>(cell, "setNowPlayingText:animated:"_sel, "Next"_ns, YES); },
       {{"_nowPlayingTextLabel", Theme::Secondary}}},
      {"-[RUStationTreeTableHeaderView initWithReuseIdentifier:]",
       [] {
         return objc_autorelease(
             objc::send<id(NSString*)>(allocOf("RUStationTreeTableHeaderView"), "initWithReuseIdentifier:"_sel, nil));
       },
       nullptr, {{"_titleLabel", Theme::Primary}}},
      {"-[RUEditNewStationTableViewCell initWithStyle:reuseIdentifier:]",
       [] { return cellOf("RUEditNewStationTableViewCell"); }, nullptr, {{"_titleLabel", Theme::Primary}}},
      {"-[RUHistoryTableViewCell initWithStyle:reuseIdentifier:]", [] { return cellOf("RUHistoryTableViewCell"); },
       nullptr,
       {{"_iAdLabel", Theme::Secondary}, {"_subtitleLabel", Theme::Secondary}, {"_titleLabel", Theme::Primary}}},
      {"-[RUHistoryTableHeaderView initWithFrame:emphasizedText:detailText:]",
       [] {
         return objc_autorelease(objc::send<id(CGRect, NSString*, NSString*)>(
             allocOf("RUHistoryTableHeaderView"), "initWithFrame:emphasizedText:detailText:"_sel,
             CGRectMake(3, 4, 200, 40), "Played"_ns, nil));
       },
       nullptr, {{"_textLabel", Theme::Primary}, {"_detailTextLabel", Theme::Secondary}}, CGRectMake(3, 4, 200, 40)},
      {"-[RUHistoryViewController viewWillAppear:]",
       [] {
         id history = loaded(objc::send<id()>(allocOf("RUHistoryViewController"), "init"_sel));
         objc::as<UIViewController>(history)->viewWillAppear(NO);
         return history;
       },
       [](id history) { objc::as<UIViewController>(history)->viewWillAppear(YES); },
       {{"_loadingLabel", Theme::Secondary}, {"_noHistoryLabel", Theme::Secondary}}},
  };
  return table;
}

TEST(Radio, EachRowLeavesItsLabelsInTheirThemeColours) {
  inLaunch(probedMusicHost(), [] {
    ASSERT_FALSE(ThemeColours.PrimaryTextColour->isEqual(ThemeColours.SecondaryTextColour));
    for (const Row& row : rows()) {
      SCOPED_TRACE(row.method);
      TextColourLog colours;
      id receiver = row.act();
      ASSERT_NE(receiver, nil);
      std::vector<id> labels;
      for (auto [field, theme] : row.fields) {
        UILabel* label = labelIn(receiver, field);
        ASSERT_NE(label, nullptr) << field;
        EXPECT_TRUE(sameColour(label->textColor(), themeColour(theme))) << field;
        labels.push_back(label);
      }
      // The fields in the row's order (the host's own colourings come first).
      EXPECT_EQ(colours.lastColoured(labels), labels);
      if (row.frame) {
        EXPECT_EQ(objc::as<UIView>(receiver)->frame(), *row.frame);
      }
      if (!row.again) continue;
      // Methods that return nothing recolour at every call, whatever the
      // labels held in between.
      for (auto [field, theme] : row.fields) labelIn(receiver, field)->setTextColor(UIColor::redColor());
      row.again(receiver);
      for (auto [field, theme] : row.fields)
        EXPECT_TRUE(sameColour(labelIn(receiver, field)->textColor(), themeColour(theme))) << field << ", again";
    }
  });
}

TEST(Radio, TheDataSourceAndANilNowPlayingTextReachTheHostAndTheLabelEndsSecondary) {
  inLaunch(probedMusicHost(), [] {
    Ref<NSObject> source = objc::make<NSObject>();
    id fresh = allocOf("RURadioViewController");
    Ref<UIViewController> radio = adopt(objc::send<UIViewController*(id)>(fresh, "initWithDataSource:"_sel, source.get()));
    EXPECT_EQ(radio.get(), fresh) << "the controller the host built";
    EXPECT_EQ(objc::send<id()>(radio, "dataSource"_sel), source.get());
    EXPECT_EQ(objc_retainCount(source), 2u) << "ours and the controller's";
    EXPECT_EQ(radio->title()->str(), "Radio");

    id cell = cellOf("RUStationTreeTableViewCell");
    UILabel* label = labelIn(cell, "_nowPlayingTextLabel");
    objc::send<void(NSString*, BOOL)>(cell, "setNowPlayingText:animated:"_sel, "Blank Space"_ns, YES);
    EXPECT_EQ(label->alpha(), 0) << "the host starts its fade: the flag arrived";
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(label->alpha(), 1);
    label->setTextColor(UIColor::redColor());
    objc::send<void(NSString*, BOOL)>(cell, "setNowPlayingText:animated:"_sel, nil, NO);
    EXPECT_EQ(label->text(), nil);
    EXPECT_TRUE(label->isHidden()) << "the host hides a label without text";
    EXPECT_TRUE(sameColour(label->textColor(), ThemeColours.SecondaryTextColour));
  });
}

}  // namespace
