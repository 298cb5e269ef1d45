// A list of steps and how many of them are applied.
#include "tools/studio/edit_history.h"

void EditHistory::record(Change change, uint64_t group) {
  if (change.empty()) return;
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  // After an undo or a redo the next change starts a step of its own, even
  // in the same gesture: folding it in would change a step already undone.
  const bool fold = group != 0 && !sealed_ && !steps_.empty() && steps_.back().group == group;
  sealed_ = false;
  if (fold) {
    // The step keeps each key's first "before" and takes the newest "after".
    Change& folded = steps_.back().change;
    for (KeyChange& c : change) {
      bool found = false;
      for (KeyChange& f : folded)
        if (f.key == c.key) f.after = c.after, found = true;
      if (!found) folded.push_back(std::move(c));
    }
    return;
  }
  steps_.push_back({std::move(change), group});
  if (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
}

bool EditHistory::undo(Change* change) {
  if (done_ == 0) return false;
  *change = steps_[--done_].change;
  sealed_ = true;
  return true;
}

bool EditHistory::redo(Change* change) {
  if (done_ == steps_.size()) return false;
  *change = steps_[done_++].change;
  sealed_ = true;
  return true;
}
