// UITableView, NSIndexPath and the header/footer views.
#include "platform/uikit/UITableView.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

id IndexPath_forRow(Class cls, SEL, NSInteger row, NSInteger section) {
  auto* path = static_cast<NSIndexPath*>(class_createInstance(cls, 0));
  path->_row = row;
  path->_section = section;
  return objc_autorelease(path);
}
NSInteger IndexPath_row(NSIndexPath* self, SEL) { return self->_row; }
NSInteger IndexPath_section(NSIndexPath* self, SEL) { return self->_section; }
BOOL IndexPath_isEqual(NSIndexPath* self, SEL, id other) {
  return objc::isKind<NSIndexPath>(other) && objc::as<NSIndexPath>(other)->_row == self->_row &&
         objc::as<NSIndexPath>(other)->_section == self->_section;
}
NSUInteger IndexPath_hash(NSIndexPath* self, SEL) { return static_cast<NSUInteger>(self->_section * 4099 + self->_row); }
id IndexPath_copyWithZone(NSIndexPath* self, SEL, void*) { return objc_retain(self); }

void Background_setBackgroundImage(UITableViewHeaderFooterViewBackground* self, SEL, id image) {
  self->_backgroundImage = objc::as<NSObject>(image);
}
id Background_backgroundImage(UITableViewHeaderFooterViewBackground* self, SEL) { return self->_backgroundImage.get(); }

// A header has a grey background and its label in a content view; every
// piece is made through ordinary messages so that others can take part.
UITableViewHeaderFooterView* Header_initWithReuseIdentifier(UITableViewHeaderFooterView* self, SEL,
                                                            NSString* identifier) {
  auto* header = objc::as<UITableViewHeaderFooterView>(objc::sendSuper<UIView*(CGRect)>(
      self, objc::classOf<UIView>(), "initWithFrame:"_sel, CGRectMake(0, 0, 320, 28)));
  if (!header) return nullptr;
  header->_reuseIdentifier = identifier;
  CGRect bounds = header->bounds();
  header->_backgroundView = UIView::make<UITableViewHeaderFooterViewBackground>(bounds);
  header->_backgroundView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  header->_backgroundView->setBackgroundColor(UIColor::withWhite(0.97, 1));
  header->addSubview(header->_backgroundView);
  header->_contentView = UIView::make<UITableViewHeaderFooterContentView>(bounds);
  header->_contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  header->_contentView->setBackgroundColor(UIColor::withWhite(0.97, 1));
  header->addSubview(header->_contentView);
  header->_textLabel = UIView::make<UILabel>(CGRectMake(15, 0, 290, 28));
  header->_textLabel->setFont(UIFont::boldSystemFont(15));
  header->_contentView->addSubview(header->_textLabel);
  return header;
}
UIView* Header_initWithFrame(UITableViewHeaderFooterView* self, SEL, CGRect frame) {
  UITableViewHeaderFooterView* header = Header_initWithReuseIdentifier(self, nullptr, nil);
  if (header) header->setFrame(frame);
  return header;
}
UILabel* Header_textLabel(UITableViewHeaderFooterView* self, SEL) { return self->_textLabel.get(); }
UIView* Header_contentView(UITableViewHeaderFooterView* self, SEL) { return self->_contentView.get(); }
UIView* Header_backgroundView(UITableViewHeaderFooterView* self, SEL) { return self->_backgroundView.get(); }

// What every initialiser of a table sets up, decoding included.
UITableView* setUpTable(UIView* made, NSInteger style, bool decoding) {
  auto* table = objc::as<UITableView>(made);
  if (!table) return nullptr;
  table->_style = style;
  table->_visibleViews = objc::make<NSMutableArray>();
  table->_cells = objc::make<NSMutableArray>();
  setInitialBackground(table, style == UITableViewStyleGrouped ? UIColor::withWhite(0.94, 1) : UIColor::whiteColor(),
                       decoding);
  return table;
}
UITableView* Table_initWithFrameStyle(UITableView* self, SEL, CGRect frame, NSInteger style) {
  return setUpTable(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIScrollView>(), "initWithFrame:"_sel, frame),
                    style, false);
}
UIView* Table_initWithFrame(UITableView* self, SEL, CGRect frame) {
  return objc::send<UITableView*(CGRect, NSInteger)>(self, "initWithFrame:style:"_sel, frame, UITableViewStylePlain);
}
UIView* Table_initWithCoder(UITableView* self, SEL, id coder) {
  return setUpTable(objc::sendSuper<UIView*(id)>(self, objc::classOf<UIScrollView>(), "initWithCoder:"_sel, coder),
                    UITableViewStylePlain, true);
}
void Table_setDataSource(UITableView* self, SEL, id source) { self->_dataSource = source; }
id Table_dataSource(UITableView* self, SEL) { return self->_dataSource; }
void Table_setDelegate(UITableView* self, SEL, id delegate) { self->_delegate = delegate; }
id Table_delegate(UITableView* self, SEL) { return self->_delegate; }
CGFloat Table_rowHeight(UITableView* self, SEL) { return self->_rowHeight; }
void Table_setRowHeight(UITableView* self, SEL, CGFloat h) { self->_rowHeight = h; }
// A reload puts the cells it takes down that have a reuse identifier in
// the pool; a data source asking for that identifier gets one back.
id Table_dequeue(UITableView* self, SEL, NSString* identifier) {
  if (!identifier || !self->_reusableCells) return nil;
  for (id item : self->_reusableCells->items()) {
    auto* cell = objc::as<UITableViewCell>(item);
    if (!cell->_reuseIdentifier || !cell->_reuseIdentifier->isEqualToString(identifier)) continue;
    Ref<UITableViewCell> keep = cell;
    self->_reusableCells->removeObject(cell);
    return keep.autorelease();
  }
  return nil;
}

bool answers(id object, SEL sel) { return object && objc::send<BOOL(SEL)>(object, "respondsToSelector:"_sel, sel); }

UIView* headerFor(UITableView* self, NSInteger section) {
  if (answers(self->_delegate, "tableView:viewForHeaderInSection:"_sel))
    if (UIView* v = objc::send<UIView*(UITableView*, NSInteger)>(self->_delegate, "tableView:viewForHeaderInSection:"_sel,
                                                                 self, section))
      return v;
  if (!answers(self->_dataSource, "tableView:titleForHeaderInSection:"_sel)) return nullptr;
  NSString* title = objc::send<NSString*(UITableView*, NSInteger)>(self->_dataSource,
                                                                   "tableView:titleForHeaderInSection:"_sel, self, section);
  if (!title) return nullptr;
  auto* header = objc::alloc<UITableViewHeaderFooterView>()->initWithReuseIdentifier(nil);
  header->textLabel()->setText(title);
  return objc::as<UIView>(objc_autorelease(header));
}

// Rebuilds the visible headers and cells from the data source.
void Table_reloadData(UITableView* self, SEL) {
  if (!self->_reusableCells) self->_reusableCells = objc::make<NSMutableArray>();
  for (id view : self->_visibleViews->items()) objc::as<UIView>(view)->removeFromSuperview();
  for (id cell : self->_cells->items())
    if (objc::as<UITableViewCell>(cell)->_reuseIdentifier) self->_reusableCells->addObject(cell);
  self->_visibleViews->removeAllObjects();
  self->_cells->removeAllObjects();
  self->_cellPaths.clear();
  if (!self->_dataSource) return;
  NSInteger sections = answers(self->_dataSource, "numberOfSectionsInTableView:"_sel)
                           ? objc::send<NSInteger(UITableView*)>(self->_dataSource, "numberOfSectionsInTableView:"_sel, self)
                           : 1;
  CGFloat width = self->bounds().size.width, y = self->_contentInsetTop;
  for (NSInteger section = 0; section < sections; ++section) {
    if (UIView* header = headerFor(self, section)) {
      header->setFrame(CGRectMake(0, y, width, self->_sectionHeaderHeight));
      self->addSubview(header);
      self->_visibleViews->addObject(header);
      y += self->_sectionHeaderHeight;
    }
    NSInteger rows = objc::send<NSInteger(UITableView*, NSInteger)>(self->_dataSource,
                                                                    "tableView:numberOfRowsInSection:"_sel, self, section);
    for (NSInteger row = 0; row < rows; ++row) {
      UITableViewCell* cell = objc::send<UITableViewCell*(UITableView*, NSIndexPath*)>(
          self->_dataSource, "tableView:cellForRowAtIndexPath:"_sel, self, NSIndexPath::forRow(row, section));
      if (!cell) continue;
      cell->setFrame(CGRectMake(0, y, width, self->_rowHeight));
      self->addSubview(cell);
      self->_visibleViews->addObject(cell);
      self->_cells->addObject(cell);
      self->_cellPaths.emplace_back(section, row);
      y += self->_rowHeight;
    }
  }
}

UITableViewCell* Table_cellForRow(UITableView* self, SEL, NSIndexPath* path) {
  if (!path) return nullptr;
  for (size_t i = 0; i < self->_cellPaths.size(); ++i)
    if (self->_cellPaths[i].first == path->section() && self->_cellPaths[i].second == path->row())
      return objc::as<UITableViewCell>(self->_cells->objectAtIndex(i));
  return nullptr;
}

}  // namespace

void registerUITableView() {
  objc::ClassBuilder<NSIndexPath>("NSIndexPath", objc::classOf<NSObject>())
      .classMethod<&IndexPath_forRow>("indexPathForRow:inSection:")
      .classMethod<&IndexPath_forRow>("indexPathForItem:inSection:")
      .method<&IndexPath_row>("row")
      .method<&IndexPath_row>("item")
      .method<&IndexPath_section>("section")
      .method<&IndexPath_isEqual>("isEqual:")
      .method<&IndexPath_hash>("hash")
      .method<&IndexPath_copyWithZone>("copyWithZone:");
  objc::ClassBuilder<UITableViewHeaderFooterViewBackground>("_UITableViewHeaderFooterViewBackground",
                                                            objc::classOf<UIView>())
      .ivar("_backgroundImage", &UITableViewHeaderFooterViewBackground::_backgroundImage)
      .method<&Background_setBackgroundImage>("setBackgroundImage:")
      .method<&Background_backgroundImage>("backgroundImage");
  objc::ClassBuilder<UITableViewHeaderFooterContentView>("_UITableViewHeaderFooterContentView",
                                                         objc::classOf<UIView>());
  objc::ClassBuilder<UITableViewHeaderFooterView>("UITableViewHeaderFooterView", objc::classOf<UIView>())
      .ivar("_textLabel", &UITableViewHeaderFooterView::_textLabel)
      .method<&Header_initWithReuseIdentifier>("initWithReuseIdentifier:")
      .method<&Header_initWithFrame>("initWithFrame:")
      .method<&Header_textLabel>("textLabel")
      .method<&Header_contentView>("contentView")
      .method<&Header_backgroundView>("backgroundView");
  objc::ClassBuilder<UIScrollView>("UIScrollView", objc::classOf<UIView>());
  objc::ClassBuilder<UITableView>("UITableView", objc::classOf<UIScrollView>())
      .method<&Table_initWithFrameStyle>("initWithFrame:style:")
      .method<&Table_initWithFrame>("initWithFrame:")
      .method<&Table_initWithCoder>("initWithCoder:")
      .method<&Table_setDataSource>("setDataSource:")
      .method<&Table_dataSource>("dataSource")
      .method<&Table_setDelegate>("setDelegate:")
      .method<&Table_delegate>("delegate")
      .method<&Table_rowHeight>("rowHeight")
      .method<&Table_setRowHeight>("setRowHeight:")
      .method<&Table_dequeue>("dequeueReusableCellWithIdentifier:")
      .method<&Table_reloadData>("reloadData")
      .method<&Table_cellForRow>("cellForRowAtIndexPath:");
}
