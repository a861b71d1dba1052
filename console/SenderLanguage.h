// ovSenderLanguage: the console's language object. Owns the message table
// (empty until the first apply) and writes the texts of the current
// language into the console's windows: the built-in Japanese or English
// table first, then the text lines of the language's file.
#ifndef CONSOLE_SENDERLANGUAGE_H
#define CONSOLE_SENDERLANGUAGE_H

#include "SenderMessages.h"
#include "ovLanguage.h"

#include <array>

struct LanguageKey;

class ovSenderLanguage : public ovLanguage {
public:
  explicit ovSenderLanguage(TMenuItem* menuItem) : ovLanguage(menuItem) {}

  const QString& MessageText(int index) const override { return messages_[static_cast<size_t>(index)]; }

protected:
  void ApplyLanguageFile() override;
  void ApplyJapaneseTable() override { ApplyTable(true); }
  void ApplyEnglishTable() override { ApplyTable(false); }

private:
  void ApplyTable(bool japanese);
  // Writes one text; a combo box item replaces that item alone.
  void WriteText(const LanguageKey& key, const QString& text);

  std::array<QString, MessageCount> messages_;
};

#endif
