#include "app/AppContext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>

#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "ui/frmAbout.h"

namespace vexorel {

AppContext::AppContext(Platform& platform, DialogService& dialogs)
    : platform_(platform), dialogs_(dialogs), module_(platform) {
  if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    focused_ = QGuiApplication::focusWindow();
    focusTracking_ = QObject::connect(application, &QGuiApplication::focusWindowChanged, [this](QWindow* window) {
      focusedBefore_ = focused_;
      focused_ = window;
    });
  }
}

QWindow* AppContext::focusedBefore(const QWindow* window) const {
  // A window learns of its activation before the focus change is announced, or after it.
  return focused_ == window ? focusedBefore_.data() : focused_.data();
}

AppContext::~AppContext() {
  QObject::disconnect(focusTracking_);
  // Windows go before the services they use.
  ending_ = true;
  about_.reset();
  options_.reset();
  load_.reset();
  form5_.reset();
  form4_.reset();
  form1_.reset();
  frmmain_.reset();
  splash_.reset();
}

void AppContext::showAppliedPicture() {
  frmmain().Picture1->show();
}

void AppContext::start() {
  splash().showForm();
}

void AppContext::end() {
  if (ending_) return;
  ending_ = true;
  for (QWidget* window : std::initializer_list<QWidget*>{splash_.get(), frmmain_.get(), form1_.get(), form4_.get(),
                                                         form5_.get(), load_.get(), options_.get(), about_.get()}) {
    if (window) window->hide();
  }
  QCoreApplication::exit(0);
}

namespace {
template <typename Window>
Window& lazily(std::unique_ptr<Window>& slot, AppContext& app) {
  if (!slot) slot = std::make_unique<Window>(app);
  return *slot;
}
}  // namespace

FormWindow& AppContext::window(WindowName name) {
  switch (name) {
    case WindowName::Splash:
      return splash();
    case WindowName::Main:
      return frmmain();
    case WindowName::Preview:
      return form1();
    case WindowName::Editor:
      return form4();
    case WindowName::ListStore:
      return form5();
    case WindowName::Load:
      return load();
    case WindowName::Options:
      return options();
    case WindowName::About:
      break;
  }
  return about();
}

frmSplash& AppContext::splash() {
  return lazily(splash_, *this);
}
Frmmain& AppContext::frmmain() {
  return lazily(frmmain_, *this);
}
Form1& AppContext::form1() {
  return lazily(form1_, *this);
}
Form4& AppContext::form4() {
  return lazily(form4_, *this);
}
Form5& AppContext::form5() {
  return lazily(form5_, *this);
}
frmload& AppContext::load() {
  return lazily(load_, *this);
}
frmoptions& AppContext::options() {
  return lazily(options_, *this);
}
frmAbout& AppContext::about() {
  return lazily(about_, *this);
}

}  // namespace vexorel
