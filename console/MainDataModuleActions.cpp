// The action lists and every action: name, caption, handlers, tag and update group.
#include "MainDataModule.h"

namespace {
struct ResolutionRow {
  const char* name;
  const char* caption;
};
const ResolutionRow kResolutions[] = {
    {"ResolutionSQCIFAction", "SQCIF"},         {"ResolutionQCIFAction", "QCIF"},
    {"ResolutionCIFAction", "CIF"},             {"Resolution160x120Action", "160x120"},
    {"Resolution320x240Action", "320x240"},     {"Resolution360x240Action", "360x240"},
    {"Resolution640x480Action", "640x480"},     {"Resolution720x480Action", "720x480"},
    {"Resolution800x600Action", "800x600"},     {"Resolution1024x768Action", "1024x768"},
    {"Resolution1280x1024Action", "1280x1024"}, {"Resolution1600x1200Action", "1600x1200"},
    {"ResolutionHDTV720pAction", "HDTV 720p"},  {"ResolutionHDTV1080iAction", "HDTV 1080i"},
    {"ResolutionSDTV480pAction", "SDTV 480p"},  {"ResolutionSDTV480iAction", "SDTV 480i"},
    {"ResolutionSourceResolutionAction", "ソースの解像度"},
};

struct RateRow {
  const char* name;
  const char* caption;
  int value;
};
const RateRow kRates[] = {
    {"TransmissionRate100KbpsAction", "100Kbps", 102400},
    {"TransmissionRate300KbpsAction", "300Kbps", 307200},
    {"TransmissionRate1MbpsAction", "1Mbps", 1048576},
    {"TransmissionRate10MbpsAction", "10Mbps", 10485760},
    {"TransmissionRate30MbpsAction", "30Mbps", 31457280},
    {"TransmissionRate100MbpsAction", "100Mbps", 104857600},
    {"TransmissionRate1000MbpsAction", "無制限", 1048576000},
};
}  // namespace

TAction* TMainDataModule::NewAction(TActionList* list, const QString& name, const QString& caption, Handler execute,
                                    Handler update, int tag) {
  TAction* action = list->Add(name, caption);
  action->SetTag(tag);
  if (execute) action->OnExecute = [this, execute](TAction& a) { (this->*execute)(a); };
  if (update) action->OnUpdate = [this, update](TAction& a) { (this->*update)(a); };
  return action;
}

void TMainDataModule::CreateActionLists() {
  OperationActionList = new TActionList(QStringLiteral("OperationActionList"), this);
  ShowActionList = new TActionList(QStringLiteral("ShowActionList"), this);
  OptionActionList = new TActionList(QStringLiteral("OptionActionList"), this);
  FocusDisplaySettingActionList = new TActionList(QStringLiteral("FocusDisplaySettingActionList"), this);
  MulticastSettingActionList = new TActionList(QStringLiteral("MulticastSettingActionList"), this);
  SourceSettingActionList = new TActionList(QStringLiteral("SourceSettingActionList"), this);
  CaptionSettingActionList = new TActionList(QStringLiteral("CaptionSettingActionList"), this);
  VersionInfoActionList = new TActionList(QStringLiteral("VersionInfoActionList"), this);
}

void TMainDataModule::CreateOperationActions() {
  using M = TMainDataModule;
  TActionList* list = OperationActionList;
  OperationAction = NewAction(list, "OperationAction", "操作", &M::OperationActionExecute);
  TransmissionOnOffAction = NewAction(list, "TransmissionOnOffAction", "送信/停止", &M::TransmissionOnOffActionExecute,
                                      &M::TransmissionOnOffActionUpdate);
  ReadIniFileAction = NewAction(list, "ReadIniFileAction", "設定ファイルの読込み", &M::ReadIniFileActionExecute);
  WriteIniFileAction = NewAction(list, "WriteIniFileAction", "設定ファイルの保存", &M::WriteIniFileActionExecute);
  ExitAction = NewAction(list, "ExitAction", "終了", &M::ExitActionExecute);
}

void TMainDataModule::CreateShowActions() {
  using M = TMainDataModule;
  TActionList* list = ShowActionList;
  ShowAction = list->Add("ShowAction", "表示");
  ShowAction->OnExecute = [](TAction&) {};
  FocusDisplayNoneAction = NewAction(list, "FocusDisplayNoneAction", "フォーカス表示なし", &M::FocusDisplayActionExecute,
                                     &M::FocusDisplayNoneActionUpdate, 0);
  FocusDisplayPartialZoomAction = NewAction(list, "FocusDisplayPartialZoomAction", "部分映像のズーミング",
                                            &M::FocusDisplayActionExecute, nullptr, 1);
  FocusDisplayNonLinearZoomAction = NewAction(list, "FocusDisplayNonLinearZoomAction", "非線形ズーミング",
                                              &M::FocusDisplayActionExecute, nullptr, 2);
  FocusDisplayImageCompoundAction = NewAction(list, "FocusDisplayImageCompoundAction", "低/高解像度の映像合成",
                                              &M::FocusDisplayActionExecute, nullptr, 3);
  FocusDisplaySettingAction =
      NewAction(list, "FocusDisplaySettingAction", "フォーカス詳細設定", &M::FocusDisplaySettingActionExecute);
  TAction::SetUpdateGroup({FocusDisplayNoneAction, FocusDisplayPartialZoomAction, FocusDisplayNonLinearZoomAction,
                           FocusDisplayImageCompoundAction, FocusDisplaySettingAction});
  FitVideoToWindowAction = NewAction(list, "FitVideoToWindowAction", "ウィンドウに合わせて表示",
                                     &M::FitVideoToWindowActionExecute, &M::FitVideoToWindowActionUpdate);
  KeepVideoAspectAction = NewAction(list, "KeepVideoAspectAction", "縦横比を維持", &M::KeepVideoAspectActionExecute);
  OriginalVideoSizeAction =
      NewAction(list, "OriginalVideoSizeAction", "オリジナルサイズで表示", &M::OriginalVideoSizeActionExecute);
  FitWindowToVideoAction =
      NewAction(list, "FitWindowToVideoAction", "ウィンドウをビデオに合わせる", &M::FitWindowToVideoActionExecute);
  TAction::SetUpdateGroup({FitVideoToWindowAction, KeepVideoAspectAction, OriginalVideoSizeAction, FitWindowToVideoAction});
  VolumeIndicatorShowAction =
      NewAction(list, "VolumeIndicatorShowAction", "音量インジケータの表示", &M::VolumeIndicatorShowActionExecute);
}

void TMainDataModule::CreateOptionActions() {
  using M = TMainDataModule;
  TActionList* list = OptionActionList;
  auto parent = [list](const char* name, const char* caption) {
    TAction* action = list->Add(QLatin1String(name), QString::fromUtf8(caption));
    action->OnExecute = [](TAction&) {};
    return action;
  };
  OptionAction = parent("OptionAction", "オプション");
  ResolutionAction = parent("ResolutionAction", "ビデオ解像度");
  for (int code = 0; code < 17; ++code)
    ResolutionActions.push_back(NewAction(list, kResolutions[code].name, QString::fromUtf8(kResolutions[code].caption),
                                          &M::ResolutionActionExecute,
                                          code == 0 ? &M::ResolutionSQCIFActionUpdate : nullptr, code));
  TAction** resolutionFields[] = {
      &ResolutionSQCIFAction,     &ResolutionQCIFAction,      &ResolutionCIFAction,      &Resolution160x120Action,
      &Resolution320x240Action,   &Resolution360x240Action,   &Resolution640x480Action,  &Resolution720x480Action,
      &Resolution800x600Action,   &Resolution1024x768Action,  &Resolution1280x1024Action, &Resolution1600x1200Action,
      &ResolutionHDTV720pAction,  &ResolutionHDTV1080iAction, &ResolutionSDTV480pAction, &ResolutionSDTV480iAction,
      &ResolutionSourceResolutionAction};
  for (int code = 0; code < 17; ++code) *resolutionFields[code] = ResolutionActions[static_cast<size_t>(code)];
  TAction::SetUpdateGroup(ResolutionActions);

  MulticastAction = parent("MulticastAction", "マルチキャスト");
  VideoTransmissionOnAction = NewAction(list, "VideoTransmissionOnAction", "ビデオの送信",
                                        &M::VideoTransmissionOnActionExecute, &M::VideoTransmissionOnActionUpdate);
  AudioTransmissionOnAction = NewAction(list, "AudioTransmissionOnAction", "オーディオの送信",
                                        &M::AudioTransmissionOnActionExecute, &M::AudioTransmissionOnActionUpdate);
  FocusTransmissionOnAction = NewAction(list, "FocusTransmissionOnAction", "フォーカス情報の送信",
                                        &M::FocusTransmissionOnActionExecute, &M::FocusTransmissionOnActionUpdate);
  TransmissionRateAction = parent("TransmissionRateAction", "最大総送信レート");
  for (size_t i = 0; i < std::size(kRates); ++i)
    TransmissionRateActions.push_back(NewAction(list, kRates[i].name, QString::fromUtf8(kRates[i].caption),
                                                &M::TransmissionRateActionExecute,
                                                i == 0 ? &M::TransmissionRate100KbpsActionUpdate : nullptr,
                                                kRates[i].value));
  TransmissionRate100KbpsAction = TransmissionRateActions[0];
  TransmissionRate300KbpsAction = TransmissionRateActions[1];
  TransmissionRate1MbpsAction = TransmissionRateActions[2];
  TransmissionRate10MbpsAction = TransmissionRateActions[3];
  TransmissionRate30MbpsAction = TransmissionRateActions[4];
  TransmissionRate100MbpsAction = TransmissionRateActions[5];
  TransmissionRate1000MbpsAction = TransmissionRateActions[6];
  TransmissionCountAction = parent("TransmissionCountAction", "重複送信回数");
  for (int count = 1; count <= 4; ++count)
    TransmissionCountActions.push_back(NewAction(list, QStringLiteral("TransmissionCount%1Action").arg(count),
                                                 QStringLiteral("%1回").arg(count), &M::TransmissionCountActionExecute,
                                                 count == 1 ? &M::TransmissionCount1ActionUpdate : nullptr, count));
  TransmissionCount1Action = TransmissionCountActions[0];
  TransmissionCount2Action = TransmissionCountActions[1];
  TransmissionCount3Action = TransmissionCountActions[2];
  TransmissionCount4Action = TransmissionCountActions[3];
  TAction::SetUpdateGroup(TransmissionRateActions);
  TAction::SetUpdateGroup(TransmissionCountActions);
  MulticastSettingAction = NewAction(list, "MulticastSettingAction", "詳細設定", &M::MulticastSettingActionExecute);
  TransmissionMonitorShowAction =
      NewAction(list, "TransmissionMonitorShowAction", "送信モニタの表示", &M::TransmissionMonitorShowActionExecute);

  SourceAction = parent("SourceAction", "ソース");
  VideoSourceAction =
      NewAction(list, "VideoSourceAction", "ビデオソース", &M::VideoSourceActionExecute, &M::VideoSourceActionUpdate);
  AudioSourceAction = NewAction(list, "AudioSourceAction", "オーディオソース", &M::AudioSourceActionExecute,
                                &M::AudioSourceActionUpdate);
  VideoClipInsertAction = NewAction(list, "VideoClipInsertAction", "ビデオクリップの挿入",
                                    &M::VideoClipInsertActionExecute, &M::VideoClipInsertActionUpdate);
  SoundFileInsertAction = NewAction(list, "SoundFileInsertAction", "サウンドの挿入", &M::SoundFileInsertActionExecute);
  CaptionSettingAction = NewAction(list, "CaptionSettingAction", "キャプション設定", &M::CaptionSettingActionExecute);
  SourceSettingAction =
      NewAction(list, "SourceSettingAction", "詳細設定", &M::SourceSettingActionExecute, &M::SourceSettingActionUpdate);
  EncoderAction = parent("EncoderAction", "エンコーダ");
  VideoEncoderAction = NewAction(list, "VideoEncoderAction", "ビデオエンコーダ", &M::VideoEncoderActionExecute,
                                 &M::VideoEncoderActionUpdate);
  AudioEncoderAction = NewAction(list, "AudioEncoderAction", "オーディオエンコーダ", &M::AudioEncoderActionExecute,
                                 &M::AudioEncoderActionUpdate);
  RecommendEncoderShowAction = NewAction(list, "RecommendEncoderShowAction", "推奨のみ表示", &M::EncoderShowActionExecute,
                                         &M::RecommendEncoderShowActionUpdate, EncoderShowRecommend);
  RequireEncoderShowAction = NewAction(list, "RequireEncoderShowAction", "非推奨以外表示", &M::EncoderShowActionExecute,
                                       nullptr, EncoderShowRequire);
  AllEncoderShowAction =
      NewAction(list, "AllEncoderShowAction", "全て表示", &M::EncoderShowActionExecute, nullptr, EncoderShowAll);
  TAction::SetUpdateGroup({RecommendEncoderShowAction, RequireEncoderShowAction, AllEncoderShowAction});
  LanguageAction = parent("LanguageAction", "言語(&L)");
  HelpAction = parent("HelpAction", "ヘルプ");
  VersionInfoAction = NewAction(list, "VersionInfoAction", "バージョン情報", &M::VersionInfoActionExecute);
}

void TMainDataModule::CreateDialogActions() {
  using M = TMainDataModule;
  TActionList* focus = FocusDisplaySettingActionList;
  ShowFocusFrameAction =
      NewAction(focus, "ShowFocusFrameAction", "フォーカス部分を枠で表示する", &M::ShowFocusFrameActionExecute);
  FocusCoordinateDesktopWindowAction =
      NewAction(focus, "FocusCoordinateDesktopWindowAction", "画面全体", &M::FocusCoordinateActionExecute, nullptr, 0);
  FocusCoordinateVideoWindowAction = NewAction(focus, "FocusCoordinateVideoWindowAction", "ビデオウィンドウ",
                                               &M::FocusCoordinateActionExecute, nullptr, 1);
  TActionList* multicast = MulticastSettingActionList;
  CreateIPv6AddressAction =
      NewAction(multicast, "CreateIPv6AddressAction", "自動生成(IPv6)", &M::CreateIPv6AddressActionExecute);
  CreateIPv4AddressAction =
      NewAction(multicast, "CreateIPv4AddressAction", "自動生成(IPv4)", &M::CreateIPv4AddressActionExecute);
  AddressUpdateAction = NewAction(multicast, "AddressUpdateAction", "更新", &M::AddressUpdateActionExecute,
                                  &M::AddressUpdateActionUpdate);
  TTLUpdateAction =
      NewAction(multicast, "TTLUpdateAction", "更新", &M::TTLUpdateActionExecute, &M::TTLUpdateActionUpdate);
  PacketSizeUpdateAction = NewAction(multicast, "PacketSizeUpdateAction", "更新", &M::PacketSizeUpdateActionExecute,
                                     &M::PacketSizeUpdateActionUpdate);
  TActionList* source = SourceSettingActionList;
  VideoSourcePropertyAction = NewAction(source, "VideoSourcePropertyAction", "表示", &M::VideoSourcePropertyActionExecute);
  AudioSourcePropertyAction = NewAction(source, "AudioSourcePropertyAction", "表示", &M::AudioSourcePropertyActionExecute);
  DirectVideoModeAction = NewAction(source, "DirectVideoModeAction", "ビデオソースをそのまま送信する",
                                    &M::DirectVideoModeActionExecute);
  DVInterleavedModeAction = NewAction(source, "DVInterleavedModeAction",
                                      "DV Interleaved （Video&&Audio）をそのまま送信する",
                                      &M::DVInterleavedModeActionExecute);
  TActionList* caption = CaptionSettingActionList;
  CaptionSettingOKAction = NewAction(caption, "CaptionSettingOKAction", "実行", &M::CaptionSettingOKActionExecute,
                                     &M::CaptionSettingOKActionUpdate);
  CaptionSettingCancelAction =
      NewAction(caption, "CaptionSettingCancelAction", "キャンセル", &M::CaptionSettingCancelActionExecute);
  CaptionOffAction = NewAction(caption, "CaptionOffAction", "無効", &M::CaptionOffActionExecute);
  VersionInfoOKAction = NewAction(VersionInfoActionList, "VersionInfoOKAction", "OK", &M::VersionInfoOKActionExecute);
}
