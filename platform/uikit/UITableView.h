// UITableView with its index paths and header/footer views. A table asks
// its data source for sections, rows and cells, and its delegate or data
// source for section headers, and lays them out top to bottom.
//
//   table->setDataSource(controller);
//   table->reloadData();
#pragma once

#include <utility>
#include <vector>

#include "platform/foundation/NSString.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UIView.h"

struct NSIndexPath : NSObject {
  static constexpr const char* kClassName = "NSIndexPath";
  NSInteger _section = 0, _row = 0;

  static NSIndexPath* forRow(NSInteger row, NSInteger section) {
    return objc::send<NSIndexPath*(NSInteger, NSInteger)>(reinterpret_cast<id>(objc::classOf<NSIndexPath>()),
                                                          "indexPathForRow:inSection:"_sel, row, section);
  }
  NSInteger row() { return objc::send<NSInteger()>(this, "row"_sel); }
  NSInteger section() { return objc::send<NSInteger()>(this, "section"_sel); }
};

// The private pieces of a header or footer: its background (a colour or a
// stretched image) and the content view that holds its label.
struct UITableViewHeaderFooterViewBackground : UIView {
  static constexpr const char* kClassName = "_UITableViewHeaderFooterViewBackground";
  Ref<NSObject> _backgroundImage;
};
struct UITableViewHeaderFooterContentView : UIView {
  static constexpr const char* kClassName = "_UITableViewHeaderFooterContentView";
};

struct UITableViewHeaderFooterView : UIView {
  static constexpr const char* kClassName = "UITableViewHeaderFooterView";
  Ref<UITableViewHeaderFooterViewBackground> _backgroundView;
  Ref<UITableViewHeaderFooterContentView> _contentView;
  Ref<UILabel> _textLabel;
  Ref<NSString> _reuseIdentifier;

  UITableViewHeaderFooterView* initWithReuseIdentifier(NSString* identifier) {
    return objc::send<UITableViewHeaderFooterView*(NSString*)>(this, "initWithReuseIdentifier:"_sel, identifier);
  }
  UILabel* textLabel() { return objc::send<UILabel*()>(this, "textLabel"_sel); }
  UIView* contentView() { return objc::send<UIView*()>(this, "contentView"_sel); }
};

struct UIScrollView : UIView {
  static constexpr const char* kClassName = "UIScrollView";
  CGFloat _contentInsetTop = 0;
  CGFloat _contentInsetBottom = 0;
};

enum : NSInteger { UITableViewStylePlain = 0, UITableViewStyleGrouped = 1 };

struct UITableView : UIScrollView {
  static constexpr const char* kClassName = "UITableView";
  NSInteger _style = 0;
  id _dataSource = nullptr;  // unretained, as UIKit holds its data source
  id _delegate = nullptr;
  CGFloat _rowHeight = 44;
  CGFloat _sectionHeaderHeight = 28;
  Ref<NSMutableArray> _visibleViews;  // headers and cells, top to bottom
  Ref<NSMutableArray> _cells;
  Ref<NSMutableArray> _reusableCells;  // cells a reload let go, for dequeueReusableCellWithIdentifier:
  std::vector<std::pair<NSInteger, NSInteger>> _cellPaths;  // section, row of each cell

  static Ref<UITableView> create(CGRect frame, NSInteger style) {
    return adopt(objc::send<UITableView*(CGRect, NSInteger)>(objc::alloc<UITableView>(), "initWithFrame:style:"_sel,
                                                             frame, style));
  }
  void setDataSource(id source) { objc::send<void(id)>(this, "setDataSource:"_sel, source); }
  void setDelegate(id delegate) { objc::send<void(id)>(this, "setDelegate:"_sel, delegate); }
  void reloadData() { objc::send<void()>(this, "reloadData"_sel); }
  UITableViewCell* dequeueReusableCell(NSString* identifier) {
    return objc::send<UITableViewCell*(NSString*)>(this, "dequeueReusableCellWithIdentifier:"_sel, identifier);
  }
  UITableViewCell* cellForRowAtIndexPath(NSIndexPath* path) {
    return objc::send<UITableViewCell*(NSIndexPath*)>(this, "cellForRowAtIndexPath:"_sel, path);
  }
};

void registerUITableView();
