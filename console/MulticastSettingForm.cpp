#include "MulticastSettingForm.h"

#include "MainDataModule.h"
#include "TActionBinding.h"
#include "ovSender.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TMulticastSettingForm* MulticastSettingForm = nullptr;

namespace {
QLineEdit* NewEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}
QPushButton* NewButton(QWidget* parent, const char* name, TAction* action) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  BindButton(button, action);
  return button;
}
}  // namespace

TMulticastSettingForm::TMulticastSettingForm()
    : TConsoleForm(QStringLiteral("MulticastSettingForm"), QStringLiteral("マルチキャストの詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint) {
  MulticastSettingForm = this;
  AddressEdit = NewEdit(this, "AddressEdit");
  TTLEdit = NewEdit(this, "TTLEdit");
  PacketSizeEdit = NewEdit(this, "PacketSizeEdit");
  AddressUpdateButton = NewButton(this, "AddressUpdateButton", MainDataModule->AddressUpdateAction);
  TTLUpdateButton = NewButton(this, "TTLUpdateButton", MainDataModule->TTLUpdateAction);
  PacketSizeUpdateButton = NewButton(this, "PacketSizeUpdateButton", MainDataModule->PacketSizeUpdateAction);
  MulticastDetectLabel = new QLabel(QStringLiteral("受信検出"), this);
  MulticastDetectLabel->setObjectName(QStringLiteral("MulticastDetectLabel"));
  MulticastDetectLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
  MulticastDetectLabel->setVisible(false);

  auto* layout = new QFormLayout(this);
  auto row = [&](const QString& label, QLineEdit* edit, QPushButton* button) {
    auto* line = new QHBoxLayout;
    line->addWidget(edit);
    line->addWidget(button);
    layout->addRow(label, line);
  };
  row(QStringLiteral("マルチキャストIPアドレス"), AddressEdit, AddressUpdateButton);
  row(QStringLiteral("最大ホップカウント"), TTLEdit, TTLUpdateButton);
  row(QStringLiteral("パケットサイズ"), PacketSizeEdit, PacketSizeUpdateButton);
  layout->addRow(MulticastDetectLabel);
  connect(AddressEdit, &QLineEdit::textChanged, this, [this] { if (active) addressChanged = true; });
  connect(TTLEdit, &QLineEdit::textChanged, this, [this] { if (active) ttlChanged = true; });
  connect(PacketSizeEdit, &QLineEdit::textChanged, this, [this] { if (active) packetSizeChanged = true; });
}

TMulticastSettingForm::~TMulticastSettingForm() {
  if (MulticastSettingForm == this) MulticastSettingForm = nullptr;
}

void TMulticastSettingForm::FormShow() {
  AddressEdit->setText(QString::fromUtf8(ovSenderGetAddress()));
  TTLEdit->setText(QString::number(ovSenderGetTimeToLive()));
  PacketSizeEdit->setText(QString::number(ovSenderGetPacketSize()));
  addressChanged = ttlChanged = packetSizeChanged = false;
  detectorAddress.clear();
  if (MainDataModule) MainDataModule->MulticastDetectionTimer->start();
  active = true;
}

void TMulticastSettingForm::FormHide() {
  active = false;
  if (MainDataModule) MainDataModule->MulticastDetectionTimer->stop();
  if (!detectorAddress.isEmpty()) ovSenderRemoveMulticastDetector(detectorAddress.toUtf8().constData());
}
