#include "SourceSettingForm.h"

#include "MainDataModule.h"
#include "NamedWidget.h"
#include "TActionBinding.h"
#include "ovSender.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TSourceSettingForm* SourceSettingForm = nullptr;

namespace {
// Refills a page list; a source without pages leaves it empty and disabled,
// and its "表示" action disabled with it.
void FillPages(QComboBox* list, TAction* showPage, int count, const char* (*name)(int)) {
  const QSignalBlocker quiet(list);
  list->clear();
  for (int i = 0; i < count; ++i) list->addItem(QString::fromUtf8(name(i)));
  if (count > 0) list->setCurrentIndex(0);
  list->setEnabled(count > 0);
  showPage->SetEnabled(count > 0);
}
}  // namespace

TSourceSettingForm::TSourceSettingForm()
    : TConsoleForm(QStringLiteral("SourceSettingForm"), QStringLiteral("ソースの詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  SourceSettingForm = this;
  VideoSourceGroupBox =
      NewSourceGroup(QStringLiteral("VideoSource"), QStringLiteral("ビデオソース"), VideoSourcePropertyLabel,
                     VideoSourcePropertyComboBox, VideoSourcePropertyButton, MainDataModule->VideoSourcePropertyAction);
  DirectVideoModeCheckBox = Named(new QCheckBox(VideoSourceGroupBox), "DirectVideoModeCheckBox");
  DVInterleavedModeCheckBox = Named(new QCheckBox(VideoSourceGroupBox), "DVInterleavedModeCheckBox");
  BindButton(DirectVideoModeCheckBox, MainDataModule->DirectVideoModeAction);
  BindButton(DVInterleavedModeCheckBox, MainDataModule->DVInterleavedModeAction);
  AudioSourceGroupBox =
      NewSourceGroup(QStringLiteral("AudioSource"), QStringLiteral("オーディオソース"), AudioSourcePropertyLabel,
                     AudioSourcePropertyComboBox, AudioSourcePropertyButton, MainDataModule->AudioSourcePropertyAction);
  LayOut();
  // The designed size from the start, so start-up centres the window as it
  // will be shown.
  setFixedSize(DesignedWidth, DesignedHeight);
}

TSourceSettingForm::~TSourceSettingForm() {
  if (SourceSettingForm == this) SourceSettingForm = nullptr;
}

QGroupBox* TSourceSettingForm::NewSourceGroup(const QString& stem, const QString& caption, QLabel*& label,
                                              QComboBox*& list, QPushButton*& button, TAction* showPage) {
  auto* group = new QGroupBox(caption, this);
  group->setObjectName(stem + QStringLiteral("GroupBox"));
  label = new QLabel(QStringLiteral("プロパティ"), group);
  label->setObjectName(stem + QStringLiteral("PropertyLabel"));
  list = new QComboBox(group);
  list->setObjectName(stem + QStringLiteral("PropertyComboBox"));
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(16);
  label->setBuddy(list);
  button = new QPushButton(group);
  button->setObjectName(stem + QStringLiteral("PropertyButton"));
  button->setToolTip(QStringLiteral("プロパティページの表示"));
  BindButton(button, showPage);
  return group;
}

void TSourceSettingForm::LayOut() {
  auto* video = new QGridLayout(VideoSourceGroupBox);
  video->addWidget(VideoSourcePropertyLabel, 0, 0);
  video->addWidget(VideoSourcePropertyComboBox, 0, 1);
  video->addWidget(VideoSourcePropertyButton, 0, 2);
  video->addWidget(DirectVideoModeCheckBox, 1, 0, 1, 3);
  video->addWidget(DVInterleavedModeCheckBox, 2, 0, 1, 3);
  video->setColumnStretch(1, 1);
  auto* audio = new QGridLayout(AudioSourceGroupBox);
  audio->addWidget(AudioSourcePropertyLabel, 0, 0);
  audio->addWidget(AudioSourcePropertyComboBox, 0, 1);
  audio->addWidget(AudioSourcePropertyButton, 0, 2);
  audio->setColumnStretch(1, 1);
  auto* form = new QVBoxLayout(this);
  form->addWidget(VideoSourceGroupBox);
  form->addWidget(AudioSourceGroupBox);
  form->addStretch(1);
}

void TSourceSettingForm::Refresh() {
  FillPages(VideoSourcePropertyComboBox, MainDataModule->VideoSourcePropertyAction,
            ovSenderGetNumVideoSourcePropertyPages(), ovSenderGetVideoSourcePropertyPageName);
  FillPages(AudioSourcePropertyComboBox, MainDataModule->AudioSourcePropertyAction,
            ovSenderGetNumAudioSourcePropertyPages(), ovSenderGetAudioSourcePropertyPageName);
  const bool direct = ovSenderGetDirectVideoModeOn();
  MainDataModule->DirectVideoModeAction->SetChecked(direct);
  MainDataModule->DVInterleavedModeAction->SetChecked(ovSenderGetDVInterleavedModeOn());
  // Disabled outside direct video mode, but left checked: the engine keeps
  // the mode for when direct video mode is on again.
  MainDataModule->DVInterleavedModeAction->SetEnabled(direct && ovSenderIsValidDVInterleavedMode());
  // A box the user toggled kept Qt's state while its action's did not
  // change; show the engine's.
  DirectVideoModeCheckBox->setChecked(MainDataModule->DirectVideoModeAction->Checked());
  DVInterleavedModeCheckBox->setChecked(MainDataModule->DVInterleavedModeAction->Checked());
}
