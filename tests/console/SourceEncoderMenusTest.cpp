// The source and encoder regions: building from the engine's lists, grouping
// by priority under the filter, checks, clicks and re-checks.
#include "ConsoleFixture.h"
#include "SenderCommandHistory.h"

#include <QMenu>

namespace {
class SourceEncoderMenus : public ConsoleFixture {
protected:
  static QStringList Checked(const std::vector<TMenuItem*>& items) {
    QStringList checked;
    for (TMenuItem* item : items)
      if (item->Checked()) checked << item->Caption();
    return checked;
  }
  static void Open(TMenuItem* submenu) { emit submenu->QtMenu()->aboutToShow(); }
};
}  // namespace

TEST_F(SourceEncoderMenus, RequireWithoutRecommendedEncodersStartsWithASeparator) {
  ovSenderSimSetVideoEncoders({{"A1", 1}, {"N1", 2}, {"A2", 1}});
  Store("EncoderShowControl", "Require");
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"-", "A1", "A2"}));
  EXPECT_EQ(Module().VideoEncoderIndexes, (std::vector<int>{0, 2}));
  EXPECT_FALSE(VideoEncoderItems()[0]->OnClick);  // a separator is not clickable
}

TEST_F(SourceEncoderMenus, AllGroupsByPriorityWithOneSeparatorBeforeEachLowerGroup) {
  ovSenderSimSetVideoEncoders({{"N1", 2}, {"R1", 0}, {"N2", 2}, {"R2", 0}});
  ovSenderSimSetAudioEncoders({{"A1", 1}, {"N1", 2}, {"R1", 0}, {"A2", 1}, {"X", 3}, {"R2", 0}});
  Store("EncoderShowControl", "All");
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1", "R2", "-", "N1", "N2"}));
  EXPECT_EQ(Module().VideoEncoderIndexes, (std::vector<int>{1, 3, 0, 2}));
  // An unknown priority shows nowhere.
  EXPECT_EQ(ItemCaptions(AudioEncoderItems()), QStringList({"R1", "R2", "-", "A1", "A2", "-", "N1"}));
  EXPECT_EQ(Module().AudioEncoderIndexes, (std::vector<int>{2, 5, 0, 3, 1}));
  EXPECT_TRUE(Checked(VideoEncoderItems()).isEmpty());  // building checks nothing
}

TEST_F(SourceEncoderMenus, RecommendHidesLowerPrioritiesAndChecksNothingForAHiddenCurrent) {
  ovSenderSimSetVideoEncoders({{"A1", 1}, {"R1", 0}, {"N1", 2}});
  Store("EncoderShowControl", "Recommend");
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1"}));
  EXPECT_EQ(Module().VideoEncoderIndexes, (std::vector<int>{1}));
  ovSenderSetVideoEncoder(2);
  Open(Module().VideoEncoderMenuItem);
  EXPECT_TRUE(Checked(VideoEncoderItems()).isEmpty());
  ovSenderSetVideoEncoder(1);
  Open(Module().VideoEncoderMenuItem);
  EXPECT_EQ(Checked(VideoEncoderItems()), QStringList({"R1"}));
}

TEST_F(SourceEncoderMenus, ClickPassesTheStoredEngineIndexAndRecordsIt) {
  ovSenderSimSetVideoEncoders({{"A1", 1}, {"R1", 0}, {"A2", 1}});
  ovSenderSimSetAudioEncoders({{"N1", 2}, {"R1", 0}});
  Store("EncoderShowControl", "All");
  ASSERT_TRUE(StartConsole());
  ASSERT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1", "-", "A1", "A2"}));
  ovSenderSimClearCallLog();
  VideoEncoderItems()[3]->Click();  // the second item after the separator
  EXPECT_EQ(Calls({"SetVideoEncoder", "ComputeVideoWindow"}),
            (std::vector<std::string>{"SetVideoEncoder(2)", "ComputeVideoWindow()"}));
  EXPECT_EQ(Checked(VideoEncoderItems()), QStringList({"A2"}));
  AudioEncoderItems()[2]->Click();
  EXPECT_EQ(ovSenderGetAudioEncoder(), 0);

  ovCommandHistory& history = *Module().OperationHistory;
  ASSERT_EQ(history.Count(), 2);
  EXPECT_EQ(history.Categories(), (std::vector<int>{13, 12}));
  EXPECT_EQ(history.Entry(1)->Action()->Caption(), "A2");
  EXPECT_EQ(history.Entry(1)->Action()->Tag(), 2);
  Module().OperationAction->Execute();
  EXPECT_EQ(history.Entry(1)->Caption(), "ビデオエンコーダ \"A2\"");

  // Re-running the entry sets the stored index again.
  ovSenderSetVideoEncoder(0);
  ovSenderSimClearCallLog();
  history.Entry(1)->Click();
  EXPECT_EQ(Calls({"SetVideoEncoder", "ComputeVideoWindow"}),
            (std::vector<std::string>{"SetVideoEncoder(2)", "ComputeVideoWindow()"}));
  EXPECT_EQ(history.Count(), 3);  // it records itself again on top
  EXPECT_EQ(history.Categories().front(), 12);
}

TEST_F(SourceEncoderMenus, FilterChangeRebuildsBothEncoderRegions) {
  ovSenderSimSetVideoEncoders({{"R1", 0}, {"A1", 1}, {"N1", 2}});
  ovSenderSimSetAudioEncoders({{"A1", 1}, {"R1", 0}});
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1", "-", "A1"}));  // Require by default
  Module().AllEncoderShowAction->Execute();
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1", "-", "A1", "-", "N1"}));
  EXPECT_EQ(ItemCaptions(AudioEncoderItems()), QStringList({"R1", "-", "A1"}));
  Module().RecommendEncoderShowAction->Execute();
  EXPECT_EQ(ItemCaptions(VideoEncoderItems()), QStringList({"R1"}));
  EXPECT_EQ(ItemCaptions(AudioEncoderItems()), QStringList({"R1"}));
  EXPECT_EQ(Module().AudioEncoderIndexes, (std::vector<int>{1}));
  CloseConsole();
  EXPECT_EQ(Stored("EncoderShowControl"), "Recommend");
}

TEST_F(SourceEncoderMenus, SourcesListInEngineOrderWithTheCurrentChecked) {
  ovSenderSimSetVideoSources({{"cam0", {}}, {"cam1", {}}, {"cam2", {}}});
  ovSenderSimSetAudioSources({{"mic0", {}}, {"mic1", {}}});
  ovSenderSetVideoSource(1);
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ItemCaptions(VideoSourceItems()), QStringList({"cam0", "cam1", "cam2"}));
  EXPECT_EQ(Checked(VideoSourceItems()), QStringList({"cam1"}));
  EXPECT_EQ(Checked(AudioSourceItems()), QStringList({"mic0"}));

  ovSenderSimClearCallLog();
  VideoSourceItems()[2]->Click();
  EXPECT_EQ(Calls({"SetVideoSource", "ComputeVideoWindow"}),
            (std::vector<std::string>{"SetVideoSource(2)", "ComputeVideoWindow()"}));
  EXPECT_EQ(Checked(VideoSourceItems()), QStringList({"cam2"}));
  AudioSourceItems()[1]->Click();
  EXPECT_EQ(ovSenderGetAudioSource(), 1);
  ovCommandHistory& history = *Module().OperationHistory;
  EXPECT_EQ(history.Categories(), (std::vector<int>{11, 10}));
  EXPECT_EQ(history.Entry(1)->Action()->Caption(), "cam2");
  EXPECT_EQ(history.Entry(1)->Action()->Tag(), 2);

  // The engine changed behind the menu: opening it checks the engine's choice.
  ovSenderSetVideoSource(0);
  Open(Module().VideoSourceMenuItem);
  EXPECT_EQ(Checked(VideoSourceItems()), QStringList({"cam0"}));
}

TEST_F(SourceEncoderMenus, ChoosingFromTheRealMenuIsQueuedAndTakesEffect) {
  ovSenderSimSetVideoEncoders({{"R1", 0}, {"R2", 0}});
  ASSERT_TRUE(StartConsole());
  VideoEncoderItems()[1]->QtAction()->trigger();
  EXPECT_EQ(ovSenderGetVideoEncoder(), 0);  // not before the menu has closed
  QCoreApplication::processEvents();
  EXPECT_EQ(ovSenderGetVideoEncoder(), 1);
  EXPECT_TRUE(VideoEncoderItems()[1]->QtAction()->isChecked());
  EXPECT_FALSE(VideoEncoderItems()[0]->QtAction()->isChecked());
}
