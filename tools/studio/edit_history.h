// Undo and redo over the document's changes since the studio started. A
// change made after an undo drops what could have been redone, as editors
// do. Changes of one gesture (the keys typed into one field while it has
// the focus) share a group and fold into one step.
//
//   history.record(change, group);
//   if (history.undo(&change)) prefs.apply(change, /*forwards=*/false);
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "tools/studio/preferences.h"

class EditHistory {
 public:
  // At most `limit` steps are kept; the oldest go first.
  explicit EditHistory(size_t limit = 500) : limit_(limit) {}

  // An empty change is no step. `group` 0 is a gesture of its own.
  void record(Change change, uint64_t group);
  // The step to apply backwards (undo) or forwards (redo); false when there
  // is none.
  bool undo(Change* change);
  bool redo(Change* change);
  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }

 private:
  struct Step {
    Change change;
    uint64_t group;
  };
  size_t limit_;
  std::deque<Step> steps_;
  size_t done_ = 0;  // steps_[0, done_) are applied
  bool sealed_ = false;
};
