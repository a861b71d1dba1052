#include "CaptionSettingForm.h"

#include "MainDataModule.h"
#include "TActionBinding.h"
#include "ovSender.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCaptionSettingForm* CaptionSettingForm = nullptr;

TCaptionSettingForm::TCaptionSettingForm()
    : TConsoleForm(QStringLiteral("CaptionSettingForm"), QStringLiteral("キャプションの設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint) {
  CaptionSettingForm = this;
  auto* label = new QLabel(QStringLiteral("キャプション（全角32文字以内）"), this);
  label->setObjectName(QStringLiteral("CaptionLabel"));
  CaptionEdit = new QLineEdit(this);
  CaptionEdit->setObjectName(QStringLiteral("CaptionEdit"));
  CaptionOffCheckBox = new QCheckBox(this);
  CaptionOffCheckBox->setObjectName(QStringLiteral("CaptionOffCheckBox"));
  OKButton = new QPushButton(this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  CancelButton = new QPushButton(this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  BindButton(CaptionOffCheckBox, MainDataModule->CaptionOffAction);
  BindButton(OKButton, MainDataModule->CaptionSettingOKAction);
  BindButton(CancelButton, MainDataModule->CaptionSettingCancelAction);
  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0, 1, 3);
  grid->addWidget(CaptionEdit, 1, 0, 1, 3);
  grid->addWidget(CaptionOffCheckBox, 2, 0);
  grid->addWidget(OKButton, 2, 1);
  grid->addWidget(CancelButton, 2, 2);
  connect(CaptionEdit, &QLineEdit::textEdited, this, [this] { modified = true; });
}

TCaptionSettingForm::~TCaptionSettingForm() {
  if (CaptionSettingForm == this) CaptionSettingForm = nullptr;
}

void TCaptionSettingForm::FormShow() {
  CaptionEdit->setText(QString::fromUtf8(ovSenderGetCaption()));
  captionOff = !ovSenderGetCaptionOn();
  MainDataModule->CaptionOffAction->SetChecked(captionOff);
  modified = false;
  active = true;
}
