#include "SourceSettingForm.h"

#include "MainDataModule.h"
#include "TActionBinding.h"
#include "ovSender.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

TSourceSettingForm* SourceSettingForm = nullptr;

TSourceSettingForm::TSourceSettingForm()
    : TConsoleForm(QStringLiteral("SourceSettingForm"), QStringLiteral("ソースの詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint) {
  SourceSettingForm = this;
  VideoSourcePropertyComboBox = new QComboBox(this);
  VideoSourcePropertyComboBox->setObjectName(QStringLiteral("VideoSourcePropertyComboBox"));
  AudioSourcePropertyComboBox = new QComboBox(this);
  AudioSourcePropertyComboBox->setObjectName(QStringLiteral("AudioSourcePropertyComboBox"));
  DirectVideoModeCheckBox = new QCheckBox(this);
  DirectVideoModeCheckBox->setObjectName(QStringLiteral("DirectVideoModeCheckBox"));
  DVInterleavedModeCheckBox = new QCheckBox(this);
  DVInterleavedModeCheckBox->setObjectName(QStringLiteral("DVInterleavedModeCheckBox"));
  BindButton(DirectVideoModeCheckBox, MainDataModule->DirectVideoModeAction);
  BindButton(DVInterleavedModeCheckBox, MainDataModule->DVInterleavedModeAction);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(VideoSourcePropertyComboBox);
  layout->addWidget(AudioSourcePropertyComboBox);
  layout->addWidget(DirectVideoModeCheckBox);
  layout->addWidget(DVInterleavedModeCheckBox);
}

TSourceSettingForm::~TSourceSettingForm() {
  if (SourceSettingForm == this) SourceSettingForm = nullptr;
}

void TSourceSettingForm::Refresh() {
  auto fill = [](QComboBox* box, int count, const char* (*name)(int)) {
    QSignalBlocker block(box);
    box->clear();
    for (int i = 0; i < count; ++i) box->addItem(QString::fromUtf8(name(i)));
    if (count > 0) box->setCurrentIndex(0);
  };
  fill(VideoSourcePropertyComboBox, ovSenderGetNumVideoSourcePropertyPages(), ovSenderGetVideoSourcePropertyPageName);
  fill(AudioSourcePropertyComboBox, ovSenderGetNumAudioSourcePropertyPages(), ovSenderGetAudioSourcePropertyPageName);
  QSignalBlocker blockDirect(DirectVideoModeCheckBox);
  DirectVideoModeCheckBox->setChecked(ovSenderGetDirectVideoModeOn());
  QSignalBlocker blockDV(DVInterleavedModeCheckBox);
  DVInterleavedModeCheckBox->setChecked(ovSenderGetDVInterleavedModeOn());
}
