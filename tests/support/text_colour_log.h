// Records every -[UILabel setTextColor:] that reaches the platform while it
// lives, in order, so that a test can tell which label was coloured first.
// One at a time, in a launched process.
//
//   TextColourLog log;
//   ... host code runs ...
//   EXPECT_EQ(log.lastColoured({title, detail}), (std::vector<id>{detail, title}));
#pragma once

#include <algorithm>
#include <vector>

#include "platform/objc/class.h"
#include "platform/uikit/UILabel.h"

class TextColourLog {
 public:
  TextColourLog() {
    active() = this;
    method_ = class_getInstanceMethod(objc::classOf<UILabel>(), "setTextColor:"_sel);
    next_ = method_setImplementation(method_, objc::imp<&record>());
  }
  ~TextColourLog() {
    method_setImplementation(method_, next_);
    active() = nullptr;
  }
  TextColourLog(const TextColourLog&) = delete;
  TextColourLog& operator=(const TextColourLog&) = delete;

  // The labels of `labels` that were coloured, in the order of the last
  // call each one received (the colour it keeps).
  std::vector<id> lastColoured(const std::vector<id>& labels) const {
    std::vector<id> order;
    for (auto it = receivers_.rbegin(); it != receivers_.rend(); ++it)
      if (std::find(labels.begin(), labels.end(), *it) != labels.end() &&
          std::find(order.begin(), order.end(), *it) == order.end())
        order.insert(order.begin(), *it);
    return order;
  }

 private:
  static TextColourLog*& active() {
    static TextColourLog* log = nullptr;
    return log;
  }
  static void record(id self, SEL sel, UIColor* colour) {
    TextColourLog* log = active();
    log->receivers_.push_back(self);
    objc::Sender<void(UIColor*)>::call(log->next_, self, sel, colour);
  }

  Method method_ = nullptr;
  IMP next_ = nullptr;
  std::vector<id> receivers_;
};
