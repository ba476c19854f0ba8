// The main window's design: its controls, captions, tool tips, menu and status bar, and the wiring
// of their signals to the window's handlers.

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/RenderDeviceCatalogue.h"
#include "core/SharedState.h"
#include "mainwindow/Frmmain.h"
#include "mainwindow/ResolutionTable.h"
#include "mainwindow/SummaryRows.h"
#include "ui/DesignGeometry.h"
#include "ui/DropDownCombo.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

// The resources live in a static library; make sure they are registered before the pictures load.
static void initialiseResources() {
  if (!QFile::exists(QStringLiteral(":/vexorel/logo.png"))) Q_INIT_RESOURCE(resources);
}

namespace vexorel {

namespace {

// The client area of the design, in twips (menu bar and status bar come on top of it).
constexpr double kClientWidth = 9600;
constexpr double kClientHeight = 5100;

QLabel* makePicture(QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setPixmap(
      QPixmap(QStringLiteral(":/vexorel/logo.png"))
          .scaled(twipsToPixels(480), twipsToPixels(480), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  picture->setAccessibleName(QStringLiteral("Done"));
  picture->hide();
  return picture;
}

}  // namespace

Frmmain::Frmmain(WindowHost& host)
    : FormWindow(host),
      UtPath(host.state().UtPath),
      FileName(host.state().FileName),
      OptionsCheck(host.state().OptionsCheck) {
  initialiseResources();
  setWindowTitle(QStringLiteral("Vexorel"));
  buildDesign();
  connectHandlers();
}

void Frmmain::buildDesign() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the window keeps its design size
  buildMenu(this);

  auto* client = new QWidget(this);
  client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
  layout->addWidget(client);

  Frame4 = new QGroupBox(QStringLiteral("Unreal Tournament.ini"), client);
  placeTwips(Frame4, 120, 120, 4920, 4260);
  List1 = new QListWidget(Frame4);
  placeTwips(List1, 120, 300, 2520, 3840);
  List1->setAccessibleName(QStringLiteral("Keys"));
  List2 = new QListWidget(Frame4);
  placeTwips(List2, 2700, 300, 2100, 3840);
  List2->setAccessibleName(QStringLiteral("Values"));

  Frame3 = new QGroupBox(QStringLiteral("Select Display driver"), client);
  placeTwips(Frame3, 5160, 120, 4320, 1260);
  Combo1 = new DropDownCombo(Frame3);
  placeTwips(Combo1, 120, 300, 4080, 375);
  Combo1->addItem(viewText(kDriverPlaceholder));
  for (const RenderDevice& device : kRenderDevices) Combo1->addItem(viewText(device.listName));
  Combo1->setToolTip(QStringLiteral("Specifies the renderdevice, for unreal tournament. "));
  Combo1->setAccessibleName(QStringLiteral("Display driver"));
  Combo2 = new DropDownCombo(Frame3);
  placeTwips(Combo2, 120, 780, 4080, 375);
  Combo2->addItem(viewText(kResolutionPlaceholder));
  for (const Resolution& resolution : kResolutions) Combo2->addItem(viewText(resolution.listText));
  Combo2->setToolTip(QStringLiteral(
      "specifies resolution, Note: changing resolution will make unreal tournment look different, choose one "
      "your monitor and videocard can handle"));
  Combo2->setAccessibleName(QStringLiteral("Resolution"));

  Frame2 = new QGroupBox(QStringLiteral("Memory Usage"), client);
  placeTwips(Frame2, 5160, 1440, 4320, 1440);
  Label2 = new QLabel(QStringLiteral("Unreal Tournament  use:-->"), Frame2);
  placeTwips(Label2, 120, 360, 2760, 300);
  Text1 = new QLineEdit(Frame2);
  placeTwips(Text1, 2940, 300, 1260, 375);
  Text1->setToolTip(QStringLiteral("Specifies memory U.T will use, use 1/2-3/4 of memory in system  "));
  Text1->setAccessibleName(QStringLiteral("Unreal Tournament use"));
  Label2->setBuddy(Text1);
  Command1 = new QPushButton(QStringLiteral("&Done"), Frame2);
  placeTwips(Command1, 120, 840, 1500, 420);
  Command1->setToolTip(QStringLiteral("Applies memory and display options."));
  Picture2 = makePicture(Frame2);
  placeTwips(Picture2, 1800, 780, 540, 540);

  Frame1 = new QGroupBox(QStringLiteral("Graphics"), client);
  placeTwips(Frame1, 5160, 2940, 4320, 1440);
  Option1 = new QRadioButton(QStringLiteral("Slow system"), Frame1);
  placeTwips(Option1, 120, 300, 2400, 300);
  Option1->setToolTip(QStringLiteral("Tick this optionif you think your system is not that fast."));
  Option2 = new QRadioButton(QStringLiteral("Fast system"), Frame1);
  placeTwips(Option2, 120, 660, 2400, 300);
  Option2->setToolTip(QStringLiteral("Tick this option if you think your system is really fast!"));
  Option3 = new QRadioButton(QStringLiteral("User defined"), Frame1);
  placeTwips(Option3, 120, 1020, 2400, 300);
  Option3->setToolTip(QStringLiteral("Tick this option if u want more advandces options"));
  Picture1 = makePicture(Frame1);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  placeTwips(Picture1, 3420, 420, 540, 540);

  CmdExit = new QPushButton(QStringLiteral("E&xit"), client);
  placeTwips(CmdExit, 7980, 4560, 1500, 420);
  CmdExit->setToolTip(QStringLiteral("Exit program"));

  buildStatusBar(this);
  adjustSize();
}

void Frmmain::buildMenu(QWidget* menuHost) {
  auto* bar = new QMenuBar(menuHost);
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  mnuOptions = file->addAction(QStringLiteral("&Options"));
  file->addSeparator();
  // Switched off in the design: shown greyed, never chosen.
  mnuUninstall = file->addAction(QStringLiteral("&Uninstall"));
  mnuUninstall->setEnabled(false);
  file->addSeparator();
  mnuExit = file->addAction(QStringLiteral("E&xit"));
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  mnuHelp = help->addAction(QStringLiteral("H&elp"));
  help->addSeparator();
  mnuAbout = help->addAction(QStringLiteral("&About"));
}

void Frmmain::buildStatusBar(QWidget* barHost) {
  auto* bar = new QStatusBar(barHost);
  bar->setSizeGripEnabled(false);
  layout()->addWidget(bar);
  for (int panel = 0; panel < 6; ++panel) {
    StatusBar1Panels[panel] = new QLabel(bar);
    StatusBar1Panels[panel]->setContentsMargins(3, 0, 3, 0);
    bar->addWidget(StatusBar1Panels[panel]);
  }
  StatusBar1Panels[0]->setText(viewText(kResolutionPanelLabel));
  StatusBar1Panels[2]->setText(viewText(kMemoryPanelLabel));
  StatusBar1Panels[4]->setText(viewText(kCachePanelLabel));
}

void Frmmain::connectHandlers() {
  // Selecting a row in either list selects the same row in the other.
  connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (List2->currentRow() != row) List2->setCurrentRow(row);
  });
  connect(List2, &QListWidget::currentRowChanged, this, [this](int row) {
    if (List1->currentRow() != row) List1->setCurrentRow(row);
  });
  Combo1->onDropDown = [this] { Combo1_DropDown(); };
  Combo2->onDropDown = [this] { Combo2_DropDown(); };
  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  // Clicks, not toggles: clearing the buttons from code must not run a preset.
  connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
  connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
  connect(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
  connect(CmdExit, &QPushButton::clicked, this, [this] { close(); });
  connect(mnuExit, &QAction::triggered, this, [this] { close(); });
  connect(mnuOptions, &QAction::triggered, this, [this] { host().show(WindowName::Options); });
  connect(mnuAbout, &QAction::triggered, this, [this] { host().show(WindowName::About); });
  connect(mnuHelp, &QAction::triggered, this, [this] { mnuHelp_Click(); });
  connect(mnuUninstall, &QAction::triggered, this, [this] { mnuUninstall_Click(); });
}

}  // namespace vexorel
