// The editor window, started where the program would (the game registered, the main window's FileName naming the
// game's file), driven by its controls. Tables of cases and scenarios are in EditorCases.txt.

#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "core/SetRules.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Cases = std::map<std::string, std::vector<QStringList>>;

const Cases& cases() {  // EditorCases.txt by the first field of its lines
  static const Cases table = [] {
    Cases read;
    std::ifstream in(VEXOREL_SOURCE_DIR "/tests/editor/EditorCases.txt");
    for (std::string line; std::getline(in, line);) {
      QStringList fields = QString::fromStdString(line).split('|');
      if (!line.empty() && line[0] != '#') read[fields.takeFirst().toStdString()].push_back(fields);
    }
    return read;
  }();
  return table;
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
    return app->module().ReadProfileValue(section, name, file.empty() ? editor().Tempname : file);
  }
  Form4& editor() { return app->form4(); }
  std::string value(int row) { return editor().values().at(static_cast<std::size_t>(row)); }
  void useDevice(std::string device) { writeGameIni(edited(demoGameIni(), "=D3DDrv.D3DRenderDevice", "=" + device)); }
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
  static std::string lineEnds(QString text) { return text.replace("\\r\\n", "\r\n").toStdString(); }
  // Runs steps split by ';': device CLASS, ini FROM TO (the game's file edited; \\r\\n a line end), open, tab N, edit,
  // click ROW..., tick N on|off, combo N INDEX, press BUTTON, answer Yes|No, type NAME, cancel, activate, select ROW,
  // keys TEXT (into the box shown or DetailBias), key NAME (to the value list, or
  // to the typed box that has the keyboard), back, clear, popup N.
  void act(const QString& steps) {
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
      const QStringList w = step.split(' ', Qt::SkipEmptyParts);
      const int n = w.value(1).toInt();
      Form4& form = editor();
      QListWidget* list = form.List2;
      QLineEdit* box = form.Text1->isVisible() ? form.Text1 : form.combo(1)->lineEdit();
      if (form.Text2->isVisible()) box = form.Text2;
      const auto clickRow = [&](const QString& row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row.toInt())).center());
      };
      const std::map<QString, std::function<void()>> verbs{
          {"device", [&] { useDevice(w.value(1).toStdString()); }},
          {"ini", [&] { writeGameIni(edited(gameIni(), lineEnds(w.value(1)), lineEnds(w.value(2)))); }},
          {"open",
           [&] { form.showForm(), QCoreApplication::processEvents(), form.isLoaded() ? form.activate() : void(); }},
          {"tab", [&] { form.SSTab1->setCurrentIndex(n); }},
          {"edit", [&] { list->isEnabled() ? void() : form.Command1->click(); }},
          {"click", [&] { std::ranges::for_each(w.mid(1), clickRow); }},
          {"tick", [&] { form.checkBox(n)->setChecked(w.value(2) == "on"); }},
          {"combo", [&] { form.combo(n)->setCurrentIndex(w.value(2).toInt()); }},
          {"press", [&] { form.findChild<QAbstractButton*>(w.value(1))->click(); }},
          {"answer", [&] { dialogs.answer(w.value(1) == "Yes" ? MsgAnswer::Yes : MsgAnswer::No); }},
          {"type", [&] { dialogs.typeInput(w.value(1)); }},
          {"cancel", [&] { dialogs.cancelInput(); }},
          {"activate", [&] { form.activate(); }},
          {"select", [&] { list->setCurrentRow(n); }},
          {"keys", [&] { QTest::keyClicks(box, w.value(1)); }},
          {"key",
           [&] {
             QWidget* to = QApplication::focusWidget();
             if (to != form.Text1 && to != form.Text2) list->setFocus(), to = list;
             QTest::keyClick(to, QKeySequence(w.value(1))[0].key());
           }},
          {"back", [&] { QTest::keyClick(box, Qt::Key_Backspace); }},
          {"clear", [&] { box->clear(); }},
          {"popup", [&] { form.combo(n)->showPopup(), form.combo(n)->hidePopup(); }}};
      ASSERT_TRUE(verbs.count(w[0])) << step.toStdString();
      verbs.at(w[0])();
    }
  }
  // Checks "Object.property=value" items split by ';', on the editor's controls ("Form4" is the window), and
  // "row.N=value" (the value list), "key.Section/Key=value" (the working copy), "status.text=..." (the status bar),
  // "boxes.N=text" (the count of boxes shown, and the last one's text).
  void expect(const QString& items) {
    for (const QString& item : items.split(';', Qt::SkipEmptyParts)) {
      const QString name = item.section('.', 0, 0).trimmed(), property = item.section('.', 1).section('=', 0, 0);
      const std::string section = property.section('/', 0, 0).toStdString(),
                        entry = property.section('/', 1).toStdString();
      QObject* object = name == "Form4" ? &editor() : editor().findChild<QObject*>(name);
      const QString got = name == "row"     ? QString::fromStdString(value(property.toInt()))
                          : name == "key"   ? QString::fromStdString(key(section, entry))
                          : name == "boxes" ? QString::number(dialogs.calls.size()) +
                                                  (dialogs.calls.empty() ? "" : dialogs.calls.back().text)
                          : name == "status" ? editor().StB1Panel1->text()
                          : object           ? object->property(property.toLatin1()).toString()
                                             : "(no such control)";
      EXPECT_EQ(got.toStdString(), ((name == "boxes" ? property : "") + item.section('=', 1)).toStdString())
          << item.toStdString();
    }
  }
  void run(const std::string& kind) {  // a scenario of the table: steps, then what they leave
    for (const QStringList& c : cases().at(kind)) act(c[0]), expect(c.value(1));
  }
  // The boxes shown so far number `count`, the last with this text and icon, captioned "Vexorel".
  void expectLastBox(std::size_t count, const std::string& text, MsgIcon icon = MsgIcon::Critical) {
    ASSERT_EQ(dialogs.calls.size(), count) << text;
    EXPECT_EQ(dialogs.calls.back().text.toStdString(), text);
    EXPECT_EQ(dialogs.calls.back().icon, icon);
    EXPECT_EQ(dialogs.calls.back().caption, "Vexorel");
  }
};

TEST_F(EditorTest, TableOfCases) {
  Form4& form = editor();
  act("open");
  Lines keys, values;
  for (const QStringList& row : cases().at("row"))
    keys.push_back(row[0].toStdString()), values.push_back(row[1].toStdString());
  EXPECT_EQ(form.keys(), keys);
  EXPECT_EQ(form.values(), values);
  QStringList captions;
  for (int i = 0; i < form.SSTab1->count(); ++i) captions << form.SSTab1->tabText(i);
  for (QAbstractButton* b : {form.Command1, form.Command2, form.Command6, form.Command7, form.Command3})
    captions << b->text();
  for (QAction* a : form.mnuFile->actions()) captions << a->text();
  EXPECT_EQ(captions, cases().at("captions").at(0));
  EXPECT_EQ(comparableCaptions(captionsOf(form).join('\n').toStdString() + "\n"),
            comparableCaptions(testData("editor/captions.txt")));
  for (const QStringList& c : cases().at("open")) expect(c[0] + "." + c[1] + "=" + c[2]);

  run("cycle");
  EXPECT_EQ(form.DriverType, "Direct 3D");
  EXPECT_EQ(backup(), demoGameIni());  // clicks change only the lists
  act("press Command3");

  const QStringList devices = cases().at("devices").at(0);
  for (qsizetype device = 0; device < devices.size(); ++device) {
    SCOPED_TRACE(devices[device].toStdString());
    useDevice(devices[device].toStdString());
    act("open; tab 1");
    EXPECT_EQ(form.warzoeken, devices[device].toStdString());
    for (const QStringList& c : cases().at("avail"))
      expect(c[0] + ".enabled=" + (c[1][device] == '0' ? "false" : "true"));
    for (int n = 1; n <= 3; ++n)  // the display combos are told apart by background
      EXPECT_EQ(form.combo(n)->palette().color(QPalette::Base),
                QApplication::palette().color(QPalette::Active,
                                              form.combo(n)->isEnabled() ? QPalette::Base : QPalette::Button));
    EXPECT_EQ(app->module().IniReadCount, 0);
    act("press Command3");
  }
}

TEST_F(EditorTest, DeviceRules) {
  Form4& form = editor();
  act("device SoftDrv.SoftwareRenderDevice; open; tab 1");
  expect("Check12.enabled=false; Check24.enabled=true");
  act("tab 0; edit; click 14; tab 1");  // Software -> S3
  EXPECT_EQ(form.DriverType + " " + form.warzoeken, "MetalDrv.MetalRenderDevice MetalDrv.MetalRenderDevice");
  run("rules");

  EXPECT_EQ(value(14) + form.DriverType, "FooDrv.FooRenderDeviceFooDrv.FooRenderDevice");
  act("tab 1; tick 19 on; tick 34 on");
  EXPECT_TRUE(form.warzoeken.empty());
  for (int n = 2; n <= 27; ++n)
    EXPECT_TRUE(form.checkBox(n)->isEnabled() && (n == 19) == form.checkBox(n)->isChecked()) << n;
  expect("Combo1.enabled=true; Combo2.enabled=true; Combo3.enabled=true");
  EXPECT_EQ(backup(), edited(gameIni(), "UseSpatial=False", "UseSpatial=True"));  // the sound box knows its section
}

TEST_F(EditorTest, OpensOnAWorkingCopyClosesBackToTheGameFileAndRefusesWithoutOne) {
  Form4& form = editor();
  act("open");
  EXPECT_EQ(app->frmmain().FileName + form.OldFileName + form.Tempname,
            workingCopyName() + gameFileName() + workingCopyName());
  EXPECT_TRUE(form.isVisible() && form.once && !form.mnuFile->isEnabled() && !app->frmmain().isVisible());
  EXPECT_EQ(backup() + std::to_string(app->form5().List2->count()), demoGameIni() + "15");  // and the snapshot
  // Cancel drops the working copy; reopening makes a fresh one and shows the design state.
  act("tab 1; tick 19 on; press Command3");
  EXPECT_FALSE(form.isVisible() || form.once || fs::exists(startPath("BACKUP/Last.ini")));
  EXPECT_EQ(app->frmmain().FileName + gameIni(), gameFileName() + demoGameIni());
  act("open");
  EXPECT_EQ(backup() + form.warzoeken, demoGameIni());
  expect("SSTab1.currentIndex=0; Check19.checked=false");
  form.close();  // the close box is the same unload
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  fs::remove_all(startPath("BACKUP"));
  writeFileBytes(startPath("BACKUP"), "");  // a file where the backup folder goes
  act("open");
  EXPECT_FALSE(form.isVisible() || form.isLoaded() || form.once || app->frmmain().FileName != gameFileName());
  expectLastBox(1, "The working copy " + shown(workingCopyName()) + " could not be made from " + shown(gameFileName()) +
                       ", so the editor cannot open.\n" + notAFolderReason());
  fs::remove(startPath("BACKUP"));  // deleted by hand: made again
  act("open; press Command3");
  EXPECT_TRUE(fs::is_directory(startPath("BACKUP")));
  fs::remove(gameIniPath());  // the game's own file missing: the same refusal, nothing created in its place
  act("open");
  EXPECT_FALSE(form.isLoaded() || fs::exists(gameIniPath()));
}

TEST_F(EditorTest, ActivationShowsTheSavedSetCountAndTheListStoreOnlyHides) {
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=03\r\n");
  Form4& form = editor();
  act("open");
  expect("status.text=Found 03 saved settings; Command2.enabled=true");
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", form.Tempname);
  act("activate");  // refills; a count that is no number is rewritten as "0", the status text and button stay
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), "[Vexorel]\r\nDidBackup=Yes\r\nSaveNumber=0\r\n");
  expect("status.text=Found 03 saved settings; Command2.enabled=true; row.7=Low");
  form.Check->trigger();  // the list store, on the values as read
  EXPECT_TRUE(app->form5().isVisible() && app->form5().List1->count() == 15 &&
              app->form5().List2->item(0)->text() == "16");
}

TEST_F(EditorTest, EditSaveTogglesEditingAndSavesASet) {
  run("editsave");  // the boxes' captions and icons are checked by the walk through the whole program
  const std::string settings = readFileBytes(startPath("Vexorel.ini"));
  dialogs.typeInput(" Fast");  // a name the store cannot keep as typed: its reason, and nothing saved
  act("press Command1; press Command1");
  expectLastBox(5, sets::nameProblem(" Fast").value_or("(accepted)"));
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), settings);
}

TEST_F(EditorTest, TypedRowsDetailBiasAndTheRefreshRateWarning) {
  run("typed");
  expectLastBox(1, "Warning! A too high refresh Rate may cause damage to your PC");
  run("keyboard");
}

TEST_F(EditorTest, ATickWritesItsKeyIntoTheWorkingCopyAndAFailedOneIsTakenBackAndSaid) {
  Form4& form = editor();
  run("ticks");
  form.checkBox(16)->setCheckState(Qt::PartiallyChecked);  // greyed counts as clear
  expect("key.D3DDrv.D3DRenderDevice/Translucency=False; key.D3DDrv.D3DRenderDevice/Use32BitTextures=False");
  const std::string held = backup();
  EXPECT_EQ(held.find("UseSpatial", held.find("UseSpatial") + 1), std::string::npos) << "one key, not two";
  act("tick 1 on");  // UseMultitexture writes nothing
  EXPECT_EQ(backup() + gameIni(), held + demoGameIni());

  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  form.checkBox(19)->click();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const QString prefix = QString::fromStdString("The setting UseVSync could not be saved in the working copy " +
                                                shown(form.Tempname) + ", so it was not changed.\n");
  EXPECT_TRUE(dialogs.calls[0].text.startsWith(prefix) && dialogs.calls[0].text.size() > prefix.size() &&
              dialogs.calls[0].icon == MsgIcon::Critical && backup() == held && !form.checkBox(19)->isChecked())
      << "the system's reason follows: " << dialogs.calls[0].text.toStdString();
  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  form.checkBox(19)->click();  // writable again: the same tick is saved
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "UseVSync") + std::to_string(dialogs.calls.size()), "True1");
}

TEST_F(EditorTest, ApplyWritesTheChangedRowsThenTheEnabledCombosAndNextTimeOnlyWhatChanged) {
  useDevice("GlideDrv.GlideRenderDevice");
  const std::string start = gameIni();
  Form4& form = editor();
  act("open; edit; click 7 6 4 4; tab 1; combo 2 3");  // SkinDetail -> Low, Coronas -> False, Decals back; 75Hz
  platform->log.clear();
  act("press Command6");
  EXPECT_EQ(logged(), cases().at("log-glide").at(0));
  EXPECT_EQ(platform->sleeps, (std::vector<unsigned>{100, 100, 100, 100, 2000}));
  expectLastBox(1, "Ok it's Done remember you have a backup !!", MsgIcon::Information);
  EXPECT_TRUE(form.isVisible() && form.Command7->isEnabled() && !QApplication::overrideCursor());
  Form5& store = app->form5();  // the list store holds the changed items
  ASSERT_EQ(store.List4->count(), 2);
  EXPECT_EQ(store.List4->item(0)->text() + store.List5->item(0)->text() + store.List3->item(1)->text(),
            "CoronasTrueLow");
  EXPECT_EQ(value(6) + value(7) + key("GlideDrv.GlideRenderDevice", "RefreshRate", gameFileName()), "FalseLow75Hz");
  EXPECT_EQ(backup("Last.ini") + gameIni(), start + backup());

  act("click 7; tick 23 on");  // Low -> Medium, and a tick straight into the working copy
  platform->log.clear();
  act("press Command6");
  EXPECT_EQ(logged().mid(1, 2).join('|'),
            "write WinDrv.WindowsClient/SkinDetail=Medium|write GlideDrv.GlideRenderDevice/DetailBias=-1.5");
  EXPECT_EQ(key("GlideDrv.GlideRenderDevice", "FastUglyRefresh", gameFileName()), "True");
}

TEST_F(EditorTest, ANewDeviceIsAppliedAsItsClassAndUndoPutsTheBackupBackOnce) {
  Form4& form = editor();
  act("open");
  platform->log.clear();
  act("edit; click 14 7; press Command6");  // OpenGl, SkinDetail Low
  EXPECT_EQ(logged(), cases().at("log-device").at(0));
  EXPECT_EQ(key("WinDrv.WindowsClient", "GameRenderDevice", gameFileName()) + value(14), "DefaultOpenGl");
  act("answer No; press Command7");
  EXPECT_EQ(gameIni(), backup());     // as applied
  act("answer Yes; press Command7");  // the editor opens afresh on the restored file, with nothing left to undo
  EXPECT_EQ(gameIni() + backup("last1.ini") + backup() + value(7),
            demoGameIni() + demoGameIni() + demoGameIni() + "High");
  EXPECT_TRUE(form.isVisible() && !form.Command7->isEnabled() && app->frmmain().FileName == workingCopyName());
  dialogs.answer(MsgAnswer::Yes);
  form.Command7_Click();  // the handler itself still refuses without its backup
  expectLastBox(5, "Sorry but for some reason the backup does not exist! look in: " +
                       shown(startFolder + "\\backup\\Last.ini") + " for the file!");
  EXPECT_TRUE(gameIni() == demoGameIni() && form.isVisible() && app->frmmain().FileName == workingCopyName());
}

TEST_F(EditorTest, ApplyFailuresStopItAndSayWhere) {
  Form4& form = editor();
  act("open");
  fs::create_directories(startPath("BACKUP/Last.ini"));  // a folder where the backup should go
  platform->log.clear();
  act("edit; click 8; press Command6");  // TextureDetail
  EXPECT_EQ(logged(), QStringList{"copy UTTemp.ini -> Last.ini"});
  expectLastBox(1, "The backup " + shown(startFolder + "\\backup\\Last.ini") +
                       " could not be made, so nothing was applied. The game's file is unchanged.\nit is a folder");
  EXPECT_EQ(backup() + value(8), demoGameIni() + "Low");
  fs::remove_all(startPath("BACKUP/Last.ini"));
  setReadOnly(startPath("BACKUP/UTTemp.ini"), true);
  act("press Command6");  // the item's name; the edit is kept for another try
  expectLastBox(2, "Error when saving this itemTextureDetail = ");
  expect("Form4.visible=true; Command7.enabled=false; row.8=Low");
  act("click 8 8; tab 1; press Command6");  // the row stepped back: the first combo write fails
  EXPECT_EQ(dialogs.calls.back().text, "Error when saving this itemOutputRate = ");
  EXPECT_TRUE(platform->sleeps.empty() && !QApplication::overrideCursor());

  setReadOnly(startPath("BACKUP/UTTemp.ini"), false);
  fs::remove(gameIniPath());
  fs::create_directories(gameIniPath());  // the game's file cannot be replaced
  act("press Command6");
  EXPECT_EQ(dialogs.calls.back().text.toStdString(),
            "The settings could not be copied over " + shown(gameFileName()) +
                ", so the game's file was not changed. The editor still holds your changes.\nit is a folder");
  EXPECT_FALSE(form.Command7->isEnabled() || QApplication::overrideCursor());
}

}  // namespace
}  // namespace vexorel::testing
