// The editor's hover texts: what each setting does and what it costs.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <utility>

#include "editor/Form4.h"

namespace vexorel {

namespace {
constexpr std::pair<int, const char*> kCheckTips[] = {
    {1, "Set this to True; it is faster on most video cards."},
    {3, "Fog and similar light effects. False gives a large gain in frame rate."},
    {4, "Reflective floors and walls. False is recommended for speed."},
    {6, "More detailed models of players and objects. False is faster."},
    {7, "True is recommended; False helps video cards with 16 MB of memory or less."},
    {8, "Smoother textures at a distance. False is faster."},
    {10, "Better texture quality; may be slower."},
    {11, "Leave this True unless the game looks too dark."},
    {12, "Fine patterns on surfaces seen close up. Costly on older video cards."},
    {13, "Only for Voodoo 4 or Voodoo 5 cards."},
    {14, "Faster, but needs extra video memory."},
    {15, "False removes the pre-caching delay when a level loads."},
    {17, "Where textures are uploaded: local video memory or AGP memory."},
    {18, "Set to True against flickering polygons on some video cards."},
    {19, "True avoids display anomalies such as tearing."},
    {20, "Set to True against flicker when playing in 16-bit colour."},
    {21, "Volumetric fog on meshes."},
    {22, "Better picture quality, slightly slower."},
    {28, "True is faster; False fixes problems with old sound cards."},
    {29, "Filters the audio output."},
    {30, "For a surround-sound receiver."},
    {31, "Better audio quality."},
    {32, "Plays music from an audio CD."},
    {33, "The in-game music. False is recommended for speed."},
    {35, "Reverb effects."},
    {36, "Hardware 3-D audio. False is faster."},
    {37, "Forces 8-bit sound."},
    {38, "Swaps the left and right speakers."},
    {40, "Lets clients download missing packages from this machine when it runs as a server."},
};
}  // namespace

void Form4::setToolTips() {
  List2->setToolTip(QStringLiteral("Click on the item to edit"));
  Text1->setToolTip(
      QStringLiteral("Set this to equal to whatever you feel is the minimum for a playable game. 30 should be the "
                     "ideal minimum frame rate for most users. When the frame rate drops below it the game lowers "
                     "its detail to keep up; a higher value keeps the game smoother at the cost of looks."));
  Text2->setToolTip(QStringLiteral("Type one digit for the density of particle effects."));
  Command6->setToolTip(QStringLiteral("Apply the above settings to UT"));
  Command7->setToolTip(
      QStringLiteral("Undo 's last changes to Unral tournament. Note: the changes which u made here!!"));
  Command3->setToolTip(QStringLiteral("Close without applying the changes"));
  Command2->setToolTip(QStringLiteral("Load saved settings"));
  for (const auto& [n, tip] : kCheckTips) checkBox(n)->setToolTip(QString::fromLatin1(tip));
  combo(1)->setToolTip(QStringLiteral("Texture detail bias of the Glide driver; lower values look sharper."));
  combo(2)->setToolTip(QStringLiteral("Refresh rate of the Glide driver. Use one your monitor supports."));
  combo(3)->setToolTip(QStringLiteral("Colour depth of the Sgl driver."));
  combo(4)->setToolTip(QStringLiteral("Sample rate of the game's sound. Lower rates are faster."));
  combo(5)->setToolTip(QStringLiteral("The most bytes per second a client may receive from a server."));
  combo(6)->setToolTip(QStringLiteral("Ticks per second of a server on the internet."));
  combo(7)->setToolTip(QStringLiteral("Ticks per second of a server on a local network."));
  combo(8)->setToolTip(QStringLiteral("The speed of your internet connection, in bytes per second."));
  combo(9)->setToolTip(QStringLiteral("The speed of your local network connection, in bytes per second."));
}

}  // namespace vexorel
