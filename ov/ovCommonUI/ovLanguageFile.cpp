#include "ovLanguageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace ovLanguageFile {
namespace {
constexpr char kSuffix[] = ".lng";
// Language files are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringList Words(const QString& line) {
  QStringList words;
  int i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const int start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words << line.mid(start, i - start);
  }
  return words;
}

QString NumberList(const std::vector<int>& numbers) {
  QStringList texts;
  for (int n : numbers) texts << QString::number(n);
  return texts.join(QLatin1String(", "));
}

void WarnAbout(const QString& path, const Damage& damage) {
  if (!damage.overlongLines.empty())
    qWarning().noquote() << "Language file" << path << "- lines longer than" << MaxLineBytes
                         << "bytes were skipped:" << NumberList(damage.overlongLines);
  if (!damage.notUtf8Lines.empty())
    qWarning().noquote() << "Language file" << path
                         << "- lines that are not UTF-8 were read with replacement characters:"
                         << NumberList(damage.notUtf8Lines);
}
}  // namespace

QString BasePath(const QString& programPath) {
  const QFileInfo info(programPath);
  QString name = info.fileName();
  const int dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot > 0) name.truncate(dot);
  return info.path() + QLatin1Char('/') + name;
}

QString PathFor(const QString& programPath, const QString& code) {
  return BasePath(programPath) + QLatin1Char('_') + code + QLatin1String(kSuffix);
}

QStringList FindCodes(const QString& programPath) {
  const QFileInfo base(BasePath(programPath));
  const QString prefix = base.fileName() + QLatin1Char('_');
  const QDir folder = base.dir();
  QStringList codes;
  const QStringList names = folder.entryList({prefix + QLatin1String("*") + QLatin1String(kSuffix)}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    // The code is everything between the program's name and the suffix, so
    // a code such as "pt_BR" names the file it was found in.
    const QString code = name.mid(prefix.size(), name.size() - prefix.size() - int(sizeof kSuffix - 1));
    if (!code.isEmpty()) codes << code;
  }
  return codes;
}

QString LookupPath(const QString& programPath) {
  if (!FindCodes(programPath).isEmpty()) return programPath;
  const QFileInfo program(programPath);
  // bin/ovSenderUI -> share/ostrel/languages/ovSenderUI
  const QString installed =
      QDir::cleanPath(program.path() + QLatin1String("/../share/ostrel/languages/") + program.fileName());
  return FindCodes(installed).isEmpty() ? programPath : installed;
}

std::vector<QString> ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  if (file.size() > kMaxFileBytes) {
    qWarning().noquote() << "Language file" << path << "is larger than" << kMaxFileBytes / (1024 * 1024)
                         << "MB and was not read";
    return {};
  }
  Damage damage;
  std::vector<QString> lines = SplitLines(file.readAll(), &damage);
  WarnAbout(path, damage);
  return lines;
}

std::vector<QString> SplitLines(const QByteArray& bytes, Damage* damage) {
  std::vector<QString> lines;
  qsizetype start = 0;
  int number = 0;
  while (start < bytes.size()) {
    ++number;
    qsizetype end = bytes.indexOf('\n', start);
    if (end < 0) end = bytes.size();
    qsizetype length = end - start;
    if (length > 0 && bytes[end - 1] == '\r') --length;
    if (length <= MaxLineBytes) {
      const QByteArrayView raw(bytes.constData() + start, length);
      lines.push_back(QString::fromUtf8(raw));
      // Decoding replaces what is not UTF-8, so the text no longer encodes back to the same bytes.
      if (damage && lines.back().toUtf8() != raw) damage->notUtf8Lines.push_back(number);
    } else if (damage) {
      damage->overlongLines.push_back(number);
    }
    start = end + 1;
  }
  return lines;
}

bool ParseNameLine(const QString& line, NameLine& out) {
  const QStringList words = Words(line);
  if (words.size() < 3 || words[0] != QLatin1String("NotationName")) return false;
  out = {words[1], words[2]};
  return true;
}

bool ParseTextLine(const QString& line, TextLine& out) {
  if (line.isEmpty() || IsBlank(line[0])) return false;
  int i = 0;
  while (i < line.size() && !IsBlank(line[i])) ++i;
  out.key = line.left(i);
  while (i < line.size() && IsBlank(line[i])) ++i;
  out.value = line.mid(i);
  return true;
}

}  // namespace ovLanguageFile
