#include "SenderLanguage.h"

#include "ErrorMessageForm.h"
#include "SenderMainForm.h"
#include "ovSender.h"

void ovSenderLanguage::ApplyTable(bool japanese) {
  auto text = [japanese](const SenderMessage& m) { return QString::fromUtf8(japanese ? m.japanese : m.english); };
  for (int i = 0; i < MessageCount; ++i) messages_[static_cast<size_t>(i)] = text(kSenderMessages[i]);
  if (ErrorMessageForm)
    for (int kind = 1; kind <= ErrorKindTextCount; ++kind)
      ErrorMessageForm->SetKindText(kind, text(kErrorKindTexts[kind - 1]));
  if (SenderMainForm)
    SenderMainForm->setWindowTitle(japanese ? QStringLiteral("Ostrel（送信）") : QStringLiteral("Ostrel (Sender)"));
}

void ovSenderLanguage::ApplyLanguageFile() {
  // No language files are read yet; what follows every apply still runs.
  if (ErrorMessageForm) ErrorMessageForm->Rebuild();
  ovSenderComputeVideoWindow();
}
