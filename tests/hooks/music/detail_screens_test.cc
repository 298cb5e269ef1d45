// Detail screens through launched Music hosts: which colours the host's own
// drawing and layout see in its labels, the screen blur's conditions and the
// More list's rows.
#include <gtest/gtest.h>

#include <functional>

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"
#include "tests/hooks/music/probes.h"
#include "tweak/settings.h"

namespace {

// The tag the extension's screen blur carries.
constexpr NSInteger kBlurTag = 1141;

enum class When { Before, After };

id newView(const char* className, CGRect frame) {
  return objc::send<id(CGRect)>(allocOf(className), "initWithFrame:"_sel, frame);
}

id newAlbumHeader() { return objc::send<id(NSString*)>(allocOf("MusicAlbumsDetailTableHeaderView"), "initWithReuseIdentifier:"_sel, "H"_ns); }

using Fields = std::vector<std::pair<const char*, Theme>>;

// Gives every field's label a colour that is no theme colour, as the host
// may have set since the last pass.
void paintRed(id object, const Fields& fields) {
  for (const auto& [field, theme] : fields) labelIn(object, field)->setTextColor(UIColor::redColor());
}

struct LabelRow {
  const char* method;
  When when;
  Fields fields;
  // Makes the receiver and sends it the method; answers the receiver (+1).
  std::function<id(const Fields&)> run;
};

const Fields kAlbumHeaderFields = {{"_copyrightLabel", Theme::Primary},
                                   {"_detailTextLabel", Theme::Primary},
                                   {"_titleLabel", Theme::Primary},
                                   {"_yearLabel", Theme::Primary}};
const Fields kGeniusFields = {
    {"_aboutGeniusLabel", Theme::Primary},        {"_geniusLegalLabel", Theme::Primary},
    {"_stepOneBulletLabel", Theme::Primary},      {"_stepOneDescriptionLabel", Theme::Primary},
    {"_stepTwoBulletLabel", Theme::Primary},      {"_stepTwoDescriptionLabel", Theme::Primary},
    {"_stepThreeBulletLabel", Theme::Primary},    {"_stepThreeDescriptionLabel", Theme::Primary},
    {"_continueUsingMusicLabel", Theme::Primary},
};

std::function<id(const Fields&)> drawn(const char* className) {
  return [className](const Fields& fields) {
    id view = newView(className, CGRectMake(0, 0, 320, 44));
    paintRed(view, fields);
    objc::send<void(CGRect)>(view, "drawRect:"_sel, CGRectMake(0, 0, 320, 44));
    return view;
  };
}

id geniusController() {
  id controller = objc::send<id()>(allocOf("MusicGeniusOptInViewController"), "init"_sel);
  objc::as<UIViewController>(controller)->view();
  return controller;
}

const LabelRow kLabelRows[] = {
    {"MusicActionTableViewCellContentView drawRect:", When::Before, {{"_titleLabel", Theme::Primary}},
     drawn("MusicActionTableViewCellContentView")},
    {"MusicCollectionTrackTableViewCellContentView drawRect:", When::Before, {{"_trackNumberLabel", Theme::Secondary}},
     drawn("MusicCollectionTrackTableViewCellContentView")},
    {"MusicAlbumsDetailTableHeaderView initWithReuseIdentifier:", When::After, kAlbumHeaderFields,
     [](const Fields&) { return newAlbumHeader(); }},
    {"MusicAlbumsDetailTableHeaderView layoutSubviews", When::Before, kAlbumHeaderFields,
     [](const Fields& fields) {
       id header = newAlbumHeader();
       paintRed(header, fields);
       objc::as<UIView>(header)->layoutSubviews();
       return header;
     }},
    {"MusicFlipsideAlbumDetailHeaderView layoutSubviews", When::Before,
     {{"_artistLabel", Theme::Secondary},
      {"_albumLabel", Theme::Primary},
      {"_durationLabel", Theme::Primary},
      {"_copyrightYearLabel", Theme::Secondary}},
     [](const Fields&) {
       id header = newView("MusicFlipsideAlbumDetailHeaderView", CGRectMake(0, 0, 320, 76));
       objc::as<UIView>(header)->layoutSubviews();  // the host's own colours are still in place
       return header;
     }},
    {"MusicGeniusOptInViewController viewDidLoad", When::After, kGeniusFields,
     [](const Fields&) { return geniusController(); }},
    {"MusicGeniusOptInViewController layoutSubviews", When::Before, kGeniusFields,
     [](const Fields& fields) {
       id controller = geniusController();
       paintRed(controller, fields);
       objc::send<void()>(controller, "layoutSubviews"_sel);
       return controller;
     }},
};

TEST(DetailLabels, EachRowRecolorsItsFieldsOnTheRightSideOfTheHostsMethod) {
  inLaunch(probedMusicHost(), [] {
    for (const LabelRow& row : kLabelRows) {
      SCOPED_TRACE(row.method);
      probes().sights.clear();
      Ref<NSObject> receiver = adopt(objc::as<NSObject>(row.run(row.fields)));
      ASSERT_NE(receiver.get(), nullptr);
      const LabelSight* sight = latestSight(row.method);
      ASSERT_NE(sight, nullptr) << "the host's own method ran";
      for (const auto& [field, theme] : row.fields) {
        UIColor* expected = themeColour(theme);
        EXPECT_TRUE(sameColour(labelIn(receiver, field)->textColor(), expected)) << field;
        if (row.when == When::Before)
          EXPECT_TRUE(sameColour(sight->colours.at(field), expected)) << field << ": the host already saw the theme";
        else
          EXPECT_FALSE(sameColour(sight->colours.at(field), expected)) << field << ": the host set its own first";
      }
    }
  });
}

// --- A host whose classes lack some of the fields ----------------------------------
// Its album header has no copyright and detail labels, which come first in
// the list of fields; its history cell has no advertisement label and its
// radio screen no featured heading. What they do have is still recoloured.

struct LeanAlbumHeader : UITableViewHeaderFooterView {
  static constexpr const char* kClassName = "MusicAlbumsDetailTableHeaderView";
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _yearLabel;
};
struct PartialCell : UITableViewCell {
  static constexpr const char* kClassName = "RUHistoryTableViewCell";
  Ref<UILabel> _titleLabel, _subtitleLabel;
};
struct PartialRadio : UIViewController {
  static constexpr const char* kClassName = "RURadioViewController";
  Ref<UILabel> _myStationsLabel;
};

UITableViewHeaderFooterView* LeanHeader_init(LeanAlbumHeader* self, SEL, NSString* identifier) {
  auto* header = objc::as<LeanAlbumHeader>(objc::sendSuper<UITableViewHeaderFooterView*(NSString*)>(
      self, objc::classOf<UITableViewHeaderFooterView>(), "initWithReuseIdentifier:"_sel, identifier));
  if (!header) return nullptr;
  header->_titleLabel = UIView::make<UILabel>(CGRectZero);
  header->_yearLabel = UIView::make<UILabel>(CGRectZero);
  return header;
}
void LeanHeader_layoutSubviews(LeanAlbumHeader*, SEL) {}
UITableViewCell* PartialCell_init(PartialCell* self, SEL, NSInteger style, NSString* reuse) {
  auto* cell = objc::as<PartialCell>(objc::sendSuper<UITableViewCell*(NSInteger, NSString*)>(
      self, objc::classOf<UITableViewCell>(), "initWithStyle:reuseIdentifier:"_sel, style, reuse));
  if (!cell) return nullptr;
  cell->_titleLabel = UIView::make<UILabel>(CGRectZero);
  cell->_subtitleLabel = UIView::make<UILabel>(CGRectZero);
  return cell;
}
void PartialRadio_layout(PartialRadio* self, SEL) {
  if (!self->_myStationsLabel) self->_myStationsLabel = UIView::make<UILabel>(CGRectZero);
}

void registerLeanHost() {
  objc::ClassBuilder<LeanAlbumHeader>("MusicAlbumsDetailTableHeaderView", objc::classOf<UITableViewHeaderFooterView>())
      .ivar("_titleLabel", &LeanAlbumHeader::_titleLabel)
      .ivar("_yearLabel", &LeanAlbumHeader::_yearLabel)
      .method<&LeanHeader_init>("initWithReuseIdentifier:")
      .method<&LeanHeader_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<PartialCell>("RUHistoryTableViewCell", objc::classOf<UITableViewCell>())
      .ivar("_titleLabel", &PartialCell::_titleLabel)
      .ivar("_subtitleLabel", &PartialCell::_subtitleLabel)
      .method<&PartialCell_init>("initWithStyle:reuseIdentifier:");
  objc::ClassBuilder<PartialRadio>("RURadioViewController", objc::classOf<UIViewController>())
      .ivar("_myStationsLabel", &PartialRadio::_myStationsLabel)
      .method<&PartialRadio_layout>("_layoutScrollViews");
}

TEST(LeanHost, AFieldTheClassLacksIsSkippedAndTheOthersAreStillRecoloured) {
  TestLaunch lean = probedMusicHost();
  lean.registerHostClasses = &registerLeanHost;
  inLaunch(lean, [] {
    Ref<NSObject> header = adopt(objc::as<NSObject>(newAlbumHeader()));
    ASSERT_NE(header.get(), nullptr);
    for (const char* field : {"_titleLabel", "_yearLabel"}) {
      EXPECT_TRUE(sameColour(labelIn(header, field)->textColor(), ThemeColours.PrimaryTextColour)) << field;
      labelIn(header, field)->setTextColor(UIColor::redColor());
    }
    objc::as<UIView>(header)->layoutSubviews();
    for (const char* field : {"_titleLabel", "_yearLabel"})
      EXPECT_TRUE(sameColour(labelIn(header, field)->textColor(), ThemeColours.PrimaryTextColour)) << field;

    Ref<NSObject> cell = adopt(objc::send<NSObject*(NSInteger, NSString*)>(
        allocOf("RUHistoryTableViewCell"), "initWithStyle:reuseIdentifier:"_sel, 0, "Cell"_ns));
    ASSERT_NE(cell.get(), nullptr);
    EXPECT_EQ(class_getInstanceVariable(object_getClass(cell), "_iAdLabel"), nullptr);
    EXPECT_TRUE(sameColour(labelIn(cell, "_subtitleLabel")->textColor(), ThemeColours.SecondaryTextColour));
    EXPECT_TRUE(sameColour(labelIn(cell, "_titleLabel")->textColor(), ThemeColours.PrimaryTextColour));

    Ref<UIViewController> radio = objc::make<PartialRadio>();
    objc::send<void()>(radio, "_layoutScrollViews"_sel);
    EXPECT_TRUE(sameColour(labelIn(radio, "_myStationsLabel")->textColor(), ThemeColours.PrimaryTextColour));
  });
}

// --- The screen blur ----------------------------------------------------------------

struct BlurCase {
  const char* name;
  bool inHierarchy;
  std::function<void(UIView* view)> arrange;  // changes the host's view before the passes
  size_t blurs;
};

UIView* firstOf(UIView* view, bool grid) {
  for (UIView* sub : view->subviewList())
    if (static_cast<bool>(sub->isKindOfClass(objc::classOf<UICollectionView>())) == grid) return sub;
  return nullptr;
}

const BlurCase kBlurCases[] = {
    {"a grid beside the vignette", true, [](UIView*) {}, 1},
    {"no superview", false, [](UIView*) {}, 0},
    {"only the grid", true, [](UIView* view) { firstOf(view, false)->removeFromSuperview(); }, 0},
    {"no collection view", true,
     [](UIView* view) {
       firstOf(view, true)->removeFromSuperview();
       view->addSubview(UIView::create(CGRectZero));
     },
     0},
    {"a view below already tagged 1141", true,
     [](UIView* view) {
       Ref<UILabel> marked = UIView::make<UILabel>(CGRectZero);  // the vignette keeps plain views out
       marked->setTag(kBlurTag);
       firstOf(view, false)->addSubview(marked);
     },
     0},
};

std::vector<UIView*> taggedBlurs(UIView* view) {
  std::vector<UIView*> found;
  for (UIView* sub : view->subviewList())
    if (sub->tag() == kBlurTag && sub->isKindOfClass(objc::classOf<UIBackdropView>())) found.push_back(sub);
  return found;
}

TEST(ScreenBlur, ArtistsAndAlbumsScreensGetOneBlurAtTheBackOnlyWhenTheyHoldAGridBesideSomethingElse) {
  inLaunch(probedMusicHost(), [] {
    for (const char* screen : {"MusicArtistsViewController", "MusicAlbumsViewController"})
      for (const BlurCase& c : kBlurCases) {
        SCOPED_TRACE(std::string(screen) + ", " + c.name);
        AutoreleasePool pool;
        Ref<UIViewController> controller = adopt(objc::send<UIViewController*()>(allocOf(screen), "init"_sel));
        UIView* view = controller->view();
        Ref<UIView> wrapper = UIView::create(view->frame());
        if (c.inHierarchy) wrapper->addSubview(view);
        c.arrange(view);
        for (int pass = 0; pass < 5; ++pass) UIViewControllerLayout(controller);

        EXPECT_TRUE(sameColour(view->backgroundColor(), UIColor::clearColor()));
        std::vector<UIView*> blurs = taggedBlurs(view);
        ASSERT_EQ(blurs.size(), c.blurs);
        if (UIView* grid = firstOf(view, true)) {
          EXPECT_GT(objc::as<UICollectionView>(grid)->_cells->count(), 0u) << "the host's own pass filled its grid";
        }
        if (blurs.empty()) continue;
        EXPECT_EQ(view->subviewList().front(), blurs[0]);
        ASSERT_NE(recordedBackdrop(blurs[0]), nullptr);
        EXPECT_EQ(recordedBackdrop(blurs[0])->frame, CGRectZero);
        EXPECT_TRUE(recordedBackdrop(blurs[0])->autosizes);
        EXPECT_EQ(objc_retainCount(blurs[0]), 1u) << "the view holds the blur; its maker let go";

        // Taken away, it comes back at the next pass.
        blurs[0]->removeFromSuperview();
        UIViewControllerLayout(controller);
        EXPECT_EQ(taggedBlurs(view).size(), 1u);
      }
  });
}

// --- The More list ------------------------------------------------------------------

UITableView* moreTable(UIViewController* list) { return objc::as<UITableView>(list->view()); }

void expectThemedRow(UITableViewCell* cell) {
  EXPECT_TRUE(sameColour(cell->backgroundColor(), UIColor::clearColor()));
  EXPECT_TRUE(sameColour(cell->textLabel()->textColor(), ThemeColours.PrimaryTextColour));
}

TEST(MoreList, EveryRowIsClearAndThemedWhenReusedOrWithoutADetailLabel) {
  inLaunch(probedMusicHost(), [] {
    Ref<UIViewController> list = adopt(objc::send<UIViewController*()>(allocOf("MusicMoreListController"), "init"_sel));
    Ref<UITableViewCell> first = moreTable(list)->cellForRowAtIndexPath(NSIndexPath::forRow(0, 0));
    ASSERT_NE(first.get(), nullptr);
    expectThemedRow(first);
    EXPECT_TRUE(sameColour(first->detailTextLabel()->textColor(), ThemeColours.SecondaryTextColour));

    first->textLabel()->setTextColor(UIColor::redColor());
    first->detailTextLabel()->setTextColor(UIColor::redColor());
    moreTable(list)->reloadData();
    UITableViewCell* again = moreTable(list)->cellForRowAtIndexPath(NSIndexPath::forRow(0, 0));
    ASSERT_EQ(again, first.get()) << "the host reused the row";
    expectThemedRow(again);
    EXPECT_TRUE(sameColour(again->detailTextLabel()->textColor(), ThemeColours.SecondaryTextColour));

    // A row without a detail label is themed and stays without one.
    probes().defaultStyleMoreCells = true;
    Ref<UIViewController> plain = adopt(objc::send<UIViewController*()>(allocOf("MusicMoreListController"), "init"_sel));
    UITableViewCell* cell = moreTable(plain)->cellForRowAtIndexPath(NSIndexPath::forRow(0, 0));
    ASSERT_NE(cell, nullptr);
    expectThemedRow(cell);
    EXPECT_EQ(cell->detailTextLabel(), nullptr);
  });
}

}  // namespace
