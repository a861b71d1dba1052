#include "SenderLanguage.h"

#include "ErrorMessageForm.h"
#include "LanguageTarget.h"
#include "ToolkitTranslation.h"
#include "VolumeIndicatorForm.h"
#include "ovLanguageFile.h"
#include "ovSender.h"

#include <QComboBox>
#include <map>

void ovSenderLanguage::WriteText(const LanguageKey& key, const QString& text) {
  switch (key.target.kind) {
    case LanguageTarget::Kind::Message:
      messages_[static_cast<size_t>(key.target.index)] = text;
      break;
    case LanguageTarget::Kind::ErrorKindText:
      if (ErrorMessageForm) ErrorMessageForm->SetKindText(key.target.index, text);
      break;
    case LanguageTarget::Kind::ComboItem:
      ReplaceComboItem(qobject_cast<QComboBox*>(FindLanguageTargetObject(key.target)), key.target.index, text);
      break;
    default:
      WriteLanguageCaption(key.target, text);
  }
}

void ovSenderLanguage::ApplyTable(bool japanese) {
  // A table gives a list's items from item 0 on and then rebuilds it whole;
  // a list keyed from a later item on (the multicast rate list, whose other
  // items carry rates the dialog added) only has those items replaced.
  std::map<QComboBox*, QStringList> lists;
  for (const LanguageKey& key : LanguageKeys()) {
    const QString& text = japanese ? key.japanese : key.english;
    if (key.target.kind != LanguageTarget::Kind::ComboItem) {
      WriteText(key, text);
      continue;
    }
    auto* box = qobject_cast<QComboBox*>(FindLanguageTargetObject(key.target));
    if (!box) continue;
    if (key.target.index == 0 || lists.count(box))
      lists[box] << text;
    else
      ReplaceComboItem(box, key.target.index, text);
  }
  for (const auto& [box, items] : lists) RebuildComboItems(box, items);
}

void ovSenderLanguage::ApplyLanguageFile() {
  if (const std::vector<QString>* lines = OpenLanguageFile())
    for (const QString& line : *lines) {
      ovLanguageFile::TextLine text;
      if (!ovLanguageFile::ParseTextLine(line, text)) continue;
      if (const LanguageKey* key = FindLanguageKey(text.key)) WriteText(*key, text.value);
    }
  if (VolumeIndicatorForm) VolumeIndicatorForm->Reselect();
  if (ErrorMessageForm) ErrorMessageForm->Rebuild();
  InstallToolkitTranslation(CurrentCode());
  ovSenderComputeVideoWindow();
}
