#pragma once
// The program's version, set once in the build.

#include <QString>

namespace vexorel {

inline constexpr int kVersionMajor = VEXOREL_VERSION_MAJOR;
inline constexpr int kVersionMinor = VEXOREL_VERSION_MINOR;
inline constexpr int kVersionRevision = VEXOREL_VERSION_PATCH;

// "Version 1.6.0": three plain decimal numbers, a revision of 0 included.
inline QString versionCaption() {
  return QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace vexorel
