// The editor window, started where the program would (the game registered, the main window's FileName naming the
// game's file), worked through EditorDriver. The value list's rows and Apply's expected writes are in EditorCases.txt.

#include <QtWidgets>
#include <filesystem>
#include <optional>
#include <type_traits>

#include "EditorDriver.h"
#include "core/SetRules.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
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

class EditorTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    registerGame();
    app->frmmain().UtPath = gameFolder;
    app->frmmain().FileName = gameFileName();
  }
  std::string gameFileName() const { return gameFolder + "\\System\\UnrealTournament.ini"; }
  std::string workingCopyName() const { return startFolder + "\\backup\\UTTemp.ini"; }
  std::string backup(std::string name = "UTTemp.ini") const { return readFileBytes(startPath("BACKUP/" + name)); }
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
  // Each control in the state `want`; a failure names the control and the line that asked.
  template <typename Control>
  void expectEach(bool (Control::*state)() const, bool want, std::initializer_list<std::type_identity_t<Control>*> of,
                  CalledFrom at = {}) {
    const ::testing::ScopedTrace trace(at.file, at.line, "");
    for (Control* control : of) EXPECT_EQ((control->*state)(), want) << control->objectName().toStdString();
  }
  void expectValues(std::initializer_list<std::pair<int, const char*>> rows, CalledFrom at = {}) {
    const ::testing::ScopedTrace trace(at.file, at.line, "");
    for (const auto& [row, value] : rows) EXPECT_EQ(editor.value(row), value) << "row " << row;
  }
  // The boxes shown so far number `count`, the last with this text and, unless none is given, this icon and the
  // caption "Vexorel".
  void expectLastBox(std::size_t count, const std::string& text, std::optional<MsgIcon> icon = MsgIcon::Critical,
                     CalledFrom at = {}) {
    const ::testing::ScopedTrace trace(at.file, at.line, "");
    ASSERT_EQ(dialogs.calls.size(), count) << text;
    EXPECT_EQ(dialogs.calls.back().text.toStdString(), text);
    if (!icon) return;
    EXPECT_EQ(dialogs.calls.back().icon, *icon);
    EXPECT_EQ(dialogs.calls.back().caption, "Vexorel");
  }

  EditorDriver editor{app};
};

TEST_F(EditorTest, OpensOnTheGameFilesValuesAndAClickWhileEditingStepsARowThroughItsCycle) {
  editor.open();
  const std::vector<QStringList> rows = cases("row");
  EXPECT_EQ(comparableCaptions(captionsOf(editor.window()).join('\n').toStdString() + "\n"),
            comparableCaptions(testData("editor/captions.txt")));
  QStringList captions;  // the tabs, and the items of the File menu in order
  for (int i = 0; i < editor->SSTab1->count(); ++i) captions << editor->SSTab1->tabText(i);
  for (QAction* a : editor->mnuFile->actions()) captions << a->text();
  EXPECT_EQ(captions.join('|'), "Graphics |Advanced Display settings|Sound|Network Settings|Save|Load");
  EXPECT_EQ(editor->SSTab1->currentIndex(), 0);
  expectEach(&QWidget::isEnabled, false, {editor->List1, editor->List2});
  expectEach(&QWidget::isVisible, false, {editor->Text1, editor->Text2});
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(editor->combo(n)->isEditable(), n <= 4) << "Combo" << n;

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
  EXPECT_EQ(backup(), demoGameIni());  // clicks change only the lists
}

TEST_F(EditorTest, DeviceRules) {
  useDevice("SoftDrv.SoftwareRenderDevice");
  editor.open().tab(1);
  EXPECT_FALSE(editor->checkBox(12)->isEnabled());
  EXPECT_TRUE(editor->checkBox(24)->isEnabled());
  // Software -> S3 in the value list: the picked device wins over the file; a control it leaves as it is keeps what
  // the one before left.
  editor.tab(0).unlockLists().clickValue(14).tab(1);
  EXPECT_EQ(editor->DriverType + " " + editor->warzoeken, "MetalDrv.MetalRenderDevice MetalDrv.MetalRenderDevice");
  expectEach(&QWidget::isEnabled, false, {editor->checkBox(12), editor->checkBox(24)});
  expectEach(&QWidget::isEnabled, true, {editor->checkBox(2), editor->checkBox(6)});
  EXPECT_EQ(key("Engine.Engine", "GameRenderDevice"), "SoftDrv.SoftwareRenderDevice");

  // Values are matched exactly, or appended once (leaving the first tab again appends nothing more); Glide's odd
  // DetailBias becomes Combo1's first item.
  useDevice("GlideDrv.GlideRenderDevice");
  editGameIni("NetServerMaxTickRate=20", "NetServerMaxTickRate=28");
  editGameIni("OutputRate=22050Hz\r\nEffectsChannels", "OutputRate=48000Hz\r\nEffectsChannels");
  editGameIni("DetailBias=-1.5", "DetailBias=1");
  editGameIni("VolumetricLighting=True\r\n\r\n", "VolumetricLighting=true\r\n\r\n");
  editor.press(editor->Command3).open().tab(1).tab(0).tab(1);
  EXPECT_EQ(app->module().IniReadCount, 0);
  // Each display combo's label is switched with it, and its background tells whether it is usable.
  for (const auto& [n, label] : {std::pair{1, 3}, std::pair{2, 1}, std::pair{3, 2}}) {
    EXPECT_EQ(editor->label(label)->isEnabled(), n != 3) << "Label" << label;
    EXPECT_EQ(editor->combo(n)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Active, n != 3 ? QPalette::Base : QPalette::Button))
        << "Combo" << n;
  }
  EXPECT_FALSE(editor->checkBox(3)->isChecked());
  expectEach(&QAbstractButton::isChecked, true, {editor->checkBox(4), editor->checkBox(22)});
  EXPECT_EQ(editor->combo(6)->count(), 35);
  EXPECT_EQ(editor->combo(6)->currentIndex(), 34);
  EXPECT_EQ(editor->combo(6)->currentText(), "28");
  EXPECT_EQ(editor->combo(4)->currentText(), "48000Hz");
  EXPECT_EQ(editor->combo(4)->count(), 5);
  EXPECT_EQ(editor->combo(2)->currentText(), "60Hz");
  EXPECT_EQ(editor->combo(1)->count(), 3);
  EXPECT_EQ(editor->combo(1)->currentIndex(), 0);
  EXPECT_EQ(editor->combo(1)->currentText(), "1");

  // An unknown device changes no control and its display boxes write nothing; values outside every cycle stay.
  useDevice("FooDrv.FooRenderDevice");
  editGameIni("FullscreenColorBits=16", "FullscreenColorBits=24");
  editGameIni("CurvedSurfaces=True", "CurvedSurfaces=true");
  editor.press(editor->Command3).open().unlockLists().clickValues({0, 1, 14});
  expectValues({{0, "24"}, {1, "true"}});
  EXPECT_EQ(editor.value(14) + editor->DriverType, "FooDrv.FooRenderDeviceFooDrv.FooRenderDevice");
  editor.tab(1).tick(19).tick(34);
  EXPECT_TRUE(editor->warzoeken.empty());
  for (int n = 2; n <= 27; ++n) {
    EXPECT_TRUE(editor->checkBox(n)->isEnabled()) << n;
    EXPECT_EQ(editor->checkBox(n)->isChecked(), n == 19) << n;
  }
  expectEach(&QWidget::isEnabled, true, {editor->combo(1), editor->combo(2), editor->combo(3)});
  EXPECT_EQ(backup(), edited(gameIni(), "UseSpatial=False", "UseSpatial=True"));  // the sound box knows its section
}

TEST_F(EditorTest, OpensOnAWorkingCopyClosesBackToTheGameFileAndRefusesWithoutOne) {
  Frmmain& main = app->frmmain();
  editor.open();
  EXPECT_EQ(main.FileName + editor->OldFileName + editor->Tempname,
            workingCopyName() + gameFileName() + workingCopyName());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->once);
  EXPECT_FALSE(editor->mnuFile->isEnabled());
  EXPECT_FALSE(main.isVisible());
  EXPECT_EQ(backup() + std::to_string(app->form5().List2->count()), demoGameIni() + "15");  // and the snapshot
  // Cancel drops the working copy; reopening makes a fresh one and shows the design state.
  editor.tab(1).tick(19).press(editor->Command3);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(editor->once);
  EXPECT_FALSE(fs::exists(startPath("BACKUP/Last.ini")));
  EXPECT_EQ(main.FileName + gameIni(), gameFileName() + demoGameIni());
  editor.open();
  EXPECT_EQ(backup() + editor->warzoeken, demoGameIni());
  EXPECT_EQ(editor->SSTab1->currentIndex(), 0);
  EXPECT_FALSE(editor->checkBox(19)->isChecked());
  editor->close();  // the close box is the same unload
  EXPECT_EQ(main.FileName, gameFileName());
  fs::remove_all(startPath("BACKUP"));
  writeFileBytes(startPath("BACKUP"), "");  // a file where the backup folder goes
  editor.open();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(editor->isLoaded());
  EXPECT_FALSE(editor->once);
  EXPECT_EQ(main.FileName, gameFileName());
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
  EXPECT_EQ(editor->StB1Panel1->text(), "Found 03 saved settings");
  EXPECT_TRUE(editor->Command2->isEnabled());
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", editor->Tempname);
  editor->activate();  // refills; a count that is no number is rewritten as "0", the status text and button stay
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), "[Vexorel]\r\nDidBackup=Yes\r\nSaveNumber=0\r\n");
  EXPECT_EQ(editor->StB1Panel1->text(), "Found 03 saved settings");
  EXPECT_TRUE(editor->Command2->isEnabled());
  EXPECT_EQ(editor.value(7), "Low");
  editor->Check->trigger();  // the list store, on the values as read
  EXPECT_TRUE(app->form5().isVisible());
  EXPECT_EQ(app->form5().List1->count(), 15);
  EXPECT_EQ(app->form5().List2->item(0)->text(), "16");
}

// The name is asked for (a cancel saves nothing), a set saved is counted at once; the boxes' captions and icons are
// checked by the walk through the whole program.
TEST_F(EditorTest, EditSaveTogglesEditingAndSavesASet) {
  editor.open().press(editor->Command1);
  expectEach(&QWidget::isEnabled, true, {editor->List1, editor->List2});
  EXPECT_EQ(editor->Command1->text(), "&Save");
  EXPECT_EQ(editor->Command1->toolTip(), "Click to Save the Settings");
  EXPECT_TRUE(dialogs.calls.empty());
  dialogs.cancelInput();
  editor.press(editor->Command1);
  expectEach(&QWidget::isEnabled, false, {editor->List1, editor->List2});
  EXPECT_EQ(editor->Command1->text(), "&Edit");
  EXPECT_EQ(editor->Command1->toolTip(), "Click to Edit the Settings");
  expectLastBox(1, "Please enter a name to save settings to", std::nullopt);
  EXPECT_EQ(editor->StB1Panel1->text(), "Found 0 saved settings");
  editor.press(editor->Command1);
  dialogs.typeInput("Fast");
  editor.press(editor->Command1);
  expectLastBox(3, "Remember No Changes were made, press Apply.", std::nullopt);
  EXPECT_EQ(editor->StB1Panel1->text(), "Found 1 saved settings");
  EXPECT_TRUE(editor->Command2->isEnabled());

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
  EXPECT_EQ(editor.value(10), "30.000000");
  EXPECT_TRUE(editor->Text1->isVisible());
  editor.typeKeys(editor->Text1, "0");
  EXPECT_EQ(editor.value(10), "30");
  EXPECT_FALSE(editor->Text1->isVisible());
  editor.clickValue(10).backspace(editor->Text1).typeKeys(editor->Text1, "5");
  EXPECT_EQ(editor.value(10), "35");
  editor.clickValue(10);
  editor->Text1->clear();
  EXPECT_EQ(editor.value(10), "");
  editor.clickValue(10).typeKeys(editor->Text1, "123").clickValue(13).typeKeys(editor->Text2, "2");
  expectValues({{10, "12"}, {13, "2"}});
  expectEach(&QWidget::isVisible, false, {editor->Text1, editor->Text2});
  // Typing into DetailBias stores the item after the combo's selection into the selected row, if any.
  editor.tab(1).typeKeys(editor->combo(1)->lineEdit(), "5");
  EXPECT_EQ(editor.value(13), "2");
  editor.choose(1, 0).select(13).typeKeys(editor->combo(1)->lineEdit(), "x");
  EXPECT_EQ(editor.value(13), "0");
  editor.choose(1, 1).select(12).typeKeys(editor->combo(1)->lineEdit(), "y");
  EXPECT_EQ(editor.value(12), "False");
  // The refresh rate warning comes once per run.
  editor.dropDown(2).dropDown(2);
  expectLastBox(1, "Warning! A too high refresh Rate may cause damage to your PC");
  editor.press(editor->Command3).open().tab(1).dropDown(2);
  expectLastBox(1, "Warning! A too high refresh Rate may cause damage to your PC");

  // The value list from the keyboard: Space and Enter step the selected row as a click does, only while editing,
  // and keep it selected; Up and Down only move; a typed row takes the keys into its box and gives them back.
  editor.press(editor->Command3).open().select(1).pressKeys({Qt::Key_Space});
  EXPECT_EQ(editor.value(1), "True");
  editor.unlockLists().select(1).pressKeys({Qt::Key_Space});
  EXPECT_EQ(editor.value(1), "False");
  EXPECT_EQ(editor->List2->currentRow(), 1);
  editor.pressKeys({Qt::Key_Down, Qt::Key_Return});
  expectValues({{1, "False"}, {2, "True"}});
  EXPECT_EQ(editor->List2->currentRow(), 2);
  editor.pressKeys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter});
  expectValues({{0, "32"}, {1, "False"}});
  editor.select(10).pressKeys({Qt::Key_Space, Qt::Key_4, Qt::Key_5});
  EXPECT_EQ(editor.value(10), "45");
  EXPECT_FALSE(editor->Text1->isVisible());
  EXPECT_EQ(editor->List2->currentRow(), 10);
  editor.pressKeys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_3});
  EXPECT_EQ(editor.value(13), "3");
  EXPECT_FALSE(editor->Text2->isVisible());
  EXPECT_EQ(editor->List2->currentRow(), 13);
}

// Ticks write their key into the working copy at once, a key the section lacks added, each in its own section.
TEST_F(EditorTest, ATickWritesItsKeyIntoTheWorkingCopyAndAFailedOneIsTakenBackAndSaid) {
  editor.open().tab(1).tick(2, false).tick(21).tick(34).tick(39).tick(39, false).tick(41);
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "UseVertexFog"), "True");
  EXPECT_EQ(key("Galaxy.GalaxyAudioSubsystem", "UseSpatial"), "False");
  EXPECT_EQ(key("IpDrv.TcpNetDriver", "OverrideBufferAllocation"), "True");
  editor->checkBox(16)->setCheckState(Qt::PartiallyChecked);  // greyed counts as clear
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "Translucency"), "False");
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "Use32BitTextures"), "False");
  const std::string held = backup();
  EXPECT_EQ(held.find("UseSpatial", held.find("UseSpatial") + 1), std::string::npos) << "one key, not two";
  editor.tick(1);  // UseMultitexture writes nothing
  EXPECT_EQ(backup(), held);
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
  EXPECT_EQ(backup(), held);
  EXPECT_FALSE(editor->checkBox(19)->isChecked());
  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  editor->checkBox(19)->click();  // writable again: the same tick is saved
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "UseVSync") + std::to_string(dialogs.calls.size()), "True1");
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
  expectLastBox(1, "Ok it's Done remember you have a backup !!", MsgIcon::Information);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->Command7->isEnabled());
  EXPECT_FALSE(QApplication::overrideCursor());
  Form5& store = app->form5();  // the list store holds the changed items
  ASSERT_EQ(store.List4->count(), 2);
  EXPECT_EQ(store.List4->item(0)->text() + store.List5->item(0)->text() + store.List3->item(1)->text(),
            "CoronasTrueLow");
  EXPECT_EQ(editor.value(6) + editor.value(7) + key("GlideDrv.GlideRenderDevice", "RefreshRate", gameFileName()),
            "FalseLow75Hz");
  EXPECT_EQ(backup("Last.ini"), start);
  EXPECT_EQ(gameIni(), backup());

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
  EXPECT_EQ(key("WinDrv.WindowsClient", "GameRenderDevice", gameFileName()) + editor.value(14), "DefaultOpenGl");
  dialogs.answer(MsgAnswer::No);
  editor.press(editor->Command7);
  EXPECT_EQ(gameIni(), backup());  // as applied
  dialogs.answer(MsgAnswer::Yes);
  editor.press(editor->Command7);  // the editor opens afresh on the restored file, with nothing left to undo
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(backup("last1.ini"), demoGameIni());
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_EQ(editor.value(7), "High");
  EXPECT_TRUE(editor->isVisible());
  EXPECT_FALSE(editor->Command7->isEnabled());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
  dialogs.answer(MsgAnswer::Yes);
  editor->Command7_Click();  // the handler itself still refuses without its backup
  expectLastBox(5, "Sorry but for some reason the backup does not exist! look in: " +
                       shown(startFolder + "\\backup\\Last.ini") + " for the file!");
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
}

TEST_F(EditorTest, ApplyFailuresStopItAndSayWhere) {
  editor.open();
  fs::create_directories(startPath("BACKUP/Last.ini"));  // a folder where the backup should go
  platform->log.clear();
  editor.unlockLists().clickValue(8).press(editor->Command6);  // TextureDetail
  EXPECT_EQ(logged(), QStringList{"copy UTTemp.ini -> Last.ini"});
  expectLastBox(1, "The backup " + shown(startFolder + "\\backup\\Last.ini") +
                       " could not be made, so nothing was applied. The game's file is unchanged.\nit is a folder");
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_EQ(editor.value(8), "Low");
  fs::remove_all(startPath("BACKUP/Last.ini"));
  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  editor.press(editor->Command6);  // the item's name; the edit is kept for another try
  expectLastBox(2, "Error when saving this itemTextureDetail = ");
  EXPECT_TRUE(editor->isVisible());
  EXPECT_FALSE(editor->Command7->isEnabled());
  EXPECT_EQ(editor.value(8), "Low");
  editor.clickValues({8, 8}).tab(1).press(editor->Command6);  // the row stepped back: the first combo write fails
  EXPECT_EQ(dialogs.calls.back().text, "Error when saving this itemOutputRate = ");
  EXPECT_TRUE(platform->sleeps.empty());
  EXPECT_FALSE(QApplication::overrideCursor());

  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  fs::remove(gameIniPath());
  fs::create_directories(gameIniPath());  // the game's file cannot be replaced
  editor.press(editor->Command6);
  EXPECT_EQ(dialogs.calls.back().text.toStdString(),
            "The settings could not be copied over " + shown(gameFileName()) +
                ", so the game's file was not changed. The editor still holds your changes.\nit is a folder");
  EXPECT_FALSE(editor->Command7->isEnabled());
  EXPECT_FALSE(QApplication::overrideCursor());
}

}  // namespace
}  // namespace vexorel::testing
