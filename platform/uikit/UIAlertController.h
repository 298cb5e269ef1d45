// UIAlertController as an action sheet: its actions in a group at the bottom
// of the screen over a dimming layer, a cancel action apart below them. Its
// visual style object (UIAlertControllerVisualStyleActionSheet) gives the
// colours: the group's background, and the background of an action that
// stands apart.
//
//   Ref<UIAlertController> sheet = UIAlertController::actionSheet("Yesterday"_ns);
//   sheet->addAction("Add to Playlist"_ns, UIAlertActionStyleDefault);
#pragma once

#include "platform/foundation/NSArray.h"
#include "platform/uikit/UIViewController.h"

enum : NSInteger { UIAlertActionStyleDefault = 0, UIAlertActionStyleCancel = 1, UIAlertActionStyleDestructive = 2 };
enum : NSInteger { UIAlertControllerStyleActionSheet = 0, UIAlertControllerStyleAlert = 1 };

struct UIAlertAction : NSObject {
  static constexpr const char* kClassName = "UIAlertAction";
  Ref<NSString> _title;
  NSInteger _style = UIAlertActionStyleDefault;
};

struct UIAlertControllerVisualStyleActionSheet : NSObject {
  static constexpr const char* kClassName = "UIAlertControllerVisualStyleActionSheet";

  UIColor* defaultActionBackgroundColor() {
    return objc::send<UIColor*()>(this, "defaultActionBackgroundColor"_sel);
  }
  UIColor* defaultActionBackgroundColorWhenSeparate() {
    return objc::send<UIColor*()>(this, "defaultActionBackgroundColorWhenSeparate"_sel);
  }
};

struct UIAlertController : UIViewController {
  static constexpr const char* kClassName = "UIAlertController";
  NSInteger _preferredStyle = UIAlertControllerStyleActionSheet;
  Ref<NSMutableArray> _actions;
  Ref<NSObject> _visualStyle;

  static Ref<UIAlertController> actionSheet(NSString* title);
  void addAction(NSString* title, NSInteger style);
};

void registerUIAlertController();
