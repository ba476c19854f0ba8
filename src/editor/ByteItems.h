#pragma once
// List and combo items that remember the exact bytes they were filled with, so a value read from a
// file goes back to a file unchanged even when it is not valid UTF-8 on screen.

#include <string>
#include <vector>

class QComboBox;
class QListWidget;

namespace vexorel {

void appendRow(QListWidget* list, const std::string& bytes);
void insertRow(QListWidget* list, int row, const std::string& bytes);
// Replaces the text of an existing row; a row that does not exist is left alone.
void replaceRow(QListWidget* list, int row, const std::string& bytes);
std::string rowBytes(const QListWidget* list, int row);
void setAllRows(QListWidget* list, const std::vector<std::string>& rows);

void appendComboItem(QComboBox* combo, const std::string& bytes);
void insertComboItem(QComboBox* combo, int index, const std::string& bytes);
std::string comboItemBytes(const QComboBox* combo, int index);
std::vector<std::string> comboItems(const QComboBox* combo);

}  // namespace vexorel
