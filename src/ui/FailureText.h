#pragma once
// The failure messages the windows share. Every one ends the same way: its own text, then the
// system's reason on a line of its own ("Permission denied", "No space left on device").

#include <QString>
#include <string>

#include "ui/TextCodec.h"

namespace vexorel {

inline QString withReason(QString text, const std::string& reason) {
  if (!reason.empty()) text += QLatin1Char('\n') + toQString(reason);
  return text;
}

// The box of the changed-items writer when the write of `key` failed, as Apply and the load window
// show it.
inline QString itemNotSaved(const std::string& key) {
  return QStringLiteral("Error when saving this item") + toQString(key) + QStringLiteral(" = ");
}

}  // namespace vexorel
