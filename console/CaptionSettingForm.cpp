#include "CaptionSettingForm.h"

#include "MainDataModule.h"
#include "TActionBinding.h"
#include "ovSender.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCaptionSettingForm* CaptionSettingForm = nullptr;

TCaptionSettingForm::TCaptionSettingForm()
    : TConsoleForm(QStringLiteral("CaptionSettingForm"), QStringLiteral("キャプションの設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  CaptionSettingForm = this;
  CaptionLabel = new QLabel(QStringLiteral("キャプション（全角32文字以内）"), this);
  CaptionLabel->setObjectName(QStringLiteral("CaptionLabel"));
  CaptionEdit = new QLineEdit(this);
  CaptionEdit->setObjectName(QStringLiteral("CaptionEdit"));
  CaptionLabel->setBuddy(CaptionEdit);
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
  grid->addWidget(CaptionLabel, 0, 0, 1, 4);
  grid->addWidget(CaptionEdit, 1, 0, 1, 4);
  grid->addWidget(CaptionOffCheckBox, 2, 0);
  grid->setColumnStretch(1, 1);
  grid->addWidget(OKButton, 2, 2);
  grid->addWidget(CancelButton, 2, 3);
  connect(CaptionEdit, &QLineEdit::textChanged, this, &TCaptionSettingForm::CaptionEditChange);
  CaptionEdit->installEventFilter(this);
  // The designed size from the start, so start-up centres the window as it
  // will be shown.
  setFixedSize(DesignedWidth, DesignedHeight);
}

TCaptionSettingForm::~TCaptionSettingForm() {
  if (CaptionSettingForm == this) CaptionSettingForm = nullptr;
}

void TCaptionSettingForm::FormShow() {
  Refresh();
  modified = false;
  active = true;
}

void TCaptionSettingForm::Refresh() {
  CaptionEdit->setText(QString::fromUtf8(ovSenderGetCaption()));
  CaptionEdit->setFocus();
  captionOff = !ovSenderGetCaptionOn();
  MainDataModule->CaptionOffAction->SetChecked(captionOff);
  // Setting the mark of a disabled box cannot run its action.
  CaptionOffCheckBox->setEnabled(false);
  CaptionOffCheckBox->setChecked(captionOff);
  CaptionOffCheckBox->setEnabled(true);
}

void TCaptionSettingForm::Confirm() {
  MainDataModule->ApplyCaption(CaptionEdit->text());
  MainDataModule->RebuildCaptionHistoryMenu();
}

void TCaptionSettingForm::CaptionEditKeyPress(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Confirms even while OK is disabled: Enter at once re-applies the
    // engine's own caption and records it.
    Confirm();
    close();
  } else if (key == Qt::Key_Escape) {
    close();
  }
}

bool TCaptionSettingForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CaptionEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      CaptionEditKeyPress(key);
      return true;
    }
  }
  return TConsoleForm::eventFilter(watched, event);
}
