// Reading and writing settings files: dialogs, engine calls, error boxes,
// history records and their re-execution.
#include "ConsoleFixture.h"
#include "SenderCommandHistory.h"

#include <QDir>

namespace {
class SettingsFiles : public ConsoleFixture {
protected:
  static int CheckedIndex(const std::vector<TMenuItem*>& items) {
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i]->Checked()) return static_cast<int>(i);
    return -1;
  }
};
}  // namespace

TEST_F(SettingsFiles, FailedReadShowsMessage11AndRecordsNothing) {
  ASSERT_TRUE(StartConsole());
  ChooseFile(TestFile(QStringLiteral("absent.ini"), false));
  ovSenderSimClearCallLog();
  Module().ReadIniFileAction->Execute();
  ASSERT_EQ(errorBoxes_.size(), 1u);
  EXPECT_EQ(errorBoxes_[0], std::make_pair(QStringLiteral("エラー"), QStringLiteral("設定の読込みに失敗しました。")));
  EXPECT_EQ(Module().OperationHistory->Count(), 0);
  EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 0u);
}

TEST_F(SettingsFiles, FailedWriteShowsMessage12AndTheSaveDialogAsksBeforeOverwriting) {
  ASSERT_TRUE(StartConsole());
  bool asked = false;
  TFileDialog::Executor = [&](TFileDialog& dialog) {
    asked = dialog.DialogKind == TFileDialog::Kind::Save && dialog.OverwritePrompt;
    dialog.FileName = QDir(home_.path()).filePath(QStringLiteral("no/such/folder/x.ini"));
    return true;
  };
  Module().WriteIniFileAction->Execute();
  EXPECT_TRUE(asked);
  ASSERT_EQ(errorBoxes_.size(), 1u);
  EXPECT_EQ(errorBoxes_[0].second, "設定の保存に失敗しました。");
  EXPECT_EQ(Module().OperationHistory->Count(), 0);
}

TEST_F(SettingsFiles, WrittenAndReadPathsAreRecordedAndRunAgainFromTheHistory) {
  ovSenderSimSetVideoSources({{"cam0", {}}, {"cam1", {}}});
  ovSenderSimSetVideoEncoders({{"R0", 0}, {"A1", 1}});
  ASSERT_TRUE(StartConsole());
  VideoSourceItems()[1]->Click();
  VideoEncoderItems()[2]->Click();  // after the separator: engine encoder 1
  const QString path = TestFile(QStringLiteral("setting.ini"), false);
  ChooseFile(path);
  Module().WriteIniFileAction->Execute();
  ovCommandHistory& history = *Module().OperationHistory;
  ASSERT_EQ(history.Categories().front(), 8);
  EXPECT_EQ(history.Entry(0)->Action()->Caption(), path);

  VideoSourceItems()[0]->Click();
  VideoEncoderItems()[0]->Click();
  Module().ReadIniFileAction->Execute();
  EXPECT_TRUE(errorBoxes_.empty());
  EXPECT_EQ(history.Categories().front(), 7);
  EXPECT_EQ(CheckedIndex(VideoSourceItems()), 1);  // re-checked from the engine
  EXPECT_EQ(CheckedIndex(VideoEncoderItems()), 2);
  Module().OperationAction->Execute();
  EXPECT_EQ(history.Entry(0)->Caption(), "設定の読込み \"" + path + "\"");

  // From the history: the read entry re-checks the menus once more.
  VideoSourceItems()[0]->Click();
  VideoEncoderItems()[0]->Click();
  TMenuItem* readEntry = history.Entry(2);
  ASSERT_EQ(readEntry->Action()->Caption(), path);
  ovSenderSimClearCallLog();
  readEntry->Click();
  EXPECT_EQ(Calls({"ReadIniFile", "ComputeVideoWindow"}),
            (std::vector<std::string>{"ReadIniFile(" + path.toStdString() + ")", "ComputeVideoWindow()"}));
  EXPECT_EQ(CheckedIndex(VideoSourceItems()), 1);
  EXPECT_EQ(CheckedIndex(VideoEncoderItems()), 2);
  EXPECT_EQ(history.Categories().front(), 7);

  // The write entry writes again, to the same path.
  TMenuItem* writeEntry = history.Entry(history.Count() - 3);
  ASSERT_EQ(history.Categories()[static_cast<size_t>(history.Count() - 3)], 8);
  ovSenderSimClearCallLog();
  writeEntry->Click();
  EXPECT_EQ(Calls({"WriteIniFile"}), (std::vector<std::string>{"WriteIniFile(" + path.toStdString() + ")"}));
}

TEST_F(SettingsFiles, FailedReadFromTheHistoryIsSilent) {
  ASSERT_TRUE(StartConsole());
  const QString path = TestFile(QStringLiteral("gone.ini"), false);
  ChooseFile(path);
  Module().WriteIniFileAction->Execute();
  ASSERT_TRUE(QFile::remove(path));
  Module().OperationHistory->RecordValue(path, 0, CategoryReadIniFile);
  ovSenderSimClearCallLog();
  Module().OperationHistory->Entry(0)->Click();
  EXPECT_EQ(ovSenderSimCallCount("ReadIniFile"), 1u);
  EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 0u);
  EXPECT_TRUE(errorBoxes_.empty());
}
