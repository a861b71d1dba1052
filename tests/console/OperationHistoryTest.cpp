#include "ConsoleFixture.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"

#include <QMenu>

using OperationHistory = ConsoleFixture;

namespace {
QStringList Captions(const ovCommandHistory& history) {
  QStringList captions;
  for (int i = 0; i < history.Count(); ++i) captions << history.Entry(i)->Caption();
  return captions;
}
}  // namespace

TEST_F(OperationHistory, RepeatedActionIsRecordedOnce) {
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  Module().ResolutionCIFAction->Execute();
  Module().ResolutionCIFAction->Execute();
  EXPECT_EQ(history.Count(), 1);
  Module().ResolutionQCIFAction->Execute();
  Module().ResolutionCIFAction->Execute();
  Module().OperationAction->Execute();
  EXPECT_EQ(Captions(history), QStringList({"解像度 \"CIF(352x288)\"", "解像度 \"QCIF(176x144)\"", "解像度 \"CIF(352x288)\""}));
  EXPECT_EQ(history.Categories(), (std::vector<int>{4, 4, 4}));
}

TEST_F(OperationHistory, OpeningTheMenuKeepsTheNewestTwenty) {
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  for (int i = 0; i < 25; ++i) Module().ResolutionActions[static_cast<size_t>(i % 2)]->Execute();
  Module().TransmissionCount2Action->Execute();  // the newest of 26
  EXPECT_EQ(history.Count(), 26);
  emit Module().OperationMenuItem->QtMenu()->aboutToShow();
  EXPECT_EQ(history.Count(), 20);
  EXPECT_EQ(history.Categories().size(), 20u);
  EXPECT_EQ(history.Entry(0)->Caption(), "重複送信回数 \"2回(&2)\"");
  EXPECT_EQ(Module().OperationHistoryEndMenuItem->MenuIndex() - Module().OperationHistoryBeginMenuItem->MenuIndex(), 21);
}

TEST_F(OperationHistory, UncategorisedEntryStartsWithASpaceAndNamesFollowTheLanguage) {
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  Module().VideoTransmissionOnAction->Execute();
  Module().TransmissionRate100KbpsAction->Execute();
  Module().OperationAction->Execute();
  EXPECT_EQ(Captions(history), QStringList({"最大総送信レート \"100Kbps\"", " \"ビデオの送信(&V)\""}));
  form_->Language->SelectCode("en");
  Module().OperationAction->Execute();
  EXPECT_EQ(history.Entry(0)->Caption(), "Transmission Rate \"100Kbps\"");
}

TEST_F(OperationHistory, EntriesRunTheirActionAgainAndAreRefreshedUnchecked) {
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  Module().ResolutionCIFAction->Execute();
  Module().ResolutionQCIFAction->Execute();
  Idle();
  Module().OperationAction->Execute();
  EXPECT_FALSE(history.Entry(1)->Checked());
  ovSenderSimClearCallLog();
  history.Entry(1)->Click();  // CIF
  EXPECT_EQ(ovSenderGetVideoResolution(), 2);
  EXPECT_EQ(history.Count(), 3);
}

TEST_F(OperationHistory, RecordedValuesReExecuteByCategory) {
  ovSenderSimSetVideoSources({{"Camera A", {}}, {"Camera B", {}}});
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  history.RecordValue("Camera B", 1, CategoryVideoSource);
  history.RecordValue("Camera B", 1, CategoryVideoSource);
  EXPECT_EQ(history.Count(), 1);
  history.RecordValue("Camera B", 1, CategoryAudioSource);  // same text, other category
  EXPECT_EQ(history.Count(), 2);
  Module().ResolutionCIFAction->Execute();
  ovSenderSimClearCallLog();
  history.Entry(2)->Click();
  EXPECT_EQ(Calls({"SetVideoSource", "ComputeVideoWindow"}),
            (std::vector<std::string>{"SetVideoSource(1)", "ComputeVideoWindow()"}));
  EXPECT_EQ(history.Count(), 4);  // it records itself again on top
  EXPECT_EQ(history.Categories().front(), CategoryVideoSource);
  Module().OperationAction->Execute();
  EXPECT_EQ(history.Entry(0)->Caption(), "ビデオソース \"Camera B\"");
}

TEST_F(OperationHistory, SourceMenuClickRecordsTheSourceByName) {
  ovSenderSimSetVideoSources({{"Camera A", {}}, {"Camera B", {}}});
  ASSERT_TRUE(StartConsole());
  const auto region =
      TMainDataModule::MenuRegion(Module().VideoSourceBeginMenuItem, Module().VideoSourceEndMenuItem);
  ASSERT_EQ(region.size(), 2u);
  EXPECT_TRUE(region[0]->Checked());
  region[1]->Click();
  EXPECT_EQ(ovSenderGetVideoSource(), 1);
  EXPECT_TRUE(region[1]->Checked());
  EXPECT_FALSE(region[0]->Checked());
  Module().OperationAction->Execute();
  EXPECT_EQ(Module().OperationHistory->Entry(0)->Caption(), "ビデオソース \"Camera B\"");
}

TEST_F(OperationHistory, EntriesShowTheirOwnStateNotTheRecordedActions) {
  ASSERT_TRUE(StartConsole());
  ovCommandHistory& history = *Module().OperationHistory;
  Module().TransmissionRate1MbpsAction->Execute();
  Module().OperationAction->Execute();
  auto setAllRates = [](int rate) {
    for (auto set : {ovSenderSetVideoSenderMainMaxTransmissionRate, ovSenderSetVideoSenderSubMaxTransmissionRate,
                     ovSenderSetAudioSenderMaxTransmissionRate, ovSenderSetPointerSenderMaxTransmissionRate,
                     ovSenderSetStatusSenderMaxTransmissionRate})
      set(rate);
  };
  // The rate's check mark goes and comes back while the entry is listed.
  setAllRates(10485760);
  Idle();
  setAllRates(1048576);
  Module().TransmissionRate1MbpsAction->SetEnabled(false);  // nor its enabled state
  Idle();
  ASSERT_TRUE(Module().TransmissionRate1MbpsAction->Checked());
  TMenuItem* entry = history.Entry(0);
  EXPECT_FALSE(entry->Checked());
  EXPECT_FALSE(entry->QtAction()->isChecked());
  EXPECT_TRUE(entry->Enabled());
  EXPECT_EQ(entry->Caption(), "最大総送信レート \"1Mbps\"");
}
