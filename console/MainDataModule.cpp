// Creation and destruction of the data module, with its registry values.
#include "MainDataModule.h"

#include <algorithm>

#include "Registry.h"
#include "SenderCommandHistory.h"

TMainDataModule* MainDataModule = nullptr;

namespace {
constexpr int kHistoryLimit = 20;
constexpr int kFileHistoryKeys = 10;

const char* EncoderShowControlText(int value) {
  switch (value) {
    case EncoderShowRecommend: return "Recommend";
    case EncoderShowAll: return "All";
    default: return "Require";
  }
}

int EncoderShowControlOf(const QString& text) {
  if (text.compare(QLatin1String("recommend"), Qt::CaseInsensitive) == 0) return EncoderShowRecommend;
  if (text.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) return EncoderShowAll;
  return EncoderShowRequire;
}

void LoadFileHistory(QStringList& list, const QString& prefix) {
  for (int n = 0; n < kFileHistoryKeys; ++n) {
    const QString value = ReadSenderRegistry(prefix + QString::number(n), QString(), 1024);
    if (value.isEmpty()) break;
    if (!list.contains(value, Qt::CaseInsensitive)) list << value;
  }
}

void SaveList(const QStringList& list, const QString& prefix) {
  for (int n = 0; n < list.size(); ++n) WriteSenderRegistry(prefix + QString::number(n), list[n]);
}
}  // namespace

TMainDataModule::TMainDataModule() {
  MainDataModule = this;
  setObjectName(QStringLiteral("MainDataModule"));
  CreateActionLists();
  CreateOperationActions();
  CreateShowActions();
  CreateOptionActions();
  CreateDialogActions();
  BuildMainMenu();
  CreateTimers();
  CreateFileDialogs();
  DataModuleCreate();
}

TMainDataModule::~TMainDataModule() {
  DataModuleDestroy();
  // The menu items go before the actions they show.
  delete MainMenu;
  MainMenu = nullptr;
  if (MainDataModule == this) MainDataModule = nullptr;
}

void TMainDataModule::DataModuleCreate() {
  VideoClipHistory.clear();
  SoundFileHistory.clear();
  CaptionHistory.clear();
  VideoEncoderIndexes.clear();
  AudioEncoderIndexes.clear();
  OperationHistory =
      std::make_unique<ovSenderCommandHistory>(OperationHistoryBeginMenuItem, OperationHistoryEndMenuItem, kHistoryLimit);
  EncoderShowControl = EncoderShowRequire;

  IniFileOpenDialog->SetUp("ini", "設定ファイル|*.ini", "設定ファイルを読込む");
  IniFileSaveDialog->SetUp("ini", "設定ファイル|*.ini", "現在の設定を保存");
  VideoClipOpenDialog->SetUp("avi", "ビデオクリップ|*.avi;*.mpg;*.*", "ビデオクリップを読込む");
  SoundFileOpenDialog->SetUp("wav", "サウンドファイル|*.wav;*.mp3", "サウンドファイルを読込む");

  BuildVideoSourceMenu();
  BuildAudioSourceMenu();
  EncoderShowControl = EncoderShowControlOf(
      ReadSenderRegistry("EncoderShowControl", QLatin1String(EncoderShowControlText(EncoderShowControl)), 1024));
  BuildEncoderMenus();
  LoadRegistryValues();
  RebuildHistoryMenus();
  SenderTimer->start();
}

void TMainDataModule::LoadRegistryValues() {
  LoadFileHistory(VideoClipHistory, QStringLiteral("HistoryVideoClip"));
  LoadFileHistory(SoundFileHistory, QStringLiteral("HistorySoundFile"));
  // The stored count is trusted up to a bound: a damaged value such as two
  // billion would otherwise keep start-up reading keys until memory runs out.
  constexpr int kMostStoredCaptions = 1000;
  const int count = std::min(ReadSenderRegistry("HistoryCaptionCount", QStringLiteral("0"), 1024).toInt(),
                             kMostStoredCaptions);
  for (int n = 0; n < count; ++n) {
    const QString caption = ReadSenderRegistry(QStringLiteral("HistoryCaption%1").arg(n), QString(), 1024);
    if (!CaptionHistory.contains(caption, Qt::CaseInsensitive)) CaptionHistory << caption;
  }
}

void TMainDataModule::DataModuleDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  SenderTimer->stop();
  TransmissionMonitorTimer->stop();
  MulticastDetectionTimer->stop();
  SaveRegistryValues();
  VideoClipHistory.clear();
  SoundFileHistory.clear();
  CaptionHistory.clear();
  VideoEncoderIndexes.clear();
  AudioEncoderIndexes.clear();
  OperationHistory.reset();
}

void TMainDataModule::SaveRegistryValues() {
  WriteSenderRegistry("EncoderShowControl", QLatin1String(EncoderShowControlText(EncoderShowControl)));
  SaveList(VideoClipHistory, QStringLiteral("HistoryVideoClip"));
  SaveList(SoundFileHistory, QStringLiteral("HistorySoundFile"));
  WriteSenderRegistry("HistoryCaptionCount", QString::number(CaptionHistory.size()));
  SaveList(CaptionHistory, QStringLiteral("HistoryCaption"));
}

void TMainDataModule::CreateTimers() {
  auto timer = [this](const char* name, int interval, void (TMainDataModule::*tick)()) {
    auto* t = new QTimer(this);
    t->setObjectName(QLatin1String(name));
    t->setInterval(interval);
    connect(t, &QTimer::timeout, this, tick);
    return t;
  };
  SenderTimer = timer("SenderTimer", 1000, &TMainDataModule::SenderTimerTimer);
  TransmissionMonitorTimer = timer("TransmissionMonitorTimer", 500, &TMainDataModule::TransmissionMonitorTimerTimer);
  MulticastDetectionTimer = timer("MulticastDetectionTimer", 1000, &TMainDataModule::MulticastDetectionTimerTimer);
}

void TMainDataModule::CreateFileDialogs() {
  IniFileOpenDialog = new TFileDialog(QStringLiteral("IniFileOpenDialog"), TFileDialog::Kind::Open, this);
  IniFileSaveDialog = new TFileDialog(QStringLiteral("IniFileSaveDialog"), TFileDialog::Kind::Save, this);
  IniFileSaveDialog->OverwritePrompt = true;
  VideoClipOpenDialog = new TFileDialog(QStringLiteral("VideoClipOpenDialog"), TFileDialog::Kind::Open, this);
  SoundFileOpenDialog = new TFileDialog(QStringLiteral("SoundFileOpenDialog"), TFileDialog::Kind::Open, this);
}
