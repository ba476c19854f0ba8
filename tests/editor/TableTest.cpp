// The editor's tables of cases (EditorCases.txt): the value list and controls as the window opens,
// the value cycles and which controls each render device enables; then the devices' other rules.
#include <fstream>

#include "EditorFixture.h"

namespace vexorel::testing {
namespace {

TEST_F(EditorTest, TableOfCases) {
  std::ifstream in(VEXOREL_SOURCE_DIR "/tests/editor/EditorCases.txt");
  ASSERT_TRUE(in);
  std::map<std::string, std::vector<QStringList>> cases;
  for (std::string line; std::getline(in, line);) {
    QStringList fields = QString::fromStdString(line).split('|');
    if (!line.empty() && line[0] != '#') cases[fields.takeFirst().toStdString()].push_back(fields);
  }
  Form4& form = open();
  Lines keys, values;
  for (const QStringList& row : cases["row"])
    keys.push_back(row[0].toStdString()), values.push_back(row[1].toStdString());
  EXPECT_EQ(form.keys(), keys);
  EXPECT_EQ(form.values(), values);
  QStringList captions;
  for (int i = 0; i < form.SSTab1->count(); ++i) captions << form.SSTab1->tabText(i);
  for (QAbstractButton* b : {form.Command1, form.Command2, form.Command6, form.Command7, form.Command3})
    captions << b->text();
  for (QAction* a : form.mnuFile->actions()) captions << a->text();
  EXPECT_EQ(captions, cases["captions"].at(0));
  for (const QStringList& c : cases["open"]) expect(c[0] + "." + c[1] + "=" + c[2]);

  act("click 7");  // editing is off: the list does not take clicks
  EXPECT_EQ(value(7), "High");
  act("edit");
  for (const QStringList& cycle : cases["cycle"]) {
    for (qsizetype i = 1; i < cycle.size(); ++i) {
      EXPECT_EQ(value(cycle[0].toInt()), cycle[i].toStdString()) << "row " << cycle[0].toStdString() << " step " << i;
      if (i + 1 < cycle.size()) click({cycle[0]});
    }
  }
  expect("List2.currentRow=-1");  // no row stays selected, so the next click on it steps on again
  EXPECT_EQ(form.DriverType, "Direct 3D");
  EXPECT_EQ(backup(), demoGameIni());  // clicks change only the lists
  act("press Command3");

  const QStringList devices = cases["devices"].at(0);
  const QPalette standard = QApplication::palette();
  ASSERT_NE(standard.color(QPalette::Base), standard.color(QPalette::Button));
  for (qsizetype device = 0; device < devices.size(); ++device) {
    SCOPED_TRACE(devices[device].toStdString());
    useDevice(devices[device].toStdString());
    act("open; tab 1");
    EXPECT_EQ(form.warzoeken, devices[device].toStdString());
    for (const QStringList& c : cases["avail"]) expect(c[0] + ".enabled=" + (c[1][device] == '0' ? "false" : "true"));
    for (int n = 1; n <= 3; ++n) {  // the display combos are told apart by background
      const QPalette::ColorRole role = form.combo(n)->isEnabled() ? QPalette::Base : QPalette::Button;
      EXPECT_EQ(form.combo(n)->palette().color(QPalette::Base), standard.color(QPalette::Active, role)) << n;
    }
    EXPECT_EQ(app->module().IniReadCount, 0);
    act("press Command3");
  }
}

TEST_F(EditorTest, DeviceRules) {
  // A device picked in the value list wins over the file; a '-' cell keeps what the device before left.
  useDevice("SoftDrv.SoftwareRenderDevice");
  Form4& form = open();
  act("tab 1");
  expect("Check12.enabled=false; Check24.enabled=true");
  act("tab 0; edit; click 14");  // Software -> S3
  EXPECT_EQ(form.DriverType, "S3");
  act("tab 1");
  EXPECT_EQ(form.DriverType + " " + form.warzoeken, "MetalDrv.MetalRenderDevice MetalDrv.MetalRenderDevice");
  expect("Check12.enabled=false; Check2.enabled=true; Check6.enabled=true; Check24.enabled=false");
  EXPECT_EQ(key("Engine.Engine", "GameRenderDevice"), "SoftDrv.SoftwareRenderDevice");  // nothing applied

  // Values are matched exactly, or appended once; Glide's odd DetailBias becomes Combo1's first item.
  std::string ini = replaced(demoGameIni(), "NetServerMaxTickRate=20", "NetServerMaxTickRate=28");
  ini = replaced(ini, "OutputRate=22050Hz\r\nEffectsChannels", "OutputRate=48000Hz\r\nEffectsChannels");
  ini = replaced(ini, "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice=GlideDrv.GlideRenderDevice");
  writeGameIni(replaced(replaced(ini, "DetailBias=-1.5", "DetailBias=1"), "VolumetricLighting=True\r\n\r\n",
                        "VolumetricLighting=true\r\n\r\n"));
  act("press Command3; open; tab 1; tab 0; tab 1");  // leaving the first tab again appends nothing more
  expect(
      "Check3.checked=false; Check4.checked=true; Check22.checked=true; Combo6.count=35; Combo6.currentIndex=34; "
      "Combo6.currentText=28; "
      "Combo4.currentText=48000Hz; Combo4.count=5; Combo2.currentText=60Hz; Combo1.count=3; Combo1.currentIndex=0; "
      "Combo1.currentText=1");

  // An unknown device changes no control and its display boxes write nothing; values outside every cycle stay.
  useDevice("FooDrv.FooRenderDevice");
  writeGameIni(replaced(replaced(gameIni(), "FullscreenColorBits=16", "FullscreenColorBits=24"), "CurvedSurfaces=True",
                        "CurvedSurfaces=true"));
  act("press Command3; open; edit; click 0 1 14");
  EXPECT_EQ(value(0) + value(1) + value(14) + form.DriverType, "24trueFooDrv.FooRenderDeviceFooDrv.FooRenderDevice");
  act("tab 1; tick 19 on; tick 34 on");
  EXPECT_TRUE(form.warzoeken.empty());
  for (int n = 2; n <= 27; ++n)
    EXPECT_TRUE(form.checkBox(n)->isEnabled() && (n == 19) == form.checkBox(n)->isChecked()) << n;
  expect("Combo1.enabled=true; Combo2.enabled=true; Combo3.enabled=true");
  EXPECT_EQ(backup(), replaced(gameIni(), "UseSpatial=False", "UseSpatial=True"));  // the sound box knows its section
}

}  // namespace
}  // namespace vexorel::testing
