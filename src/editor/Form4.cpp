// The editor window's controls, their design state and their wiring.
#include "editor/Form4.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/SharedState.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form5.h"
#include "ui/DropDownCombo.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
constexpr double kWidth = 9600;
constexpr double kHeight = 7800;

// Top to bottom, as the tab shows them.
constexpr std::array kDisplayLeftColumn{2, 3, 4, 5, 6, 7, 8, 1, 9, 10, 21, 23, 25, 24, 26, 27};
constexpr std::array kDisplayRightColumn{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22};
}  // namespace

Form4::Form4(WindowHost& host)
    : FormWindow(host),
      once(host.state().once),
      OldFileName(host.state().OldFileName),
      Tempname(host.state().Tempname),
      DriverType(host.state().DriverType),
      warzoeken(host.state().warzoeken),
      askone(host.state().askone),
      state_(host.state()) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("User Defined Control"));
  resize(twipsToPixels(kWidth), twipsToPixels(kHeight));
  buildControls();
  setToolTips();
  resetToDesign();
}

QComboBox* Form4::combo(int n) const {
  return combos_.at(static_cast<std::size_t>(n));
}

void Form4::buildControls() {
  auto* layout = new QVBoxLayout(this);

  auto* menuBar = new QMenuBar(this);
  mnuFile = menuBar->addMenu(QStringLiteral("File"));
  mnuFile->addAction(QStringLiteral("Save"));
  mnuFile->addAction(QStringLiteral("Load"));
  // Saving and loading go through the Edit/Save and Load buttons; the menu stays switched off.
  mnuFile->setEnabled(false);
  Check = menuBar->addAction(QStringLiteral("Form5"));
  Check->setObjectName(QStringLiteral("Check"));
  connect(Check, &QAction::triggered, this, [this] { host().show(WindowName::ListStore); });
  layout->setMenuBar(menuBar);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->addTab(buildGraphicsTab(), QStringLiteral("Graphics "));
  SSTab1->addTab(buildDisplayTab(), QStringLiteral("Advanced Display settings"));
  SSTab1->addTab(buildSoundTab(), QStringLiteral("Sound"));
  SSTab1->addTab(buildNetworkTab(), QStringLiteral("Network Settings"));
  connect(SSTab1, &QTabWidget::currentChanged, this, [this](int index) {
    const int previous = shownTab_;
    shownTab_ = index;
    SSTab1_Click(previous);
  });
  layout->addWidget(SSTab1, 1);

  auto* buttons = new QHBoxLayout;
  Command6 = new QPushButton(QStringLiteral("&Apply"), this);
  Command7 = new QPushButton(QStringLiteral("&Undo last Tweak"), this);
  Command3 = new QPushButton(QStringLiteral("&Cancel"), this);
  for (QPushButton* button : {Command6, Command7, Command3}) buttons->addWidget(button);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

  StB1 = new QStatusBar(this);
  StB1->setSizeGripEnabled(false);
  StB1Panel1 = new QLabel(StB1);
  StB1->addWidget(StB1Panel1);
  layout->addWidget(StB1);

  Command1->setObjectName(QStringLiteral("Command1"));
  Command2->setObjectName(QStringLiteral("Command2"));
  Command3->setObjectName(QStringLiteral("Command3"));
  Command6->setObjectName(QStringLiteral("Command6"));
  Command7->setObjectName(QStringLiteral("Command7"));
}

QWidget* Form4::buildGraphicsTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  List1 = new QListWidget(page);
  List2 = new QListWidget(page);
  List1->setObjectName(QStringLiteral("List1"));
  List2->setObjectName(QStringLiteral("List2"));
  grid->addWidget(List1, 0, 0, 4, 1);
  grid->addWidget(List2, 0, 1, 4, 1);
  // A click steps the value on; acting on the click itself lets a click on the same row act again.
  connect(List2, &QListWidget::clicked, this, [this](const QModelIndex& index) { List2_Click(index.row()); });
  List2->installEventFilter(this);  // Space and Enter step the selected row

  Text1 = new QLineEdit(page);
  Text2 = new QLineEdit(page);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text2->setObjectName(QStringLiteral("Text2"));
  Text1->setMaxLength(2);
  Text2->setMaxLength(1);
  grid->addWidget(Text1, 0, 2);
  grid->addWidget(Text2, 1, 2);
  connect(Text1, &QLineEdit::textChanged, this, [this] { text1Changed(); });
  connect(Text2, &QLineEdit::textChanged, this, [this] { text2Changed(); });

  Command1 = new QPushButton(QStringLiteral("&Edit"), page);
  Command2 = new QPushButton(QStringLiteral("&Load "), page);
  grid->addWidget(Command1, 2, 2);
  grid->addWidget(Command2, 3, 2);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  return page;
}

QCheckBox* Form4::makeCheck(int n, QWidget* parent) {
  auto* box = new QCheckBox(viewText(CheckCaption(n)), parent);
  box->setObjectName(QStringLiteral("Check%1").arg(n));
  checks_[static_cast<std::size_t>(n)] = box;
  // Raised for every change of state, the editor's own loading included; Check1 writes nothing.
  if (n != 1) connect(box, &QCheckBox::stateChanged, this, [this, n] { checkChanged(n); });
  return box;
}

QComboBox* Form4::makeCombo(int n, bool editable, QWidget* parent) {
  QComboBox* box = nullptr;
  if (n == 2) {
    refreshRateCombo_ = new DropDownCombo(parent);
    box = refreshRateCombo_;
  } else {
    box = new QComboBox(parent);
  }
  box->setObjectName(QStringLiteral("Combo%1").arg(n));
  box->setEditable(editable);
  if (editable) box->setInsertPolicy(QComboBox::NoInsert);
  combos_[static_cast<std::size_t>(n)] = box;
  return box;
}

QLabel* Form4::makeLabel(int n, const char* caption, QWidget* parent) {
  auto* text = new QLabel(QString::fromLatin1(caption), parent);
  text->setObjectName(QStringLiteral("Label%1").arg(n));
  labels_[static_cast<std::size_t>(n)] = text;
  return text;
}

QWidget* Form4::buildDisplayTab() {
  auto* page = new QWidget;
  auto* columns = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  for (int n : kDisplayLeftColumn) left->addWidget(makeCheck(n, page));
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  for (int n : kDisplayRightColumn) right->addWidget(makeCheck(n, page));
  auto* pairs = new QGridLayout;
  pairs->addWidget(makeLabel(3, "DetailBias", page), 0, 0);
  pairs->addWidget(makeCombo(1, true, page), 0, 1);
  pairs->addWidget(makeLabel(1, "Refresh Rate", page), 1, 0);
  pairs->addWidget(makeCombo(2, true, page), 1, 1);
  pairs->addWidget(makeLabel(2, "Colour Depth", page), 2, 0);
  pairs->addWidget(makeCombo(3, true, page), 2, 1);
  right->addLayout(pairs);
  right->addStretch(1);
  columns->addLayout(left);
  columns->addLayout(right);
  refreshRateCombo_->onDropDown = [this] { combo2DropDown(); };
  connect(combo(1)->lineEdit(), &QLineEdit::textEdited, this, [this] { combo1Edited(); });
  return page;
}

QWidget* Form4::buildSoundTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  for (int n = 28; n <= 33; ++n) grid->addWidget(makeCheck(n, page), n - 28, 0);
  for (int n = 34; n <= 39; ++n) grid->addWidget(makeCheck(n, page), n - 34, 1);
  grid->addWidget(makeLabel(4, "OutputRate", page), 6, 0);
  grid->addWidget(makeCombo(4, true, page), 6, 1);
  grid->setRowStretch(7, 1);
  return page;
}

QWidget* Form4::buildNetworkTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->addWidget(makeCheck(40, page), 0, 0, 1, 2);
  grid->addWidget(makeCheck(41, page), 1, 0, 1, 2);
  const std::array<std::pair<int, const char*>, 5> pairs{{{9, "MaxClientRate"},
                                                          {14, "NetServerMaxTickRate"},
                                                          {15, "LanServerMaxTickRate"},
                                                          {5, "ConfiguredInternetSpeed"},
                                                          {6, "ConfiguredLanSpeed"}}};
  for (int i = 0; i < 5; ++i) {
    grid->addWidget(
        makeLabel(pairs[static_cast<std::size_t>(i)].first, pairs[static_cast<std::size_t>(i)].second, page), i + 2, 0);
    grid->addWidget(makeCombo(5 + i, false, page), i + 2, 1);
  }
  grid->setRowStretch(7, 1);
  return page;
}

void Form4::fillComboDesignItems() {
  for (int n = 1; n <= kComboCount; ++n) {
    QComboBox* box = combo(n);
    const QSignalBlocker quiet(box);
    box->clear();
    for (const std::string& item : ComboSpecFor(n).items) appendComboItem(box, item);
    // Filling selects the first item; the design shows none.
    box->setCurrentIndex(-1);
    if (box->isEditable()) box->clearEditText();
  }
}

void Form4::resetToDesign() {
  {
    const QSignalBlocker quietTabs(SSTab1);
    SSTab1->setCurrentIndex(0);
  }
  shownTab_ = 0;
  for (int n = kFirstCheck; n <= kLastCheck; ++n) {
    const QSignalBlocker quiet(checkBox(n));
    checkBox(n)->setChecked(false);
    checkBox(n)->setEnabled(true);
  }
  fillComboDesignItems();
  for (int n = 1; n <= kComboCount; ++n) {
    combo(n)->setEnabled(true);
    combo(n)->setPalette(QPalette());
  }
  for (QLabel* text : labels_) {
    if (text) text->setEnabled(true);
  }
  showRows({});
  // Editing starts switched off.
  List1->setEnabled(false);
  List2->setEnabled(false);
  Command1->setText(QStringLiteral("&Edit"));
  Command1->setToolTip(QStringLiteral("Click to edit the Settings"));
  for (QLineEdit* box : {Text1, Text2}) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->hide();
  }
  for (QPushButton* button : {Command1, Command2, Command3, Command6, Command7}) button->setEnabled(true);
  StB1Panel1->clear();
}

}  // namespace vexorel
