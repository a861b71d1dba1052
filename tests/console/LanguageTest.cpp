#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "LanguageTarget.h"
#include "LanguageTexts.h"
#include "SenderLanguage.h"
#include "VersionInfoForm.h"
#include "VolumeIndicatorForm.h"
#include "ovLanguage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>

namespace {
class Language : public ConsoleFixture {
protected:
  void SetUp() override {
    ConsoleFixture::SetUp();
    ovLanguage::SetProgramPath(home_.filePath("ovSenderUI"));
  }
  void TearDown() override {
    ConsoleFixture::TearDown();
    ovLanguage::SetProgramPath({});
  }

  void WriteLanguageFile(const QString& code, const QByteArray& lines) {
    QFile file(home_.filePath("ovSenderUI_" + code + ".lng"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines);
  }

  QStringList LanguageCaptions() {
    QStringList captions;
    for (int i = 0; i < Module().LanguageMenuItem->Count(); ++i) captions << Module().LanguageMenuItem->Items(i)->Caption();
    return captions;
  }

  void ClickLanguage(int index) { Module().LanguageMenuItem->Items(index)->Click(); }

  // What the user sees of every keyed target, read back from the windows.
  static QStringList VisibleTexts() {
    QStringList texts;
    for (const LanguageKey& key : LanguageKeys()) {
      const LanguageTarget& t = key.target;
      QObject* object = FindLanguageTargetObject(t);
      QString text;
      if (t.kind == LanguageTarget::Kind::Message)
        text = SenderMessageText(t.index);
      else if (t.kind == LanguageTarget::Kind::ErrorKindText)
        text = ErrorMessageForm->KindText(t.index);
      else if (t.kind == LanguageTarget::Kind::WindowTitle)
        text = qobject_cast<QWidget*>(object)->windowTitle();
      else if (auto* action = qobject_cast<TAction*>(object))
        text = action->Caption();
      else if (auto* label = qobject_cast<QLabel*>(object))
        text = label->text();
      else if (auto* group = qobject_cast<QGroupBox*>(object))
        text = group->title();
      else if (auto* button = qobject_cast<QAbstractButton*>(object))
        text = button->text();
      else if (auto* box = qobject_cast<QComboBox*>(object))
        text = box->itemText(t.index);
      else if (auto* dialog = qobject_cast<TFileDialog*>(object))
        text = t.kind == LanguageTarget::Kind::DialogFilter ? dialog->Filter : dialog->Title;
      texts << key.key + "=" + text;
    }
    return texts;
  }
};
}  // namespace

TEST_F(Language, BuiltInNamesAndTextsFollowTheCurrentLanguage) {
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(LanguageCaptions(), QStringList({"日本語(&J)", "&English"}));
  EXPECT_EQ(Module().ExitAction->Caption(), "終了(&X)");
  ClickLanguage(1);
  EXPECT_EQ(LanguageCaptions(), QStringList({"&Japanese", "&English"}));
  EXPECT_EQ(Module().ExitAction->Caption(), "E&xit");
  EXPECT_EQ(Module().IniFileOpenDialog->Title, "Load Settings");
  EXPECT_EQ(SenderMessageText(MsgStop), "&Stop");
  EXPECT_FALSE(Module().LanguageMenuItem->Items(0)->Checked());
  EXPECT_TRUE(Module().LanguageMenuItem->Items(1)->Checked());
}

TEST_F(Language, TheTablesKnowEveryKeyOnce) {
  ASSERT_EQ(static_cast<int>(LanguageKeys().size()), LanguageKeyCount);
  EXPECT_EQ(LanguageKeyCount, 194);
  QSet<QString> seen;
  for (const LanguageKey& key : LanguageKeys()) {
    EXPECT_FALSE(seen.contains(key.key)) << key.key.toStdString();
    seen.insert(key.key);
    EXPECT_EQ(FindLanguageKey(key.key), &key);
  }
  EXPECT_EQ(FindLanguageKey("dw_error"), nullptr);  // keys compare case-sensitively
}

TEST_F(Language, AFileWithoutNamesAddsItsCodeAndChangesTheEnglishTexts) {
  WriteLanguageFile("de",
                    "mdmExitActionCaption Be&enden\n"
                    "DW_ERROR Fehler\n"
                    "emf_T_UNEXPECTED Unerwarteter Fehler\n"
                    "mdmIniFileOpenDialogTitle Einstellungen laden\n"
                    "vfCaption\n"
                    "mdmNoSuchActionCaption ignored\n"
                    "NotationName\n");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(LanguageCaptions(), QStringList({"日本語(&J)", "&English", "<de>"}));
  ClickLanguage(2);
  EXPECT_EQ(form_->Language->CurrentCode(), "de");
  EXPECT_EQ(LanguageCaptions(), QStringList({"<ja>", "<en>", "<de>"}));
  EXPECT_EQ(Module().ExitAction->Caption(), "Be&enden");
  EXPECT_EQ(Module().IniFileOpenDialog->Title, "Einstellungen laden");
  EXPECT_EQ(SenderMessageText(MsgError), "Fehler");
  EXPECT_EQ(SenderMessageText(MsgStop), "&Stop");  // the English table below the file
  EXPECT_EQ(ErrorMessageForm->KindText(5), "Unerwarteter Fehler");
  EXPECT_EQ(VersionInfoForm->windowTitle(), "");  // a key with nothing after it gives an empty text
}

TEST_F(Language, FileTextsAndNamesHoldOnlyWhileTheirLanguageIsCurrent) {
  WriteLanguageFile("en", "DW_ERROR Oops, an error\n");
  WriteLanguageFile("fr", "NotationName ja フランス語\nNotationName en French\nNotationName fr Français\n");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(LanguageCaptions(), QStringList({"日本語(&J)", "&English", "フランス語"}));
  form_->Language->SelectCode("EN");
  EXPECT_EQ(SenderMessageText(MsgError), "Oops, an error");
  EXPECT_EQ(LanguageCaptions(), QStringList({"&Japanese", "&English", "French"}));
  ClickLanguage(2);
  EXPECT_EQ(SenderMessageText(MsgError), "Error");
  EXPECT_EQ(LanguageCaptions().last(), "Français");
  ClickLanguage(0);
  EXPECT_EQ(SenderMessageText(MsgError), "エラー");
}

TEST_F(Language, EveryChangeKeepsTheSpanRebuildsTheErrorsAndLaysOutTheVideo) {
  ASSERT_TRUE(StartConsole(false));
  VolumeIndicatorForm->displayTimeIndex = 1;
  ErrorMessageForm->AddErrorMessage(7, 2, "no encoder");
  for (int language : {1, 0}) {
    ovSenderSimClearCallLog();
    ClickLanguage(language);
    EXPECT_EQ(VolumeIndicatorForm->displayTimeIndex, 1);
    if (auto* span = VolumeIndicatorForm->findChild<QComboBox*>("DisplayTimeComboBox")) {
      EXPECT_EQ(span->currentIndex(), 1);
    }
    EXPECT_EQ(ErrorMessageForm->Lines().last(), ErrorMessageForm->KindText(2) + ":\tno encoder");
    EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 1u);
  }
  EXPECT_EQ(ErrorMessageForm->Lines().last(), "未対応のエンコーダーです。:\tno encoder");
}

TEST_F(Language, SwitchingBackAndForthLeavesNoTextOfTheOtherLanguage) {
  WriteLanguageFile("en", "mdmExitActionCaption Quit\n");
  ASSERT_TRUE(StartConsole(false));
  const QStringList japanese = VisibleTexts();
  ClickLanguage(1);
  const QStringList english = VisibleTexts();
  EXPECT_TRUE(english.contains("mdmExitActionCaption=Quit"));
  ClickLanguage(0);
  EXPECT_EQ(VisibleTexts(), japanese);
  ClickLanguage(1);
  EXPECT_EQ(VisibleTexts(), english);
}

TEST_F(Language, ToolkitTextsFollowTheLanguage) {
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "キャンセル");
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "アドレス:");
  ClickLanguage(1);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(Language, EveryKeyWritesExactlyOneTargetOfItsKind) {
  ASSERT_TRUE(StartConsole(false));
  using Kind = LanguageTarget::Kind;
  for (const LanguageKey& key : LanguageKeys()) {
    SCOPED_TRACE(key.key.toStdString());
    const LanguageTarget& t = key.target;
    if (t.kind == Kind::Message || t.kind == Kind::ErrorKindText) continue;
    QObject* window = LanguageWindow(t.window);
    ASSERT_NE(window, nullptr);
    if (t.kind == Kind::WindowTitle) {
      EXPECT_NE(qobject_cast<QWidget*>(window), nullptr);
      continue;
    }
    const QList<QObject*> named = window->findChildren<QObject*>(t.component);
    EXPECT_EQ(named.size(), 1);
    if (named.size() != 1) continue;
    QObject* object = named.front();
    switch (t.kind) {
      case Kind::ComboItem:
        EXPECT_NE(qobject_cast<QComboBox*>(object), nullptr);
        break;
      case Kind::DialogFilter:
      case Kind::DialogTitle:
        EXPECT_NE(qobject_cast<TFileDialog*>(object), nullptr);
        break;
      default:
        EXPECT_TRUE(qobject_cast<TAction*>(object) || qobject_cast<QLabel*>(object) ||
                    qobject_cast<QGroupBox*>(object) || qobject_cast<QAbstractButton*>(object));
    }
  }
}

TEST_F(Language, EveryWindowHasRoomForItsTextsInEachLanguage) {
  ASSERT_TRUE(StartConsole(false));
  for (int language : {0, 1}) {
    ClickLanguage(language);
    for (const char* prefix : {"fds", "ms", "tm", "ss", "csf", "vif", "emf", "vf"}) {
      auto* window = qobject_cast<QWidget*>(LanguageWindow(prefix));
      ASSERT_NE(window, nullptr);
      if (!window->layout()) continue;
      // A hidden window's layouts are not told of changed texts; ask afresh.
      for (QLayout* layout : window->findChildren<QLayout*>()) layout->invalidate();
      const QSize needs = window->layout()->minimumSize();
      EXPECT_LE(needs.width(), window->width()) << prefix << " in language " << language;
      EXPECT_LE(needs.height(), window->height()) << prefix << " in language " << language;
    }
  }
}
