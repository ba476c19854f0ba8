#include "core/AllOrNothing.h"

#include "platform/Platform.h"

namespace vexorel {

AllOrNothingWrite WriteAllOrNothing(Platform& platform, const std::string& target, const std::string& scratch,
                                    bool missingIsNew, const std::function<bool(const std::string&)>& write) {
  AllOrNothingWrite result;
  const auto fail = [&](AllOrNothingWrite::Step step) {
    result.failedAt = step;
    result.reason = platform.lastReason();
  };
  if (!platform.copyFile(target, scratch, false)) {
    if (!missingIsNew || platform.findFirstFile(target)) {
      fail(AllOrNothingWrite::Step::Copy);
      return result;
    }
    // A scratch an interrupted run left behind must not stand in for the missing file.
    platform.deleteFile(scratch);
  }
  if (!write(scratch)) {
    fail(AllOrNothingWrite::Step::Write);
  } else if (!platform.copyFile(scratch, target, false)) {
    fail(AllOrNothingWrite::Step::Replace);
  }
  platform.deleteFile(scratch);
  return result;
}

}  // namespace vexorel
