// The editor window, started where the program would (the game registered, the main window's FileName naming the
// game's file), worked through EditorDriver. The value list's rows, Apply's expected writes and the window's state
// after each step are in EditorCases.txt.

#include <QtWidgets>
#include <filesystem>

#include "EditorDriver.h"
#include "core/SetRules.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
// The test line a helper is called from, taken as a default argument, for the helper's failures to point at.
struct CalledFrom {
  CalledFrom(const char* from = __builtin_FILE(), int at = __builtin_LINE()) : file(from), line(at) {}
  const char* file;
  int line;
};

// The lines of EditorCases.txt that start with `kind`, without it.
std::vector<QStringList> cases(const QString& kind) {
  std::vector<QStringList> found;
  for (const QString& line : QString::fromStdString(testData("editor/EditorCases.txt")).split('\n'))
    if (line.startsWith(kind + '|')) found.push_back(line.split('|').mid(1));
  return found;
}

class EditorTest : public GameFileTest {
 protected:
  std::string workingCopyName() const { return startFolder + "\\backup\\UTTemp.ini"; }
  std::string shown(const std::string& path) const { return platform->displayPath(path); }
  // A key as the working copy (or another file) holds it now.
  std::string key(const std::string& section, const std::string& name, const std::string& file = {}) {
    return app->module().ReadProfileValue(section, name, file.empty() ? editor.window().Tempname : file);
  }
  void useDevice(std::string device) { writeGameIni(edited(demoGameIni(), "=D3DDrv.D3DRenderDevice", "=" + device)); }
  void editGameIni(const std::string& from, const std::string& to) { writeGameIni(edited(gameIni(), from, to)); }
  // The writes and copies logged (copies by the files' names).
  QStringList logged() {
    const auto leaf = [](const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); };
    QStringList out;
    for (const std::string& e : platform->log) {
      const auto arrow = e.find(" -> ");
      out << QString::fromStdString(
          e.starts_with("copy ") ? "copy " + leaf(e.substr(5, arrow - 5)) + " -> " + leaf(e.substr(arrow + 4)) : e);
    }
    return out;
  }

  // One thing the window shows: a value-list row (row7), a key of the working copy or the game's file
  // (key:Section/Name, gamekey:Section/Name), one of the values named below, or a property of a control of the
  // editor or the list store (Command7.enabled, Form5.List4.count, Form4.visible), where "items" are a list's,
  // combo's or tab strip's texts joined by '|' and "background" is the palette role a box is painted with.
  QString probe(const QString& field) {
    static const char* const kIcons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    const auto text = [](const std::string& bytes) { return QString::fromStdString(bytes); };
    const auto yes = [](bool on) { return QString(on ? "true" : "false"); };
    Form4& window = editor.window();
    if (field.startsWith("row")) return text(editor.value(field.mid(3).toInt()));
    if (field.contains(':')) {  // kind:Section/Name
      const QStringList at = field.section(':', 1).split('/');
      return text(key(at[0].toStdString(), at[1].toStdString(), field.startsWith("game") ? gameFileName() : ""));
    }
    const DialogCall* last = dialogs.calls.empty() ? nullptr : &dialogs.calls.back();
    QString ticks, menu;  // per box: 'o' clear, 'x' ticked, '/' greyed; upper case when it takes no clicks
    for (int n = 1; n <= 41; ++n) {
      const QChar tick = window.checkBox(n)->isChecked() ? 'x' : window.checkBox(n)->checkState() ? '/' : 'o';
      ticks += window.checkBox(n)->isEnabled() ? tick : tick.toUpper();
    }
    for (QAction* action : window.mnuFile->actions()) menu += "|" + action->text();
    const std::map<QString, QString> named{
        {"DriverType", text(window.DriverType)},
        {"warzoeken", text(window.warzoeken)},
        {"FileName", text(app->frmmain().FileName)},
        {"OldFileName", text(window.OldFileName)},
        {"Tempname", text(window.Tempname)},
        {"once", yes(window.once)},
        {"loaded", yes(window.isLoaded())},
        {"mainVisible", yes(app->frmmain().isVisible())},
        {"status", window.StB1Panel1->text()},
        {"fileMenu", yes(window.mnuFile->isEnabled()) + menu},
        {"ticks", ticks},
        {"boxes", QString::number(dialogs.calls.size())},
        {"reads", QString::number(app->module().IniReadCount)},
        {"lastBox",
         last ? last->caption + "|" + kIcons[int(last->icon)] + "|" + QString(last->text).replace('\n', "\\n") : ""},
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
    if (path.back() == "background")  // a control's own colour
      return static_cast<QWidget*>(at)->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Base)
                 ? "Base"
                 : "Button";
    return at->property(path.back().toLatin1()).toString();
  }
  // The window as the rows "state|step|field|value" expect it; {start} and {game} stand for the test's folders.
  void expectState(const QString& step, CalledFrom at = {}) {
    const ::testing::ScopedTrace trace(at.file, at.line, step.toStdString());
    int checked = 0;
    for (const QStringList& row : cases("state")) {
      if (row[0] != step) continue;
      ++checked;
      const QString want =
          row.mid(2).join('|').replace("{start}", startFolder.c_str()).replace("{game}", gameFolder.c_str());
      EXPECT_EQ(probe(row[1]).toStdString(), want.toStdString()) << row[1].toStdString();
    }
    EXPECT_GT(checked, 0) << "no rows for this step";
  }
  // The boxes shown so far number `count`, the last a critical one with this text and the caption "Vexorel".
  void expectLastBox(std::size_t count, const std::string& text, CalledFrom at = {}) {
    const ::testing::ScopedTrace trace(at.file, at.line, "");
    ASSERT_EQ(dialogs.calls.size(), count) << text;
    EXPECT_EQ(dialogs.calls.back().text.toStdString(), text);
    EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.calls.back().caption, "Vexorel");
  }

  EditorDriver editor{app};
};

TEST_F(EditorTest, OpensOnTheGameFilesValuesAndAClickWhileEditingStepsARowThroughItsCycle) {
  editor.open();
  const std::vector<QStringList> rows = cases("row");
  EXPECT_EQ(comparableCaptions(captionsOf(editor.window()).join('\n').toStdString() + "\n"),
            comparableCaptions(testData("editor/captions.txt")));
  expectState("opened");

  // The rows as read, each stepped through its cycle by clicks: only while editing; each click leaves no row selected,
  // so the next click on it steps on again.
  ASSERT_EQ(editor->keys().size(), rows.size());
  ASSERT_EQ(editor->values().size(), rows.size());
  editor.clickValue(7);
  EXPECT_EQ(editor.value(7), "High");
  editor.unlockLists();
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const QStringList& cycle = rows[static_cast<std::size_t>(row)];
    SCOPED_TRACE(cycle[0].toStdString());
    EXPECT_EQ(editor->keys().at(static_cast<std::size_t>(row)), cycle[0].toStdString());
    EXPECT_EQ(editor.value(row), cycle[1].toStdString());
    for (qsizetype step = 2; step < cycle.size(); ++step) {
      editor.clickValue(row);
      EXPECT_EQ(editor.value(row), cycle[step].toStdString()) << "click " << step - 1;
      EXPECT_EQ(editor->List2->currentRow(), -1);
    }
  }
  EXPECT_EQ(editor->DriverType, "Direct 3D");
  EXPECT_EQ(backup("UTTemp.ini"), demoGameIni());  // clicks change only the lists
}

TEST_F(EditorTest, DeviceRules) {
  useDevice("SoftDrv.SoftwareRenderDevice");
  editor.open().tab(1);
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
  EXPECT_EQ(backup("UTTemp.ini"), demoGameIni());
  // Cancel drops the working copy; reopening makes a fresh one and shows the design state.
  editor.tab(1).tick(19).press(editor->Command3);
  expectState("cancelled");
  EXPECT_FALSE(fs::exists(startPath("BACKUP/Last.ini")));
  EXPECT_EQ(gameIni(), demoGameIni());
  editor.open();
  expectState("reopened");
  EXPECT_EQ(backup("UTTemp.ini"), demoGameIni());
  editor->close();  // the close box is the same unload
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  fs::remove_all(startPath("BACKUP"));
  writeFileBytes(startPath("BACKUP"), "");  // a file where the backup folder goes
  editor.open();
  expectState("refused");
  expectLastBox(1, "The working copy " + shown(workingCopyName()) + " could not be made from " + shown(gameFileName()) +
                       ", so the editor cannot open.\n" + notAFolderReason());
  fs::remove(startPath("BACKUP"));  // deleted by hand: made again
  editor.open().press(editor->Command3);
  EXPECT_TRUE(fs::is_directory(startPath("BACKUP")));
  fs::remove(gameIniPath());  // the game's own file missing: the same refusal, nothing created in its place
  editor.open();
  EXPECT_FALSE(editor->isLoaded());
  EXPECT_FALSE(fs::exists(gameIniPath()));
}

TEST_F(EditorTest, ActivationShowsTheSavedSetCountAndTheListStoreOnlyHides) {
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=03\r\n");
  editor.open();
  expectState("three-sets");
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", editor->Tempname);
  editor->activate();  // refills; a count that is no number is rewritten as "0", the status text and button stay
  EXPECT_EQ(settings(), "[Vexorel]\r\nDidBackup=Yes\r\nSaveNumber=0\r\n");
  editor->Check->trigger();  // the list store, on the values as read
  expectState("no-count-then-list-store");
  EXPECT_EQ(app->form5().List2->item(0)->text(), "16");
}

// A count that is no number in a file of five sets (3 with values only, 4 missing) becomes the last set's number, and
// only its bytes change; the status line and the load window show every set.
TEST_F(EditorTest, ACountThatIsNoNumberBecomesTheLastSetAndHidesNone) {
  const std::string stored = testData("settingsets/hand-edited.ini");
  writeFileBytes(startPath("Vexorel.ini"), stored);
  editor.open();
  EXPECT_EQ(settings(), edited(stored, "SaveNumber=abc", "SaveNumber=5"));
  editor.press(editor->Command2);
  expectState("hand-edited-sets");
  EXPECT_EQ(itemTexts(*app->load().Combo1), "One|Two|Save3|Save4|Five");
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
  expectLastBox(5, sets::nameProblem(" Fast").value_or("(accepted)"));
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
  EXPECT_EQ(gameIni(), demoGameIni());

  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  editor->checkBox(19)->click();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const QString prefix = QString::fromStdString("The setting UseVSync could not be saved in the working copy " +
                                                shown(editor->Tempname) + ", so it was not changed.\n");
  const QString& said = dialogs.calls[0].text;
  EXPECT_TRUE(said.startsWith(prefix)) << said.toStdString();
  EXPECT_GT(said.size(), prefix.size()) << "the system's reason follows";
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(backup("UTTemp.ini"), held);
  expectState("tick-refused");
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
  EXPECT_EQ(logged(), cases("log-glide").at(0));
  EXPECT_EQ(platform->sleeps, (std::vector<unsigned>{100, 100, 100, 100, 2000}));
  expectState("applied");  // the list store holds the changed items
  EXPECT_EQ(backup("Last.ini"), start);
  EXPECT_EQ(gameIni(), backup("UTTemp.ini"));

  editor.clickValue(7).tick(23);  // Low -> Medium, and a tick straight into the working copy
  platform->log.clear();
  editor.press(editor->Command6);
  EXPECT_EQ(logged().mid(1, 2).join('|'),
            "write WinDrv.WindowsClient/SkinDetail=Medium|write GlideDrv.GlideRenderDevice/DetailBias=-1.5");
  EXPECT_EQ(key("GlideDrv.GlideRenderDevice", "FastUglyRefresh", gameFileName()), "True");
}

TEST_F(EditorTest, ANewDeviceIsAppliedAsItsClassAndUndoPutsTheBackupBackOnce) {
  editor.open();
  platform->log.clear();
  editor.unlockLists().clickValues({14, 7}).press(editor->Command6);  // OpenGl, SkinDetail Low
  EXPECT_EQ(logged(), cases("log-device").at(0));
  expectState("device-applied");
  dialogs.answer(MsgAnswer::No);
  editor.press(editor->Command7);
  EXPECT_EQ(gameIni(), backup("UTTemp.ini"));  // as applied
  dialogs.answer(MsgAnswer::Yes);
  editor.press(editor->Command7);  // the editor opens afresh on the restored file, with nothing left to undo
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(backup("last1.ini"), demoGameIni());
  EXPECT_EQ(backup("UTTemp.ini"), demoGameIni());
  expectState("undone");
  dialogs.answer(MsgAnswer::Yes);
  editor->Command7_Click();  // the handler itself still refuses without its backup
  expectLastBox(5, "Sorry but for some reason the backup does not exist! look in: " +
                       shown(startFolder + "\\backup\\Last.ini") + " for the file!");
  EXPECT_EQ(gameIni(), demoGameIni());
  expectState("undo-refused");
}

TEST_F(EditorTest, ApplyFailuresStopItAndSayWhere) {
  editor.open();
  fs::create_directories(startPath("BACKUP/Last.ini"));  // a folder where the backup should go
  platform->log.clear();
  editor.unlockLists().clickValue(8).press(editor->Command6);  // TextureDetail
  EXPECT_EQ(logged(), QStringList{"copy UTTemp.ini -> Last.ini"});
  expectLastBox(1, "The backup " + shown(startFolder + "\\backup\\Last.ini") +
                       " could not be made, so nothing was applied. The game's file is unchanged.\nit is a folder");
  EXPECT_EQ(backup("UTTemp.ini"), demoGameIni());
  EXPECT_EQ(editor.value(8), "Low");
  fs::remove_all(startPath("BACKUP/Last.ini"));
  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  editor.press(editor->Command6);  // the item's name; the edit is kept for another try
  expectState("item-not-saved");
  editor.clickValues({8, 8}).tab(1).press(editor->Command6);  // the row stepped back: the first combo write fails
  expectState("combo-not-saved");
  EXPECT_TRUE(platform->sleeps.empty());

  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  fs::remove(gameIniPath());
  fs::create_directories(gameIniPath());  // the game's file cannot be replaced
  editor.press(editor->Command6);
  EXPECT_EQ(dialogs.calls.back().text.toStdString(),
            "The settings could not be copied over " + shown(gameFileName()) +
                ", so the game's file was not changed. The editor still holds your changes.\nit is a folder");
  expectState("game-file-not-replaced");
}

}  // namespace
}  // namespace vexorel::testing
