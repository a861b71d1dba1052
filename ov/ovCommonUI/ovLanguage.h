// The general part of the language object: the language codes ("ja" and "en"
// built in, then those of the language files beside the program), the
// current one, the Language menu and its names, and apply. Derived classes
// supply the message texts, the built-in tables and what a language file's
// text lines write.
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
  // applies nothing. Language files are looked for beside ProgramPath().
  explicit ovLanguage(TMenuItem* menuItem);

  // The program file the language files are named after: the running
  // program unless another was set (tests keep their files in a folder of
  // their own). An empty path goes back to the running program.
  static QString ProgramPath();
  static void SetProgramPath(const QString& path);
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
  // Reads the text lines of the open language file (none when the current
  // language has no file), then does what follows every apply.
  virtual void ApplyLanguageFile() = 0;
  virtual void ApplyJapaneseTable() = 0;
  virtual void ApplyEnglishTable() = 0;
  void Apply();
  // The lines of the current language's file while an apply reads it; null
  // when there is no file or no apply is running.
  const std::vector<QString>* OpenLanguageFile() const { return openFile_; }

private:
  void AddFileCodes();
  void AddFileNames();
  void AddName(size_t index, const QString& writtenIn, const QString& name);
  void Select(int index);
  void UpdateMenuCaptions();

  TMenuItem* menuItem_;
  QStringList codes_;
  int currentIndex_ = 0;
  // Per code: (code of the language the name is written in, name).
  std::vector<std::vector<std::pair<QString, QString>>> names_;
  std::vector<TMenuItem*> menuItems_;
  QString programPath_;
  const std::vector<QString>* openFile_ = nullptr;
};

#endif
