#include "ui/frmAbout.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "ui/AboutLayout.h"
#include "ui/DesignGeometry.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/Version.h"

namespace vexorel {

namespace {
// The window's design, in twips. Only the width changes at load.
constexpr double kDesignWidth = 5880;
constexpr double kHeight = 5400;
constexpr double kTextWidth = 5250;  // the wrapped description and disclaimer
constexpr double kPictureSide = 960;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, double top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(twipsToPixels(kAboutTitleLeft), twipsToPixels(top));
  label->adjustSize();
  return label;
}

QLabel* makeWrappedLabel(QWidget* parent, const char* name, const QString& text, double top, double height) {
  QLabel* label = makeLabel(parent, name, text, top);
  label->setWordWrap(true);
  label->resize(twipsToPixels(kTextWidth), twipsToPixels(height));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QFrame* makeLine(QWidget* parent, double top) {
  auto* line = new QFrame(parent);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(twipsToPixels(kAboutTitleLeft), twipsToPixels(top), twipsToPixels(kTextWidth), 2);
  return line;
}
}  // namespace

QString frmAbout::descriptionText() {
  return QStringLiteral(
             "App Description: Vexorel is a tweak program for Unreal Tournament. It will assist you in editing "
             "your Unreal Tournament.ini. For more information please visit our website at ") +
         QString::fromLatin1(kMakerWebAddress);
}

QString frmAbout::disclaimerText() {
  return QStringLiteral("Disclaimer: All the Logo's used  in this program are property of the respective owners. ");
}

frmAbout::frmAbout(WindowHost& host) : FormWindow(host) {
  resize(twipsToPixels(kDesignWidth), twipsToPixels(kHeight));
  buildControls();
  resetToDesign();
}

void frmAbout::buildControls() {
  Picture1 = new QLabel(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setPixmap(QIcon(QStringLiteral(":/vexorel/logo.png")).pixmap(128));  // picks logo@2x.png on sharp screens
  Picture1->setScaledContents(true);
  Picture1->setAccessibleName(QString::fromLatin1(kProgramTitle));
  Picture1->setGeometry(twipsToPixels((kDesignWidth - kPictureSide) / 2), twipsToPixels(120),
                        twipsToPixels(kPictureSide), twipsToPixels(kPictureSide));

  lblTitle = makeLabel(this, "lblTitle", QString(), 1200);
  QFont titleFont = lblTitle->font();
  titleFont.setPointSize(titleFont.pointSize() + 6);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  lblVersion = makeLabel(this, "lblVersion", QString(), 1740);
  Line1[0] = makeLine(this, 2100);
  lblDescription = makeWrappedLabel(this, "lblDescription", descriptionText(), 2220, 1500);
  lblDescription->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Line1[1] = makeLine(this, 3840);
  Label1 = makeWrappedLabel(this, "Label1", disclaimerText(), 3960, 720);
  lblDisclaimer = makeLabel(this, "lblDisclaimer", QString(), 4860);

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  placeTwips(cmdOK, 4500, 4770, 1260, 375);
  cmdOK->setAutoDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, [this] { unloadForm(); });
}

void frmAbout::onLoad() {
  // Centred with the design width; the width set by the layout below does not re-centre it.
  centreWindow();

  setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProgramTitle));
  lblVersion->setText(versionCaption());
  lblTitle->setText(QString::fromLatin1(kProgramTitle));
  lblDisclaimer->setText(QStringLiteral("For bugreport mail to: ") + QString::fromLatin1(kSupportMailAddress));
  layOut();
}

void frmAbout::layOut() {
  // Single-line labels size themselves to their text.
  for (QLabel* label : {lblTitle, lblVersion, lblDisclaimer}) label->adjustSize();

  AboutLayoutInput input;
  input.disclaimerWidth = static_cast<float>(pixelsToTwips(lblDisclaimer->width()));
  input.okWidth = static_cast<float>(pixelsToTwips(cmdOK->width()));
  input.pictureWidth = static_cast<float>(pixelsToTwips(Picture1->width()));
  const AboutLayout layout = layOutAbout(input);

  const int labelLeft = twipsToPixels(layout.labelLeft);
  for (QLabel* label : {lblTitle, lblVersion, lblDisclaimer, Label1, lblDescription}) {
    label->move(labelLeft, label->y());
  }
  cmdOK->move(twipsToPixels(layout.okLeft), cmdOK->y());
  resize(twipsToPixels(layout.windowWidth), height());
  Picture1->move(twipsToPixels(layout.pictureLeft), Picture1->y());
}

void frmAbout::resetToDesign() {
  setWindowTitle(QStringLiteral("About Vexorel"));
  lblTitle->setText(QStringLiteral("Application Title"));
  lblVersion->setText(QStringLiteral("Version"));
  lblDisclaimer->setText(QString());
  resize(twipsToPixels(kDesignWidth), height());
}

void frmAbout::mousePressEvent(QMouseEvent* event) {
  // Only the window's own background closes it; a press that a child passed up does not.
  if (childAt(event->position().toPoint()) != nullptr) {
    event->ignore();
    return;
  }
  unloadForm();
}

}  // namespace vexorel
