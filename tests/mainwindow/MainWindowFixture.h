#pragma once
// The main window's tests: the GUI fixture with a platform that also records the file operations in
// order (and can make a write fail for real just before it runs), the start folder set up as the
// start-up window would leave it, and helpers to read the window's panels and lists.

#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"
#include "ui/DropDownCombo.h"

namespace vexorel::testing {

class RecordingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::string& returned, std::size_t bufferSize,
                                      const std::string& fileName) override {
    log.push_back("read " + section + "/" + key);
    return FakePlatform::getPrivateProfileString(section, key, defaultValue, returned, bufferSize, fileName);
  }
  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& fileName) override {
    ++writes;
    if (beforeWrite) beforeWrite(writes);
    log.push_back("write " + section + "/" + key + "=" + value);
    return FakePlatform::writePrivateProfileString(section, key, value, fileName);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    log.push_back("copy " + from + " -> " + to);
    return FakePlatform::copyFile(from, to, failIfExists);
  }

  // The log from the last entry that starts with `prefix` on.
  std::vector<std::string> logFromLast(const std::string& prefix) const {
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
      if (it->rfind(prefix, 0) == 0) return {std::prev(it.base()), log.end()};
    }
    return {};
  }
  std::vector<std::string> writesOnly() const {
    std::vector<std::string> found;
    for (const std::string& entry : log) {
      if (entry.rfind("write ", 0) == 0) found.push_back(entry);
    }
    return found;
  }

  std::vector<std::string> log;
  int writes = 0;
  std::function<void(int)> beforeWrite;  // runs with the write's number (1 = first of the test)
};

class MainWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    app.reset();
    platform = std::make_unique<RecordingPlatform>(PosixPlatformOptions{registryFile, startFolder});
    recorder = static_cast<RecordingPlatform*>(platform.get());
    app = std::make_unique<AppContext>(*platform, dialogs);
    // What the start-up window leaves behind.
    app->splash().MainAppPath = startFolder;
    app->splash().VEXORELPATH = startFolder + "/Vexorel.ini";
    std::filesystem::create_directories(startFolder + "/BACKUP");
  }

  Frmmain& openMain() {
    registerGame();
    Frmmain& main = app->frmmain();
    main.showForm();
    return main;
  }

  // The box that reports a failed write of the game's file: critical, "Error", naming the file first.
  void expectWriteFailureReported(const DialogCall& call) {
    const QString prefix = QString::fromStdString("Unable to save the changes in " +
                                                  platform->displayPath(app->frmmain().FileName) + ".\n");
    EXPECT_TRUE(call.text.startsWith(prefix)) << call.text.toStdString();
    EXPECT_EQ(call.caption, "Error");
    EXPECT_EQ(call.icon, MsgIcon::Critical);
  }

  QString panel(int number) { return app->frmmain().StatusBar1Panels[number - 1]->text(); }

  static QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
  }

  void expectBox(std::size_t index, const QString& text, const QString& caption, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::Ok) {
    ASSERT_LT(index, dialogs.calls.size()) << "no box " << index << " (expected \"" << text.toStdString() << "\")";
    const DialogCall& call = dialogs.calls[index];
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.caption, caption);
    EXPECT_EQ(call.icon, icon) << text.toStdString();
    EXPECT_EQ(call.buttons, buttons) << text.toStdString();
  }

  // The demo file with one line's text replaced (the first occurrence; it must exist).
  static std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    const auto at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) bytes.replace(at, from.size(), to);
    return bytes;
  }

  RecordingPlatform* recorder = nullptr;
};

}  // namespace vexorel::testing
