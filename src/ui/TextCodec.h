#pragma once
// Values pass through the program as the bytes the files hold. On screen they are shown as UTF-8 when
// they are valid UTF-8 and as Latin-1 otherwise; text typed by the user is stored as UTF-8.

#include <QString>
#include <string>

namespace vexorel {

QString toQString(const std::string& bytes);
std::string toBytes(const QString& text);

}  // namespace vexorel
