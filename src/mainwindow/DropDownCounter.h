#pragma once
// Counts the drop-downs of a list. Only the first one matters (it shows the warning and removes the
// placeholder), so the count stops at 2 ("more than once") and can never overflow.

namespace vexorel {

class DropDownCounter {
 public:
  // Counts one drop-down; true exactly for the first.
  bool countDropDown() {
    if (count_ < 2) ++count_;
    return count_ == 1;
  }
  // 0 (never dropped down), 1 (once) or 2 (more than once).
  int value() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace vexorel
