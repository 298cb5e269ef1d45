// UICollectionView. The platform's class has no initWithFrame:style:; only
// table views take a style.
#include "platform/uikit/UICollectionView.h"

#include <algorithm>

#include "platform/objc/class_builder.h"

namespace {

UIView* Cell_initWithFrame(UICollectionViewCell* self, SEL, CGRect frame) {
  auto* cell = objc::as<UICollectionViewCell>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!cell) return nullptr;
  cell->_contentView = UIView::create({{0, 0}, frame.size});
  cell->_contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  cell->addSubview(cell->_contentView);
  return cell;
}
UIView* Cell_contentView(UICollectionViewCell* self, SEL) { return self->_contentView.get(); }

// What every initialiser of a grid sets up, decoding included.
UIView* setUpGrid(UIView* made, bool decoding) {
  auto* grid = objc::as<UICollectionView>(made);
  if (!grid) return nullptr;
  grid->_cells = objc::make<NSMutableArray>();
  setInitialBackground(grid, UIColor::whiteColor(), decoding);
  return grid;
}
UIView* Grid_initWithFrame(UICollectionView* self, SEL, CGRect frame) {
  return setUpGrid(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIScrollView>(), "initWithFrame:"_sel, frame), false);
}
UIView* Grid_initWithFrameLayout(UICollectionView* self, SEL, CGRect frame, id) {
  return objc::send<UIView*(CGRect)>(self, "initWithFrame:"_sel, frame);
}
UIView* Grid_initWithCoder(UICollectionView* self, SEL, id coder) {
  return setUpGrid(objc::sendSuper<UIView*(id)>(self, objc::classOf<UIScrollView>(), "initWithCoder:"_sel, coder), true);
}
void Grid_setDataSource(UICollectionView* self, SEL, id source) { self->_dataSource = source; }
void Grid_setItemSize(UICollectionView* self, SEL, CGSize size) { self->_itemSize = size; }

void Grid_reloadData(UICollectionView* self, SEL) {
  for (id cell : self->_cells->items()) objc::as<UIView>(cell)->removeFromSuperview();
  self->_cells->removeAllObjects();
  if (!self->_dataSource) return;
  NSInteger count = objc::send<NSInteger(UICollectionView*, NSInteger)>(
      self->_dataSource, "collectionView:numberOfItemsInSection:"_sel, self, 0);
  CGFloat width = self->bounds().size.width, spacing = self->_spacing;
  int columns = std::max(1, static_cast<int>((width - spacing) / (self->_itemSize.width + spacing)));
  CGFloat gap = (width - columns * self->_itemSize.width) / (columns + 1);
  for (NSInteger i = 0; i < count; ++i) {
    UIView* cell = objc::send<UIView*(UICollectionView*, NSIndexPath*)>(
        self->_dataSource, "collectionView:cellForItemAtIndexPath:"_sel, self, NSIndexPath::forRow(i, 0));
    if (!cell) continue;
    NSInteger column = i % columns, row = i / columns;
    cell->setFrame(CGRectMake(gap + column * (self->_itemSize.width + gap),
                              self->_contentInsetTop + spacing + row * (self->_itemSize.height + spacing),
                              self->_itemSize.width, self->_itemSize.height));
    self->addSubview(cell);
    self->_cells->addObject(cell);
  }
}

}  // namespace

void registerUICollectionView() {
  objc::ClassBuilder<UICollectionViewCell>("UICollectionViewCell", objc::classOf<UIView>())
      .method<&Cell_initWithFrame>("initWithFrame:")
      .method<&Cell_contentView>("contentView");
  objc::ClassBuilder<UICollectionView>("UICollectionView", objc::classOf<UIScrollView>())
      .method<&Grid_initWithFrame>("initWithFrame:")
      .method<&Grid_initWithFrameLayout>("initWithFrame:collectionViewLayout:")
      .method<&Grid_initWithCoder>("initWithCoder:")
      .method<&Grid_setDataSource>("setDataSource:")
      .method<&Grid_setItemSize>("setItemSize:")
      .method<&Grid_reloadData>("reloadData");
}
