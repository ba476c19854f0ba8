#pragma once
// Every failure message of the program ends the same way: its own text, then the system's reason on a
// line of its own ("Permission denied", "No space left on device").

#include <QString>
#include <string>

#include "ui/TextCodec.h"

namespace vexorel {

inline QString withReason(QString text, const std::string& reason) {
  if (!reason.empty()) text += QLatin1Char('\n') + toQString(reason);
  return text;
}

}  // namespace vexorel
