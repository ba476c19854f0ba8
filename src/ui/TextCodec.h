#pragma once
// Values pass through the program as the bytes the files hold. On screen they are shown as UTF-8 when
// they are valid UTF-8 and as Latin-1 otherwise; text typed by the user is stored as UTF-8. The
// program's own fixed texts (captions, keys, list entries) are plain ASCII and shown by viewText.

#include <QString>
#include <string>
#include <string_view>

namespace vexorel {

QString toQString(const std::string& bytes);
std::string toBytes(const QString& text);

inline QString viewText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vexorel
