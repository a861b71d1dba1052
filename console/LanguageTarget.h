// What one language key writes: a window title, the caption of a component or
// of a data-module action, an item of a combo box, the filter or title of a
// file dialog, a message or an error kind text. The target is read from the
// key's own form (window prefix, component name, property).
#ifndef CONSOLE_LANGUAGETARGET_H
#define CONSOLE_LANGUAGETARGET_H

#include <QString>
#include <optional>
#include <vector>

class QComboBox;
class QObject;

struct LanguageTarget {
  enum class Kind { WindowTitle, Caption, ComboItem, DialogFilter, DialogTitle, Message, ErrorKindText };
  Kind kind = Kind::Caption;
  QString window;     // the window prefix ("ms", "mdm", "SenderMainForm", ...)
  QString component;  // the component, action or file dialog; empty for a title
  int index = 0;      // the combo item, the message index or the error kind
};

struct LanguageKey {
  QString key;
  LanguageTarget target;
  QString japanese;
  QString english;
};

// Every key the console knows, in table order: window texts, then the
// message table, then the error kind texts.
const std::vector<LanguageKey>& LanguageKeys();
// The entry of a key (compared case-sensitively), or null.
const LanguageKey* FindLanguageKey(const QString& key);

// The window (or the data module) a prefix names; null when it does not exist.
QObject* LanguageWindow(const QString& prefix);
// The object a key writes into: the window itself for a title, else its
// component of that name. Null when the window or component does not exist.
QObject* FindLanguageTargetObject(const LanguageTarget& target);

// Writes text into a title, caption or dialog target; false when the target
// is missing or of another kind.
bool WriteLanguageCaption(const LanguageTarget& target, const QString& text);
// Replaces item index of a combo box, or appends it just past the end,
// without notifying the box's change handlers.
void ReplaceComboItem(QComboBox* box, int index, const QString& text);
// Empties a combo box and fills it with items, without notifying.
void RebuildComboItems(QComboBox* box, const QStringList& items);

#endif
