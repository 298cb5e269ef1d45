// UICollectionView and UICollectionViewCell: a grid of cells of one item
// size, filled from the data source, row by row.
//
//   Ref<UICollectionView> grid = UICollectionView::create(frame, CGSizeMake(100, 130));
#pragma once

#include "platform/uikit/UITableView.h"

struct UICollectionViewCell : UIView {
  static constexpr const char* kClassName = "UICollectionViewCell";
  Ref<UIView> _contentView;
  UIView* contentView() { return objc::send<UIView*()>(this, "contentView"_sel); }
};

struct UICollectionView : UIScrollView {
  static constexpr const char* kClassName = "UICollectionView";
  id _dataSource = nullptr;  // unretained
  CGSize _itemSize = {100, 100};
  CGFloat _spacing = 10;
  Ref<NSMutableArray> _cells;

  void setDataSource(id source) { objc::send<void(id)>(this, "setDataSource:"_sel, source); }
  void reloadData() { objc::send<void()>(this, "reloadData"_sel); }
};

void registerUICollectionView();
