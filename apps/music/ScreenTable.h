// The table most Music screens are: the whole screen, scrolling under the
// navigation and tab bars, with the screen's controller as its data source
// and delegate (the table asks the delegate only what it answers).
//
//   self->setView(makeScreenTable(self, 50, 20 + kNavigationBarHeight));
#pragma once

#include "platform/uikit/uikit.h"

inline Ref<UITableView> makeScreenTable(id controller, CGFloat rowHeight, CGFloat insetTop) {
  Ref<UITableView> table = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStylePlain);
  table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  table->_rowHeight = rowHeight;
  table->_contentInsetTop = insetTop;
  table->_contentInsetBottom = kTabBarHeight;
  table->setDataSource(controller);
  table->setDelegate(controller);
  return table;
}
