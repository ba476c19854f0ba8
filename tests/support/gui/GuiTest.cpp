#include "support/gui/GuiTest.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"

namespace vexorel::testing {

namespace fs = std::filesystem;

std::string edited(std::string bytes, const std::string& from, const std::string& to) {
  const auto at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

QStringList captionsOf(const QWidget& window) {
  const QRect at = window.geometry();
  const QString place = QString("%1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height());
  QStringList lines{"window " + window.windowTitle() + " at " + place};
  for (const QObject* child : window.findChildren<QObject*>()) {
    for (const char* name : {"title", "text", "currentText", "toolTip"}) {
      const QVariant value = child->property(name);
      if (value.typeId() != QMetaType::QString || value.toString().isEmpty()) continue;
      lines << QString("%1 %2 %3").arg(child->metaObject()->className(), name, value.toString().replace('\n', "\\n"));
      if (!child->property("enabled").toBool()) lines.back() += " (off)";
    }
  }
  return lines;
}

std::string comparableCaptions(std::string table) {
#ifdef _WIN32
  return QString::fromStdString(table).remove(QRegularExpression(" at -?\\d+,-?\\d+ \\d+x\\d+")).toStdString();
#else
  return table;
#endif
}

std::string notAFolderReason() {
  TempFolder folder;
  writeFileBytes(folder / "file", "");
  NativePlatform platform(scratchOptions(folder));
  platform.createDirectory((fs::path(folder / "file") / "folder").string());
  return platform.lastReason();
}

QString itemTexts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts.join('|');
}

QString itemTexts(const QComboBox& combo) {
  QStringList texts;
  for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
  return texts.join('|');
}

void clickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void dropDown(QComboBox* combo) {
  combo->showPopup();
  combo->hidePopup();
}

void GuiTest::SetUp() {
  startFolder = temp / "start";
#ifdef _WIN32
  gameFolder = temp / "UT";
#else  // a player's folder on a long path beyond ASCII (Windows' ANSI calls and path limit leave this to Linux)
  gameFolder = temp / "Unreal Tournament \u2013 Spiele f\u00fcr Ma\u00f1ana \u65e5\u672c\u8a9e (GOTY)";
  gameFolder += "/" + std::string(250 - gameFolder.size() - 1, 'e');
#endif
  fs::create_directories(startFolder);
  fs::create_directories(fs::path(gameFolder) / "System");
  writeGameIni(demoGameIni());
  NativePlatformOptions options = scratchOptions(temp);  // the registry: a file here, a scratch key on Windows
  options.currentDirectory = startFolder;
  platform = std::make_unique<FakePlatform>(options);
  app = std::make_unique<AppContext>(*platform, dialogs);
}

void ProgramTest::SetUp() {
  GuiTest::SetUp();
  app->splash().MainAppPath = startFolder;
  app->splash().VEXORELPATH = startPath("Vexorel.ini");
  writeFileBytes(startPath("Vexorel.ini"), kFreshSettings);
  fs::create_directories(startPath("BACKUP"));
}

void GameFileTest::SetUp() {
  ProgramTest::SetUp();
  registerGame();
  app->frmmain().UtPath = gameFolder;
  app->frmmain().FileName = gameFileName();
}

bool matchesWithGaps(const QString& expected, const QString& shown, const char* gap) {
  const QString pattern = QRegularExpression::escape(expected).replace("\\.\\.\\.", gap);
  return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(shown).hasMatch();
}

void GuiTest::note(const QString& line) {
  QString text = QString(line).replace(QString::fromStdString(startFolder), "{start}");
  text.replace(QString::fromStdString(gameFolder), "{game}");
  dialogs.calls.push_back({DialogCall::Note, text, {}, MsgIcon::None, MsgButtons::Ok, {}});
}

QString boxLine(const DialogCall& call) {
  static const char* const kIcons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
  const QString text = QString(call.text).replace('\n', "\\n");
  if (call.kind == DialogCall::Note) return text;
  return call.caption + "|" + kIcons[int(call.icon)] + (call.buttons == MsgButtons::Ok ? "|Ok|" : "|YesNo|") + text;
}

void GuiTest::expectBoxes(const std::string& dataFile, const std::vector<std::string>& paths) {
  QString expected = QString::fromStdString(testData(dataFile)), shown;
  for (const std::string& path : paths) expected.replace(expected.indexOf("{path}"), 6, QString::fromStdString(path));
  for (const DialogCall& call : dialogs.calls) shown += boxLine(call) + "\n";
  EXPECT_TRUE(matchesWithGaps(expected, shown, ".*")) << shown.toStdString() << "is not as expected:\n"
                                                      << expected.toStdString();
}

}  // namespace vexorel::testing

// main() of the window test programs: one QApplication on the offscreen platform for the whole run.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // One style and one font on every system (on Windows the font comes from the folder QT_QPA_FONTDIR
  // names), so windows measure alike wherever the tests run.
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
