#include "TransmissionMonitorForm.h"

#include "MainDataModule.h"

#include <QGridLayout>
#include <QLabel>

TTransmissionMonitorForm* TransmissionMonitorForm = nullptr;

TTransmissionMonitorForm::TTransmissionMonitorForm()
    : TConsoleForm(QStringLiteral("TransmissionMonitorForm"), QStringLiteral("送信モニタ"),
                   Qt::Tool | Qt::WindowStaysOnTopHint) {
  TransmissionMonitorForm = this;
  auto* grid = new QGridLayout(this);
  const char* rows[] = {"VideoMain", "VideoSub", "Audio", "Pointer"};
  const QString titles[] = {QStringLiteral("ビデオ(メイン)"), QStringLiteral("ビデオ(サブ)"),
                            QStringLiteral("オーディオ"), QStringLiteral("フォーカス情報")};
  QLabel** rateLabels[] = {&SendRateVideoMainValue, &SendRateVideoSubValue, &SendRateAudioValue,
                           &SendRatePointerValue};
  QLabel** frameLabels[] = {&FrameRateVideoMainValue, &FrameRateVideoSubValue, &FrameRateAudioValue,
                            &FrameRatePointerValue};
  grid->addWidget(new QLabel(QStringLiteral("送信レート(kbps)"), this), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("フレームレート(fps)"), this), 0, 2);
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(new QLabel(titles[i], this), i + 1, 0);
    *rateLabels[i] = new QLabel(QStringLiteral("0"), this);
    (*rateLabels[i])->setObjectName(QStringLiteral("SendRate%1Value").arg(QLatin1String(rows[i])));
    grid->addWidget(*rateLabels[i], i + 1, 1);
    *frameLabels[i] = new QLabel(QStringLiteral("0"), this);
    (*frameLabels[i])->setObjectName(QStringLiteral("FrameRate%1Value").arg(QLatin1String(rows[i])));
    grid->addWidget(*frameLabels[i], i + 1, 2);
  }
}

TTransmissionMonitorForm::~TTransmissionMonitorForm() {
  if (TransmissionMonitorForm == this) TransmissionMonitorForm = nullptr;
}

void TTransmissionMonitorForm::FormShow() {
  if (MainDataModule) MainDataModule->TransmissionMonitorTimer->start();
}

void TTransmissionMonitorForm::FormHide() {
  if (MainDataModule) MainDataModule->TransmissionMonitorTimer->stop();
}
