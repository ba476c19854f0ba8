// Leaving the first tab: the device, the boxes and combos loaded from the working copy, and the
// controls that apply to the device.
#include <QApplication>

#include "EditorFixture.h"

namespace vexorel::testing {
namespace {

const std::array<std::string, 6> kDevices{"MetalDrv.MetalRenderDevice",   "SglDrv.SglRenderDevice",
                                          "OpenGLDrv.OpenGLRenderDevice", "SoftDrv.SoftwareRenderDevice",
                                          "GlideDrv.GlideRenderDevice",   "D3DDrv.D3DRenderDevice"};

// Control by control, the cells for the six devices above: + on, 0 off, - unchanged.
const std::vector<std::pair<std::string, std::string>> kTable{
    {"Check2", "-+++++"},  {"Check3", "-+++++"},  {"Check4", "-+++++"},  {"Check5", "-+++++"},  {"Check6", "-+++++"},
    {"Check7", "00000+"},  {"Check8", "00000+"},  {"Check9", "00000+"},  {"Check10", "00000+"}, {"Check11", "00000+"},
    {"Check12", "-++0++"}, {"Check13", "00000+"}, {"Check14", "00000+"}, {"Check15", "00000+"}, {"Check16", "000000"},
    {"Check17", "00000+"}, {"Check18", "00000+"}, {"Check19", "00000+"}, {"Check20", "00000+"}, {"Check21", "000000"},
    {"Check22", "0000+0"}, {"Check23", "0-00+0"}, {"Check24", "000+00"}, {"Check25", "0-0000"}, {"Check26", "000+00"},
    {"Check27", "000+00"}, {"Combo1", "0000+0"},  {"Combo2", "0000+0"},  {"Combo3", "0+0000"},  {"Label3", "0000+0"},
    {"Label1", "0000+0"},  {"Label2", "0+0000"},
};

class AvailabilityTest : public EditorTest {
 protected:
  QWidget* control(const std::string& name) { return editor().findChild<QWidget*>(QString::fromStdString(name)); }
  // Every control's enabled state, after leaving the first tab with every control enabled before.
  void expectColumn(std::size_t device, bool unchangedMeans) {
    for (const auto& [name, cells] : kTable) {
      const char cell = cells[device];
      const bool expected = cell == '+' || (cell == '-' && unchangedMeans);
      ASSERT_NE(control(name), nullptr) << name;
      EXPECT_EQ(control(name)->isEnabled(), expected) << kDevices[device] << " " << name;
    }
  }
};

TEST_F(AvailabilityTest, EachDeviceEnablesExactlyItsControls) {
  for (std::size_t device = 0; device < kDevices.size(); ++device) {
    useDevice(kDevices[device]);
    Form4& form = open();
    leaveGraphicsTab();
    EXPECT_EQ(form.warzoeken, kDevices[device]);
    expectColumn(device, true);
    // Sound and network controls stay usable for every device.
    for (int n = 28; n <= 41; ++n) EXPECT_TRUE(form.checkBox(n)->isEnabled());
    for (int n = 4; n <= 9; ++n) EXPECT_TRUE(form.combo(n)->isEnabled());
    EXPECT_TRUE(form.checkBox(1)->isEnabled());
    // The display combos are told apart by background.
    const QPalette standard = QApplication::palette();
    for (int n = 1; n <= 3; ++n) {
      const QPalette::ColorRole expected = form.combo(n)->isEnabled() ? QPalette::Base : QPalette::Button;
      EXPECT_EQ(form.combo(n)->palette().color(QPalette::Base), standard.color(QPalette::Active, expected));
    }
    EXPECT_EQ(app->module().IniReadCount, 0);
    form.Command3->click();
  }
  EXPECT_NE(QApplication::palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
}

TEST_F(AvailabilityTest, GlideLoadsItsCombosAndADeviceSwitchLeavesDashCellsAlone) {
  useDevice("GlideDrv.GlideRenderDevice");
  Form4& form = open();
  leaveGraphicsTab();
  EXPECT_EQ(form.combo(2)->currentText(), "60Hz");
  EXPECT_EQ(form.combo(1)->currentText(), "-1.5");
  EXPECT_EQ(form.combo(1)->count(), 2);
  EXPECT_TRUE(form.checkBox(22)->isChecked());  // ScreenSmoothing=True in the Glide section
  EXPECT_TRUE(form.checkBox(23)->isEnabled());
  EXPECT_FALSE(form.checkBox(25)->isEnabled());

  // The working copy now names the Sgl device, and the lists are refilled (as on activation).
  app->module().WriteIniValue("Engine.Engine", "GameRenderDevice", "SglDrv.SglRenderDevice", form.Tempname);
  form.activate();
  EXPECT_EQ(value(14), "SglDrv.SglRenderDevice");
  backToGraphicsTab();
  leaveGraphicsTab();
  EXPECT_EQ(form.warzoeken, "SglDrv.SglRenderDevice");
  EXPECT_TRUE(form.checkBox(23)->isEnabled());   // unchanged from Glide
  EXPECT_FALSE(form.checkBox(25)->isEnabled());  // unchanged from Glide
  EXPECT_TRUE(form.combo(3)->isEnabled());
  EXPECT_FALSE(form.combo(1)->isEnabled());
  // A box ticked for Glide stays ticked although the Sgl section lacks the key.
  EXPECT_TRUE(form.checkBox(22)->isChecked());
  // The combo shown from the earlier departure keeps its item.
  EXPECT_EQ(form.combo(1)->currentText(), "-1.5");
}

TEST_F(AvailabilityTest, MetalKeepsTheStatesTheSoftwareDeviceLeft) {
  useDevice("SoftDrv.SoftwareRenderDevice");
  Form4& form = open();
  leaveGraphicsTab();
  EXPECT_FALSE(form.checkBox(12)->isEnabled());
  EXPECT_TRUE(form.checkBox(24)->isEnabled());
  backToGraphicsTab();
  startEditing();
  clickValue(14);  // Software -> S3
  EXPECT_EQ(value(14), "S3");
  EXPECT_EQ(form.DriverType, "S3");
  leaveGraphicsTab();
  EXPECT_EQ(form.DriverType, "MetalDrv.MetalRenderDevice");
  EXPECT_EQ(form.warzoeken, "MetalDrv.MetalRenderDevice");
  EXPECT_FALSE(form.checkBox(12)->isEnabled());
  for (int n = 2; n <= 6; ++n) EXPECT_TRUE(form.checkBox(n)->isEnabled()) << n;
  EXPECT_FALSE(form.checkBox(24)->isEnabled());
  // The working copy still names the software device: nothing was applied.
  EXPECT_EQ(app->module().ReadProfileValue("Engine.Engine", "GameRenderDevice", form.Tempname),
            "SoftDrv.SoftwareRenderDevice");
}

TEST_F(AvailabilityTest, ADevicePickedInTheValueListWinsOverTheFile) {
  Form4& form = open();
  startEditing();
  clickValue(14);  // Direct 3D -> OpenGl
  clickValue(14);  // OpenGl -> Glide
  leaveGraphicsTab();
  EXPECT_EQ(form.DriverType, "GlideDrv.GlideRenderDevice");
  EXPECT_EQ(form.warzoeken, "GlideDrv.GlideRenderDevice");
  EXPECT_TRUE(form.checkBox(22)->isEnabled());
  EXPECT_TRUE(form.checkBox(22)->isChecked());
  EXPECT_TRUE(form.combo(2)->isEnabled());
  // Ticking a display box now writes into the Glide section.
  form.checkBox(23)->setChecked(true);
  EXPECT_EQ(app->module().ReadProfileValue("GlideDrv.GlideRenderDevice", "FastUglyRefresh", form.Tempname), "True");
}

TEST_F(AvailabilityTest, OddValuesAreMatchedExactlyOrAppendedOnce) {
  std::string ini = demoGameIni();
  ini = replaced(ini, "NetServerMaxTickRate=20", "NetServerMaxTickRate=28");
  ini = replaced(ini, "OutputRate=22050Hz\r\nEffectsChannels", "OutputRate=48000Hz\r\nEffectsChannels");
  ini = replaced(ini,
                 "Translucency=True\r\nVolumetricLighting=True\r\nShinySurfaces=True\r\nCoronas=True\r\n"
                 "HighDetailActors=True\r\nUseMipmapping",
                 "Translucency=true\r\nVolumetricLighting=True\r\nShinySurfaces=True\r\nCoronas=True\r\n"
                 "HighDetailActors=True\r\nUseMipmapping");
  ini = replaced(ini, "DetailBias=-1.5", "DetailBias=1");
  writeGameIni(ini);
  Form4& form = open();
  leaveGraphicsTab();
  EXPECT_FALSE(form.checkBox(2)->isChecked());  // "true" is not "True"
  EXPECT_EQ(form.combo(6)->count(), 35);
  EXPECT_EQ(form.combo(6)->currentIndex(), 34);
  EXPECT_EQ(form.combo(6)->currentText(), "28");
  EXPECT_EQ(form.combo(4)->currentText(), "48000Hz");
  backToGraphicsTab();
  leaveGraphicsTab();
  EXPECT_EQ(form.combo(6)->count(), 35);
  EXPECT_EQ(form.combo(6)->currentIndex(), 34);
  EXPECT_EQ(form.combo(4)->count(), 5);

  // Glide with DetailBias "1": the value becomes Combo1's first item.
  form.Command3->click();
  useDevice("GlideDrv.GlideRenderDevice");
  writeGameIni(replaced(gameIni(), "DetailBias=-1.5", "DetailBias=1"));
  open();
  leaveGraphicsTab();
  EXPECT_EQ(form.combo(1)->count(), 3);
  EXPECT_EQ(form.combo(1)->currentIndex(), 0);
  EXPECT_EQ(form.combo(1)->currentText(), "1");
}

TEST_F(AvailabilityTest, AnUnknownDeviceChangesNothingAndItsBoxesWriteNothing) {
  useDevice("FooDrv.FooRenderDevice");
  Form4& form = open();
  EXPECT_EQ(value(14), "FooDrv.FooRenderDevice");
  leaveGraphicsTab();
  EXPECT_TRUE(form.warzoeken.empty());
  for (int n = 2; n <= 27; ++n) {
    EXPECT_TRUE(form.checkBox(n)->isEnabled()) << n;
    EXPECT_FALSE(form.checkBox(n)->isChecked()) << n;
  }
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(form.combo(n)->isEnabled());
  form.checkBox(19)->setChecked(true);
  EXPECT_EQ(workingCopy(), gameIni());
  // The sound boxes know their section whatever the device.
  form.checkBox(34)->setChecked(true);
  EXPECT_EQ(app->module().ReadProfileValue("Galaxy.GalaxyAudioSubsystem", "UseSpatial", form.Tempname), "True");
}

}  // namespace
}  // namespace vexorel::testing
