// Settings files, the video clip, sound file and caption histories and their
// menu regions.
#include "CaptionSettingForm.h"
#include "ErrorBox.h"
#include "MainDataModule.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"
#include "SenderMainForm.h"
#include "ovSender.h"

namespace {
constexpr int kFileHistoryLimit = 10;

void ShowErrorBox(int textIndex) { TErrorBox::Show(SenderMainForm, SenderMessageText(MsgError), SenderMessageText(textIndex)); }

void RebuildRegion(TMenuItem* begin, TMenuItem* end, const QStringList& list,
                   const std::function<void(const QString&)>& choose) {
  TMainDataModule::ClearMenuRegion(begin, end);
  TMenuItem* parent = begin->Parent();
  for (int i = 0; i < list.size(); ++i) {
    auto* item = new TMenuItem(QString(), QLatin1Char('"') + list[i] + QLatin1Char('"'));
    item->OnClick = [begin, &list, choose](TMenuItem& clicked) {
      const int position = clicked.MenuIndex() - begin->MenuIndex() - 1;
      if (position >= 0 && position < list.size()) choose(list[position]);
    };
    parent->Insert(begin->MenuIndex() + 1 + i, item);
  }
}
}  // namespace

void TMainDataModule::MoveToFront(QStringList& list, const QString& entry) {
  for (int i = 0; i < list.size(); ++i) {
    if (list[i].compare(entry, Qt::CaseInsensitive) == 0) {
      list.removeAt(i);
      list.prepend(entry);
      return;
    }
  }
  list.prepend(entry);
  while (list.size() > kFileHistoryLimit) list.removeLast();
}

void TMainDataModule::ReadIniFileActionExecute(TAction&) {
  if (!IniFileOpenDialog->Execute(SenderMainForm)) return;
  const QString path = IniFileOpenDialog->FileName;
  if (!ovSenderReadIniFile(path.toUtf8().constData())) {
    ShowErrorBox(MsgReadIniFileError);
    return;
  }
  ovSenderComputeVideoWindow();
  RecheckSourceAndEncoderMenus();
  OperationHistory->RecordValue(path, 0, CategoryReadIniFile);
}

void TMainDataModule::WriteIniFileActionExecute(TAction&) {
  if (!IniFileSaveDialog->Execute(SenderMainForm)) return;
  const QString path = IniFileSaveDialog->FileName;
  if (!ovSenderWriteIniFile(path.toUtf8().constData())) {
    ShowErrorBox(MsgWriteIniFileError);
    return;
  }
  OperationHistory->RecordValue(path, 0, CategoryWriteIniFile);
}

void TMainDataModule::PlayVideoClip(const QString& path) {
  if (ovSenderPlayVideoClip(path.toUtf8().constData()))
    MoveToFront(VideoClipHistory, path);
  else
    ShowErrorBox(MsgPlayVideoClipError);
  ovSenderComputeVideoWindow();
}

void TMainDataModule::PlaySoundFile(const QString& path) {
  if (ovSenderPlaySoundFile(path.toUtf8().constData()))
    MoveToFront(SoundFileHistory, path);
  else
    ShowErrorBox(MsgPlaySoundFileError);
  ovSenderComputeVideoWindow();
}

void TMainDataModule::ApplyCaption(const QString& text) {
  ovSenderSetCaption(text.toUtf8().constData());
  ovSenderSetCaptionOn(!(CaptionSettingForm && CaptionSettingForm->captionOff));
  MoveToFront(CaptionHistory, text);
}

void TMainDataModule::VideoClipInsertActionExecute(TAction&) {
  if (!VideoClipOpenDialog->Execute(SenderMainForm)) return;
  PlayVideoClip(VideoClipOpenDialog->FileName);
  RebuildVideoClipHistoryMenu();
}

void TMainDataModule::SoundFileInsertActionExecute(TAction&) {
  if (!SoundFileOpenDialog->Execute(SenderMainForm)) return;
  PlaySoundFile(SoundFileOpenDialog->FileName);
  RebuildSoundFileHistoryMenu();
}

void TMainDataModule::RebuildVideoClipHistoryMenu() {
  RebuildRegion(VideoClipHistoryBeginMenuItem, VideoClipHistoryEndMenuItem, VideoClipHistory, [this](const QString& path) {
    const QString chosen = path;  // the list changes under the reference
    PlayVideoClip(chosen);
    RebuildVideoClipHistoryMenu();
  });
}

void TMainDataModule::RebuildSoundFileHistoryMenu() {
  RebuildRegion(SoundFileHistoryBeginMenuItem, SoundFileHistoryEndMenuItem, SoundFileHistory, [this](const QString& path) {
    const QString chosen = path;
    PlaySoundFile(chosen);
    RebuildSoundFileHistoryMenu();
  });
}

void TMainDataModule::RebuildCaptionHistoryMenu() {
  RebuildRegion(CaptionHistoryBeginMenuItem, CaptionHistoryEndMenuItem, CaptionHistory, [this](const QString& text) {
    const QString chosen = text;
    ApplyCaption(chosen);
    RebuildCaptionHistoryMenu();
  });
}

void TMainDataModule::RebuildHistoryMenus() {
  RebuildVideoClipHistoryMenu();
  RebuildSoundFileHistoryMenu();
  RebuildCaptionHistoryMenu();
}
