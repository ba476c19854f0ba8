#pragma once
// The one object that owns the platform, the dialog service, the shared module, the shared state and
// every window, and lets the windows reach each other by name. Windows are created on first use and
// live for the whole run.

#include <QMetaObject>
#include <QPointer>
#include <QWindow>
#include <memory>

#include "core/ReadModule.h"
#include "core/SharedState.h"
#include "ui/WindowHost.h"

namespace vexorel {

class frmSplash;
class Frmmain;
class Form1;
class Form4;
class Form5;
class frmload;
class frmoptions;
class frmAbout;

class AppContext : public WindowHost {
 public:
  AppContext(Platform& platform, DialogService& dialogs);
  ~AppContext() override;
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform& platform() override { return platform_; }
  DialogService& dialogs() override { return dialogs_; }
  ReadModule& module() override { return module_; }
  SharedState& state() override { return state_; }
  FormWindow& window(WindowName name) override;

  // The program's start: the start-up window's load, then (unless the load ended the program) its show.
  void start();

  void end() override;
  bool ending() const override { return ending_; }
  QWindow* focusedBefore(const QWindow* window) const override;
  void showAppliedPicture() override;

  // Each window by its own type, for the program's start and for tests.
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
  SharedState state_;
  bool ending_ = false;
  // The focus window now and the one before it, as the system reported them.
  QPointer<QWindow> focused_;
  QPointer<QWindow> focusedBefore_;
  QMetaObject::Connection focusTracking_;

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
