// The general part of the language object: the language codes ("ja" and "en"
// built in), the current one, the Language menu and its names, and apply.
// Derived classes supply the message texts and the built-in tables.
#ifndef OVCOMMONUI_OVLANGUAGE_H
#define OVCOMMONUI_OVLANGUAGE_H

#include "TMenuItem.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class ovLanguage {
public:
  // Builds the codes, their names and one item per code under menuItem;
  // applies nothing.
  explicit ovLanguage(TMenuItem* menuItem);
  virtual ~ovLanguage();
  ovLanguage(const ovLanguage&) = delete;
  ovLanguage& operator=(const ovLanguage&) = delete;

  virtual const QString& MessageText(int index) const = 0;

  // Lower-cases the code and looks it up ignoring case; an unknown code
  // changes nothing at all.
  void SelectCode(const QString& code);
  QString CurrentCode() const;
  int CurrentIndex() const { return currentIndex_; }
  const QStringList& Codes() const { return codes_; }
  TMenuItem* MenuItem(int index) const { return menuItems_.at(static_cast<size_t>(index)); }

protected:
  virtual void ApplyLanguageFile() = 0;
  virtual void ApplyJapaneseTable() = 0;
  virtual void ApplyEnglishTable() = 0;
  void Apply();

private:
  void Select(int index);
  void UpdateMenuCaptions();

  TMenuItem* menuItem_;
  QStringList codes_;
  int currentIndex_ = 0;
  // Per code: (code of the language the name is written in, name).
  std::vector<std::vector<std::pair<QString, QString>>> names_;
  std::vector<TMenuItem*> menuItems_;
};

#endif
