// The built-in texts of every keyed caption, list item, window title and
// file dialog, in Japanese and English. The message table and the error kind
// texts (SenderMessages.h) complete the keys a language file may set.
#ifndef CONSOLE_LANGUAGETEXTS_H
#define CONSOLE_LANGUAGETEXTS_H

#include "SenderMessages.h"

constexpr int WindowTextCount = 160;
constexpr int LanguageKeyCount = WindowTextCount + MessageCount + ErrorKindTextCount;

// Same layout as the message texts: key, Japanese, English (UTF-8).
extern const SenderMessage kWindowTexts[WindowTextCount];

#endif
