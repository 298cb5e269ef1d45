// The radio and history screens.
#include "apps/music/Radio.h"

#include "apps/common/Glyphs.h"
#include "apps/music/ScreenTable.h"
#include "apps/music/TextDrawingClasses.h"
#include "platform/objc/class_builder.h"

namespace {

struct FeaturedStation {
  const char* name;
  const char* detail;
  double hue;
};
constexpr FeaturedStation kFeatured[] = {
    {"Pure Pop", "Featured", 0.95}, {"Hot 100", "Top Songs", 0.08}, {"Indie Rock", "Trending", 0.55}};
constexpr const char* kMyStations[] = {"Taylor Swift Radio", "Chill Out", "Jazz Classics"};
constexpr size_t kPlayingStation = 0;

// What the radio screen is built from; the stations are fixed here.
struct RURadioDataSource : NSObject {
  static constexpr const char* kClassName = "RURadioDataSource";
};
constexpr const char* kNowPlaying = "Now Playing: Blank Space";

struct HistoryItem {
  const char* title;
  const char* subtitle;
  const char* station;
  const char* time;
  const char* price;  // empty for an advertisement
};
constexpr HistoryItem kHistory[] = {
    {"Blank Space", "Taylor Swift \u2014 1989", "Pure Pop", "3:42 PM", "$1.29"},
    {"Take Me to Church", "Hozier \u2014 Hozier", "Hot 100", "3:38 PM", "$1.29"},
    {"Fresh Sounds", "Sponsored", "Indie Rock", "3:35 PM", ""},
    {"Riptide", "Vance Joy \u2014 Dream Your Life Away", "Indie Rock", "3:31 PM", "$1.29"},
};

UIColor* radioTint() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }
UIColor* statusGrey() { return UIColor::withWhite(0.56, 1); }

NSDictionary* attributes(UIFont* font, UIColor* colour) {
  if (!colour) return NSDictionary::withObjectsAndKeys({font, NSFontAttributeName()});
  return NSDictionary::withObjectsAndKeys({font, NSFontAttributeName(), colour, NSForegroundColorAttributeName()});
}

Ref<NSAttributedString> attributedText(NSString* text, NSDictionary* attrs) {
  return adopt(objc::alloc<NSAttributedString>()->initWithString(text, attrs));
}

Ref<UILabel> makeLabel(CGRect frame, UIFont* font, UIColor* colour, UIView* parent) {
  Ref<UILabel> label = UIView::make<UILabel>(frame);
  label->setFont(font);
  label->setTextColor(colour);
  parent->addSubview(label);
  return label;
}

// --- RURadioStationsCollectionViewTemplate ------------------------------------
// The look of a row of stations. A station's name is drawn in the template's
// tint when it is playing and in black otherwise, always through
// _textAttributesByReplacingForegroundColorInTextAttributes:withColor:; the
// line under it is drawn as it is, in black.

UIColor* Template_tintColor(RURadioStationsCollectionViewTemplate* self, SEL) { return self->_tintColor.get(); }
void Template_setTintColor(RURadioStationsCollectionViewTemplate* self, SEL, UIColor* colour) {
  self->_tintColor = colour;
}
NSDictionary* Template_replacingForegroundColour(RURadioStationsCollectionViewTemplate*, SEL, NSDictionary* attrs,
                                                 UIColor* colour) {
  auto* copy = objc::as<NSMutableDictionary>(objc_autorelease(objc::send<id()>(attrs, "mutableCopy"_sel)));
  if (copy && colour) copy->setObjectForKey(colour, NSForegroundColorAttributeName());
  return copy;
}

Ref<MPUTextDrawing> stationNameDrawing(id stationsTemplate, const char* name, bool playing) {
  UIColor* colour = playing ? objc::send<UIColor*()>(stationsTemplate, "tintColor"_sel) : UIColor::blackColor();
  NSDictionary* attrs = objc::send<NSDictionary*(NSDictionary*, UIColor*)>(
      stationsTemplate, "_textAttributesByReplacingForegroundColorInTextAttributes:withColor:"_sel,
      attributes(UIFont::systemFont(13), statusGrey()), colour);
  return makeTextDrawing(attributedText(NSString::withUTF8(name), attrs), CGSizeMake(90, 16));
}

Ref<MPUTextDrawing> stationDetailDrawing(const char* detail) {
  return makeTextDrawing(
      attributedText(NSString::withUTF8(detail), attributes(UIFont::systemFont(11), UIColor::blackColor())),
      CGSizeMake(90, 14));
}

// --- RURadioViewController --------------------------------------------------------
// Its view is the my-stations table; above the first row, in the table's
// top inset, lie the featured-stations heading, the featured row and the
// my-stations heading, which _layoutScrollViews places (and styles) at every
// layout pass.

constexpr CGFloat kTopBars = 64, kFeaturedRowHeight = 150, kHeadingHeight = 28;

RURadioViewController* Radio_initWithDataSource(RURadioViewController* self, SEL, id dataSource) {
  auto* radio = objc::as<RURadioViewController>(objc::sendSuper<UIViewController*(NSString*, id)>(
      self, objc::classOf<UIViewController>(), "initWithNibName:bundle:"_sel, nil, nil));
  if (!radio) return nullptr;
  radio->_dataSource = objc::as<NSObject>(dataSource);
  radio->_stationsTemplate = objc::make<RURadioStationsCollectionViewTemplate>();
  radio->setTitle("Radio"_ns);
  return radio;
}
id Radio_dataSource(RURadioViewController* self, SEL) { return self->_dataSource.get(); }

void Radio_loadView(RURadioViewController* self, SEL) {
  self->setView(makeScreenTable(self, 50, kTopBars + 2 * kHeadingHeight + kFeaturedRowHeight));
}

void Radio_viewDidLoad(RURadioViewController* self, SEL) {
  auto* table = objc::as<UITableView>(self->view());
  objc::send<void(UIColor*)>(self->_stationsTemplate, "setTintColor:"_sel, radioTint());
  self->_featuredStationsLabel = makeLabel(CGRectZero, UIFont::boldSystemFont(15), UIColor::blackColor(), table);
  self->_featuredStationsLabel->setText("Featured Stations"_ns);
  self->_featuredStationsView = UIView::make<UICollectionView>(CGRectMake(0, 0, 320, kFeaturedRowHeight));
  objc::send<void(CGSize)>(self->_featuredStationsView, "setItemSize:"_sel, CGSizeMake(90, 136));
  self->_featuredStationsView->setDataSource(self);
  table->addSubview(self->_featuredStationsView);
  self->_myStationsLabel = makeLabel(CGRectZero, UIFont::boldSystemFont(15), UIColor::blackColor(), table);
  self->_myStationsLabel->setText("My Stations"_ns);
  objc::send<void()>(self, "_layoutScrollViews"_sel);
  self->_featuredStationsView->reloadData();
  table->reloadData();
}

void Radio_layoutScrollViews(RURadioViewController* self, SEL) {
  CGFloat width = self->view()->bounds().size.width;
  CGFloat rowTop = kTopBars + kHeadingHeight;
  if (UILabel* featured = self->_featuredStationsLabel.get()) {
    featured->setFrame(CGRectMake(15, kTopBars, width - 30, kHeadingHeight));
    featured->setTextColor(UIColor::blackColor());
  }
  if (UIView* row = self->_featuredStationsView.get()) row->setFrame(CGRectMake(0, rowTop, width, kFeaturedRowHeight));
  if (UILabel* mine = self->_myStationsLabel.get()) {
    mine->setFrame(CGRectMake(15, rowTop + kFeaturedRowHeight, width - 30, kHeadingHeight));
    mine->setTextColor(UIColor::blackColor());
  }
}
void Radio_viewDidLayoutSubviews(RURadioViewController* self, SEL) {
  objc::send<void()>(self, "_layoutScrollViews"_sel);
}

NSInteger Radio_numberOfFeatured(RURadioViewController*, SEL, UICollectionView*, NSInteger) {
  return static_cast<NSInteger>(std::size(kFeatured));
}

// A featured tile: the station's artwork over its name and a line about it.
UIView* Radio_featuredCell(RURadioViewController* self, SEL, UICollectionView*, NSIndexPath* path) {
  const FeaturedStation& station = kFeatured[path->row()];
  Ref<UICollectionViewCell> cell = UIView::make<UICollectionViewCell>(CGRectMake(0, 0, 90, 136));
  UIView* content = cell->contentView();
  Ref<UIImageView> artwork = UIView::make<UIImageView>(CGRectMake(0, 0, 90, 90));
  artwork->setImage(coverImage(station.hue, 90));
  content->addSubview(artwork);
  bool playing = path->row() == 0;
  Ref<MPUTextDrawing> name = stationNameDrawing(self->_stationsTemplate, station.name, playing);
  content->addSubview(textDrawingView(name, CGPointMake(0, 96)));
  content->addSubview(textDrawingView(stationDetailDrawing(station.detail), CGPointMake(0, 114)));
  return cell.autorelease();
}

NSInteger Radio_numberOfSections(RURadioViewController*, SEL, UITableView*) { return 2; }
NSInteger Radio_numberOfRows(RURadioViewController*, SEL, UITableView*, NSInteger section) {
  return section == 0 ? 1 : static_cast<NSInteger>(std::size(kMyStations));
}

template <class Cell>
Ref<Cell> makeCell(const char* reuseIdentifier) {
  return adopt(objc::as<Cell>(objc::send<id(NSInteger, NSString*)>(reinterpret_cast<id>(objc::alloc<Cell>()),
                                                                    "initWithStyle:reuseIdentifier:"_sel, 0,
                                                                    NSString::withUTF8(reuseIdentifier))));
}

// The first section holds the new-station row; the second the user's
// stations, the one playing told what it plays, the others that nothing is.
UITableViewCell* Radio_cellForRow(RURadioViewController*, SEL, UITableView*, NSIndexPath* path) {
  if (path->section() == 0) return makeCell<RUEditNewStationTableViewCell>("NewStation").autorelease();
  Ref<RUStationTreeTableViewCell> cell = makeCell<RUStationTreeTableViewCell>("Station");
  if (!cell) return nullptr;
  size_t row = static_cast<size_t>(path->row());
  cell->_titleLabel->setText(NSString::withUTF8(kMyStations[row]));
  objc::send<void(NSString*, BOOL)>(cell, "setNowPlayingText:animated:"_sel,
                                    row == kPlayingStation ? NSString::withUTF8(kNowPlaying) : nil, NO);
  return cell.autorelease();
}

UIView* Radio_viewForHeader(RURadioViewController*, SEL, UITableView*, NSInteger section) {
  if (section == 0) return nullptr;
  auto* header = objc::as<RUStationTreeTableHeaderView>(
      objc::alloc<RUStationTreeTableHeaderView>()->initWithReuseIdentifier("StationTree"_ns));
  if (!header) return nullptr;
  header->_titleLabel->setText("Created by You"_ns);
  return objc::as<UIView>(objc_autorelease(header));
}

void Radio_historyButtonAction(RURadioViewController* self, SEL, id) {
  Ref<UIViewController> history = objc::make<RUHistoryViewController>();
  if (UINavigationController* nav = self->navigationController()) nav->pushViewController(history, NO);
}

// --- Station list cells and headers ---------------------------------------------

UITableViewCell* Station_initWithStyle(RUStationTreeTableViewCell* self, SEL, NSInteger style, NSString* reuse) {
  auto* cell = objc::as<RUStationTreeTableViewCell>(objc::sendSuper<UITableViewCell*(NSInteger, NSString*)>(
      self, objc::classOf<UITableViewCell>(), "initWithStyle:reuseIdentifier:"_sel, style, reuse));
  if (!cell) return nullptr;
  UIView* content = cell->contentView();
  cell->_titleLabel = makeLabel(CGRectMake(15, 6, 290, 22), UIFont::systemFont(16), UIColor::blackColor(), content);
  cell->_nowPlayingTextLabel = makeLabel(CGRectMake(15, 28, 290, 16), UIFont::systemFont(12), statusGrey(), content);
  cell->_nowPlayingTextLabel->setHidden(YES);
  return cell;
}

// An animated change fades the label in from nothing.
void Station_setNowPlayingText(RUStationTreeTableViewCell* self, SEL, NSString* text, BOOL animated) {
  UILabel* label = self->_nowPlayingTextLabel.get();
  if (!label) return;
  // The cell styles the text each time it sets one.
  label->setText(text);
  label->setTextColor(statusGrey());
  label->setHidden(text ? NO : YES);
  if (!animated || !text) return;
  label->setAlpha(0);
  Ref<UILabel> faded = label;
  Ref<Block<void()>> fadeIn = Block<void()>::make([faded] { faded->setAlpha(1); });
  UIView::animate(0.25, fadeIn, nullptr);
}

UITableViewHeaderFooterView* StationHeader_init(RUStationTreeTableHeaderView* self, SEL, NSString* reuse) {
  auto* header = objc::as<RUStationTreeTableHeaderView>(objc::sendSuper<UITableViewHeaderFooterView*(NSString*)>(
      self, objc::classOf<UITableViewHeaderFooterView>(), "initWithReuseIdentifier:"_sel, reuse));
  if (!header) return nullptr;
  header->_titleLabel =
      makeLabel(CGRectMake(15, 0, 290, 28), UIFont::boldSystemFont(13), statusGrey(), header->contentView());
  return header;
}

UITableViewCell* NewStation_initWithStyle(RUEditNewStationTableViewCell* self, SEL, NSInteger style, NSString* reuse) {
  auto* cell = objc::as<RUEditNewStationTableViewCell>(objc::sendSuper<UITableViewCell*(NSInteger, NSString*)>(
      self, objc::classOf<UITableViewCell>(), "initWithStyle:reuseIdentifier:"_sel, style, reuse));
  if (!cell) return nullptr;
  cell->_titleLabel =
      makeLabel(CGRectMake(15, 0, 290, 50), UIFont::systemFont(16), radioTint(), cell->contentView());
  cell->_titleLabel->setText("New Station\u2026"_ns);
  return cell;
}

// --- RUHistoryViewController -------------------------------------------------------
// The history is the table; its header and the loading and empty-history
// notes lie in it. The history loads when the screen is first about to
// appear: the loading note shows until it has, the empty note only when
// there is nothing.

constexpr CGFloat kHistoryHeaderHeight = 58;

RUHistoryViewController* History_init(RUHistoryViewController* self, SEL) {
  auto* history =
      objc::as<RUHistoryViewController>(objc::sendSuper<id()>(self, objc::classOf<UIViewController>(), "init"_sel));
  if (history) history->setTitle("History"_ns);
  return history;
}

void History_loadView(RUHistoryViewController* self, SEL) {
  self->setView(makeScreenTable(self, 62, kTopBars + kHistoryHeaderHeight));
}

void History_viewDidLoad(RUHistoryViewController* self, SEL) {
  UIView* table = self->view();
  CGFloat width = table->bounds().size.width;
  self->_headerView = adopt(objc::send<UIView*(CGRect, NSString*, NSString*)>(
      reinterpret_cast<id>(objc::alloc<RUHistoryTableHeaderView>()), "initWithFrame:emphasizedText:detailText:"_sel,
      CGRectMake(0, kTopBars, width, kHistoryHeaderHeight), "Recently Played"_ns,
      "Songs you heard on your stations"_ns));
  if (self->_headerView) table->addSubview(self->_headerView);
  CGRect note = CGRectMake(0, kTopBars + kHistoryHeaderHeight + 40, width, 20);
  self->_loadingLabel = makeLabel(note, UIFont::systemFont(15), statusGrey(), table);
  self->_loadingLabel->setText("Loading\u2026"_ns);
  self->_loadingLabel->setTextAlignment(1);
  self->_loadingLabel->setHidden(YES);
  self->_noHistoryLabel = makeLabel(note, UIFont::systemFont(15), statusGrey(), table);
  self->_noHistoryLabel->setText("No History"_ns);
  self->_noHistoryLabel->setTextAlignment(1);
  self->_noHistoryLabel->setHidden(YES);
}

void History_viewWillAppear(RUHistoryViewController* self, SEL, BOOL animated) {
  objc::sendSuper<void(BOOL)>(self, objc::classOf<UIViewController>(), "viewWillAppear:"_sel, animated);
  if (self->_loaded) return;
  auto* table = objc::as<UITableView>(self->view());
  self->_loadingLabel->setHidden(NO);
  self->_loaded = true;
  table->reloadData();
  self->_loadingLabel->setHidden(YES);
  self->_noHistoryLabel->setHidden(std::size(kHistory) > 0 ? YES : NO);
}

NSInteger History_numberOfRows(RUHistoryViewController* self, SEL, UITableView*, NSInteger) {
  return self->_loaded ? static_cast<NSInteger>(std::size(kHistory)) : 0;
}

// A row: the song and its artist in labels; the station it played on (its
// name emphasised) and the time through MPUEmphasizedText, and the price as
// it is, each drawn by MPUTextDrawing.
UITableViewCell* History_cellForRow(RUHistoryViewController*, SEL, UITableView*, NSIndexPath* path) {
  const HistoryItem& item = kHistory[path->row()];
  Ref<RUHistoryTableViewCell> cell = makeCell<RUHistoryTableViewCell>("History");
  if (!cell) return nullptr;
  UIView* content = cell->contentView();
  cell->_titleLabel->setText(NSString::withUTF8(item.title));
  cell->_subtitleLabel->setText(NSString::withUTF8(item.subtitle));
  bool advertisement = *item.price == '\0';
  cell->_iAdLabel->setHidden(advertisement ? NO : YES);

  NSString* from = NSString::withFormat("from %s", item.station);
  Ref<MPUEmphasizedText> station = makeEmphasizedText(from, NSMakeRange(5, from->length() - 5));
  Ref<NSAttributedString> stationText = adopt(objc::send<NSAttributedString*(NSDictionary*, NSDictionary*)>(
      station, "newAttributedStringWithRegularTextAttributes:emphasizedTextAttributes:"_sel,
      attributes(UIFont::systemFont(12), nil), attributes(UIFont::boldSystemFont(12), UIColor::blackColor())));
  content->addSubview(textDrawingView(makeTextDrawing(stationText, CGSizeMake(215, 14)), CGPointMake(15, 43)));

  Ref<MPUEmphasizedText> time = makeEmphasizedText(NSString::withUTF8(item.time), NSMakeRange(0, 0));
  Ref<NSAttributedString> timeText = adopt(objc::send<NSAttributedString*(NSDictionary*)>(
      time, "newAttributedStringWithTextAttributes:"_sel, attributes(UIFont::systemFont(11), statusGrey())));
  content->addSubview(textDrawingView(makeTextDrawing(timeText, CGSizeMake(70, 14)), CGPointMake(240, 8)));

  if (!advertisement) {
    Ref<NSAttributedString> price = attributedText(NSString::withUTF8(item.price),
                                                   attributes(UIFont::boldSystemFont(13), UIColor::blackColor()));
    content->addSubview(textDrawingView(makeTextDrawing(price, CGSizeMake(70, 16)), CGPointMake(240, 26)));
  }
  return cell.autorelease();
}

UITableViewCell* HistoryCell_initWithStyle(RUHistoryTableViewCell* self, SEL, NSInteger style, NSString* reuse) {
  auto* cell = objc::as<RUHistoryTableViewCell>(objc::sendSuper<UITableViewCell*(NSInteger, NSString*)>(
      self, objc::classOf<UITableViewCell>(), "initWithStyle:reuseIdentifier:"_sel, style, reuse));
  if (!cell) return nullptr;
  UIView* content = cell->contentView();
  cell->_titleLabel = makeLabel(CGRectMake(15, 4, 215, 20), UIFont::systemFont(16), UIColor::blackColor(), content);
  cell->_subtitleLabel = makeLabel(CGRectMake(15, 24, 215, 16), UIFont::systemFont(12), statusGrey(), content);
  cell->_iAdLabel = makeLabel(CGRectMake(240, 26, 70, 16), UIFont::boldSystemFont(11), statusGrey(), content);
  cell->_iAdLabel->setText("iAd"_ns);
  cell->_iAdLabel->setHidden(YES);
  return cell;
}

UIView* HistoryHeader_init(RUHistoryTableHeaderView* self, SEL, CGRect frame, NSString* emphasized, NSString* detail) {
  auto* header = objc::as<RUHistoryTableHeaderView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!header) return nullptr;
  CGFloat width = frame.size.width - 30;
  header->_textLabel = makeLabel(CGRectMake(15, 6, width, 24), UIFont::boldSystemFont(17), UIColor::blackColor(), header);
  header->_textLabel->setText(emphasized);
  header->_detailTextLabel = makeLabel(CGRectMake(15, 30, width, 18), UIFont::systemFont(13), statusGrey(), header);
  header->_detailTextLabel->setText(detail);
  return header;
}

}  // namespace

Ref<UIViewController> makeRadioViewController() {
  Ref<RURadioDataSource> dataSource = objc::make<RURadioDataSource>();
  return adopt(objc::send<UIViewController*(id)>(reinterpret_cast<id>(objc::alloc<RURadioViewController>()),
                                                 "initWithDataSource:"_sel, dataSource.get()));
}

void showRadioHistory(UIViewController* radio) {
  objc::send<void(id)>(radio, "_historyButtonAction:"_sel, nil);
}

void registerRadioClasses() {
  objc::ClassBuilder<RURadioDataSource>("RURadioDataSource", objc::classOf<NSObject>());
  objc::ClassBuilder<RURadioStationsCollectionViewTemplate>("RURadioStationsCollectionViewTemplate",
                                                            objc::classOf<NSObject>())
      .ivar("_tintColor", &RURadioStationsCollectionViewTemplate::_tintColor)
      .method<&Template_tintColor>("tintColor")
      .method<&Template_setTintColor>("setTintColor:")
      .method<&Template_replacingForegroundColour>(
          "_textAttributesByReplacingForegroundColorInTextAttributes:withColor:");
  objc::ClassBuilder<RURadioViewController>("RURadioViewController", objc::classOf<UIViewController>())
      .ivar("_dataSource", &RURadioViewController::_dataSource)
      .ivar("_featuredStationsLabel", &RURadioViewController::_featuredStationsLabel)
      .ivar("_myStationsLabel", &RURadioViewController::_myStationsLabel)
      .ivar("_featuredStationsView", &RURadioViewController::_featuredStationsView)
      .method<&Radio_initWithDataSource>("initWithDataSource:")
      .method<&Radio_dataSource>("dataSource")
      .method<&Radio_loadView>("loadView")
      .method<&Radio_viewDidLoad>("viewDidLoad")
      .method<&Radio_viewDidLayoutSubviews>("viewDidLayoutSubviews")
      .method<&Radio_layoutScrollViews>("_layoutScrollViews")
      .method<&Radio_numberOfFeatured>("collectionView:numberOfItemsInSection:")
      .method<&Radio_featuredCell>("collectionView:cellForItemAtIndexPath:")
      .method<&Radio_numberOfSections>("numberOfSectionsInTableView:")
      .method<&Radio_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&Radio_cellForRow>("tableView:cellForRowAtIndexPath:")
      .method<&Radio_viewForHeader>("tableView:viewForHeaderInSection:")
      .method<&Radio_historyButtonAction>("_historyButtonAction:");
  objc::ClassBuilder<RUStationTreeTableViewCell>("RUStationTreeTableViewCell", objc::classOf<UITableViewCell>())
      .ivar("_titleLabel", &RUStationTreeTableViewCell::_titleLabel)
      .ivar("_nowPlayingTextLabel", &RUStationTreeTableViewCell::_nowPlayingTextLabel)
      .method<&Station_initWithStyle>("initWithStyle:reuseIdentifier:")
      .method<&Station_setNowPlayingText>("setNowPlayingText:animated:");
  objc::ClassBuilder<RUStationTreeTableHeaderView>("RUStationTreeTableHeaderView",
                                                   objc::classOf<UITableViewHeaderFooterView>())
      .ivar("_titleLabel", &RUStationTreeTableHeaderView::_titleLabel)
      .method<&StationHeader_init>("initWithReuseIdentifier:");
  objc::ClassBuilder<RUEditNewStationTableViewCell>("RUEditNewStationTableViewCell", objc::classOf<UITableViewCell>())
      .ivar("_titleLabel", &RUEditNewStationTableViewCell::_titleLabel)
      .method<&NewStation_initWithStyle>("initWithStyle:reuseIdentifier:");
  objc::ClassBuilder<RUHistoryViewController>("RUHistoryViewController", objc::classOf<UIViewController>())
      .ivar("_loadingLabel", &RUHistoryViewController::_loadingLabel)
      .ivar("_noHistoryLabel", &RUHistoryViewController::_noHistoryLabel)
      .method<&History_init>("init")
      .method<&History_loadView>("loadView")
      .method<&History_viewDidLoad>("viewDidLoad")
      .method<&History_viewWillAppear>("viewWillAppear:")
      .method<&History_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&History_cellForRow>("tableView:cellForRowAtIndexPath:");
  objc::ClassBuilder<RUHistoryTableViewCell>("RUHistoryTableViewCell", objc::classOf<UITableViewCell>())
      .ivar("_iAdLabel", &RUHistoryTableViewCell::_iAdLabel)
      .ivar("_subtitleLabel", &RUHistoryTableViewCell::_subtitleLabel)
      .ivar("_titleLabel", &RUHistoryTableViewCell::_titleLabel)
      .method<&HistoryCell_initWithStyle>("initWithStyle:reuseIdentifier:");
  objc::ClassBuilder<RUHistoryTableHeaderView>("RUHistoryTableHeaderView", objc::classOf<UIView>())
      .ivar("_textLabel", &RUHistoryTableHeaderView::_textLabel)
      .ivar("_detailTextLabel", &RUHistoryTableHeaderView::_detailTextLabel)
      .method<&HistoryHeader_init>("initWithFrame:emphasizedText:detailText:");
}
