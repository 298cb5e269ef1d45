// The Messages text group (installed with ReadableText only, as the hook
// table's test pins): the conversation cells' labels take the theme's text
// colours; a label the host's cell lacks is left out.
#include <gtest/gtest.h>

#include <string>

#include "platform/objc/class_builder.h"
#include "platform/uikit/uikit.h"
#include "tests/hooks/messages/messages_launch.h"
#include "tweak/settings.h"

namespace {

// The host's conversation cell, laid out as the table lays it out.
template <typename Cell>
Ref<Cell> laidOutCell() {
  id alloc = objc::send<id()>(reinterpret_cast<id>(objc_getClass("CKConversationListCell")), "alloc"_sel);
  Ref<Cell> cell = adopt(objc::as<Cell>(objc::as<UITableViewCell>(alloc)->initWithStyle(0, "Conversation"_ns)));
  cell->setFrame(CGRectMake(0, 64, 320, 74));
  cell->layoutIfNeeded();
  return cell;
}

bool sameColour(UIColor* a, UIColor* b) { return a && b && a->isEqual(b); }

TEST(MessagesText, LabelsTakeTheThemeColoursOnlyWithReadableText) {
  for (bool readable : {false, true}) {
    SCOPED_TRACE(readable ? "ReadableText on" : "ReadableText off");
    std::vector<std::pair<std::string, std::string>> prefs = {{"PrimaryTextColour", "<string>FF0000</string>"},
                                                              {"SecondaryTextColour", "<string>00FF00</string>"}};
    if (readable) prefs.push_back({"ReadableText", "<true/>"});
    inLaunch(messagesLaunch(prefs), [readable] {
      Ref<CKConversationListCell> cell = laidOutCell<CKConversationListCell>();
      UIColor* grey = UIColor::withWhite(0.56, 1);
      EXPECT_TRUE(sameColour(cell->_fromLabel->textColor(),
                             readable ? ThemeColours.PrimaryTextColour.get() : UIColor::blackColor()));
      for (UILabel* label : {cell->_summaryLabel.get(), cell->_dateLabel.get()})
        EXPECT_TRUE(sameColour(label->textColor(), readable ? ThemeColours.SecondaryTextColour.get() : grey));
    });
  }
}

// A cell class with a name label and nothing else.
struct BareConversationCell : UITableViewCell {
  static constexpr const char* kClassName = "CKConversationListCell";
  Ref<UILabel> _fromLabel;
};

TEST(MessagesText, ACellWithoutTheOtherLabelsGetsItsNameColoured) {
  TestLaunch launch = messagesLaunch({{"ReadableText", "<true/>"}});
  launch.principalClass = "UIApplication";
  launch.registerHostClasses = [] {
    objc::ClassBuilder<BareConversationCell>("CKConversationListCell", objc::classOf<UITableViewCell>())
        .ivar("_fromLabel", &BareConversationCell::_fromLabel);
  };
  inLaunch(launch, [] {
    Ref<BareConversationCell> cell = laidOutCell<BareConversationCell>();
    cell->_fromLabel = UIView::make<UILabel>(CGRectZero);
    cell->layoutIfNeeded();
    EXPECT_TRUE(sameColour(cell->_fromLabel->textColor(), ThemeColours.PrimaryTextColour.get()));
  });
}

}  // namespace
