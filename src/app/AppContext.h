#pragma once
// The one object that owns the platform, the dialog service, the shared module values and every
// window. Windows reach each other through it (app.frmmain().FileName). Windows are created on first
// use and live for the whole run.

#include <memory>

#include "core/ReadModule.h"

namespace vexorel {

class DialogService;
class Platform;
class frmSplash;
class Frmmain;
class Form1;
class Form4;
class Form5;
class frmload;
class frmoptions;
class frmAbout;

class AppContext {
 public:
  AppContext(Platform& platform, DialogService& dialogs);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform& platform() { return platform_; }
  DialogService& dialogs() { return dialogs_; }
  ReadModule& module() { return module_; }

  // The program's start: the start-up window's load, then (unless the load ended the program) its show.
  void start();

  // Ends the program at once: every window closes without running its closing logic and the event
  // loop quits. A handler that calls it must return right away.
  void end();
  bool ending() const { return ending_; }

  frmSplash& splash();
  Frmmain& frmmain();
  Form1& form1();
  Form4& form4();
  Form5& form5();
  frmload& load();
  frmoptions& options();
  frmAbout& about();

 private:
  Platform& platform_;
  DialogService& dialogs_;
  ReadModule module_;
  bool ending_ = false;

  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<Frmmain> frmmain_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<Form5> form5_;
  std::unique_ptr<frmload> load_;
  std::unique_ptr<frmoptions> options_;
  std::unique_ptr<frmAbout> about_;
};

}  // namespace vexorel
