#include "VersionInfoForm.h"

#include "MainDataModule.h"
#include "TActionBinding.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TVersionInfoForm* VersionInfoForm = nullptr;

TVersionInfoForm::TVersionInfoForm()
    : TConsoleForm(QStringLiteral("VersionInfoForm"), QStringLiteral("バージョン情報"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  VersionInfoForm = this;
  setFixedSize(345, 166);
  VersionInfoSoftwareNameLabel = new QLabel(QStringLiteral("Ostrelソフトウェア v1.0 (送信)"), this);
  VersionInfoSoftwareNameLabel->setObjectName(QStringLiteral("VersionInfoSoftwareNameLabel"));
  VersionInfoOKButton = new QPushButton(this);
  VersionInfoOKButton->setObjectName(QStringLiteral("VersionInfoOKButton"));
  BindButton(VersionInfoOKButton, MainDataModule->VersionInfoOKAction);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(VersionInfoSoftwareNameLabel);
  layout->addStretch();
  layout->addWidget(VersionInfoOKButton, 0, Qt::AlignRight);
}

TVersionInfoForm::~TVersionInfoForm() {
  if (VersionInfoForm == this) VersionInfoForm = nullptr;
}
