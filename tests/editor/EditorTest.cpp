// The editor window, started where the program would (the game registered, the main window's FileName naming the
// game's file), worked through EditorDriver. The value list's rows and the window's state after each step (its
// controls, the keys and files it touches, Apply's writes, the boxes shown) are in EditorCases.txt.

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <filesystem>
#include <initializer_list>

#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "support/core/Table.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<Row>& editorCases() {
  static const std::vector<Row> rows = readTable("editor/EditorCases.txt");
  return rows;
}

// The editor window worked the way its user works it. Controls are named by their members, so a test that names one
// the window does not have does not compile. Each step returns the driver, so steps read in the order done.
class EditorDriver {
 public:
  using Step = const EditorDriver&;
  // The program the test holds now: a test may start a new one.
  explicit EditorDriver(const std::unique_ptr<AppContext>& app) : app_(app) {}

  Form4& window() const { return app_->form4(); }
  Form4* operator->() const { return &window(); }
  std::string value(int row) const { return window().values().at(static_cast<std::size_t>(row)); }

  // Shown as the main window shows it; once loaded, activated as the desktop activates a window it shows.
  Step open() const {
    window().showForm();
    QCoreApplication::processEvents();
    if (window().isLoaded()) window().activate();
    return *this;
  }
  Step tab(int index) const { return window().SSTab1->setCurrentIndex(index), *this; }
  Step press(QAbstractButton* button) const { return button->click(), *this; }
  // Edit, unless the value list takes clicks already.
  Step unlockLists() const { return window().List2->isEnabled() ? *this : press(window().Command1); }
  Step clickValues(std::initializer_list<int> rows) const {
    for (const int row : rows) clickRow(window().List2, row);
    return *this;
  }
  Step clickValue(int row) const { return clickValues({row}); }
  Step select(int row) const { return window().List2->setCurrentRow(row), *this; }
  Step tick(int box, bool on = true) const { return window().checkBox(box)->setChecked(on), *this; }
  Step choose(int combo, int index) const { return window().combo(combo)->setCurrentIndex(index), *this; }
  Step dropDown(int combo) const { return vexorel::testing::dropDown(window().combo(combo)), *this; }
  Step typeKeys(QWidget* box, const QString& keys) const { return QTest::keyClicks(box, keys), *this; }
  Step backspace(QWidget* box) const { return QTest::keyClick(box, Qt::Key_Backspace), *this; }
  // Keys go to the typed box that has the keyboard, or else to the value list.
  Step pressKeys(std::initializer_list<Qt::Key> keys) const {
    for (const Qt::Key key : keys) {
      QWidget* to = QApplication::focusWidget();
      if (to != window().Text1 && to != window().Text2) window().List2->setFocus(), to = window().List2;
      QTest::keyClick(to, key);
    }
    return *this;
  }

 private:
  const std::unique_ptr<AppContext>& app_;
};

class EditorTest : public GameFileTest {
 protected:
  void useDevice(std::string device) { writeGameIni(edited(demoGameIni(), "=D3DDrv.D3DRenderDevice", "=" + device)); }
  void editGameIni(const std::string& from, const std::string& to) { writeGameIni(edited(gameIni(), from, to)); }

  // One thing the window shows, named as EditorCases.txt says.
  QString probe(const QString& field) {
    const auto text = [](const std::string& bytes) { return QString::fromStdString(bytes); };
    const auto yes = [](bool on) { return QString(on ? "true" : "false"); };
    Form4& window = editor.window();
    if (field.startsWith("row")) return text(editor.value(field.mid(3).toInt()));
    if (field == "loadList") return itemTexts(*app->load().Combo1);
    if (field.startsWith("tab")) {  // a tab's controls shown, column by column from the left, each from the top
      QWidget* page = window.SSTab1->widget(field.mid(3).toInt());
      QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      std::ranges::sort(controls, {}, [](const QWidget* control) { return std::pair(control->x(), control->y()); });
      QStringList names;
      for (const QWidget* control : controls)
        if (!control->isHidden()) names << control->objectName();
      return names.join(' ');
    }
    if (field.startsWith("file:")) {
      const std::string path = field == "file:game" ? gameIniPath() : startPath(field.mid(5).toStdString());
      if (!fs::is_regular_file(path)) return fs::exists(path) ? "(folder)" : "(none)";
      const std::string bytes = readFileBytes(path);
      return bytes == demoGameIni() ? "demo" : text(bytes).replace("\r\n", "\\r\\n");
    }
    if (field.contains(':')) {  // kind:Section/Name
      const QStringList at = field.section(':', 1).split('/');
      const std::string file = field.startsWith("game") ? gameFileName() : window.Tempname;
      return text(app->module().ReadProfileValue(at[0].toStdString(), at[1].toStdString(), file));
    }
    QString ticks;  // per box: 'o' clear, 'x' ticked, '/' greyed; upper case when it takes no clicks
    for (int n = 1; n <= 41; ++n) {
      const QChar tick = window.checkBox(n)->isChecked() ? 'x' : window.checkBox(n)->checkState() ? '/' : 'o';
      ticks += window.checkBox(n)->isEnabled() ? tick : tick.toUpper();
    }
    QStringList log, sleeps;
    for (const std::string& entry : platform->log) log << text(entry);
    for (const unsigned pause : platform->sleeps) sleeps << QString::number(pause);
    const std::map<QString, QString> named{{"DriverType", text(window.DriverType)},
                                           {"warzoeken", text(window.warzoeken)},
                                           {"FileName", text(app->frmmain().FileName)},
                                           {"OldFileName", text(window.OldFileName)},
                                           {"Tempname", text(window.Tempname)},
                                           {"once", yes(window.once)},
                                           {"loaded", yes(window.isLoaded())},
                                           {"mainVisible", yes(app->frmmain().isVisible())},
                                           {"status", window.StB1Panel1->text()},
                                           {"ticks", ticks},
                                           {"boxes", QString::number(dialogs.calls.size())},
                                           {"reads", QString::number(app->module().IniReadCount)},
                                           {"log", log.join('|')},
                                           {"sleeps", sleeps.join(' ')},
                                           {"lastBox", dialogs.calls.empty() ? "" : boxLine(dialogs.calls.back())},
                                           {"waitCursor", yes(QApplication::overrideCursor())}};
    if (named.contains(field)) return named.at(field);
    QStringList path = field.split('.');
    QObject* at = path.front() == "Form5" ? static_cast<QObject*>(&app->form5()) : &window;
    if (path.front().startsWith("Form")) path.removeFirst();
    if (path.size() == 2) at = at->findChild<QObject*>(path.front());
    QStringList items;
    if (auto* list = qobject_cast<QListWidget*>(at)) items << itemTexts(*list);
    if (auto* box = qobject_cast<QComboBox*>(at)) items << itemTexts(*box);
    if (auto* strip = qobject_cast<QTabWidget*>(at))
      for (int i = 0; i < strip->count(); ++i) items << strip->tabText(i);
    if (!at) return "(no such control)";
    if (path.back() == "items") return items.join('|');
    if (path.back() == "background") {  // the colour a control is given, the same in every state
      const QColor own = static_cast<QWidget*>(at)->palette().color(QPalette::Active, QPalette::Base);
      return own == QApplication::palette().color(QPalette::Base) ? "Base" : "Button";
    }
    return at->property(path.back().toLatin1()).toString();
  }
  // The window as the rows "state|step|field|value" expect it.
  void expectState(const std::string& step) {
    int checked = 0;
    for (const Row& row : editorCases()) {
      if (row[0] != "state" || row[1] != step) continue;
      SCOPED_TRACE(row.where());
      ++checked;
      QString want = QString::fromStdString(row.text).section('|', 3);
      want.replace("{start}", startFolder.c_str()).replace("{game}", gameFolder.c_str());
      for (const QRegularExpressionMatch& path : QRegularExpression("\\{shown:([^}]*)\\}").globalMatch(want))
        want.replace(path.captured(), QString::fromStdString(platform->displayPath(path.captured(1).toStdString())));
      if (want.contains("{not a folder}")) want.replace("{not a folder}", QString::fromStdString(notAFolderReason()));
      const QString got = probe(QString::fromStdString(row[2]));
      EXPECT_TRUE(matchesWithGaps(want, got, ".+"))
          << row[2] << " shows: " << got.toStdString() << "\nnot: " << want.toStdString();
    }
    EXPECT_GT(checked, 0) << "no rows for " << step;
  }

  EditorDriver editor{app};
};

TEST_F(EditorTest, OpensOnTheGameFilesValuesAndAClickWhileEditingStepsARowThroughItsCycle) {
  editor.open().clickValue(7);  // not editing yet: the click changes nothing
  EXPECT_EQ(comparableCaptions(captionsOf(editor.window()).join('\n').toStdString() + "\n"),
            comparableCaptions(testData("editor/captions.txt")));
  expectState("opened");

  // The rows as read, each stepped through its cycle by clicks while editing; each click leaves no row selected, so
  // the next click on it steps on again.
  editor.unlockLists();
  int row = 0;
  for (const Row& cycle : editorCases()) {
    if (cycle[0] != "row") continue;
    SCOPED_TRACE(cycle.where());
    EXPECT_EQ(editor->keys().at(static_cast<std::size_t>(row)), cycle[1]);
    EXPECT_EQ(editor.value(row), cycle[2]);
    for (std::size_t step = 3; step < cycle.size(); ++step) {
      editor.clickValue(row);
      EXPECT_EQ(editor.value(row), cycle[step]) << "click " << step - 2;
      EXPECT_EQ(editor->List2->currentRow(), -1);
    }
    ++row;
  }
  EXPECT_EQ(editor->keys().size(), static_cast<std::size_t>(row));
  expectState("cycled");  // clicks change only the lists
}

TEST_F(EditorTest, DeviceRules) {
  useDevice("SoftDrv.SoftwareRenderDevice");
  editor.open().tab(3).tab(2).tab(1);  // each tab laid out as shown
  expectState("software");
  // Software -> S3 in the value list: the picked device wins over the file; a control it leaves as it is keeps what
  // the one before left.
  editor.tab(0).unlockLists().clickValue(14).tab(1);
  expectState("software-then-s3");

  // Values are matched exactly, or appended once (leaving the first tab again appends nothing more); Glide's odd
  // DetailBias becomes Combo1's first item.
  useDevice("GlideDrv.GlideRenderDevice");
  editGameIni("NetServerMaxTickRate=20", "NetServerMaxTickRate=28");
  editGameIni("OutputRate=22050Hz\r\nEffectsChannels", "OutputRate=48000Hz\r\nEffectsChannels");
  editGameIni("DetailBias=-1.5", "DetailBias=1");
  editGameIni("VolumetricLighting=True\r\n\r\n", "VolumetricLighting=true\r\n\r\n");
  editor.press(editor->Command3).open().tab(1).tab(0).tab(1);
  expectState("glide");

  // An unknown device changes no control and its display boxes write nothing; values outside every cycle stay.
  useDevice("FooDrv.FooRenderDevice");
  editGameIni("FullscreenColorBits=16", "FullscreenColorBits=24");
  editGameIni("CurvedSurfaces=True", "CurvedSurfaces=true");
  editor.press(editor->Command3).open().unlockLists().clickValues({0, 1, 14}).tab(1).tick(19).tick(34);
  expectState("unknown-device");
  EXPECT_EQ(backup("UTTemp.ini"),
            edited(gameIni(), "UseSpatial=False", "UseSpatial=True"));  // the sound box knows its section
}

TEST_F(EditorTest, OpensOnAWorkingCopyClosesBackToTheGameFileAndRefusesWithoutOne) {
  editor.open();
  expectState("working-copy");
  // Cancel drops the working copy; reopening makes a fresh one and shows the design state.
  editor.tab(1).tick(19).press(editor->Command3);
  expectState("cancelled");
  editor.open();
  expectState("reopened");
  editor->close();  // the close box is the same unload
  expectState("closed");
  fs::remove_all(startPath("BACKUP"));
  writeFileBytes(startPath("BACKUP"), "");  // a file where the backup folder goes
  editor.open();
  expectState("refused");
  fs::remove(startPath("BACKUP"));  // deleted by hand: made again
  editor.open().press(editor->Command3);
  fs::remove(gameIniPath());  // the game's own file missing: the same refusal, nothing created in its place
  editor.open();
  expectState("no-game-file");
}

// The saved-set count at each activation. A count that is no number is put right: as "0" in a file of no set, where
// the status text and button stay; as the last set's number in a file of five (3 with values only, 4 missing), and
// the status line and the load window show every set.
TEST_F(EditorTest, ActivationShowsTheSavedSetCountPutRightAndTheListStoreOnlyHides) {
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=03\r\n");
  editor.open();
  expectState("three-sets");
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", editor->Tempname);
  editor->activate();        // refills
  editor->Check->trigger();  // the list store, on the values as read
  expectState("no-count-then-list-store");

  writeFileBytes(startPath("Vexorel.ini"), testData("settingsets/hand-edited.ini"));
  editor->activate();
  editor.press(editor->Command2);
  expectState("hand-edited-sets");
}

// The name is asked for (a cancel saves nothing), a set saved is counted at once; the boxes' captions and icons are
// checked by the walk through the whole program.
TEST_F(EditorTest, EditSaveTogglesEditingAndSavesASet) {
  editor.open().press(editor->Command1);
  expectState("editing");
  dialogs.cancelInput();
  editor.press(editor->Command1);
  expectState("name-cancelled");
  editor.press(editor->Command1);
  dialogs.typeInput("Fast");
  editor.press(editor->Command1);
  expectState("saved-fast");

  const std::string saved = settings();
  dialogs.typeInput(" Fast");  // a name the store cannot keep as typed: its reason, and nothing saved
  editor.press(editor->Command1).press(editor->Command1);
  expectState("name-refused");
  setReadOnly(startPath("Vexorel.ini"), true);  // a settings file the user may not write: said, and kept
  dialogs.typeInput("Mine");
  editor.press(editor->Command1).press(editor->Command1);
  expectState("settings-read-only");
  EXPECT_EQ(settings(), saved);
}

TEST_F(EditorTest, TypedRowsDetailBiasAndTheRefreshRateWarning) {
  // One digit waits for the second, at most two are kept, an emptied box stores "".
  useDevice("GlideDrv.GlideRenderDevice");
  editor.open().unlockLists().clickValue(10).typeKeys(editor->Text1, "3");
  expectState("one-digit");
  editor.typeKeys(editor->Text1, "0");
  expectState("two-digits");
  editor.clickValue(10).backspace(editor->Text1).typeKeys(editor->Text1, "5");
  EXPECT_EQ(editor.value(10), "35");
  editor.clickValue(10);
  editor->Text1->clear();
  EXPECT_EQ(editor.value(10), "");
  editor.clickValue(10).typeKeys(editor->Text1, "123").clickValue(13).typeKeys(editor->Text2, "2");
  expectState("typed-both");
  // Typing into DetailBias stores the item after the combo's selection into the selected row, if any.
  editor.tab(1).typeKeys(editor->combo(1)->lineEdit(), "5");
  EXPECT_EQ(editor.value(13), "2");
  editor.choose(1, 0).select(13).typeKeys(editor->combo(1)->lineEdit(), "x");
  EXPECT_EQ(editor.value(13), "0");
  editor.choose(1, 1).select(12).typeKeys(editor->combo(1)->lineEdit(), "y");
  EXPECT_EQ(editor.value(12), "False");
  // The refresh rate warning comes once per run.
  editor.dropDown(2).dropDown(2);
  expectState("refresh-warning");
  editor.press(editor->Command3).open().tab(1).dropDown(2);
  expectState("refresh-warning");

  // The value list from the keyboard: Space and Enter step the selected row as a click does, only while editing,
  // and keep it selected; Up and Down only move; a typed row takes the keys into its box and gives them back.
  editor.press(editor->Command3).open().select(1).pressKeys({Qt::Key_Space});
  EXPECT_EQ(editor.value(1), "True");
  editor.unlockLists().select(1).pressKeys({Qt::Key_Space});
  expectState("space-steps");
  editor.pressKeys({Qt::Key_Down, Qt::Key_Return});
  expectState("return-steps");
  editor.pressKeys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter});
  expectState("enter-steps");
  editor.select(10).pressKeys({Qt::Key_Space, Qt::Key_4, Qt::Key_5});
  expectState("keys-typed-frame-rate");
  editor.pressKeys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_3});
  expectState("keys-typed-particles");
}

// Ticks write their key into the working copy at once, a key the section lacks added, each in its own section.
TEST_F(EditorTest, ATickWritesItsKeyIntoTheWorkingCopyAndAFailedOneIsTakenBackAndSaid) {
  editor.open().tab(1).tick(2, false).tick(21).tick(34).tick(39).tick(39, false).tick(41);
  editor->checkBox(16)->setCheckState(Qt::PartiallyChecked);  // greyed counts as clear
  expectState("ticked");
  const std::string held = backup("UTTemp.ini");
  EXPECT_EQ(held.find("UseSpatial", held.find("UseSpatial") + 1), std::string::npos) << "one key, not two";
  editor.tick(1);  // UseMultitexture writes nothing
  EXPECT_EQ(backup("UTTemp.ini"), held);

  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  editor->checkBox(19)->click();
  expectState("tick-refused");
  EXPECT_EQ(backup("UTTemp.ini"), held);
  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  editor->checkBox(19)->click();  // writable again: the same tick is saved
  expectState("ticked-again");
}

TEST_F(EditorTest, ApplyWritesTheChangedRowsThenTheEnabledCombosAndNextTimeOnlyWhatChanged) {
  useDevice("GlideDrv.GlideRenderDevice");
  const std::string start = gameIni();
  // SkinDetail -> Low, Coronas -> False, Decals back; 75Hz.
  editor.open().unlockLists().clickValues({7, 6, 4, 4}).tab(1).choose(2, 3);
  platform->log.clear();
  editor.press(editor->Command6);
  expectState("applied");  // the list store holds the changed items
  EXPECT_EQ(backup("Last.ini"), start);
  EXPECT_EQ(gameIni(), backup("UTTemp.ini"));

  editor.clickValue(7).tick(23);  // Low -> Medium, and a tick straight into the working copy
  platform->log.clear();
  editor.press(editor->Command6);
  expectState("applied-again");
}

TEST_F(EditorTest, ANewDeviceIsAppliedAsItsClassAndUndoPutsTheBackupBackOnce) {
  editor.open();
  platform->log.clear();
  editor.unlockLists().clickValues({14, 7}).press(editor->Command6);  // OpenGl, SkinDetail Low
  expectState("device-applied");
  dialogs.answer(MsgAnswer::No);
  editor.press(editor->Command7);
  EXPECT_EQ(gameIni(), backup("UTTemp.ini"));  // as applied
  dialogs.answer(MsgAnswer::Yes);
  editor.press(editor->Command7);  // the editor opens afresh on the restored file, with nothing left to undo
  expectState("undone");
  dialogs.answer(MsgAnswer::Yes);
  editor->Command7_Click();  // the handler itself still refuses without its backup
  expectState("undo-refused");
}

TEST_F(EditorTest, ApplyFailuresStopItAndSayWhere) {
  editor.open();
  fs::create_directories(startPath("BACKUP/Last.ini"));  // a folder where the backup should go
  platform->log.clear();
  editor.unlockLists().clickValue(8).press(editor->Command6);  // TextureDetail
  expectState("backup-not-made");
  fs::remove_all(startPath("BACKUP/Last.ini"));
  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  editor.press(editor->Command6);  // the item's name; the edit is kept for another try
  expectState("item-not-saved");
  editor.clickValues({8, 8}).tab(1).press(editor->Command6);  // the row stepped back: the first combo write fails
  expectState("combo-not-saved");

  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  fs::remove(gameIniPath());
  fs::create_directories(gameIniPath());  // the game's file cannot be replaced
  editor.press(editor->Command6);
  expectState("game-file-not-replaced");
}

}  // namespace
}  // namespace vexorel::testing
