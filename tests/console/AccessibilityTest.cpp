#include "AccessibilityProbe.h"
#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "FocusDisplaySettingForm.h"
#include "GraphWindow.h"
#include "LanguageTarget.h"
#include "MulticastSettingForm.h"
#include "SourceSettingForm.h"
#include "StatusBar.h"
#include "TransmissionMonitorForm.h"
#include "UpDown.h"
#include "VersionInfoForm.h"
#include "VolumeIndicatorForm.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {
using accessibility_probe::CollectUnnamed;
using accessibility_probe::Interface;
using accessibility_probe::Name;
using accessibility_probe::TabOrder;

class Accessibility : public ConsoleFixture {
protected:
  void SetLanguage(int index) { Module().LanguageMenuItem->Items(index)->Click(); }

  static QWidget* Control(const char* window, const char* name) {
    QObject* form = LanguageWindow(QLatin1String(window));
    return form ? form->findChild<QWidget*>(QLatin1String(name)) : nullptr;
  }

  static void Press(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
  }
};
}  // namespace

TEST_F(Accessibility, ControlsAreNamedByTheirCaptionsOrLabelsInEachLanguage) {
  ASSERT_TRUE(StartConsole());
  struct Row {
    const char* window;
    const char* control;
    QAccessible::Role role;
    const char* japanese;
    const char* english;
  };
  const Row rows[] = {
      {"SenderMainForm", "VideoRenderPanel", QAccessible::Canvas, "ビデオ", "Video"},
      {"ms", "AddressEdit", QAccessible::EditableText, "マルチキャストIPアドレス", "Multicast IP Address"},
      {"ms", "AddressUpdateButton", QAccessible::PushButton, "更新", "Update"},
      {"ms", "CreateIPv6AddressButton", QAccessible::PushButton, "自動生成(IPv6)", "Generate (IPv6)"},
      {"ms", "TTLEdit", QAccessible::EditableText, "最大ホップカウント", "Max. Hop Count"},
      {"ms", "TTLUpDown", QAccessible::SpinBox, "最大ホップカウント", "Max. Hop Count"},
      {"ms", "PacketSizeUpDown", QAccessible::SpinBox, "パケットサイズ", "Packet Size"},
      {"ms", "TransmitCountComboBox", QAccessible::ComboBox, "重複転送回数", "Repetitions"},
      {"ms", "TransmitRateComboBox", QAccessible::ComboBox, "転送速度", "Transmission Rate"},
      {"ms", "MulticastDetectLabel", QAccessible::StaticText, "受信検出", "Traffic Detected"},
      {"fds", "ShowFocusFrameCheckBox", QAccessible::CheckBox, "フォーカス部分を枠で表示する", "Show the Focus Frame"},
      {"fds", "FocusCoordinateVideoWindowRadio", QAccessible::RadioButton, "ビデオウィンドウ", "Video Window"},
      {"fds", "FocusCoordinateGroupBox", QAccessible::Grouping, "フォーカス位置の座標系", "Coordinates of the Focus Position"},
      {"fds", "PartialZoomSourceResolutionComboBox", QAccessible::ComboBox, "部分映像の解像度", "Part Resolution"},
      {"fds", "NonLinearZoomMaskWidthEdit", QAccessible::EditableText, "幅：", "Width:"},
      {"fds", "NonLinearZoomMaskHeightUpDown", QAccessible::SpinBox, "高さ：", "Height:"},
      {"fds", "ImageCompoundBlendingComboBox", QAccessible::ComboBox, "合成方式", "Blending"},
      {"ss", "AudioSourcePropertyComboBox", QAccessible::ComboBox, "プロパティ", "Properties"},
      {"ss", "DVInterleavedModeCheckBox", QAccessible::CheckBox, "DV Interleaved （Video&Audio）をそのまま送信する",
       "Send DV Interleaved (Video&Audio) as It Is"},
      {"csf", "CaptionEdit", QAccessible::EditableText, "キャプション(全角30文字以内)", "Caption(within 62 characters)"},
      {"csf", "CancelButton", QAccessible::PushButton, "キャンセル", "Cancel"},
      {"vif", "DisplayTimeComboBox", QAccessible::ComboBox, "表示時間", "Time Span"},
      {"vif", "LeftVolumeIndicator", QAccessible::ProgressBar, "L", "L"},
      {"vif", "DisplayPauseCheckBox", QAccessible::CheckBox, "表示の一時停止", "Pause Display"},
      {"vif", "GraphWindow", QAccessible::Chart, "音量インジケータ", "Volume Indicator"},
      {"emf", "ErrorMessageMemo", QAccessible::EditableText, "エラー", "Error"},
      {"tm", "SendRateVideoSubLabel", QAccessible::StaticText, "ビデオ（サブ）", "Video (Sub)"},
      {"vf", "VersionInfoOKButton", QAccessible::PushButton, "OK", "OK"},
  };
  for (int language : {1, 0}) {
    SetLanguage(language);
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.control) + " in language " + std::to_string(language));
      QAccessibleInterface* face = Interface(Control(row.window, row.control));
      ASSERT_NE(face, nullptr);
      EXPECT_EQ(face->role(), row.role);
      EXPECT_EQ(Name(face), QString::fromUtf8(language == 0 ? row.japanese : row.english));
    }
  }
  // A combo box tells its choice as its value, and a reader finds its label.
  QAccessibleInterface* box = Interface(MulticastSettingForm->TransmitCountComboBox);
  MulticastSettingForm->TransmitCountComboBox->setCurrentIndex(2);
  EXPECT_EQ(box->text(QAccessible::Value), "3回");
  const auto labels = box->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front().first->object(), MulticastSettingForm->TransmitCountLabel);
  // The chart says what it shows, with the span chosen.
  VolumeIndicatorForm->DisplayTimeComboBox->setCurrentIndex(1);
  EXPECT_EQ(Interface(VolumeIndicatorForm->GraphWindow)->text(QAccessible::Description), "表示時間: 20秒 (L, R)");
}

TEST_F(Accessibility, NoWindowHasAnUnnamedControlInEitherLanguage) {
  ASSERT_TRUE(StartConsole());
  for (int language : {0, 1}) {
    SetLanguage(language);
    for (const char* window : {"SenderMainForm", "fds", "ms", "tm", "ss", "csf", "vif", "emf", "vf"}) {
      QStringList unnamed;
      CollectUnnamed(Interface(LanguageWindow(QLatin1String(window))), QLatin1String(window), unnamed);
      for (TMenuItem* menu : {Module().OperationMenuItem, Module().ShowMenuItem, Module().OptionMenuItem,
                              Module().LanguageMenuItem, Module().HelpMenuItem}) {
        if (window == std::string("SenderMainForm"))
          CollectUnnamed(Interface(menu->QtMenu()), menu->objectName(), unnamed);
      }
      EXPECT_TRUE(unnamed.isEmpty()) << window << " in language " << language << ": "
                                     << unnamed.join(QStringLiteral(", ")).toStdString();
    }
  }
}

TEST_F(Accessibility, MenuItemsShowTheirCaptionsAndStatesAsTheMenusDo) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetVideoTransmissionOn(true);
  ovSenderSetAudioTransmissionOn(false);
  Idle();
  Module().MulticastMenuItem->InitiateActions();
  QAccessibleInterface* bar = Interface(form_->menuBar());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->childCount(), Module().MainMenu->Count());
  EXPECT_EQ(Name(bar->child(0)), "操作(O)");
  SetLanguage(1);
  EXPECT_EQ(Name(bar->child(0)), "Operation");
  // Every item of every menu, by position: name, checked and enabled as its item.
  std::vector<TMenuItem*> menus{Module().MainMenu};
  for (size_t m = 0; m < menus.size(); ++m) {
    TMenuItem* menu = menus[m];
    QAccessibleInterface* face = m == 0 ? bar : Interface(menu->QtMenu());
    ASSERT_EQ(face->childCount(), menu->Count()) << menu->objectName().toStdString();
    for (int i = 0; i < menu->Count(); ++i) {
      TMenuItem* item = menu->Items(i);
      SCOPED_TRACE(item->objectName().toStdString());
      const QAccessible::State state = face->child(i)->state();
      EXPECT_EQ(bool(state.checked), item->Checked());
      EXPECT_EQ(bool(state.disabled), !item->Enabled() || item->IsLine());
      if (!item->IsLine()) {
        EXPECT_EQ(Name(face->child(i)), QString(item->Caption()).remove(QLatin1Char('&')));
      }
      if (!item->Visible()) {
        EXPECT_TRUE(state.invisible);
      }
      if (item->QtMenu()) menus.push_back(item);
    }
  }
  QAccessibleInterface* multicast = Interface(Module().MulticastMenuItem->QtMenu());
  const int video = Module().MulticastMenuItem->IndexOf(Module().MulticastMenuItem->Find("VideoTransmissionOnMenuItem"));
  ASSERT_GE(video, 0);
  EXPECT_TRUE(multicast->child(video)->state().checked);
  EXPECT_FALSE(multicast->child(video + 1)->state().checked);  // audio
}

TEST_F(Accessibility, StatusPanelsReadTheTextsOfTheLastTick) {
  ASSERT_TRUE(StartConsole());
  QAccessibleInterface* bar = Interface(form_->StatusBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::StatusBar);
  ASSERT_EQ(bar->childCount(), 2);
  struct Case {
    bool start;
    bool error;
    int language;
    const char* panel0;
    const char* panel1;
  };
  const Case cases[] = {
      {false, false, 0, "停止中", ""},
      {true, true, 0, "停止中", "構成に失敗しました"},
      {true, false, 1, "Sending: (Video)(Audio)(Focus)", ""},
  };
  for (const Case& c : cases) {
    SetLanguage(c.language);
    ovSenderSetStart(c.start);
    ovSenderSetVideoTransmissionOn(true);
    ovSenderSetAudioTransmissionOn(true);
    ovSenderSetFocusTransmissionOn(true);
    if (c.error)
      ovSenderSimSetError(3, 1, "no camera");
    else
      ovSenderSimClearError();
    Module().SenderTimerTimer();
    EXPECT_EQ(Name(bar->child(0)), c.panel0);
    EXPECT_EQ(Name(bar->child(1)), c.panel1);
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(bar->child(i)->role(), QAccessible::StaticText);
    EXPECT_EQ(bar->child(i)->parent(), bar);
    EXPECT_EQ(bar->indexOfChild(bar->child(i)), i);
    EXPECT_EQ(bar->child(i)->rect().width(), form_->StatusBar->PanelWidth(i));
  }
  // Side by side, so a reader finds each panel where it is drawn.
  const QRect second = bar->child(1)->rect();
  EXPECT_EQ(bar->childAt(second.center().x(), second.center().y()), bar->child(1));
}

TEST_F(Accessibility, ButtonsAndLabelsReportTheStateTheyShow) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetFocusFrameVisible(true);
  ovSenderSetFocusCoordinate(1);
  ovSenderSetDirectVideoModeOn(false);
  ovSenderSetCaptionOn(false);
  Module().FocusDisplaySettingAction->Execute();
  Module().SourceSettingAction->Execute();
  Module().CaptionSettingAction->Execute();
  // The updates alone: painting three dialogs would hand images to Qt's
  // thread pool, whose synchronisation the thread checker cannot see.
  TActionList::UpdateAllActions();
  struct Row {
    QWidget* control;
    bool checked;
    bool disabled;
  };
  const Row rows[] = {
      {FocusDisplaySettingForm->ShowFocusFrameCheckBox, true, false},
      {FocusDisplaySettingForm->FocusCoordinateDesktopWindowRadio, false, false},
      {FocusDisplaySettingForm->FocusCoordinateVideoWindowRadio, true, false},
      {SourceSettingForm->DirectVideoModeCheckBox, false, false},
      {SourceSettingForm->DVInterleavedModeCheckBox, false, true},  // only with direct video mode
      {CaptionSettingForm->CaptionOffCheckBox, true, false},
      {CaptionSettingForm->OKButton, false, true},  // nothing changed yet
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control->objectName().toStdString());
    const QAccessible::State state = Interface(row.control)->state();
    EXPECT_EQ(bool(state.checked), row.checked);
    EXPECT_EQ(bool(state.disabled), row.disabled);
  }
  // The detection label is there only while something is detected.
  CaptionSettingForm->close();
  Module().MulticastSettingAction->Execute();
  QAccessibleInterface* detected = Interface(MulticastSettingForm->MulticastDetectLabel);
  EXPECT_TRUE(detected->state().invisible);
  MulticastSettingForm->AddressEdit->setText("239.1.1.9");
  ovSenderSimSetMulticastDetected("239.1.1.9", true);
  Module().MulticastDetectionTimerTimer();
  EXPECT_FALSE(detected->state().invisible);
}

TEST_F(Accessibility, LevelsPositionsAndErrorLinesAreReadable) {
  ASSERT_TRUE(StartConsole());
  VolumeIndicatorForm->ShowVolume(-12, -45);
  struct Value {
    QWidget* control;
    int current, minimum, maximum;
  };
  const Value values[] = {
      {VolumeIndicatorForm->LeftVolumeIndicator, -12, -30, 0},
      {VolumeIndicatorForm->RightVolumeIndicator, -30, -30, 0},  // held within the bar's range
      {MulticastSettingForm->TTLUpDown, 16, 0, 100},
  };
  MulticastSettingForm->TTLEdit->setText("16");
  for (const Value& v : values) {
    SCOPED_TRACE(v.control->objectName().toStdString());
    QAccessibleValueInterface* value = Interface(v.control)->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), v.current);
    EXPECT_EQ(value->minimumValue().toInt(), v.minimum);
    EXPECT_EQ(value->maximumValue().toInt(), v.maximum);
  }
  // A reader can set an up-down too; the edit shows it.
  Interface(MulticastSettingForm->TTLUpDown)->valueInterface()->setCurrentValue(120);
  EXPECT_EQ(MulticastSettingForm->TTLEdit->text(), "100");

  ErrorMessageForm->AddErrorMessage(1, 1, "no camera");
  ErrorMessageForm->AddErrorMessage(2, 5, "lost");
  QAccessibleTextInterface* memo = Interface(ErrorMessageForm->ErrorMessageMemo)->textInterface();
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->text(0, memo->characterCount()).split(QLatin1Char('\n')), ErrorMessageForm->Lines());
  int start = 0;
  int end = 0;
  EXPECT_EQ(memo->textAtOffset(0, QAccessible::LineBoundary, &start, &end).trimmed(),
            ErrorMessageForm->Lines().front());
}

TEST_F(Accessibility, DialogsGoByTabInLayoutOrderAndCloseOnEscape) {
  ASSERT_TRUE(StartConsole());
  struct Dialog {
    TConsoleForm* form;
    QStringList order;
  };
  const Dialog dialogs[] = {
      {MulticastSettingForm,
       {"AddressEdit", "AddressUpdateButton", "CreateIPv6AddressButton", "CreateIPv4AddressButton", "TTLEdit",
        "TTLUpdateButton", "PacketSizeEdit", "PacketSizeUpdateButton", "TransmitCountComboBox",
        "TargetTransmitRateComboBox", "TransmitRateComboBox"}},
      {FocusDisplaySettingForm,
       {"ShowFocusFrameCheckBox", "FocusCoordinateDesktopWindowRadio", "FocusCoordinateVideoWindowRadio",
        "PartialZoomOutputResolutionComboBox", "PartialZoomSourceResolutionComboBox", "NonLinearZoomResolutionComboBox",
        "NonLinearZoomMaskComboBox", "NonLinearZoomMaskWidthEdit", "NonLinearZoomMaskHeightEdit",
        "ImageCompoundBaseResolutionComboBox", "ImageCompoundAddResolutionComboBox", "ImageCompoundMaskComboBox",
        "ImageCompoundBlendingComboBox"}},
      {SourceSettingForm,
       {"VideoSourcePropertyComboBox", "VideoSourcePropertyButton", "DirectVideoModeCheckBox",
        "DVInterleavedModeCheckBox", "AudioSourcePropertyComboBox", "AudioSourcePropertyButton"}},
      {CaptionSettingForm, {"CaptionEdit", "CaptionOffCheckBox", "OKButton", "CancelButton"}},
      {VersionInfoForm, {"VersionInfoOKButton"}},
  };
  for (const Dialog& dialog : dialogs) {
    SCOPED_TRACE(dialog.form->objectName().toStdString());
    EXPECT_EQ(TabOrder(dialog.form), dialog.order);
    dialog.form->ShowModal();
    QWidget* last = dialog.form->findChild<QWidget*>(dialog.order.last());
    Press(last, Qt::Key_Escape);
    EXPECT_FALSE(dialog.form->isVisible());
  }
  // Escape away from the caption box throws the copy away as well.
  ovSenderSetCaption("kept");
  Module().CaptionSettingAction->Execute();
  CaptionSettingForm->CaptionEdit->setText("typed");
  Press(CaptionSettingForm->CaptionOffCheckBox, Qt::Key_Escape);
  EXPECT_FALSE(CaptionSettingForm->isVisible());
  EXPECT_STREQ(ovSenderGetCaption(), "kept");
  // Enter on the version window's only button closes it.
  Module().VersionInfoAction->Execute();
  Press(VersionInfoForm->VersionInfoOKButton, Qt::Key_Return);
  EXPECT_FALSE(VersionInfoForm->isVisible());
}
