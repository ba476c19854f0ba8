#pragma once
// A change of several keys that lands whole or not at all: the keys go into a scratch copy of the file,
// and the file takes the copy in one replace. A failure at any write leaves the file as it was.

#include <functional>
#include <string>

namespace vexorel {

class Platform;

struct AllOrNothingWrite {
  enum class Step { None, Copy, Write, Replace };
  Step failedAt = Step::None;
  std::string reason;  // the system's reason, when a step failed
  bool done() const { return failedAt == Step::None; }
};

// Copies `target` to `scratch`, lets `write` change the scratch (false: a write failed), then replaces
// `target` with it. A missing target is a failure, unless `missingIsNew`: the writes then start from no
// file and the replace creates it. The scratch is removed whatever happens.
AllOrNothingWrite WriteAllOrNothing(Platform& platform, const std::string& target, const std::string& scratch,
                                    bool missingIsNew, const std::function<bool(const std::string&)>& write);

}  // namespace vexorel
