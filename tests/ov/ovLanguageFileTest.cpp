#include "ovLanguageFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QtGlobal>

namespace {
QStringList& Warnings() {
  static QStringList warnings;
  return warnings;
}

void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg) Warnings() << message;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}
}  // namespace

TEST(ovLanguageFile, NamesFollowTheProgramFileWithoutItsExtensionOnly) {
  EXPECT_EQ(ovLanguageFile::PathFor("/opt/ostrel-1.0/bin/ovSenderUI", "fr"), "/opt/ostrel-1.0/bin/ovSenderUI_fr.lng");
  EXPECT_EQ(ovLanguageFile::PathFor("/opt/app.d/ovSenderUI.exe", "de"), "/opt/app.d/ovSenderUI_de.lng");
}

TEST(ovLanguageFile, FindsTheCodesBesideTheProgramInNameOrder) {
  QTemporaryDir dir;
  for (const char* name : {"ovSenderUI_fr.lng", "ovSenderUI_de.lng", "ovSenderUI_pt_BR.lng", "other_it.lng",
                           "ovSenderUI_es.txt", "ovSenderUI_.lng"})
    Write(dir.filePath(name), "");
  EXPECT_EQ(ovLanguageFile::FindCodes(dir.filePath("ovSenderUI")), QStringList({"de", "fr", "pt_BR"}));
}

TEST(ovLanguageFile, InstalledProgramFallsBackToTheDataFolderOnlyWhenNothingIsBesideIt) {
  QTemporaryDir root;
  ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
  ASSERT_TRUE(QDir(root.path()).mkpath("share/ostrel/languages"));
  const QString program = root.filePath("bin/ovSenderUI");
  const QString installed = root.filePath("share/ostrel/languages/ovSenderUI");
  // Neither folder holds a file: the program's own path stays.
  EXPECT_EQ(ovLanguageFile::LookupPath(program), program);
  Write(installed + "_fr.lng", "");
  EXPECT_EQ(ovLanguageFile::LookupPath(program), installed);
  EXPECT_EQ(ovLanguageFile::FindCodes(ovLanguageFile::LookupPath(program)), QStringList({"fr"}));
  // A file beside the program wins over the installed ones.
  Write(program + "_de.lng", "");
  EXPECT_EQ(ovLanguageFile::LookupPath(program), program);
}

TEST(ovLanguageFile, ReadsUtf8LinesAndSkipsOverlongOnesWhole) {
  QTemporaryDir dir;
  const QByteArray longest(ovLanguageFile::MaxLineBytes, 'a');
  const QByteArray tooLong = QByteArray("msCaption ") + QByteArray(ovLanguageFile::MaxLineBytes, 'b');
  Write(dir.filePath("x.lng"), "first\r\n" + longest + "\n" + tooLong + "\nキー 値\nlast");
  const auto lines = ovLanguageFile::ReadLines(dir.filePath("x.lng"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "first");
  EXPECT_EQ(lines[1].size(), ovLanguageFile::MaxLineBytes);
  EXPECT_EQ(lines[2], "キー 値");
  EXPECT_EQ(lines[3], "last");
  EXPECT_TRUE(ovLanguageFile::ReadLines(dir.filePath("missing.lng")).empty());
}

TEST(ovLanguageFile, ADamagedFileIsUsedAsFarAsItGoesAndNamedInAWarning) {
  QTemporaryDir dir;
  const QByteArray tooLong(ovLanguageFile::MaxLineBytes + 1, 'b');
  const QByteArray bytes = "msOne one\n" + tooLong + "\nmsTwo \xff\xfe two\nmsThree three\n";
  Write(dir.filePath("x.lng"), bytes);
  Write(dir.filePath("huge.lng"), QByteArray(4 * 1024 * 1024 + 1, 'a'));
  Write(dir.filePath("clean.lng"), "msOne one\n");
  const QByteArray before = bytes;
  Warnings().clear();
  const QtMessageHandler previous = qInstallMessageHandler(Collect);
  const auto lines = ovLanguageFile::ReadLines(dir.filePath("x.lng"));
  const auto huge = ovLanguageFile::ReadLines(dir.filePath("huge.lng"));
  const auto clean = ovLanguageFile::ReadLines(dir.filePath("clean.lng"));
  qInstallMessageHandler(previous);

  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "msOne one");
  EXPECT_EQ(lines[2], "msThree three");
  EXPECT_TRUE(huge.empty());
  EXPECT_EQ(clean.size(), 1u);
  ASSERT_EQ(Warnings().size(), 3) << Warnings().join("\n").toStdString();
  EXPECT_TRUE(Warnings()[0].contains("x.lng") && Warnings()[0].endsWith("skipped: 2"));
  EXPECT_TRUE(Warnings()[1].contains("not UTF-8") && Warnings()[1].endsWith(": 3"));
  EXPECT_TRUE(Warnings()[2].contains("huge.lng") && Warnings()[2].contains("not read"));
  QFile file(dir.filePath("x.lng"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before) << "a damaged file is never written";
}

TEST(ovLanguageFile, ParsesNameAndTextLines) {
  struct Case {
    const char* line;
    bool isName;
    const char* nameCode;
    const char* name;
    bool isText;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"NotationName en German", true, "en", "German", true, "NotationName", "en German"},
      {"NotationName\tja\tドイツ語 extra", true, "ja", "ドイツ語", true, "NotationName", "ja\tドイツ語 extra"},
      {"NotationName en", false, "", "", true, "NotationName", "en"},
      {"csfCaptionLabelCaption Caption(within 62 characters)", false, "", "", true, "csfCaptionLabelCaption",
       "Caption(within 62 characters)"},
      {"DW_ERROR", false, "", "", true, "DW_ERROR", ""},
      {"DW_ERROR \t  spaced out  ", false, "", "", true, "DW_ERROR", "spaced out  "},
      {" DW_ERROR indented", false, "", "", false, "", ""},
      {"", false, "", "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ovLanguageFile::NameLine name;
    ASSERT_EQ(ovLanguageFile::ParseNameLine(QString::fromUtf8(c.line), name), c.isName);
    if (c.isName) {
      EXPECT_EQ(name.code + "|" + name.name, QString::fromUtf8(c.nameCode) + "|" + QString::fromUtf8(c.name));
    }
    ovLanguageFile::TextLine text;
    ASSERT_EQ(ovLanguageFile::ParseTextLine(QString::fromUtf8(c.line), text), c.isText);
    if (c.isText) {
      EXPECT_EQ(text.key + "|" + text.value, QString::fromUtf8(c.key) + "|" + QString::fromUtf8(c.value));
    }
  }
}
