// Text drawing and emphasised text, through launched Music hosts: what
// reaches the host's MPUTextDrawing, MPUEmphasizedText and radio stations
// template, read back from what they hold and hand out.
#include <gtest/gtest.h>

#include <functional>

#include "tests/hooks/music/probes.h"
#include "tests/support/pixels.h"
#include "tweak/settings.h"

namespace {

NSDictionary* attributes(std::initializer_list<id> objectsAndKeys) {
  return NSDictionary::withObjectsAndKeys(objectsAndKeys);
}
NSDictionary* coloured(UIColor* colour) {
  return attributes({UIFont::systemFont(12), NSFontAttributeName(), colour, NSForegroundColorAttributeName()});
}
NSDictionary* uncoloured() { return attributes({UIFont::systemFont(12), NSFontAttributeName()}); }

NSAttributedString* text(const char* string, NSDictionary* attrs) {
  return objc::as<NSAttributedString>(
      objc_autorelease(objc::alloc<NSAttributedString>()->initWithString(NSString::withUTF8(string), attrs)));
}
// "Station" with the first character in one colour and the rest in another.
NSAttributedString* twoColours(UIColor* first, UIColor* rest) {
  auto* s = objc::as<NSMutableAttributedString>(objc_autorelease(
      objc::alloc<NSMutableAttributedString>()->initWithString("Station"_ns, coloured(rest))));
  s->setAttributes(coloured(first), NSMakeRange(0, 1));
  return s;
}

id drawingOf(NSAttributedString* attributed) {
  return objc_autorelease(objc::send<id(NSAttributedString*, CGSize)>(
      allocOf("MPUTextDrawing"), "initWithAttributedText:size:"_sel, attributed, CGSizeMake(60, 16)));
}
UIImage* imageOf(id drawing) { return objc::send<UIImage*()>(drawing, "image"_sel); }
void setImage(id drawing, UIImage* image) { objc::send<void(UIImage*)>(drawing, "_setImage:"_sel, image); }

// 4 × 4 points at scale 2: the top half opaque black, the bottom half clear.
UIImage* halfBlackImage() {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), NO, 2);
  CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), 0, 0, 0, 1);
  CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 4, 2));
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

struct FirstCharacter {
  const char* name;
  std::function<NSAttributedString*()> text;
  bool repainted;
};

TEST(TextDrawing, OnlyAFirstCharacterEqualToBlackRepaintsTheImage) {
  inLaunch(probedMusicHost(), [] {
    const FirstCharacter cases[] = {
        {"exact black", [] { return text("Station", coloured(UIColor::blackColor())); }, true},
        {"black, then red", [] { return twoColours(UIColor::blackColor(), UIColor::redColor()); }, true},
        {"dark grey", [] { return text("Station", coloured(UIColor::darkGrayColor())); }, false},
        {"black at alpha 0.99", [] { return text("Station", coloured(UIColor::withWhite(0, 0.99))); }, false},
        {"RGB black, another colour to isEqual:", [] { return text("Station", coloured(UIColor::withRGBA(0, 0, 0, 1))); },
         false},
        {"no colour attribute", [] { return text("Station", uncoloured()); }, false},
        {"red, then black", [] { return twoColours(UIColor::redColor(), UIColor::blackColor()); }, false},
        {"nil text", [] { return nullptr; }, false},
        {"empty text", [] { return text("", coloured(UIColor::blackColor())); }, false},
    };
    for (const FirstCharacter& c : cases) {
      SCOPED_TRACE(c.name);
      id drawing = drawingOf(c.text());
      ASSERT_NE(drawing, nil);
      UIImage* given = halfBlackImage();
      setImage(drawing, given);
      UIImage* held = imageOf(drawing);
      ASSERT_NE(held, nullptr);
      if (!c.repainted) {
        EXPECT_EQ(held, given) << "the host's image, unchanged";
        continue;
      }
      EXPECT_NE(held, given);
      EXPECT_EQ(held->size(), given->size());
      EXPECT_EQ(held->scale(), 2);
      EXPECT_EQ(pixelAt(held->CGImage(), 3, 1), (RGBA{0x20, 0x40, 0xC0, 255})) << "painted in the primary colour";
      EXPECT_EQ(pixelAt(held->CGImage(), 3, 6).a, 0) << "the image's own alpha kept";
    }
    id black = drawingOf(text("Station", coloured(UIColor::blackColor())));
    setImage(black, nil);
    EXPECT_EQ(imageOf(black), nullptr) << "a nil image reaches the host as nil";
  });
}

// Whatever colour the host hands it, nil included, the template tints and
// names stations in the secondary colour; the caller's attributes stay.
TEST(RadioStationsTemplate, TintAndStationNamesTakeTheSecondaryColour) {
  inLaunch(probedMusicHost(), [] {
    Ref<NSObject> stations = adopt(objc::as<NSObject>(
        objc::send<id()>(allocOf("RURadioStationsCollectionViewTemplate"), "init"_sel)));
    NSDictionary* given = coloured(UIColor::redColor());
    for (UIColor* colour : {UIColor::redColor(), static_cast<UIColor*>(nil), UIColor::clearColor(),
                            ThemeColours.PrimaryTextColour.get()}) {
      SCOPED_TRACE(colour ? UIColorHexText(colour) : "nil");
      objc::send<void(UIColor*)>(stations, "setTintColor:"_sel, colour);
      EXPECT_TRUE(sameColour(objc::send<id()>(stations, "tintColor"_sel), ThemeColours.SecondaryTextColour));
      auto* made = objc::send<NSDictionary*(NSDictionary*, UIColor*)>(
          stations, "_textAttributesByReplacingForegroundColorInTextAttributes:withColor:"_sel, given, colour);
      ASSERT_NE(made, nullptr);
      EXPECT_TRUE(sameColour(made->objectForKey(NSForegroundColorAttributeName()), ThemeColours.SecondaryTextColour));
      EXPECT_EQ(made->objectForKey(NSFontAttributeName()), given->objectForKey(NSFontAttributeName()));
      EXPECT_TRUE(sameColour(given->objectForKey(NSForegroundColorAttributeName()), UIColor::redColor()));
    }
  });
}

Ref<NSObject> emphasized(const char* string, NSRange range) {
  return adopt(objc::as<NSObject>(objc::send<id(NSString*, NSRange)>(
      allocOf("MPUEmphasizedText"), "initWithText:emphasizedRange:"_sel, NSString::withUTF8(string), range)));
}
NSAttributedString* single(id text, NSDictionary* attrs) {
  return objc::send<NSAttributedString*(NSDictionary*)>(text, "newAttributedStringWithTextAttributes:"_sel, attrs);
}
NSAttributedString* twoStyles(id text, NSDictionary* regular, NSDictionary* emphasised) {
  return objc::send<NSAttributedString*(NSDictionary*, NSDictionary*)>(
      text, "newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:"_sel, regular, emphasised);
}
id colourAt(NSAttributedString* s, NSUInteger index) { return s->attribute(NSForegroundColorAttributeName(), index); }

enum class Regular { Primary, Secondary, None };

struct RegularCase {
  const char* name;
  std::function<NSDictionary*()> regular;
  Regular expected;
};

// The single style takes the primary colour wherever it is given
// attributes; both families hand over strings that are the caller's own.
TEST(EmphasizedText, RegularRunsFollowWhetherTheHostGaveThemAColourEmphasisedAndSingleStyleOnesArePrimary) {
  inLaunch(probedMusicHost(), [] {
    const RegularCase cases[] = {
        {"a red regular colour", [] { return coloured(UIColor::redColor()); }, Regular::Primary},
        {"a black regular colour", [] { return coloured(UIColor::blackColor()); }, Regular::Primary},
        {"no regular colour", [] { return uncoloured(); }, Regular::Secondary},
        {"nil regular attributes", [] { return nullptr; }, Regular::None},
    };
    Ref<NSObject> source = emphasized("from Pure Pop", NSMakeRange(5, 8));
    for (const RegularCase& c : cases) {
      SCOPED_TRACE(c.name);
      NSDictionary* regular = c.regular();
      NSDictionary* emphasis = attributes({UIFont::boldSystemFont(12), NSFontAttributeName(), UIColor::redColor(),
                                           NSForegroundColorAttributeName()});
      NSUInteger regularCount = regular ? regular->count() : 0;
      id regularColour = regular ? regular->objectForKey(NSForegroundColorAttributeName()) : nil;
      Ref<NSAttributedString> made, one;  // each beside the reference handed over
      {
        AutoreleasePool inner;
        made = twoStyles(source, regular, emphasis);
        one = single(source, regular);
        ASSERT_NE(made.get(), nullptr);
        ASSERT_NE(one.get(), nullptr);
        EXPECT_EQ(objc_retainCount(made), 2u) << "no extra reference left behind";
        EXPECT_EQ(objc_retainCount(one), 2u) << "no extra reference left behind";
      }
      EXPECT_EQ(objc_retainCount(made), 2u) << "none taken away by a pool";
      EXPECT_EQ(objc_retainCount(one), 2u) << "none taken away by a pool";
      objc_release(made);
      objc_release(one);

      switch (c.expected) {
        case Regular::Primary: EXPECT_TRUE(sameColour(colourAt(made, 0), ThemeColours.PrimaryTextColour)); break;
        case Regular::Secondary: EXPECT_TRUE(sameColour(colourAt(made, 0), ThemeColours.SecondaryTextColour)); break;
        case Regular::None: EXPECT_EQ(colourAt(made, 0), nil) << "nothing could be set on nil"; break;
      }
      EXPECT_TRUE(sameColour(colourAt(made, 5), ThemeColours.PrimaryTextColour));
      EXPECT_EQ(made->attribute(NSFontAttributeName(), 5), emphasis->objectForKey(NSFontAttributeName()));
      if (regular) {
        EXPECT_TRUE(sameColour(colourAt(one, 0), ThemeColours.PrimaryTextColour)) << "the single style";
        EXPECT_EQ(one->attribute(NSFontAttributeName(), 0), regular->objectForKey(NSFontAttributeName()));
        EXPECT_EQ(made->attribute(NSFontAttributeName(), 0), regular->objectForKey(NSFontAttributeName()));
        EXPECT_EQ(regular->count(), regularCount) << "the caller's regular attributes are unchanged";
        EXPECT_EQ(regular->objectForKey(NSForegroundColorAttributeName()), regularColour);
      } else {
        EXPECT_EQ(colourAt(one, 0), nil) << "nil attributes have nothing to recolour";
      }
      EXPECT_TRUE(sameColour(emphasis->objectForKey(NSForegroundColorAttributeName()), UIColor::redColor()));
    }
  });
}

}  // namespace
