#include "ConsoleFixture.h"
#include "SourceSettingForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using SourceDialog = ConsoleFixture;

namespace {
TSourceSettingForm& Form() { return *SourceSettingForm; }

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}
}  // namespace

TEST_F(SourceDialog, PageListsAreRebuiltOnEveryShowAndDisabledWithoutPages) {
  ovSenderSimSetVideoSources({{"Camera", {"Capture Filter", "Capture Pin"}}});
  ovSenderSimSetAudioSources({{"Microphone", {}}});
  ASSERT_TRUE(StartConsole());
  Module().SourceSettingAction->Execute();
  EXPECT_EQ(Items(Form().VideoSourcePropertyComboBox), QStringList({"Capture Filter", "Capture Pin"}));
  EXPECT_EQ(Form().VideoSourcePropertyComboBox->currentIndex(), 0);
  EXPECT_TRUE(Form().VideoSourcePropertyComboBox->isEnabled());
  EXPECT_TRUE(Form().VideoSourcePropertyButton->isEnabled());
  EXPECT_EQ(Form().AudioSourcePropertyComboBox->count(), 0);
  EXPECT_FALSE(Form().AudioSourcePropertyComboBox->isEnabled());
  EXPECT_FALSE(Form().AudioSourcePropertyButton->isEnabled());
  EXPECT_FALSE(Module().AudioSourcePropertyAction->Execute()) << "a disabled action runs nothing";

  Form().VideoSourcePropertyComboBox->setCurrentIndex(1);
  ovSenderSimClearCallLog();
  Form().VideoSourcePropertyButton->click();
  const auto shown = ovSenderSimShownPropertyPages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].name, "Capture Pin");
  EXPECT_EQ(shown[0].owner, static_cast<ovSenderWindowHandle>(Form().winId()));
  EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 1u);
  Form().close();

  // Changed while closed: the next show lists the new source's pages.
  ovSenderSimSetVideoSources({{"Other", {}}});
  ovSenderSimSetAudioSources({{"Line in", {"Levels"}}});
  Module().SourceSettingAction->Execute();
  EXPECT_FALSE(Form().VideoSourcePropertyComboBox->isEnabled());
  EXPECT_FALSE(Form().VideoSourcePropertyButton->isEnabled());
  EXPECT_EQ(Items(Form().AudioSourcePropertyComboBox), QStringList({"Levels"}));
  EXPECT_TRUE(Form().AudioSourcePropertyButton->isEnabled());
}

TEST_F(SourceDialog, DVInterleavedNeedsDirectModeAndStaysCheckedWhenDisabled) {
  ASSERT_TRUE(StartConsole());
  Module().SourceSettingAction->Execute();
  QCheckBox* direct = Form().DirectVideoModeCheckBox;
  QCheckBox* dv = Form().DVInterleavedModeCheckBox;
  EXPECT_EQ(dv->text(), "DV Interleaved （Video&&Audio）をそのまま送信する");
  EXPECT_FALSE(dv->isEnabled()) << "not in direct video mode";
  direct->click();
  EXPECT_TRUE(ovSenderGetDirectVideoModeOn());
  EXPECT_TRUE(direct->isChecked());
  ASSERT_TRUE(dv->isEnabled());
  ovSenderSimClearCallLog();
  dv->click();
  EXPECT_TRUE(ovSenderGetDVInterleavedModeOn());
  EXPECT_EQ(ovSenderSimCallCount("GetNumVideoSourcePropertyPages"), 0u) << "DV mode does not rebuild the lists";
  direct->click();  // off
  EXPECT_FALSE(dv->isEnabled());
  EXPECT_TRUE(dv->isChecked());
  EXPECT_TRUE(ovSenderGetDVInterleavedModeOn());
  ovSenderSimSetValidDVInterleavedMode(false);
  direct->click();  // on again, but the engine reports DV mode impossible
  EXPECT_TRUE(direct->isChecked());
  EXPECT_FALSE(dv->isEnabled());
  ovSenderSimSetValidDVInterleavedMode(true);
  Form().close();
  Module().SourceSettingAction->Execute();
  EXPECT_TRUE(dv->isEnabled());
}
