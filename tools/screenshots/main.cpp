// vexorel-screenshots OUTPUT_FOLDER: starts Vexorel over a copy of the demo game folder in a scratch
// folder, walks through its windows and saves a picture of each as PNG. Every box is answered without
// a person: questions with Yes, the locate dialog with the demo game's executable.

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/AppContext.h"
#include "editor/Form4.h"
#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "platform/NativePlatform.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "ui/DialogService.h"
#include "ui/frmAbout.h"

namespace {

using namespace vexorel;

class AnsweringDialogs : public DialogService {
 public:
  explicit AnsweringDialogs(QString executable) : executable_(std::move(executable)) {}
  std::function<void()> onQuestion;

  MsgAnswer msgBox(QWidget*, const QString&, MsgButtons buttons, MsgIcon, const QString&) override {
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (onQuestion) onQuestion();
    return MsgAnswer::No;
  }
  QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return QString(); }
  QString openFileDialog(QWidget*, const QString&, const QString&) override { return executable_; }

 private:
  QString executable_;
};

void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

bool save(QWidget& window, const QString& folder, const QString& name) {
  settle();
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  const bool ok = window.grab().save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc != 3) {
    std::fprintf(stderr, "usage: vexorel-screenshots OUTPUT_FOLDER DEMO_GAME_FOLDER\n");
    return 2;
  }
  const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(output);

  QTemporaryDir scratch;
  const std::filesystem::path root = scratch.path().toStdString();
  std::filesystem::create_directories(root / "start");
  std::filesystem::copy(argv[2], root / "UnrealTournament", std::filesystem::copy_options::recursive);

  // The game's registry entry goes to a scratch place: a file here, a key of its own on Windows (run it in
  // a throw-away Wine prefix).
#ifdef _WIN32
  NativePlatform platform(NativePlatformOptions{"Software\\Vexorel-Screenshots", (root / "start").string()});
#else
  NativePlatform platform(NativePlatformOptions{(root / "registry.reg").string(), (root / "start").string()});
#endif
  AnsweringDialogs dialogs(QString::fromStdString((root / "UnrealTournament/System/UnrealTournament.exe").string()));
  AppContext app(platform, dialogs);

  bool ok = true;
  app.start();
  app.splash().X = 12;  // half-way through the progress run
  app.splash().ProgressBar1->setValue(12);
  app.splash().Timer1.stop();
  ok &= save(app.splash(), output, QStringLiteral("splash"));
  while (app.splash().isVisible()) app.splash().tick();

  Frmmain& main = app.frmmain();
  ok &= save(main, output, QStringLiteral("main-window"));

  // The preset preview stands beside the main window while its question is open; answered No.
  dialogs.onQuestion = [&] {
    ok &= save(app.form1(), output, QStringLiteral("preset-preview"));
    dialogs.onQuestion = nullptr;
  };
  main.Option2_Click();

  main.Option3_Click();
  Form4& editor = app.form4();
  const QStringList tabNames{QStringLiteral("editor-graphics"), QStringLiteral("editor-display"),
                             QStringLiteral("editor-sound"), QStringLiteral("editor-network")};
  for (int tab = static_cast<int>(tabNames.size()) - 1; tab >= 0; --tab) {
    editor.SSTab1->setCurrentIndex(tab);
    ok &= save(editor, output, tabNames[tab]);
  }

  // Two saved sets, so the load window has something to list.
  const std::string settings = app.splash().VEXORELPATH;
  for (const char* name : {"LAN party", "Old laptop"}) {
    const int n = std::stoi(app.module().ReadProfileValue("Vexorel", "SaveNumber", settings)) + 1;
    app.module().WriteIniValue("Vexorel", "SaveNumber", std::to_string(n), settings);
    app.module().WriteIniValue("Save" + std::to_string(n), "SaveName", name, settings);
  }
  app.load().showForm();
  ok &= save(app.load(), output, QStringLiteral("load-setting"));
  app.load().unloadForm();
  editor.unloadForm();

  app.options().showForm();
  ok &= save(app.options(), output, QStringLiteral("options"));
  app.options().unloadForm();

  app.about().showForm();
  ok &= save(app.about(), output, QStringLiteral("about"));
  app.about().unloadForm();

  app.end();
  return ok ? 0 : 1;
}
