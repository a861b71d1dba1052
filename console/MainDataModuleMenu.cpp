// MainMenu in its designed order. Items bound to an action are named after
// it ("...Action" -> "...MenuItem"); separators are "-" items; the invisible,
// disabled markers bound the regions filled at run time.
#include "MainDataModule.h"

namespace {
QString MenuItemName(const TAction* action) {
  QString name = action->objectName();
  if (name.endsWith(QLatin1String("Action"))) name.chop(6);
  return name + QStringLiteral("MenuItem");
}
}  // namespace

TMenuItem* TMainDataModule::AddItem(TMenuItem* parent, const QString& name, TAction* action) {
  TMenuItem* item = parent->AddNew(name.isEmpty() ? MenuItemName(action) : name);
  item->SetAction(action);
  return item;
}

TMenuItem* TMainDataModule::AddLine(TMenuItem* parent) {
  return parent->AddNew(QStringLiteral("N%1").arg(++lineCount_), QStringLiteral("-"));
}

TMenuItem* TMainDataModule::AddMarker(TMenuItem* parent, const QString& name, const QString& caption) {
  TMenuItem* marker = parent->AddNew(name, caption);
  marker->SetVisible(false);
  marker->SetEnabled(false);
  return marker;
}

void TMainDataModule::BuildMainMenu() {
  MainMenu = new TMenuItem(QStringLiteral("MainMenu"));
  MainMenu->setParent(this);
  BuildOperationMenu();
  BuildShowMenu();
  BuildOptionMenu();
  LanguageMenuItem = AddItem(MainMenu, QStringLiteral("LanguageMenuItem"), LanguageAction);
  HelpMenuItem = AddItem(MainMenu, QStringLiteral("HelpMenuItem"), HelpAction);
  AddItem(HelpMenuItem, {}, VersionInfoAction);
}

void TMainDataModule::BuildOperationMenu() {
  OperationMenuItem = AddItem(MainMenu, {}, OperationAction);
  AddItem(OperationMenuItem, {}, TransmissionOnOffAction);
  AddLine(OperationMenuItem);
  AddItem(OperationMenuItem, {}, ReadIniFileAction);
  AddItem(OperationMenuItem, {}, WriteIniFileAction);
  AddLine(OperationMenuItem);
  OperationHistoryBeginMenuItem =
      AddMarker(OperationMenuItem, QStringLiteral("OperationHistoryBeginMenuItem"), QStringLiteral("（操作履歴開始...）"));
  OperationHistoryEndMenuItem =
      AddMarker(OperationMenuItem, QStringLiteral("OperationHistoryEndMenuItem"), QStringLiteral("（操作履歴終了...）"));
  AddLine(OperationMenuItem);
  AddItem(OperationMenuItem, {}, ExitAction);
}

void TMainDataModule::BuildShowMenu() {
  ShowMenuItem = AddItem(MainMenu, {}, ShowAction);
  AddItem(ShowMenuItem, {}, FocusDisplayNoneAction);
  AddItem(ShowMenuItem, {}, FocusDisplayPartialZoomAction);
  AddItem(ShowMenuItem, {}, FocusDisplayNonLinearZoomAction);
  AddItem(ShowMenuItem, {}, FocusDisplayImageCompoundAction);
  AddLine(ShowMenuItem);
  AddItem(ShowMenuItem, {}, FocusDisplaySettingAction);
  AddLine(ShowMenuItem);
  AddItem(ShowMenuItem, {}, FitVideoToWindowAction);
  AddItem(ShowMenuItem, {}, KeepVideoAspectAction);
  AddLine(ShowMenuItem);
  AddItem(ShowMenuItem, {}, OriginalVideoSizeAction);
  AddItem(ShowMenuItem, {}, FitWindowToVideoAction);
  AddLine(ShowMenuItem);
  AddItem(ShowMenuItem, {}, VolumeIndicatorShowAction);
}

void TMainDataModule::BuildOptionMenu() {
  OptionMenuItem = AddItem(MainMenu, {}, OptionAction);
  ResolutionMenuItem = AddItem(OptionMenuItem, {}, ResolutionAction);
  for (TAction* action : ResolutionActions) AddItem(ResolutionMenuItem, {}, action);

  MulticastMenuItem = AddItem(OptionMenuItem, {}, MulticastAction);
  AddItem(MulticastMenuItem, {}, VideoTransmissionOnAction);
  AddItem(MulticastMenuItem, {}, AudioTransmissionOnAction);
  AddItem(MulticastMenuItem, {}, FocusTransmissionOnAction);
  AddLine(MulticastMenuItem);
  TMenuItem* rates = AddItem(MulticastMenuItem, {}, TransmissionRateAction);
  for (TAction* action : TransmissionRateActions) AddItem(rates, {}, action);
  TMenuItem* counts = AddItem(MulticastMenuItem, {}, TransmissionCountAction);
  for (TAction* action : TransmissionCountActions) AddItem(counts, {}, action);
  AddLine(MulticastMenuItem);
  AddItem(MulticastMenuItem, {}, MulticastSettingAction);
  AddLine(MulticastMenuItem);
  AddItem(MulticastMenuItem, {}, TransmissionMonitorShowAction);

  BuildSourceMenu(OptionMenuItem);
  BuildEncoderMenu(OptionMenuItem);
}

void TMainDataModule::BuildSourceMenu(TMenuItem* parent) {
  SourceMenuItem = AddItem(parent, {}, SourceAction);
  VideoSourceMenuItem = AddItem(SourceMenuItem, {}, VideoSourceAction);
  VideoSourceBeginMenuItem =
      AddMarker(VideoSourceMenuItem, QStringLiteral("VideoSourceBeginMenuItem"), QStringLiteral("(ビデオソース開始...)"));
  VideoSourceEndMenuItem =
      AddMarker(VideoSourceMenuItem, QStringLiteral("VideoSourceEndMenuItem"), QStringLiteral("(ビデオソース終了...)"));
  AddLine(VideoSourceMenuItem);
  AddItem(VideoSourceMenuItem, {}, VideoClipInsertAction);
  AddLine(VideoSourceMenuItem);
  VideoClipHistoryBeginMenuItem = AddMarker(VideoSourceMenuItem, QStringLiteral("VideoClipHistoryBeginMenuItem"),
                                            QStringLiteral("(ビデオクリップ開始...)"));
  VideoClipHistoryEndMenuItem = AddMarker(VideoSourceMenuItem, QStringLiteral("VideoClipHistoryEndMenuItem"),
                                          QStringLiteral("(ビデオクリップ終了...)"));

  AudioSourceMenuItem = AddItem(SourceMenuItem, {}, AudioSourceAction);
  AudioSourceBeginMenuItem = AddMarker(AudioSourceMenuItem, QStringLiteral("AudioSourceBeginMenuItem"),
                                       QStringLiteral("(オーディオソース開始...)"));
  AudioSourceEndMenuItem = AddMarker(AudioSourceMenuItem, QStringLiteral("AudioSourceEndMenuItem"),
                                     QStringLiteral("(オーディオソース終了...)"));
  AddLine(AudioSourceMenuItem);
  AddItem(AudioSourceMenuItem, {}, SoundFileInsertAction);
  AddLine(AudioSourceMenuItem);
  SoundFileHistoryBeginMenuItem = AddMarker(AudioSourceMenuItem, QStringLiteral("SoundFileHistoryBeginMenuItem"),
                                            QStringLiteral("(サウンド開始...)"));
  SoundFileHistoryEndMenuItem = AddMarker(AudioSourceMenuItem, QStringLiteral("SoundFileHistoryEndMenuItem"),
                                          QStringLiteral("(サウンド終了...)"));

  AddLine(SourceMenuItem);
  AddItem(SourceMenuItem, {}, CaptionSettingAction);
  AddLine(SourceMenuItem);
  CaptionHistoryBeginMenuItem = AddMarker(SourceMenuItem, QStringLiteral("CaptionHistoryBeginMenuItem"),
                                          QStringLiteral("(キャプション開始...)"));
  CaptionHistoryEndMenuItem = AddMarker(SourceMenuItem, QStringLiteral("CaptionHistoryEndMenuItem"),
                                        QStringLiteral("(キャプション終了...)"));
  AddLine(SourceMenuItem);
  AddItem(SourceMenuItem, {}, SourceSettingAction);
}

void TMainDataModule::BuildEncoderMenu(TMenuItem* parent) {
  EncoderMenuItem = AddItem(parent, {}, EncoderAction);
  VideoEncoderMenuItem = AddItem(EncoderMenuItem, {}, VideoEncoderAction);
  VideoEncoderBeginMenuItem = AddMarker(VideoEncoderMenuItem, QStringLiteral("VideoEncoderBeginMenuItem"),
                                        QStringLiteral("(ビデオエンコーダ開始...)"));
  VideoEncoderEndMenuItem = AddMarker(VideoEncoderMenuItem, QStringLiteral("VideoEncoderEndMenuItem"),
                                      QStringLiteral("(ビデオエンコーダ終了...)"));
  AudioEncoderMenuItem = AddItem(EncoderMenuItem, {}, AudioEncoderAction);
  AudioEncoderBeginMenuItem = AddMarker(AudioEncoderMenuItem, QStringLiteral("AudioEncoderBeginMenuItem"),
                                        QStringLiteral("(オーディオエンコーダ開始...)"));
  AudioEncoderEndMenuItem = AddMarker(AudioEncoderMenuItem, QStringLiteral("AudioEncoderEndMenuItem"),
                                      QStringLiteral("(オーディオエンコーダ終了...)"));
  AddLine(EncoderMenuItem);
  AddItem(EncoderMenuItem, {}, RecommendEncoderShowAction);
  AddItem(EncoderMenuItem, {}, RequireEncoderShowAction);
  AddItem(EncoderMenuItem, {}, AllEncoderShowAction);
}
