#include "ConsoleFixture.h"
#include "FocusDisplaySettingForm.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using FocusDisplayDialog = ConsoleFixture;

namespace {
TFocusDisplaySettingForm& Form() { return *FocusDisplaySettingForm; }

void Choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}
}  // namespace

TEST_F(FocusDisplayDialog, OpeningShowsTheEngineValuesAndSendsNothingBack) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetPartialZoomOutputVideoResolution(9);
  ovSenderSetPartialZoomSourceVideoResolution(3);
  ovSenderSetNonLinearZoomOutputVideoResolution(15);
  ovSenderSetNonLinearZoomMaskType(1);
  ovSenderSetNonLinearZoomMaskSize(200, 720);
  ovSenderSetImageCompoundBaseVideoResolution(1);
  ovSenderSetImageCompoundAdditionalVideoResolution(12);
  ovSenderSetImageCompoundMaskType(2);
  ovSenderSetImageCompoundBlendingType(1);
  ovSenderSetFocusFrameVisible(true);
  ovSenderSetFocusCoordinate(1);
  ovSenderSimClearCallLog();
  Module().FocusDisplaySettingAction->Execute();
  EXPECT_TRUE(Form().active);
  EXPECT_EQ(Calls({"SetNonLinearZoomMaskSize", "SetPartialZoomOutputVideoResolution", "SetImageCompoundMaskType",
                   "SetFocusFrameVisible", "SetFocusCoordinate", "ComputeVideoWindow"}),
            std::vector<std::string>{});
  const std::pair<QComboBox*, int> shown[] = {
      {Form().PartialZoomOutputResolutionComboBox, 9}, {Form().PartialZoomSourceResolutionComboBox, 3},
      {Form().NonLinearZoomResolutionComboBox, 15},    {Form().NonLinearZoomMaskComboBox, 1},
      {Form().ImageCompoundBaseResolutionComboBox, 1}, {Form().ImageCompoundAddResolutionComboBox, 12},
      {Form().ImageCompoundMaskComboBox, 2},           {Form().ImageCompoundBlendingComboBox, 1}};
  for (const auto& [box, index] : shown) {
    EXPECT_EQ(box->currentIndex(), index) << box->objectName().toStdString();
    EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
  }
  EXPECT_EQ(Form().PartialZoomOutputResolutionComboBox->count(), 16);
  EXPECT_EQ(Form().NonLinearZoomMaskWidthEdit->text(), "200");
  EXPECT_EQ(Form().NonLinearZoomMaskHeightEdit->text(), "720");
  EXPECT_TRUE(Form().NonLinearZoomMaskWidthEdit->isEnabled());
  EXPECT_TRUE(Form().ShowFocusFrameCheckBox->isChecked());
  EXPECT_TRUE(Form().FocusCoordinateVideoWindowRadio->isChecked());
  EXPECT_FALSE(Form().FocusCoordinateDesktopWindowRadio->isChecked());
}

TEST_F(FocusDisplayDialog, ChoicesGoToTheEngineAndOnlySizeChangesLayTheVideoOut) {
  ASSERT_TRUE(StartConsole());
  Module().FocusDisplaySettingAction->Execute();
  struct Case {
    QComboBox* box;
    int index;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {Form().PartialZoomOutputResolutionComboBox, 4, {"SetPartialZoomOutputVideoResolution(4)"}},
      {Form().PartialZoomSourceResolutionComboBox, 5, {"SetPartialZoomSourceVideoResolution(5)", "ComputeVideoWindow()"}},
      {Form().NonLinearZoomResolutionComboBox, 6, {"SetNonLinearZoomOutputVideoResolution(6)"}},
      {Form().NonLinearZoomMaskComboBox, 1, {"SetNonLinearZoomMaskType(1)"}},
      {Form().ImageCompoundBaseResolutionComboBox, 7,
       {"SetImageCompoundBaseVideoResolution(7)", "ComputeVideoWindow()"}},
      {Form().ImageCompoundAddResolutionComboBox, 8,
       {"SetImageCompoundAdditionalVideoResolution(8)", "ComputeVideoWindow()"}},
      {Form().ImageCompoundMaskComboBox, 2, {"SetImageCompoundMaskType(2)"}},
      {Form().ImageCompoundBlendingComboBox, 1, {"SetImageCompoundBlendingType(1)"}},
  };
  for (const Case& c : cases) {
    ovSenderSimClearCallLog();
    Choose(c.box, c.index);
    std::vector<std::string> setters;
    for (const std::string& line : ovSenderSimCallLog())
      if (line.rfind("Set", 0) == 0 || line.rfind("ComputeVideoWindow", 0) == 0) setters.push_back(line);
    EXPECT_EQ(setters, c.calls) << c.box->objectName().toStdString();
  }
}

TEST_F(FocusDisplayDialog, MaskSizeSendsBothUpDownPositionsWithinTheRange) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetNonLinearZoomMaskSize(100, 300);
  Module().FocusDisplaySettingAction->Execute();
  const struct {
    const char* what;
    std::function<void()> act;
    std::string call;
  } cases[] = {
      {"width typed", [] { Form().NonLinearZoomMaskWidthEdit->setText("250"); }, "SetNonLinearZoomMaskSize(250, 300)"},
      {"height stepped", [] { Form().NonLinearZoomMaskHeightUpDown->Step(1); }, "SetNonLinearZoomMaskSize(250, 301)"},
      {"width below the range", [] { Form().NonLinearZoomMaskWidthEdit->setText("5"); },
       "SetNonLinearZoomMaskSize(10, 301)"},
      {"no number keeps the last", [] { Form().NonLinearZoomMaskWidthEdit->setText("x"); },
       "SetNonLinearZoomMaskSize(10, 301)"},
      {"no wrap at the top", [] { Form().NonLinearZoomMaskHeightUpDown->SetPosition(720); Form().NonLinearZoomMaskHeightUpDown->Step(1); },
       "SetNonLinearZoomMaskSize(10, 720)"},
  };
  for (const auto& c : cases) {
    ovSenderSimClearCallLog();
    c.act();
    const auto calls = Calls({"SetNonLinearZoomMaskSize"});
    ASSERT_FALSE(calls.empty()) << c.what;
    EXPECT_EQ(calls.back(), c.call) << c.what;
  }
  Form().close();
  ovSenderSimClearCallLog();
  Form().NonLinearZoomMaskWidthEdit->setText("300");
  EXPECT_EQ(ovSenderSimCallCount("SetNonLinearZoomMaskSize"), 0u) << "silent while not shown";
}

TEST_F(FocusDisplayDialog, CoordinateRadiosFollowTheEngineAndActAsAPair) {
  ASSERT_TRUE(StartConsole());
  for (const int coordinate : {0, 1, 2}) {
    ovSenderSetFocusCoordinate(coordinate);
    Module().FocusDisplaySettingAction->Execute();
    EXPECT_EQ(Form().FocusCoordinateDesktopWindowRadio->isChecked(), coordinate == 0) << coordinate;
    EXPECT_EQ(Form().FocusCoordinateVideoWindowRadio->isChecked(), coordinate == 1) << coordinate;
    Form().close();
  }
  Module().FocusDisplaySettingAction->Execute();
  Form().FocusCoordinateDesktopWindowRadio->click();
  EXPECT_EQ(ovSenderGetFocusCoordinate(), 0);
  Form().FocusCoordinateDesktopWindowRadio->click();  // again: stays on
  EXPECT_TRUE(Form().FocusCoordinateDesktopWindowRadio->isChecked());
  Form().FocusCoordinateVideoWindowRadio->click();
  EXPECT_EQ(ovSenderGetFocusCoordinate(), 1);
  EXPECT_FALSE(Form().FocusCoordinateDesktopWindowRadio->isChecked());
  const bool frame = ovSenderGetFocusFrameVisible();
  ovSenderSimClearCallLog();
  Form().ShowFocusFrameCheckBox->click();
  EXPECT_EQ(ovSenderGetFocusFrameVisible(), !frame);
  EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 1u);
}
