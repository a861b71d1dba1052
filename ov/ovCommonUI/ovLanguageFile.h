// Language files: plain UTF-8 text files next to the program, named after the
// program file without its extension, "_", the language code and ".lng"
// (ovSenderUI_fr.lng). Name lines ("NotationName <code> <name>") say how the
// file's language is called in other languages; text lines ("<key> <value>")
// replace single texts of the console.
#ifndef OVCOMMONUI_OVLANGUAGEFILE_H
#define OVCOMMONUI_OVLANGUAGEFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace ovLanguageFile {

// The longest line a language file may hold, in bytes without the line end.
// A longer line is skipped whole: a cut-off tail read as a line of its own
// could look like any key.
constexpr int MaxLineBytes = 1023;

// The folder and file name of the program with the file name's extension cut
// (a dot in a folder name is not an extension).
QString BasePath(const QString& programPath);
QString PathFor(const QString& programPath, const QString& code);
// The codes of the language files beside the program, in file name order.
QStringList FindCodes(const QString& programPath);
// The program path language files are looked up by: the program's own when
// any language file lies beside it (a build folder, a copied program), else
// the same file name in the installed data folder <prefix>/share/ostrel/
// languages when that one holds any, else the program's own again.
QString LookupPath(const QString& programPath);

// The lines of a file, without line ends; empty when it cannot be read. A
// damaged file (too large, over-long lines, bytes that are not UTF-8) is still
// used as far as it goes, and a warning names what was wrong and where, so a
// translator sees why a text did not change; the file itself is never written.
std::vector<QString> ReadLines(const QString& path);

// Line numbers (from 1) of what a file's bytes got wrong.
struct Damage {
  std::vector<int> overlongLines;  // left out
  std::vector<int> notUtf8Lines;   // read with replacement characters
};
// The lines of a file's bytes, without line ends ("\n" or "\r\n"); lines
// longer than MaxLineBytes are left out.
std::vector<QString> SplitLines(const QByteArray& bytes, Damage* damage = nullptr);

struct NameLine {
  QString code;  // the language the name is written in
  QString name;
};
// A name line has at least three words split by blanks or tabs, the first
// "NotationName"; the name is the third word.
bool ParseNameLine(const QString& line, NameLine& out);

struct TextLine {
  QString key;
  QString value;  // runs to the end of the line, blanks included
};
// A text line starts with its key at the very first character; blanks or
// tabs separate it from the value, which may be empty.
bool ParseTextLine(const QString& line, TextLine& out);

}  // namespace ovLanguageFile

#endif
