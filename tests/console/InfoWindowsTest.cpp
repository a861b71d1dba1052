// The error message window and the version window.
#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "SenderArtwork.h"
#include "SenderLanguage.h"
#include "VersionInfoForm.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QPushButton>

using InfoWindows = ConsoleFixture;

TEST_F(InfoWindows, ErrorWindowListsEachNewIdentityWithTheKindTextOfTheLanguage) {
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(ErrorMessageForm->windowTitle(), "エラー");
  EXPECT_TRUE(ErrorMessageForm->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ((ErrorMessageForm->windowFlags() & Qt::WindowType_Mask), Qt::Tool);
  ErrorMessageForm->AddErrorMessage(0, 2, "enc");  // identity 0 is new: the last starts at -1
  ErrorMessageForm->AddErrorMessage(0, 2, "enc");
  ErrorMessageForm->AddErrorMessage(7, 0, "plain");
  EXPECT_EQ(ErrorMessageForm->Lines(), QStringList({"未対応のエンコーダーです。:\tenc", ":\tplain"}));
  form_->Language->SelectCode("en");
  EXPECT_EQ(ErrorMessageForm->Lines(), QStringList({"Not Supported Encoder:\tenc", ":\tplain"}));
  ErrorMessageForm->SetKindText(10, "never");
  ErrorMessageForm->SetKindText(0, "Note");
  ErrorMessageForm->Rebuild();
  EXPECT_EQ(ErrorMessageForm->Lines().last(), "Note:\tplain");
}

TEST_F(InfoWindows, ClosedErrorWindowReopensOnANewError) {
  ASSERT_TRUE(StartConsole());
  ErrorMessageForm->AddErrorMessage(1, 1, "a");
  EXPECT_TRUE(ErrorMessageForm->isVisible());
  EXPECT_FALSE(ErrorMessageForm->isModal());
  ErrorMessageForm->close();
  ErrorMessageForm->AddErrorMessage(1, 1, "a");  // the same error again: stays closed
  EXPECT_FALSE(ErrorMessageForm->isVisible());
  ErrorMessageForm->AddErrorMessage(2, 1, "b");
  EXPECT_TRUE(ErrorMessageForm->isVisible());
  EXPECT_EQ(ErrorMessageForm->Lines().size(), 2);
}

TEST_F(InfoWindows, VersionWindowShowsTheProductsPicturesAndTexts) {
  ASSERT_TRUE(StartConsole());
  TVersionInfoForm& form = *VersionInfoForm;
  EXPECT_EQ(form.windowTitle(), "バージョン情報");
  EXPECT_EQ(form.size(), QSize(345, 166));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form.SenderIconImage->geometry(), QRect(0, 0, 64, 64));
  EXPECT_EQ(form.SenderIconImage->pixmap().size(), QSize(64, 64));
  EXPECT_EQ(form.SenderIconBorderPanel->size(), QSize(65, 113));
  EXPECT_EQ(form.SenderIconBorderPanel->x(), 0);
  EXPECT_EQ(form.SenderIconBorderPanel->geometry().bottom(), 165);  // reaches the bottom edge
  EXPECT_EQ(form.FocusLogoImage->pixmap().size(), QSize(152, 33));
  EXPECT_EQ(form.VersionInfoSoftwareNameLabel->text(), "Ostrel ソフトウェア v1.0 (送信)");
  EXPECT_EQ(form.VersionInfoVelkLabel->text(), "Ostrel Project 2026");
  EXPECT_EQ(form.VersionInfoVelkURLLabel->text(), "https://ostrel.example.org/");
  for (QLabel* label : {form.VersionInfoSoftwareNameLabel, form.VersionInfoCopyrightLabel, form.VersionInfoVelkLabel,
                        form.VersionInfoVelkURLLabel}) {
    EXPECT_EQ(label->width(), 265) << label->objectName().toStdString();
    EXPECT_LE(label->geometry().right(), 344);
  }
  EXPECT_FALSE(form_->windowIcon().isNull());
  // The pictures are drawn, not empty: the icon's centre and the logo's text are opaque.
  const QImage icon = SenderIconPixmap().toImage();
  EXPECT_EQ(qAlpha(icon.pixel(32, 32)), 255);
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);

  Module().VersionInfoAction->Execute();  // returns at once, the window stays open
  EXPECT_TRUE(form.isModal());
  form.VersionInfoOKButton->click();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(InfoWindows, ErrorBoxReturnsAtOnceWithTheErrorIcon) {
  TErrorBox::Presenter = nullptr;
  TErrorBox::Show(nullptr, QStringLiteral("エラー"), QStringLiteral("text"));
  QMessageBox* box = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "ErrorMessageBox" && widget->isVisible()) box = qobject_cast<QMessageBox*>(widget);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->windowTitle(), "エラー");
  EXPECT_EQ(box->text(), "text");
  box->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(InfoWindows, LongErrorTextsWrapAtTheWindowWidth) {
  ASSERT_TRUE(StartConsole());
  const QString text = QString("device /dev/video0 ").repeated(12) + QString("x").repeated(200);
  ErrorMessageForm->AddErrorMessage(1, 5, text);
  // Laid out at the shown window's width; hidden again before any painting,
  // which would run in Qt's thread pool where the thread checker cannot see
  // Qt's own synchronisation.
  ErrorMessageForm->hide();
  QPlainTextEdit* memo = ErrorMessageForm->ErrorMessageMemo;
  const QTextBlock block = memo->document()->firstBlock();
  memo->document()->documentLayout()->blockBoundingRect(block);
  EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);
  EXPECT_GT(block.layout()->lineCount(), 3);
  EXPECT_EQ(ErrorMessageForm->Lines().size(), 1);  // one error, one line of the memo
}
