// Editing the value list: cycles, the two typed rows, the device row, toggles and the small combo
// handlers.
#include "EditorFixture.h"

namespace vexorel::testing {
namespace {

TEST_F(EditorTest, ClicksStepRowsThroughTheirCyclesOnlyWhileEditing) {
  Form4& form = open();
  clickValue(7);  // editing is off: the list does not take clicks
  EXPECT_EQ(value(7), "High");
  startEditing();
  clickValue(7);
  EXPECT_EQ(value(7), "Low");
  clickValue(7);  // the same row again
  EXPECT_EQ(value(7), "Medium");
  clickValue(7);
  EXPECT_EQ(value(7), "High");
  EXPECT_EQ(form.List2->currentRow(), -1);
  EXPECT_TRUE(form.List2->selectedItems().isEmpty());
  clickValue(1);
  EXPECT_EQ(value(1), "False");
  clickValue(0);
  EXPECT_EQ(value(0), "32");
  for (int i = 0; i < 4; ++i) clickValue(14);
  EXPECT_EQ(value(14), "S3");
  clickValue(14);
  EXPECT_EQ(value(14), "Direct 3D");
  EXPECT_EQ(form.DriverType, "Direct 3D");
  // Clicks change only the lists.
  EXPECT_EQ(workingCopy(), demoGameIni());
}

TEST_F(EditorTest, ValuesOutsideEveryCycleStayAsTheyAre) {
  std::string ini = replaced(demoGameIni(), "FullscreenColorBits=16", "FullscreenColorBits=24");
  ini = replaced(ini, "CurvedSurfaces=True", "CurvedSurfaces=true");
  writeGameIni(replaced(ini, "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice=SglDrv.SglRenderDevice"));
  Form4& form = open();
  startEditing();
  clickValue(0);
  clickValue(1);
  clickValue(14);
  EXPECT_EQ(value(0), "24");
  EXPECT_EQ(value(1), "true");
  EXPECT_EQ(value(14), "SglDrv.SglRenderDevice");
  EXPECT_EQ(form.DriverType, "SglDrv.SglRenderDevice");
}

TEST_F(EditorTest, TheTypedRowsStoreWhenComplete) {
  Form4& form = open();
  startEditing();
  clickValue(10);
  EXPECT_TRUE(form.Text1->isVisible());
  EXPECT_EQ(value(10), "30.000000");
  QTest::keyClicks(form.Text1, "3");
  EXPECT_EQ(value(10), "30.000000");
  EXPECT_TRUE(form.Text1->isVisible());
  QTest::keyClicks(form.Text1, "0");
  EXPECT_EQ(value(10), "30");
  EXPECT_FALSE(form.Text1->isVisible());
  // The box keeps what it stored; one digit less waits, none stores an empty value.
  clickValue(10);
  EXPECT_EQ(form.Text1->text(), "30");
  QTest::keyClick(form.Text1, Qt::Key_Backspace);
  EXPECT_EQ(value(10), "30");
  QTest::keyClicks(form.Text1, "5");
  EXPECT_EQ(value(10), "35");
  clickValue(10);
  form.Text1->clear();
  EXPECT_EQ(value(10), "");
  EXPECT_FALSE(form.Text1->isVisible());
  // At most two characters.
  clickValue(10);
  QTest::keyClicks(form.Text1, "123");
  EXPECT_EQ(value(10), "12");

  clickValue(13);
  EXPECT_TRUE(form.Text2->isVisible());
  QTest::keyClicks(form.Text2, "2");
  EXPECT_EQ(value(13), "2");
  EXPECT_FALSE(form.Text2->isVisible());
}

TEST_F(EditorTest, ToggleBoxesWriteTheirKeyIntoTheWorkingCopyAtOnce) {
  Form4& form = open();
  leaveGraphicsTab();
  ReadModule& module = app->module();
  form.checkBox(2)->setChecked(false);
  EXPECT_EQ(module.ReadProfileValue("D3DDrv.D3DRenderDevice", "Translucency", form.Tempname), "False");
  form.checkBox(16)->setCheckState(Qt::PartiallyChecked);  // greyed counts as clear
  EXPECT_EQ(module.ReadProfileValue("D3DDrv.D3DRenderDevice", "Use32BitTextures", form.Tempname), "False");
  form.checkBox(21)->setChecked(true);  // a key the section lacks is added
  EXPECT_EQ(module.ReadProfileValue("D3DDrv.D3DRenderDevice", "UseVertexFog", form.Tempname), "True");

  const std::string before = workingCopy();
  form.checkBox(1)->setChecked(true);  // UseMultitexture writes nothing
  EXPECT_EQ(workingCopy(), before);

  form.checkBox(34)->setChecked(true);
  form.checkBox(39)->setChecked(true);
  form.checkBox(39)->setChecked(false);
  const std::string copy = workingCopy();
  EXPECT_EQ(module.ReadProfileValue("Galaxy.GalaxyAudioSubsystem", "UseSpatial", form.Tempname), "False");
  EXPECT_EQ(copy.find("UseSpatial", copy.find("UseSpatial") + 1), std::string::npos) << "one key, not two";
  form.checkBox(41)->setChecked(true);
  EXPECT_EQ(module.ReadProfileValue("IpDrv.TcpNetDriver", "OverrideBufferAllocation", form.Tempname), "True");
  EXPECT_EQ(gameIni(), demoGameIni());
}

TEST_F(EditorTest, TheRefreshRateWarningShowsOncePerRun) {
  useDevice("GlideDrv.GlideRenderDevice");
  Form4& form = open();
  leaveGraphicsTab();
  form.combo(2)->showPopup();
  form.combo(2)->hidePopup();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "Warning! A too high refresh Rate may cause damage to your PC");
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(dialogs.calls[0].caption, "Vexorel");
  form.combo(2)->showPopup();
  form.combo(2)->hidePopup();
  form.Command3->click();
  open();
  leaveGraphicsTab();
  form.combo(2)->showPopup();
  form.combo(2)->hidePopup();
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_TRUE(form.askone);
}

TEST_F(EditorTest, TypingIntoDetailBiasNeedsASelectedRow) {
  useDevice("GlideDrv.GlideRenderDevice");
  Form4& form = open();
  startEditing();
  leaveGraphicsTab();
  const auto before = form.values();
  QTest::keyClicks(form.combo(1)->lineEdit(), "5");
  EXPECT_EQ(form.values(), before);
  // With a row selected by the keyboard, the item after the combo's selection goes into it.
  form.combo(1)->setCurrentIndex(0);
  form.List2->setCurrentRow(13);
  QTest::keyClicks(form.combo(1)->lineEdit(), "x");
  EXPECT_EQ(value(13), "0");
  // The last item has no follower: nothing happens.
  form.combo(1)->setCurrentIndex(1);
  form.List2->setCurrentRow(12);
  QTest::keyClicks(form.combo(1)->lineEdit(), "y");
  EXPECT_EQ(value(12), "False");
}

}  // namespace
}  // namespace vexorel::testing
