#pragma once
// The program's own fixed texts (captions, keys, list entries) are plain ASCII tables; this shows
// one on screen.

#include <QString>
#include <string_view>

namespace vexorel {

inline QString viewText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vexorel
