#include "ovLanguage.h"

#include "ovLanguageFile.h"

#include <QCoreApplication>

namespace {
QString& ProgramPathSetting() {
  static QString path;
  return path;
}
}  // namespace

QString ovLanguage::ProgramPath() {
  return ProgramPathSetting().isEmpty() ? QCoreApplication::applicationFilePath() : ProgramPathSetting();
}

void ovLanguage::SetProgramPath(const QString& path) { ProgramPathSetting() = path; }

ovLanguage::ovLanguage(TMenuItem* menuItem) : menuItem_(menuItem), programPath_(ovLanguageFile::LookupPath(ProgramPath())) {
  codes_ << QStringLiteral("ja") << QStringLiteral("en");
  names_.push_back({{QStringLiteral("ja"), QStringLiteral("日本語(&J)")}, {QStringLiteral("en"), QStringLiteral("&Japanese")}});
  names_.push_back({{QStringLiteral("ja"), QStringLiteral("&English")}, {QStringLiteral("en"), QStringLiteral("&English")}});
  AddFileCodes();
  AddFileNames();
  for (int i = 0; i < codes_.size(); ++i) {
    auto* item = new TMenuItem(QStringLiteral("LanguageMenuItem%1").arg(i), QStringLiteral("Language: %1").arg(i));
    item->SetTag(i);
    item->OnClick = [this](TMenuItem& clicked) { Select(clicked.Tag()); };
    if (menuItem_) menuItem_->Add(item);
    menuItems_.push_back(item);
  }
}

ovLanguage::~ovLanguage() {
  for (TMenuItem* item : menuItems_) delete item;
}

void ovLanguage::AddFileCodes() {
  for (const QString& code : ovLanguageFile::FindCodes(programPath_)) {
    if (codes_.contains(code, Qt::CaseInsensitive)) continue;
    codes_ << code;
    names_.emplace_back();
  }
}

void ovLanguage::AddFileNames() {
  for (int i = 0; i < codes_.size(); ++i)
    for (const QString& line : ovLanguageFile::ReadLines(ovLanguageFile::PathFor(programPath_, codes_[i]))) {
      ovLanguageFile::NameLine name;
      if (ovLanguageFile::ParseNameLine(line, name)) AddName(static_cast<size_t>(i), name.code, name.name);
    }
}

void ovLanguage::AddName(size_t index, const QString& writtenIn, const QString& name) {
  for (auto& entry : names_[index])
    if (entry.first == writtenIn) {
      entry.second = name;
      return;
    }
  names_[index].emplace_back(writtenIn, name);
}

QString ovLanguage::CurrentCode() const {
  if (currentIndex_ < 0 || currentIndex_ >= codes_.size()) return {};
  return codes_[currentIndex_];
}

void ovLanguage::SelectCode(const QString& code) {
  const QString lowered = code.toLower();
  for (int i = 0; i < codes_.size(); ++i)
    if (codes_[i].compare(lowered, Qt::CaseInsensitive) == 0) return Select(i);
}

void ovLanguage::Select(int index) {
  for (size_t i = 0; i < menuItems_.size(); ++i) menuItems_[i]->SetChecked(static_cast<int>(i) == index);
  currentIndex_ = index;
  Apply();
}

void ovLanguage::UpdateMenuCaptions() {
  const QString current = CurrentCode();
  for (size_t i = 0; i < menuItems_.size(); ++i) {
    QString caption = QLatin1Char('<') + codes_[static_cast<int>(i)] + QLatin1Char('>');
    for (const auto& [writtenIn, name] : names_[i])
      if (writtenIn == current) caption = name;
    menuItems_[i]->SetCaption(caption);
  }
}

void ovLanguage::Apply() {
  UpdateMenuCaptions();
  if (currentIndex_ == 0)
    ApplyJapaneseTable();
  else
    ApplyEnglishTable();
  const std::vector<QString> lines = ovLanguageFile::ReadLines(ovLanguageFile::PathFor(programPath_, CurrentCode()));
  openFile_ = lines.empty() ? nullptr : &lines;
  ApplyLanguageFile();
  openFile_ = nullptr;
}
