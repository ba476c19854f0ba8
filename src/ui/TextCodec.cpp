#include "ui/TextCodec.h"

#include <QStringDecoder>

namespace vexorel {

QString toQString(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  return viewText(bytes);
}

std::string toBytes(const QString& text) {
  return text.toStdString();
}

}  // namespace vexorel
