#include "TransmissionMonitorForm.h"

#include "MainDataModule.h"

#include <QLabel>

TTransmissionMonitorForm* TransmissionMonitorForm = nullptr;

namespace {
constexpr int kRowTitleLeft = 8;
constexpr int kRowTitleWidth = 160;
constexpr int kFirstColumnLeft = kRowTitleLeft + kRowTitleWidth + 4;
constexpr int kColumnPitch = 110;
constexpr int kTitleTop = 8;
constexpr int kFirstRowTop = 28;
constexpr int kRowPitch = 22;
constexpr int kLineHeight = 18;

int ColumnLeft(int column) { return kFirstColumnLeft + column * kColumnPitch; }
int RowTop(int row) { return kFirstRowTop + row * kRowPitch; }
}  // namespace

TTransmissionMonitorForm::TTransmissionMonitorForm()
    : TConsoleForm(QStringLiteral("TransmissionMonitorForm"), QStringLiteral("送信モニタ"),
                   Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  TransmissionMonitorForm = this;
  setFixedSize(ClientWidth, ClientHeight);

  const Qt::Alignment rowTitle = Qt::AlignLeft | Qt::AlignVCenter;
  SendRateLabel = AddTitle("SendRateLabel", QStringLiteral("送信レート (kbit/sec)"),
                           QRect(kRowTitleLeft, RowTop(0), kRowTitleWidth, kLineHeight), rowTitle);
  FrameRateLabel = AddTitle("FrameRateLabel", QStringLiteral("フレームレート (fr/sec)"),
                            QRect(kRowTitleLeft, RowTop(1), kRowTitleWidth, kLineHeight), rowTitle);

  // Column titles are right-aligned over their values and may reach left
  // beyond them, into the gap between the columns.
  const Qt::Alignment columnTitle = Qt::AlignRight | Qt::AlignVCenter;
  const int titleWidth = kColumnPitch - 2;
  auto titlePlace = [&](int column) {
    return QRect(ColumnLeft(column) + ValueWidth - titleWidth, kTitleTop, titleWidth, kLineHeight);
  };
  SendRateVideoMainLabel = AddTitle("SendRateVideoMainLabel", QStringLiteral("ビデオ（メイン）"), titlePlace(0), columnTitle);
  SendRateVideoSubLabel = AddTitle("SendRateVideoSubLabel", QStringLiteral("ビデオ（サブ）"), titlePlace(1), columnTitle);
  SendRateAudioLabel = AddTitle("SendRateAudioLabel", QStringLiteral("オーディオ"), titlePlace(2), columnTitle);
  SendRatePointerLabel = AddTitle("SendRatePointerLabel", QStringLiteral("フォーカス情報"), titlePlace(3), columnTitle);

  SendRateVideoMainValue = AddValue("SendRateVideoMainValue", 0, 0);
  SendRateVideoSubValue = AddValue("SendRateVideoSubValue", 1, 0);
  SendRateAudioValue = AddValue("SendRateAudioValue", 2, 0);
  SendRatePointerValue = AddValue("SendRatePointerValue", 3, 0);
  FrameRateVideoMainValue = AddValue("FrameRateVideoMainValue", 0, 1);
  FrameRateVideoSubValue = AddValue("FrameRateVideoSubValue", 1, 1);
  FrameRateAudioValue = AddValue("FrameRateAudioValue", 2, 1);
  FrameRatePointerValue = AddValue("FrameRatePointerValue", 3, 1);
}

TTransmissionMonitorForm::~TTransmissionMonitorForm() {
  if (TransmissionMonitorForm == this) TransmissionMonitorForm = nullptr;
}

QLabel* TTransmissionMonitorForm::AddTitle(const char* name, const QString& text, const QRect& place,
                                           Qt::Alignment alignment) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(place);
  label->setAlignment(alignment);
  return label;
}

QLabel* TTransmissionMonitorForm::AddValue(const char* name, int column, int row) {
  auto* label = new QLabel(this);
  label->setObjectName(QLatin1String(name));
  // Fixed width: the column does not jump as the figures change length.
  label->setGeometry(ColumnLeft(column), RowTop(row), ValueWidth, kLineHeight);
  label->setFixedWidth(ValueWidth);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBackgroundRole(QPalette::ToolTipBase);
  label->setForegroundRole(QPalette::ToolTipText);
  label->setAutoFillBackground(true);
  return label;
}

void TTransmissionMonitorForm::FormShow() {
  if (MainDataModule) MainDataModule->TransmissionMonitorTimer->start();
}

void TTransmissionMonitorForm::FormHide() {
  if (MainDataModule) MainDataModule->TransmissionMonitorTimer->stop();
}
