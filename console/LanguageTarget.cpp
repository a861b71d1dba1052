#include "LanguageTarget.h"

#include "CaptionSettingForm.h"
#include "ErrorMessageForm.h"
#include "FileDialog.h"
#include "FocusDisplaySettingForm.h"
#include "LanguageTexts.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SenderMainForm.h"
#include "SourceSettingForm.h"
#include "TAction.h"
#include "TransmissionMonitorForm.h"
#include "VersionInfoForm.h"
#include "VolumeIndicatorForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace {
// Longest first, so "mdm" is not read as "ms"-anything and the main window's
// name is not cut.
const char* const kWindowPrefixes[] = {"SenderMainForm", "mdm", "fds", "csf", "vif", "emf", "ms", "tm", "ss", "vf"};

std::optional<LanguageTarget> ParseWindowKey(const QString& key) {
  using Kind = LanguageTarget::Kind;
  for (const char* prefix : kWindowPrefixes) {
    const QString window = QString::fromLatin1(prefix);
    if (!key.startsWith(window)) continue;
    const QString rest = key.mid(window.size());
    if (rest == QLatin1String("Caption")) return LanguageTarget{Kind::WindowTitle, window, {}, 0};
    static const QRegularExpression item(QStringLiteral("^([A-Z][A-Za-z0-9]*)Items([0-9]+)$"));
    if (const auto match = item.match(rest); match.hasMatch())
      return LanguageTarget{Kind::ComboItem, window, match.captured(1), match.captured(2).toInt()};
    static const QRegularExpression named(QStringLiteral("^([A-Z][A-Za-z0-9]*)(Caption|Filter|Title)$"));
    if (const auto match = named.match(rest); match.hasMatch()) {
      const QString property = match.captured(2);
      const Kind kind = property == QLatin1String("Caption")  ? Kind::Caption
                        : property == QLatin1String("Filter") ? Kind::DialogFilter
                                                              : Kind::DialogTitle;
      return LanguageTarget{kind, window, match.captured(1), 0};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::vector<LanguageKey> BuildKeys() {
  std::vector<LanguageKey> keys;
  auto add = [&keys](const SenderMessage& text, LanguageTarget target) {
    keys.push_back({QString::fromLatin1(text.key), std::move(target), QString::fromUtf8(text.japanese),
                    QString::fromUtf8(text.english)});
  };
  for (const SenderMessage& text : kWindowTexts)
    if (auto target = ParseWindowKey(QString::fromLatin1(text.key))) add(text, *target);
  for (int i = 0; i < MessageCount; ++i) add(kSenderMessages[i], {LanguageTarget::Kind::Message, {}, {}, i});
  for (int kind = 1; kind <= ErrorKindTextCount; ++kind)
    add(kErrorKindTexts[kind - 1], {LanguageTarget::Kind::ErrorKindText, {}, {}, kind});
  return keys;
}
}  // namespace

const std::vector<LanguageKey>& LanguageKeys() {
  static const std::vector<LanguageKey> keys = BuildKeys();
  return keys;
}

const LanguageKey* FindLanguageKey(const QString& key) {
  static const QHash<QString, const LanguageKey*> index = [] {
    QHash<QString, const LanguageKey*> byKey;
    for (const LanguageKey& entry : LanguageKeys()) byKey.insert(entry.key, &entry);
    return byKey;
  }();
  return index.value(key, nullptr);
}

QObject* LanguageWindow(const QString& prefix) {
  const std::pair<const char*, QObject*> windows[] = {
      {"SenderMainForm", SenderMainForm}, {"mdm", MainDataModule},
      {"fds", FocusDisplaySettingForm},   {"ms", MulticastSettingForm},
      {"tm", TransmissionMonitorForm},    {"ss", SourceSettingForm},
      {"csf", CaptionSettingForm},        {"vif", VolumeIndicatorForm},
      {"emf", ErrorMessageForm},          {"vf", VersionInfoForm},
  };
  for (const auto& [name, window] : windows)
    if (prefix == QLatin1String(name)) return window;
  return nullptr;
}

QObject* FindLanguageTargetObject(const LanguageTarget& target) {
  QObject* window = LanguageWindow(target.window);
  if (!window || target.component.isEmpty()) return window;
  return window->findChild<QObject*>(target.component);
}

bool WriteLanguageCaption(const LanguageTarget& target, const QString& text) {
  using Kind = LanguageTarget::Kind;
  QObject* object = FindLanguageTargetObject(target);
  if (!object) return false;
  switch (target.kind) {
    case Kind::WindowTitle:
      if (auto* window = qobject_cast<QWidget*>(object)) return window->setWindowTitle(text), true;
      return false;
    case Kind::Caption:
      if (auto* action = qobject_cast<TAction*>(object)) return action->SetCaption(text), true;
      if (auto* label = qobject_cast<QLabel*>(object)) return label->setText(text), true;
      if (auto* group = qobject_cast<QGroupBox*>(object)) return group->setTitle(text), true;
      if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->setText(text), true;
      return false;
    case Kind::DialogFilter:
    case Kind::DialogTitle:
      if (auto* dialog = qobject_cast<TFileDialog*>(object)) {
        (target.kind == Kind::DialogFilter ? dialog->Filter : dialog->Title) = text;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void ReplaceComboItem(QComboBox* box, int index, const QString& text) {
  if (!box || index < 0 || index > box->count()) return;
  const QSignalBlocker quiet(box);
  if (index == box->count())
    box->addItem(text);
  else
    box->setItemText(index, text);
}

void RebuildComboItems(QComboBox* box, const QStringList& items) {
  if (!box) return;
  const QSignalBlocker quiet(box);
  box->clear();
  box->addItems(items);
}
