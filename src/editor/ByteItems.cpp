#include "editor/ByteItems.h"

#include <QByteArray>
#include <QComboBox>
#include <QListWidget>

#include "ui/TextCodec.h"

namespace vexorel {

namespace {
QVariant bytesData(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The remembered bytes while the shown text is still the one they were decoded to; typed or edited
// text otherwise.
std::string bytesOf(const QVariant& data, const QString& text) {
  if (data.isValid()) {
    const QByteArray raw = data.toByteArray();
    std::string bytes(raw.constData(), static_cast<std::size_t>(raw.size()));
    if (toQString(bytes) == text) return bytes;
  }
  return toBytes(text);
}
}  // namespace

void appendRow(QListWidget* list, const std::string& bytes) {
  insertRow(list, list->count(), bytes);
}

void insertRow(QListWidget* list, int row, const std::string& bytes) {
  auto* item = new QListWidgetItem(toQString(bytes));
  item->setData(Qt::UserRole, bytesData(bytes));
  list->insertItem(row, item);
}

void replaceRow(QListWidget* list, int row, const std::string& bytes) {
  QListWidgetItem* item = list->item(row);
  if (!item) return;
  item->setText(toQString(bytes));
  item->setData(Qt::UserRole, bytesData(bytes));
}

std::string rowBytes(const QListWidget* list, int row) {
  const QListWidgetItem* item = list->item(row);
  return item ? bytesOf(item->data(Qt::UserRole), item->text()) : std::string();
}

void setAllRows(QListWidget* list, const std::vector<std::string>& rows) {
  list->clear();
  for (const std::string& row : rows) appendRow(list, row);
}

void appendComboItem(QComboBox* combo, const std::string& bytes) {
  insertComboItem(combo, combo->count(), bytes);
}

void insertComboItem(QComboBox* combo, int index, const std::string& bytes) {
  combo->insertItem(index, toQString(bytes), bytesData(bytes));
}

std::string comboItemBytes(const QComboBox* combo, int index) {
  return bytesOf(combo->itemData(index), combo->itemText(index));
}

std::vector<std::string> comboItems(const QComboBox* combo) {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(combo->count()));
  for (int i = 0; i < combo->count(); ++i) items.push_back(comboItemBytes(combo, i));
  return items;
}

}  // namespace vexorel
