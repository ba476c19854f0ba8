#pragma once
// The editor's tests start where the program would: the game registered, the settings file and the
// backup folder in the start folder, the main window's FileName naming the game's file. Every write,
// copy and pause the program makes is logged in order.

#include <QTest>
#include <QtWidgets>
#include <filesystem>

#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {

// The real backend, with every write, copy and pause logged as one line.
class LoggingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;

  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& fileName) override {
    log.push_back("write " + leaf(fileName) + " [" + section + "] " + key + "=" + value);
    return FakePlatform::writePrivateProfileString(section, key, value, fileName);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    log.push_back("copy " + leaf(from) + " -> " + leaf(to));
    return FakePlatform::copyFile(from, to, failIfExists);
  }
  void sleep(unsigned milliseconds) override {
    log.push_back("sleep " + std::to_string(milliseconds));
    FakePlatform::sleep(milliseconds);
  }

  std::vector<std::string> log;

 private:
  static std::string leaf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }
};

class EditorTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    app.reset();
    auto logging = std::make_unique<LoggingPlatform>(PosixPlatformOptions{registryFile, startFolder});
    log = &logging->log;
    platform = std::move(logging);
    app = std::make_unique<AppContext>(*platform, dialogs);
    registerGame();
    app->splash().MainAppPath = startFolder;
    app->splash().VEXORELPATH = startFolder + "/Vexorel.ini";
    writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");
    std::filesystem::create_directories(startPath("BACKUP"));
    app->frmmain().UtPath = gameFolder;
    app->frmmain().FileName = gameFileName();
  }

  std::string gameFileName() const { return gameFolder + "\\System\\UnrealTournament.ini"; }
  std::string workingCopyName() const { return startFolder + "\\backup\\UTTemp.ini"; }
  std::string workingCopy() const { return readFileBytes(startPath("BACKUP/UTTemp.ini")); }
  std::string lastIni() const { return readFileBytes(startPath("BACKUP/Last.ini")); }
  bool lastIniExists() const { return std::filesystem::exists(startPath("BACKUP/Last.ini")); }

  Form4& editor() { return app->form4(); }

  // Opens the editor the way the main window's "User defined" does, and lets it become active.
  Form4& open() {
    editor().showForm();
    QCoreApplication::processEvents();
    if (editor().isLoaded()) editor().activate();
    return editor();
  }

  // The game's file with the device line naming another class.
  void useDevice(const std::string& deviceClass) {
    writeGameIni(replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice=" + deviceClass));
  }

  static std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  }

  void leaveGraphicsTab() { editor().SSTab1->setCurrentIndex(1); }
  void backToGraphicsTab() { editor().SSTab1->setCurrentIndex(0); }

  void startEditing() {
    if (!editor().List2->isEnabled()) editor().Command1->click();
  }

  // A mouse click on a row of the value list.
  void clickValue(int row) {
    QListWidget* list = editor().List2;
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  std::string value(int row) { return editor().values().at(static_cast<std::size_t>(row)); }

  std::vector<std::string>* log = nullptr;
};

}  // namespace vexorel::testing
