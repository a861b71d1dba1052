#include "SenderCommandHistory.h"

#include "MainDataModule.h"
#include "SenderLanguage.h"
#include "SenderMainForm.h"
#include "ovSender.h"

QString ovSenderCommandHistory::CategoryName(int category) const {
  if (category < CategoryShow || category > CategoryAudioEncoder) return {};
  return SenderMessageText(MsgFirstCategoryName + category);
}

void ovSenderCommandHistory::ReExecute(TAction& entry, int category) {
  const QByteArray text = entry.Caption().toUtf8();
  switch (category) {
    case CategoryReadIniFile:
      if (ovSenderReadIniFile(text.constData())) {
        ovSenderComputeVideoWindow();
        if (MainDataModule) MainDataModule->RecheckSourceAndEncoderMenus();
      }
      break;
    case CategoryWriteIniFile:
      ovSenderWriteIniFile(text.constData());
      break;
    case CategoryVideoSource:
      ovSenderSetVideoSource(entry.Tag());
      ovSenderComputeVideoWindow();
      break;
    case CategoryAudioSource:
      ovSenderSetAudioSource(entry.Tag());
      ovSenderComputeVideoWindow();
      break;
    case CategoryVideoEncoder:
      ovSenderSetVideoEncoder(entry.Tag());
      ovSenderComputeVideoWindow();
      break;
    case CategoryAudioEncoder:
      ovSenderSetAudioEncoder(entry.Tag());
      ovSenderComputeVideoWindow();
      break;
    default:
      break;
  }
}
