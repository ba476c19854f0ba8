#pragma once
// The editor's tests start where the program would: the game registered, the settings file and the
// backup folder in the start folder, the main window's FileName naming the game's file. Every write,
// copy and pause the program makes is logged in order.

#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <map>

#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class LoggingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;
  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& file) override {
    log.push_back("write " + leaf(file) + " [" + section + "] " + key + "=" + value);
    return FakePlatform::writePrivateProfileString(section, key, value, file);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    log.push_back("copy " + leaf(from) + " -> " + leaf(to));
    return FakePlatform::copyFile(from, to, failIfExists);
  }
  void sleep(unsigned milliseconds) override {
    log.push_back("sleep " + std::to_string(milliseconds));
    FakePlatform::sleep(milliseconds);
  }
  static std::string leaf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }
  Lines log;
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
    app->splash().VEXORELPATH = startPath("Vexorel.ini");
    writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");
    fs::create_directories(startPath("BACKUP"));
    app->frmmain().UtPath = gameFolder;
    app->frmmain().FileName = gameFileName();
  }

  std::string gameFileName() const { return gameFolder + "\\System\\UnrealTournament.ini"; }
  std::string workingCopyName() const { return startFolder + "\\backup\\UTTemp.ini"; }
  std::string backup(const std::string& name = "UTTemp.ini") const {
    return readFileBytes(startPath("BACKUP/" + name));
  }
  std::string shown(const std::string& path) const { return platform->displayPath(path); }
  // A key as the working copy (or another file) holds it now.
  std::string key(const std::string& section, const std::string& name, const std::string& file = {}) {
    return app->module().ReadProfileValue(section, name, file.empty() ? editor().Tempname : file);
  }
  Form4& editor() { return app->form4(); }

  // Opens the editor the way the main window's "User defined" does, and lets it become active.
  Form4& open() {
    editor().showForm();
    QCoreApplication::processEvents();
    if (editor().isLoaded()) editor().activate();
    return editor();
  }
  void useDevice(const std::string& deviceClass) {
    writeGameIni(replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice=" + deviceClass));
  }
  static std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }
  std::string value(int row) { return editor().values().at(static_cast<std::size_t>(row)); }
  // Mouse clicks on rows of the value list, in order.
  void click(const QStringList& rows) {
    QListWidget* list = editor().List2;
    for (const QString& row : rows) {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row.toInt())).center());
    }
  }
  // Runs steps split by ';': open, tab N, edit, click ROW..., tick N on|off, combo N INDEX, press BUTTON,
  // answer Yes|No, type NAME, activate.
  void act(const QString& steps) {
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
      const QStringList w = step.split(' ', Qt::SkipEmptyParts);
      const int n = w.value(1).toInt();
      Form4& form = editor();
      const std::map<QString, std::function<void()>> verbs{
          {"open", [&] { open(); }},
          {"tab", [&] { form.SSTab1->setCurrentIndex(n); }},
          {"edit", [&] { form.List2->isEnabled() ? void() : form.Command1->click(); }},
          {"click", [&] { click(w.mid(1)); }},
          {"tick", [&] { form.checkBox(n)->setChecked(w.value(2) == "on"); }},
          {"combo", [&] { form.combo(n)->setCurrentIndex(w.value(2).toInt()); }},
          {"press", [&] { form.findChild<QAbstractButton*>(w.value(1))->click(); }},
          {"answer", [&] { dialogs.answer(w.value(1) == "Yes" ? MsgAnswer::Yes : MsgAnswer::No); }},
          {"type", [&] { dialogs.typeInput(w.value(1)); }},
          {"activate", [&] { form.activate(); }}};
      ASSERT_TRUE(verbs.count(w[0])) << step.toStdString();
      verbs.at(w[0])();
    }
  }
  // Checks "Object.property=value" items split by ';', on the editor's controls ("Form4" is the window).
  void expect(const QString& items) {
    for (const QString& item : items.split(';', Qt::SkipEmptyParts)) {
      const QString name = item.section('.', 0, 0).trimmed(), property = item.section('.', 1).section('=', 0, 0);
      QObject* object = name == "Form4" ? &editor() : editor().findChild<QObject*>(name);
      ASSERT_NE(object, nullptr) << name.toStdString();
      EXPECT_EQ(object->property(property.toLatin1()).toString(), item.section('=', 1)) << item.toStdString();
    }
  }
  // The boxes shown so far number `count`, the last with this text and icon, captioned "Vexorel".
  void expectLastBox(std::size_t count, const std::string& text, MsgIcon icon = MsgIcon::Critical) {
    ASSERT_EQ(dialogs.calls.size(), count) << text;
    EXPECT_EQ(dialogs.calls.back().text.toStdString(), text);
    EXPECT_EQ(dialogs.calls.back().icon, icon);
    EXPECT_EQ(dialogs.calls.back().caption, "Vexorel");
  }

  Lines* log = nullptr;
};

}  // namespace vexorel::testing
