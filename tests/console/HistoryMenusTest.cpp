// The video clip, sound file and caption histories: order, limit, letter
// case, failures, their menu regions and the round trip through the
// registry store.
#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"
#include "SenderCommandHistory.h"

namespace {
class HistoryMenus : public ConsoleFixture {
protected:
  void InsertClip(const QString& path) {
    ChooseFile(path);
    Module().VideoClipInsertAction->Execute();
  }
  static QStringList Quoted(const QStringList& list) {
    QStringList quoted;
    for (const QString& entry : list) quoted << QLatin1Char('"') + entry + QLatin1Char('"');
    return quoted;
  }
};
}  // namespace

TEST_F(HistoryMenus, EleventhClipDropsTheOldestAndReplayMovesToTheTop) {
  ASSERT_TRUE(StartConsole());
  QStringList clips;
  for (int i = 0; i < 11; ++i) clips << TestFile(QStringLiteral("clip%1.avi").arg(i));
  for (const QString& clip : clips) InsertClip(clip);
  QStringList expected;
  for (int i = 10; i >= 1; --i) expected << clips[i];
  EXPECT_EQ(Module().VideoClipHistory, expected);  // clip0 is gone
  EXPECT_EQ(ItemCaptions(ClipItems()), Quoted(expected));

  // Chosen from the menu (queued until the menu has closed); the clicked
  // item itself is replaced by the rebuild.
  ovSenderSimClearCallLog();
  ClipItems()[3]->QtAction()->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(Calls({"PlayVideoClip"}), (std::vector<std::string>{"PlayVideoClip(" + clips[7].toStdString() + ")"}));
  expected.move(3, 0);
  EXPECT_EQ(Module().VideoClipHistory, expected);
  EXPECT_EQ(ItemCaptions(ClipItems()), Quoted(expected));
}

TEST_F(HistoryMenus, EntriesDifferingOnlyInLetterCaseAreOne) {
  QStringList list{QStringLiteral("d:\\b.avi"), QStringLiteral("c:\\a.avi")};
  TMainDataModule::MoveToFront(list, QStringLiteral("C:\\A.AVI"));
  EXPECT_EQ(list, QStringList({"C:\\A.AVI", "d:\\b.avi"}));
  QStringList full;
  for (int i = 0; i < 10; ++i) full << QStringLiteral("F%1").arg(i);
  TMainDataModule::MoveToFront(full, QStringLiteral("f9"));  // listed already: nothing is dropped
  EXPECT_EQ(full.size(), 10);
  EXPECT_EQ(full.front(), "f9");
  EXPECT_EQ(full.back(), "F8");
}

TEST_F(HistoryMenus, FailedClipOrSoundLeavesTheListAndStillLaysOutTheVideo) {
  ASSERT_TRUE(StartConsole());
  const QString good = TestFile(QStringLiteral("good.avi"));
  InsertClip(good);
  ovSenderSimClearCallLog();
  InsertClip(TestFile(QStringLiteral("missing.avi"), false));
  EXPECT_EQ(Module().VideoClipHistory, QStringList({good}));
  EXPECT_EQ(Calls({"PlayVideoClip", "ComputeVideoWindow"}).back(), "ComputeVideoWindow()");
  ASSERT_EQ(errorBoxes_.size(), 1u);
  EXPECT_EQ(errorBoxes_[0].first, "エラー");
  EXPECT_EQ(errorBoxes_[0].second, "ビデオクリップの再生に失敗しました。");

  ovSenderSimClearCallLog();
  ChooseFile(TestFile(QStringLiteral("missing.wav"), false));
  Module().SoundFileInsertAction->Execute();
  EXPECT_TRUE(Module().SoundFileHistory.isEmpty());
  EXPECT_EQ(Calls({"PlaySoundFile", "ComputeVideoWindow"}).size(), 2u);
  ASSERT_EQ(errorBoxes_.size(), 2u);
  EXPECT_EQ(errorBoxes_[1].second, "サウンドファイルの再生に失敗しました。");

  const QString sound = TestFile(QStringLiteral("a.wav"));
  ChooseFile(sound);
  Module().SoundFileInsertAction->Execute();
  EXPECT_EQ(ItemCaptions(SoundItems()), Quoted({sound}));
  ChooseFile(QString());  // cancelled: nothing is played
  ovSenderSimClearCallLog();
  Module().SoundFileInsertAction->Execute();
  EXPECT_EQ(ovSenderSimCallCount("PlaySoundFile"), 0u);
}

TEST_F(HistoryMenus, CaptionIsAppliedThenSwitchedThenMovedToTheFront) {
  ASSERT_TRUE(StartConsole());
  Module().ApplyCaption(QStringLiteral("Hello"));
  Module().ApplyCaption(QString());
  Module().RebuildCaptionHistoryMenu();
  EXPECT_EQ(ItemCaptions(CaptionItems()), QStringList({"\"\"", "\"Hello\""}));

  CaptionSettingForm->captionOff = true;
  ovSenderSimClearCallLog();
  CaptionItems()[1]->Click();
  EXPECT_EQ(Calls({"SetCaption", "SetCaptionOn"}), (std::vector<std::string>{"SetCaption(Hello)", "SetCaptionOn(0)"}));
  EXPECT_EQ(ItemCaptions(CaptionItems()), QStringList({"\"Hello\"", "\"\""}));
}

TEST_F(HistoryMenus, HistoriesComeBackAfterARestart) {
  ASSERT_TRUE(StartConsole());
  const QString a = TestFile(QStringLiteral("a.avi")), b = TestFile(QStringLiteral("b.avi"));
  InsertClip(a);
  InsertClip(b);
  ChooseFile(TestFile(QStringLiteral("s.wav")));
  Module().SoundFileInsertAction->Execute();
  for (const QString& caption : {QStringLiteral("line\\one"), QString(), QStringLiteral("字幕 = 2; [x]")})
    Module().ApplyCaption(caption);
  const QStringList clips = Module().VideoClipHistory, sounds = Module().SoundFileHistory,
                    captions = Module().CaptionHistory;
  CloseConsole();
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(Module().VideoClipHistory, clips);
  EXPECT_EQ(Module().SoundFileHistory, sounds);
  EXPECT_EQ(Module().CaptionHistory, captions);
  EXPECT_EQ(ItemCaptions(CaptionItems()), Quoted(captions));
  EXPECT_EQ(ItemCaptions(ClipItems()), Quoted({b, a}));
}
