// UITabBarCustomizeView: the "Configure" sheet a tab bar shows while the
// user rearranges its items (-[UITabBar beginCustomizingItems:]). It covers
// the tab bar controller's view above the bar: a title bar, a hint and one
// button per item, laid out in a grid.
//
//   objc::send<void(NSArray*)>(tabBar, "beginCustomizingItems:"_sel, items);
#pragma once

#include "platform/foundation/NSArray.h"
#include "platform/uikit/UITabBar.h"

struct UINavigationBar;
struct UILabel;

struct UITabBarCustomizeView : UIView {
  static constexpr const char* kClassName = "UITabBarCustomizeView";
  Ref<NSArray> _items;             // UITabBarItems
  Ref<UINavigationBar> _titleBar;  // made when the items arrive
  Ref<UILabel> _hintLabel;
  Ref<NSMutableArray> _buttons;
};

// Registers the sheet and -[UITabBar beginCustomizingItems:]; after
// registerUITabBar().
void registerUITabBarCustomizeView();
