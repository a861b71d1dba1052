// TMainDataModule: the console's actions, menus, timers, file dialogs and
// lists. The implementation is split by concern:
//   MainDataModule.cpp              creation and destruction, registry values
//   MainDataModuleActions.cpp       the action lists and every action's wiring
//   MainDataModuleMenu.cpp          MainMenu in its order, markers, bindings
//   MainDataModuleOperation.cpp     operation and show handlers
//   MainDataModuleOption.cpp        option handlers (resolution, rates, ...)
//   MainDataModuleDialogActions.cpp actions bound to dialog buttons
//   MainDataModuleTimers.cpp        SenderTimer and the two dialog timers
//   MainDataModuleSourceMenus.cpp   source and encoder menu regions
//   MainDataModuleHistoryMenus.cpp  video clip, sound and caption histories
// New concerns add a file of their own and declare their members here.
#ifndef CONSOLE_MAINDATAMODULE_H
#define CONSOLE_MAINDATAMODULE_H

#include "FileDialog.h"
#include "TAction.h"
#include "TActionList.h"
#include "TMenuItem.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <vector>

class ovSenderCommandHistory;

// Values of EncoderShowControl.
enum { EncoderShowRecommend = 0, EncoderShowRequire = 1, EncoderShowAll = 2 };

// History categories filed with every recorded command.
enum {
  CategoryNone = -1,
  CategoryShow = 0,
  CategoryFocusDisplay = 1,
  CategoryMulticast = 2,
  CategorySource = 3,
  CategoryResolution = 4,
  CategoryTransmissionRate = 5,
  CategoryTransmissionCount = 6,
  CategoryReadIniFile = 7,
  CategoryWriteIniFile = 8,
  CategoryEncoder = 9,
  CategoryVideoSource = 10,
  CategoryAudioSource = 11,
  CategoryVideoEncoder = 12,
  CategoryAudioEncoder = 13
};

class TMainDataModule : public QObject {
  Q_OBJECT
public:
  TMainDataModule();
  ~TMainDataModule() override;  // runs DataModuleDestroy

  void DataModuleCreate();
  void DataModuleDestroy();

  // ---- Lists and state ----
  QStringList VideoClipHistory;
  QStringList SoundFileHistory;
  QStringList CaptionHistory;
  std::vector<int> VideoEncoderIndexes;
  std::vector<int> AudioEncoderIndexes;
  std::unique_ptr<ovSenderCommandHistory> OperationHistory;
  int EncoderShowControl = EncoderShowRequire;

  // ---- Timers ----
  QTimer* SenderTimer = nullptr;
  QTimer* TransmissionMonitorTimer = nullptr;
  QTimer* MulticastDetectionTimer = nullptr;
  void SenderTimerTimer();
  void TransmissionMonitorTimerTimer();
  void MulticastDetectionTimerTimer();
  QString TransmissionStatusText() const;

  // ---- File dialogs ----
  TFileDialog* IniFileOpenDialog = nullptr;
  TFileDialog* IniFileSaveDialog = nullptr;
  TFileDialog* VideoClipOpenDialog = nullptr;
  TFileDialog* SoundFileOpenDialog = nullptr;

  // ---- Action lists ----
  TActionList* OperationActionList = nullptr;
  TActionList* ShowActionList = nullptr;
  TActionList* OptionActionList = nullptr;
  TActionList* FocusDisplaySettingActionList = nullptr;
  TActionList* MulticastSettingActionList = nullptr;
  TActionList* SourceSettingActionList = nullptr;
  TActionList* CaptionSettingActionList = nullptr;
  TActionList* VersionInfoActionList = nullptr;

  // Operation
  TAction* OperationAction = nullptr;
  TAction* TransmissionOnOffAction = nullptr;
  TAction* ReadIniFileAction = nullptr;
  TAction* WriteIniFileAction = nullptr;
  TAction* ExitAction = nullptr;
  // Show
  TAction* ShowAction = nullptr;
  TAction* FocusDisplayNoneAction = nullptr;
  TAction* FocusDisplayPartialZoomAction = nullptr;
  TAction* FocusDisplayNonLinearZoomAction = nullptr;
  TAction* FocusDisplayImageCompoundAction = nullptr;
  TAction* FocusDisplaySettingAction = nullptr;
  TAction* FitVideoToWindowAction = nullptr;
  TAction* KeepVideoAspectAction = nullptr;
  TAction* OriginalVideoSizeAction = nullptr;
  TAction* FitWindowToVideoAction = nullptr;
  TAction* VolumeIndicatorShowAction = nullptr;
  // Option
  TAction* OptionAction = nullptr;
  TAction* ResolutionAction = nullptr;
  std::vector<TAction*> ResolutionActions;  // indexed by resolution code 0 to 16
  TAction* ResolutionSQCIFAction = nullptr;
  TAction* ResolutionQCIFAction = nullptr;
  TAction* ResolutionCIFAction = nullptr;
  TAction* Resolution160x120Action = nullptr;
  TAction* Resolution320x240Action = nullptr;
  TAction* Resolution360x240Action = nullptr;
  TAction* Resolution640x480Action = nullptr;
  TAction* Resolution720x480Action = nullptr;
  TAction* Resolution800x600Action = nullptr;
  TAction* Resolution1024x768Action = nullptr;
  TAction* Resolution1280x1024Action = nullptr;
  TAction* Resolution1600x1200Action = nullptr;
  TAction* ResolutionHDTV720pAction = nullptr;
  TAction* ResolutionHDTV1080iAction = nullptr;
  TAction* ResolutionSDTV480pAction = nullptr;
  TAction* ResolutionSDTV480iAction = nullptr;
  TAction* ResolutionSourceResolutionAction = nullptr;
  TAction* MulticastAction = nullptr;
  TAction* VideoTransmissionOnAction = nullptr;
  TAction* AudioTransmissionOnAction = nullptr;
  TAction* FocusTransmissionOnAction = nullptr;
  TAction* TransmissionRateAction = nullptr;
  std::vector<TAction*> TransmissionRateActions;  // in menu order, value in Tag
  TAction* TransmissionRate100KbpsAction = nullptr;
  TAction* TransmissionRate300KbpsAction = nullptr;
  TAction* TransmissionRate1MbpsAction = nullptr;
  TAction* TransmissionRate10MbpsAction = nullptr;
  TAction* TransmissionRate30MbpsAction = nullptr;
  TAction* TransmissionRate100MbpsAction = nullptr;
  TAction* TransmissionRate1000MbpsAction = nullptr;
  TAction* TransmissionCountAction = nullptr;
  std::vector<TAction*> TransmissionCountActions;  // counts 1 to 4, count in Tag
  TAction* TransmissionCount1Action = nullptr;
  TAction* TransmissionCount2Action = nullptr;
  TAction* TransmissionCount3Action = nullptr;
  TAction* TransmissionCount4Action = nullptr;
  TAction* MulticastSettingAction = nullptr;
  TAction* TransmissionMonitorShowAction = nullptr;
  TAction* SourceAction = nullptr;
  TAction* VideoSourceAction = nullptr;
  TAction* AudioSourceAction = nullptr;
  TAction* VideoClipInsertAction = nullptr;
  TAction* SoundFileInsertAction = nullptr;
  TAction* CaptionSettingAction = nullptr;
  TAction* SourceSettingAction = nullptr;
  TAction* EncoderAction = nullptr;
  TAction* VideoEncoderAction = nullptr;
  TAction* AudioEncoderAction = nullptr;
  TAction* RecommendEncoderShowAction = nullptr;
  TAction* RequireEncoderShowAction = nullptr;
  TAction* AllEncoderShowAction = nullptr;
  TAction* LanguageAction = nullptr;
  TAction* HelpAction = nullptr;
  TAction* VersionInfoAction = nullptr;
  // Dialog actions
  TAction* ShowFocusFrameAction = nullptr;
  TAction* FocusCoordinateDesktopWindowAction = nullptr;
  TAction* FocusCoordinateVideoWindowAction = nullptr;
  TAction* CreateIPv6AddressAction = nullptr;
  TAction* CreateIPv4AddressAction = nullptr;
  TAction* AddressUpdateAction = nullptr;
  TAction* TTLUpdateAction = nullptr;
  TAction* PacketSizeUpdateAction = nullptr;
  TAction* VideoSourcePropertyAction = nullptr;
  TAction* AudioSourcePropertyAction = nullptr;
  TAction* DirectVideoModeAction = nullptr;
  TAction* DVInterleavedModeAction = nullptr;
  TAction* CaptionSettingOKAction = nullptr;
  TAction* CaptionSettingCancelAction = nullptr;
  TAction* CaptionOffAction = nullptr;
  TAction* VersionInfoOKAction = nullptr;

  // ---- Menus (every item also reachable by MainMenu->Find(name)) ----
  TMenuItem* MainMenu = nullptr;
  TMenuItem* OperationMenuItem = nullptr;
  TMenuItem* OperationHistoryBeginMenuItem = nullptr;
  TMenuItem* OperationHistoryEndMenuItem = nullptr;
  TMenuItem* ShowMenuItem = nullptr;
  TMenuItem* OptionMenuItem = nullptr;
  TMenuItem* ResolutionMenuItem = nullptr;
  TMenuItem* MulticastMenuItem = nullptr;
  TMenuItem* SourceMenuItem = nullptr;
  TMenuItem* VideoSourceMenuItem = nullptr;
  TMenuItem* VideoSourceBeginMenuItem = nullptr;
  TMenuItem* VideoSourceEndMenuItem = nullptr;
  TMenuItem* VideoClipHistoryBeginMenuItem = nullptr;
  TMenuItem* VideoClipHistoryEndMenuItem = nullptr;
  TMenuItem* AudioSourceMenuItem = nullptr;
  TMenuItem* AudioSourceBeginMenuItem = nullptr;
  TMenuItem* AudioSourceEndMenuItem = nullptr;
  TMenuItem* SoundFileHistoryBeginMenuItem = nullptr;
  TMenuItem* SoundFileHistoryEndMenuItem = nullptr;
  TMenuItem* CaptionHistoryBeginMenuItem = nullptr;
  TMenuItem* CaptionHistoryEndMenuItem = nullptr;
  TMenuItem* EncoderMenuItem = nullptr;
  TMenuItem* VideoEncoderMenuItem = nullptr;
  TMenuItem* VideoEncoderBeginMenuItem = nullptr;
  TMenuItem* VideoEncoderEndMenuItem = nullptr;
  TMenuItem* AudioEncoderMenuItem = nullptr;
  TMenuItem* AudioEncoderBeginMenuItem = nullptr;
  TMenuItem* AudioEncoderEndMenuItem = nullptr;
  TMenuItem* LanguageMenuItem = nullptr;
  TMenuItem* HelpMenuItem = nullptr;

  // ---- Menu regions between markers (MainDataModuleSourceMenus.cpp,
  //      MainDataModuleHistoryMenus.cpp) ----
  static void ClearMenuRegion(TMenuItem* beginMarker, TMenuItem* endMarker);
  static std::vector<TMenuItem*> MenuRegion(TMenuItem* beginMarker, TMenuItem* endMarker);
  void BuildVideoSourceMenu();
  void BuildAudioSourceMenu();
  void BuildEncoderMenus();
  void RecheckVideoSourceMenu();
  void RecheckAudioSourceMenu();
  void RecheckVideoEncoderMenu();
  void RecheckAudioEncoderMenu();
  void RecheckSourceAndEncoderMenus();
  void RebuildVideoClipHistoryMenu();
  void RebuildSoundFileHistoryMenu();
  void RebuildCaptionHistoryMenu();
  void RebuildHistoryMenus();

  // ---- Handlers ----
  // Operation and show
  void OperationActionExecute(TAction& action);
  void TransmissionOnOffActionExecute(TAction& action);
  void TransmissionOnOffActionUpdate(TAction& action);
  void ReadIniFileActionExecute(TAction& action);
  void WriteIniFileActionExecute(TAction& action);
  void ExitActionExecute(TAction& action);
  void FocusDisplayActionExecute(TAction& action);  // mode in Tag
  void FocusDisplayNoneActionUpdate(TAction& action);
  void FocusDisplaySettingActionExecute(TAction& action);
  void FitVideoToWindowActionExecute(TAction& action);
  void FitVideoToWindowActionUpdate(TAction& action);
  void KeepVideoAspectActionExecute(TAction& action);
  void OriginalVideoSizeActionExecute(TAction& action);
  void FitWindowToVideoActionExecute(TAction& action);
  void VolumeIndicatorShowActionExecute(TAction& action);
  // Option
  void ResolutionActionExecute(TAction& action);  // code in Tag
  void ResolutionSQCIFActionUpdate(TAction& action);
  void VideoTransmissionOnActionExecute(TAction& action);
  void VideoTransmissionOnActionUpdate(TAction& action);
  void AudioTransmissionOnActionExecute(TAction& action);
  void AudioTransmissionOnActionUpdate(TAction& action);
  void FocusTransmissionOnActionExecute(TAction& action);
  void FocusTransmissionOnActionUpdate(TAction& action);
  void TransmissionRateActionExecute(TAction& action);  // value in Tag
  void TransmissionRate100KbpsActionUpdate(TAction& action);
  void TransmissionCountActionExecute(TAction& action);  // count in Tag
  void TransmissionCount1ActionUpdate(TAction& action);
  void MulticastSettingActionExecute(TAction& action);
  void TransmissionMonitorShowActionExecute(TAction& action);
  void VideoSourceActionExecute(TAction& action);
  void VideoSourceActionUpdate(TAction& action);
  void AudioSourceActionExecute(TAction& action);
  void AudioSourceActionUpdate(TAction& action);
  void VideoEncoderActionExecute(TAction& action);
  void VideoEncoderActionUpdate(TAction& action);
  void AudioEncoderActionExecute(TAction& action);
  void AudioEncoderActionUpdate(TAction& action);
  void VideoClipInsertActionExecute(TAction& action);
  void VideoClipInsertActionUpdate(TAction& action);
  void SoundFileInsertActionExecute(TAction& action);
  void CaptionSettingActionExecute(TAction& action);
  void SourceSettingActionExecute(TAction& action);
  void SourceSettingActionUpdate(TAction& action);
  void EncoderShowActionExecute(TAction& action);  // filter value in Tag
  void RecommendEncoderShowActionUpdate(TAction& action);
  void VersionInfoActionExecute(TAction& action);
  // Dialog actions
  void ShowFocusFrameActionExecute(TAction& action);
  void FocusCoordinateActionExecute(TAction& action);  // coordinate in Tag
  void CreateIPv6AddressActionExecute(TAction& action);
  void CreateIPv4AddressActionExecute(TAction& action);
  void AddressUpdateActionExecute(TAction& action);
  void AddressUpdateActionUpdate(TAction& action);
  void TTLUpdateActionExecute(TAction& action);
  void TTLUpdateActionUpdate(TAction& action);
  void PacketSizeUpdateActionExecute(TAction& action);
  void PacketSizeUpdateActionUpdate(TAction& action);
  void VideoSourcePropertyActionExecute(TAction& action);
  void AudioSourcePropertyActionExecute(TAction& action);
  void DirectVideoModeActionExecute(TAction& action);
  void DVInterleavedModeActionExecute(TAction& action);
  void CaptionSettingOKActionExecute(TAction& action);
  void CaptionSettingOKActionUpdate(TAction& action);
  void CaptionSettingCancelActionExecute(TAction& action);
  void CaptionOffActionExecute(TAction& action);
  void VersionInfoOKActionExecute(TAction& action);

  // Playing and applying (histories move the entry to the front on success).
  void PlayVideoClip(const QString& path);
  void PlaySoundFile(const QString& path);
  void ApplyCaption(const QString& text);
  // Front insertion with case-insensitive identity, at most 10 entries.
  static void MoveToFront(QStringList& list, const QString& entry);

private:
  void CreateActionLists();
  void CreateOperationActions();
  void CreateShowActions();
  void CreateOptionActions();
  void CreateDialogActions();
  void CreateTimers();
  void CreateFileDialogs();
  void BuildMainMenu();
  void BuildOperationMenu();
  void BuildShowMenu();
  void BuildOptionMenu();
  void BuildSourceMenu(TMenuItem* parent);
  void BuildEncoderMenu(TMenuItem* parent);
  TMenuItem* AddItem(TMenuItem* parent, const QString& name, TAction* action);
  TMenuItem* AddLine(TMenuItem* parent);
  TMenuItem* AddMarker(TMenuItem* parent, const QString& name, const QString& caption);
  using Handler = void (TMainDataModule::*)(TAction&);
  TAction* NewAction(TActionList* list, const QString& name, const QString& caption, Handler execute,
                     Handler update = nullptr, int tag = 0);

  void LoadRegistryValues();
  void SaveRegistryValues();
  bool destroyed_ = false;
  int lineCount_ = 0;
};

extern TMainDataModule* MainDataModule;

#endif
