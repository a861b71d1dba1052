#include "MulticastSettingForm.h"

#include "LeadingInteger.h"
#include "MainDataModule.h"
#include "NamedWidget.h"
#include "TActionBinding.h"
#include "UpDown.h"
#include "ovSender.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>

TMulticastSettingForm* MulticastSettingForm = nullptr;

namespace {
// The fixed items of the rate box and the rates they stand for.
struct FixedRate {
  const char* text;
  int rate;
};
const std::array<FixedRate, 7> kFixedRates = {{{"100 Kbps", 102400},
                                               {"300 Kbps", 307200},
                                               {"1 Mbps", 1048576},
                                               {"10 Mbps", 10485760},
                                               {"30 Mbps", 31457280},
                                               {"100 Mbps", 104857600},
                                               {"無制限", TMulticastSettingForm::MaxTransmitRate}}};

// The five streams in the order of TargetTransmitRateComboBox.
struct StreamRate {
  const char* name;
  int (*get)();
  void (*set)(int);
};
const std::array<StreamRate, 5> kStreams = {{
    {"ビデオ（ﾒｲﾝ／ｺﾝﾃｷｽﾄ）", ovSenderGetVideoSenderMainMaxTransmissionRate, ovSenderSetVideoSenderMainMaxTransmissionRate},
    {"ビデオ（フォーカス）", ovSenderGetVideoSenderSubMaxTransmissionRate, ovSenderSetVideoSenderSubMaxTransmissionRate},
    {"オーディオ", ovSenderGetAudioSenderMaxTransmissionRate, ovSenderSetAudioSenderMaxTransmissionRate},
    {"フォーカス情報", ovSenderGetPointerSenderMaxTransmissionRate, ovSenderSetPointerSenderMaxTransmissionRate},
    {"ステータス／制御情報", ovSenderGetStatusSenderMaxTransmissionRate, ovSenderSetStatusSenderMaxTransmissionRate},
}};

QPushButton* NewButton(QWidget* parent, const char* name, TAction* action) {
  auto* button = Named(new QPushButton(parent), name);
  BindButton(button, action);
  return button;
}

QLineEdit* NewNumberEdit(QWidget* parent, const char* name) {
  auto* edit = Named(new QLineEdit(QStringLiteral("0"), parent), name);
  edit->setFixedWidth(64);
  return edit;
}

// Selects an item without running the box's handlers, so what the dialog
// shows is never sent back to the engine. Blocking the signals rather than
// disabling the box keeps the keyboard focus in a box the user types in.
void SelectQuietly(QComboBox* box, int index) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(index);
  // An index equal to the current one leaves typed text in place.
  if (box->isEditable()) box->setEditText(box->itemText(index));
}
}  // namespace

TMulticastSettingForm::TMulticastSettingForm()
    : TConsoleForm(QStringLiteral("MulticastSettingForm"), QStringLiteral("マルチキャストの詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  MulticastSettingForm = this;
  CreateAddressGroup();
  CreateNumberRows();
  CreateRateGroup();
  LayOut();
  // The designed size from the start, so start-up centres the window as it
  // will be shown.
  setFixedSize(DesignedWidth, DesignedHeight);
}

TMulticastSettingForm::~TMulticastSettingForm() {
  if (MulticastSettingForm == this) MulticastSettingForm = nullptr;
}

void TMulticastSettingForm::CreateAddressGroup() {
  AddressGroupBox = Named(new QGroupBox(QStringLiteral("マルチキャストIPアドレス"), this), "AddressGroupBox");
  AddressEdit = Named(new QLineEdit(AddressGroupBox), "AddressEdit");
  AddressUpdateButton = NewButton(AddressGroupBox, "AddressUpdateButton", MainDataModule->AddressUpdateAction);
  CreateIPv6AddressButton =
      NewButton(AddressGroupBox, "CreateIPv6AddressButton", MainDataModule->CreateIPv6AddressAction);
  CreateIPv4AddressButton =
      NewButton(AddressGroupBox, "CreateIPv4AddressButton", MainDataModule->CreateIPv4AddressAction);
  MulticastDetectLabel = Named(new QLabel(QStringLiteral("受信検出"), AddressGroupBox), "MulticastDetectLabel");
  QFont bold = MulticastDetectLabel->font();
  bold.setBold(true);
  MulticastDetectLabel->setFont(bold);
  // Bold red on the colour of hints, so the warning stands out from the form.
  QPalette palette = MulticastDetectLabel->palette();
  palette.setColor(QPalette::WindowText, Qt::red);
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  MulticastDetectLabel->setPalette(palette);
  MulticastDetectLabel->setAutoFillBackground(true);
  MulticastDetectLabel->setAlignment(Qt::AlignCenter);
  MulticastDetectLabel->setMargin(2);
  MulticastDetectLabel->setVisible(false);
  connect(AddressEdit, &QLineEdit::textChanged, this, &TMulticastSettingForm::AddressEditChange);
}

void TMulticastSettingForm::CreateNumberRows() {
  TTLLabel = Named(new QLabel(QStringLiteral("ホップカウント"), this), "TTLLabel");
  TTLEdit = NewNumberEdit(this, "TTLEdit");
  TTLUpDown = new TUpDown(this, QStringLiteral("TTLUpDown"), TTLEdit, 0, 100, 0);
  TTLUpdateButton = NewButton(this, "TTLUpdateButton", MainDataModule->TTLUpdateAction);
  PacketSizeLabel = Named(new QLabel(QStringLiteral("パケットサイズ"), this), "PacketSizeLabel");
  PacketSizeEdit = NewNumberEdit(this, "PacketSizeEdit");
  PacketSizeUpDown = new TUpDown(this, QStringLiteral("PacketSizeUpDown"), PacketSizeEdit, 0, 8192, 0);
  PacketSizeUnitLabel = Named(new QLabel(QStringLiteral("byte"), this), "PacketSizeUnitLabel");
  PacketSizeUpdateButton = NewButton(this, "PacketSizeUpdateButton", MainDataModule->PacketSizeUpdateAction);
  TransmitCountLabel = Named(new QLabel(QStringLiteral("重複転送回数"), this), "TransmitCountLabel");
  TransmitCountComboBox = Named(new QComboBox(this), "TransmitCountComboBox");
  TransmitCountComboBox->addItems({QStringLiteral("1回"), QStringLiteral("2回"), QStringLiteral("3回"),
                                   QStringLiteral("4回")});
  TTLLabel->setBuddy(TTLEdit);
  PacketSizeLabel->setBuddy(PacketSizeEdit);
  TransmitCountLabel->setBuddy(TransmitCountComboBox);
  connect(TTLEdit, &QLineEdit::textChanged, this, &TMulticastSettingForm::TTLEditChange);
  connect(PacketSizeEdit, &QLineEdit::textChanged, this, &TMulticastSettingForm::PacketSizeEditChange);
  // activated: the user's choices only, never the refresh's.
  connect(TransmitCountComboBox, &QComboBox::activated, this, &TMulticastSettingForm::TransmitCountComboBoxChange);
}

void TMulticastSettingForm::CreateRateGroup() {
  TransmitRateGroupBox = Named(new QGroupBox(QStringLiteral("転送速度"), this), "TransmitRateGroupBox");
  TargetTransmitRateComboBox = Named(new QComboBox(TransmitRateGroupBox), "TargetTransmitRateComboBox");
  for (const StreamRate& stream : kStreams) TargetTransmitRateComboBox->addItem(QString::fromUtf8(stream.name));
  TransmitRateComboBox = Named(new QComboBox(TransmitRateGroupBox), "TransmitRateComboBox");
  TransmitRateComboBox->setEditable(true);
  for (const FixedRate& fixed : kFixedRates) TransmitRateComboBox->addItem(QString::fromUtf8(fixed.text));
  // A typed rate is applied by Enter alone, through TransmitRateComboBoxKeyUp:
  // the box must neither complete nor insert typed text, nor pick the item a
  // typed text happens to match ("100 Kbps" typed is 100, not 102400).
  TransmitRateComboBox->setInsertPolicy(QComboBox::NoInsert);
  TransmitRateComboBox->setCompleter(nullptr);
  QLineEdit* typed = TransmitRateComboBox->lineEdit();
  disconnect(typed, &QLineEdit::editingFinished, TransmitRateComboBox, nullptr);
  disconnect(typed, &QLineEdit::returnPressed, TransmitRateComboBox, nullptr);
  typed->installEventFilter(this);
  connect(TargetTransmitRateComboBox, &QComboBox::activated, this,
          &TMulticastSettingForm::TargetTransmitRateComboBoxChange);
  connect(TransmitRateComboBox, &QComboBox::activated, this, &TMulticastSettingForm::TransmitRateComboBoxClick);
}

void TMulticastSettingForm::LayOut() {
  auto* address = new QGridLayout(AddressGroupBox);
  address->addWidget(AddressEdit, 0, 0, 1, 3);
  address->addWidget(AddressUpdateButton, 0, 3);
  address->addWidget(CreateIPv6AddressButton, 1, 0);
  address->addWidget(CreateIPv4AddressButton, 1, 1);
  address->addWidget(MulticastDetectLabel, 1, 2, 1, 2);
  address->setColumnStretch(2, 1);

  auto* numbers = new QGridLayout;
  auto numberRow = [numbers](int row, QLabel* label, QLineEdit* edit, TUpDown* upDown, QLabel* unit,
                             QPushButton* button) {
    numbers->addWidget(label, row, 0);
    auto* field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(edit);
    field->addWidget(upDown);
    numbers->addLayout(field, row, 1);
    if (unit) numbers->addWidget(unit, row, 2);
    numbers->addWidget(button, row, 3);
  };
  numberRow(0, TTLLabel, TTLEdit, TTLUpDown, nullptr, TTLUpdateButton);
  numberRow(1, PacketSizeLabel, PacketSizeEdit, PacketSizeUpDown, PacketSizeUnitLabel, PacketSizeUpdateButton);
  numbers->addWidget(TransmitCountLabel, 2, 0);
  numbers->addWidget(TransmitCountComboBox, 2, 1, 1, 2);
  numbers->setColumnStretch(2, 1);

  auto* rates = new QHBoxLayout(TransmitRateGroupBox);
  rates->addWidget(TargetTransmitRateComboBox, 3);
  rates->addWidget(TransmitRateComboBox, 2);

  auto* form = new QVBoxLayout(this);
  form->addWidget(AddressGroupBox);
  form->addLayout(numbers);
  form->addWidget(TransmitRateGroupBox);
  form->addStretch(1);
}

void TMulticastSettingForm::FormShow() {
  Refresh();
  // Filling the edits set the flags; what the engine holds is not a change.
  addressChanged = false;
  ttlChanged = false;
  packetSizeChanged = false;
  detectorAddress.clear();
  if (MainDataModule) MainDataModule->MulticastDetectionTimer->start();
  active = true;
}

void TMulticastSettingForm::FormHide() {
  active = false;
  if (MainDataModule) MainDataModule->MulticastDetectionTimer->stop();
  // The text stays: the next show empties it.
  if (!detectorAddress.isEmpty()) ovSenderRemoveMulticastDetector(detectorAddress.toUtf8().constData());
}

void TMulticastSettingForm::Refresh() {
  AddressEdit->setText(QString::fromUtf8(ovSenderGetAddress()));
  TTLEdit->setText(QString::number(ovSenderGetTimeToLive()));
  const int count = ovSenderGetTransmissionCount();
  SelectQuietly(TransmitCountComboBox, count >= 1 && count <= 4 ? count - 1 : 0);
  PacketSizeEdit->setText(QString::number(ovSenderGetPacketSize()));
  SelectQuietly(TargetTransmitRateComboBox, 0);
  ShowRate(ovSenderGetVideoSenderMainMaxTransmissionRate());
  MulticastDetectLabel->setVisible(false);
}

void TMulticastSettingForm::AddressEditChange() {
  if (!active) return;
  addressChanged = true;
  // One detector at a time, following every keystroke.
  if (!detectorAddress.isEmpty()) ovSenderRemoveMulticastDetector(detectorAddress.toUtf8().constData());
  detectorAddress = AddressEdit->text();
  if (!detectorAddress.isEmpty()) ovSenderAddMulticastDetector(detectorAddress.toUtf8().constData());
}

void TMulticastSettingForm::TransmitCountComboBoxChange() {
  ovSenderSetTransmissionCount(TransmitCountComboBox->currentIndex() + 1);
}

void TMulticastSettingForm::TargetTransmitRateComboBoxChange() {
  const int target = TargetTransmitRateComboBox->currentIndex();
  if (target < 0 || target >= static_cast<int>(kStreams.size())) return;
  ShowRate(kStreams[static_cast<size_t>(target)].get());
}

void TMulticastSettingForm::TransmitRateComboBoxClick() { SetTargetRate(RateOfBox()); }

void TMulticastSettingForm::TransmitRateComboBoxKeyUp(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const int rate = LeadingInteger(TransmitRateComboBox->currentText());
  // Out of range: nothing applied, the typed text stays.
  if (ShowRate(rate)) SetTargetRate(rate);
}

void TMulticastSettingForm::SetTargetRate(int rate) {
  const int target = TargetTransmitRateComboBox->currentIndex();
  if (target < 0 || target >= static_cast<int>(kStreams.size())) return;
  kStreams[static_cast<size_t>(target)].set(rate);
}

bool TMulticastSettingForm::ShowRate(int rate) {
  if (rate < MinTransmitRate || rate > MaxTransmitRate) return false;
  int index = -1;
  for (size_t i = 0; i < kFixedRates.size(); ++i)
    if (kFixedRates[i].rate == rate) index = static_cast<int>(i);
  if (index < 0) {
    // Added items stay for the dialog's life: one per distinct rate seen.
    const QString text = QString::number(rate) + QStringLiteral(" bps");
    index = TransmitRateComboBox->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
      TransmitRateComboBox->addItem(text);
      index = TransmitRateComboBox->count() - 1;
    }
  }
  SelectQuietly(TransmitRateComboBox, index);
  return true;
}

int TMulticastSettingForm::RateOfBox() const {
  const int index = TransmitRateComboBox->currentIndex();
  if (index >= 0 && index < static_cast<int>(kFixedRates.size())) return kFixedRates[static_cast<size_t>(index)].rate;
  return LeadingInteger(TransmitRateComboBox->currentText());
}

bool TMulticastSettingForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TransmitRateComboBox->lineEdit() && event->type() == QEvent::KeyRelease)
    TransmitRateComboBoxKeyUp(static_cast<QKeyEvent*>(event)->key());
  return TConsoleForm::eventFilter(watched, event);
}
