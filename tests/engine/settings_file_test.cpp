#include "EngineFixture.h"

namespace {

class SettingsFileTest : public EngineTest {
 protected:
  // Everything the engine would save, as text, to compare whole states.
  std::string snapshot() {
    const auto path = (home() / "snapshot.ini").string();
    EXPECT_TRUE(ovSenderWriteIniFile(path.c_str()));
    return readFileText(path);
  }
};

TEST_F(SettingsFileTest, WrittenSettingsComeBackAfterChanges) {
  ovSenderSetAddress("ff15::1:2");
  ovSenderSetTimeToLive(32);
  ovSenderSetCaption("Lecture = part 2; room \"A\"\nsecond line");
  ovSenderSetVideoSource(1);
  ovSenderSetAudioEncoder(2);
  ovSenderSetNonLinearZoomMaskSize(320, 48);
  ovSenderSetFocusFrameVisible(false);
  const auto saved = (home() / "saved.ini").string();
  ASSERT_TRUE(ovSenderWriteIniFile(saved.c_str()));

  ovSenderSimReset();
  ASSERT_TRUE(ovSenderReadIniFile(saved.c_str()));
  EXPECT_STREQ(ovSenderGetAddress(), "ff15::1:2");
  EXPECT_EQ(ovSenderGetTimeToLive(), 32);
  EXPECT_STREQ(ovSenderGetCaption(), "Lecture = part 2; room \"A\"\nsecond line");
  EXPECT_EQ(ovSenderGetVideoSource(), 1);
  EXPECT_EQ(ovSenderGetAudioEncoder(), 2);
  int width = 0, height = 0;
  ovSenderGetNonLinearZoomMaskSize(&width, &height);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 48);
  EXPECT_FALSE(ovSenderGetFocusFrameVisible());
}

TEST_F(SettingsFileTest, InvalidFilesAreRejectedAndChangeNothing) {
  ovSenderSetTimeToLive(7);
  const std::string before = snapshot();
  const std::vector<std::pair<const char *, std::string>> files = {
      {"no section", "TimeToLive=9\n"},
      {"other section", "[Other]\nTimeToLive=9\n"},
      {"two sections", "[Settings]\nTimeToLive=9\n[Settings]\n"},
      {"unknown key", "[Settings]\nTimeToLive=9\nColour=red\n"},
      {"duplicate key", "[Settings]\nTimeToLive=9\nTimeToLive=10\n"},
      {"not a number", "[Settings]\nTimeToLive=9\nPacketSize=12x\n"},
      {"out of range", "[Settings]\nTimeToLive=9\nTransmissionCount=5\n"},
      {"bad boolean", "[Settings]\nTimeToLive=9\nCaptionOn=yes\n"},
      {"no equals", "[Settings]\nTimeToLive=9\nCaptionOn\n"},
      {"dangling escape", "[Settings]\nTimeToLive=9\nCaption=end\\\n"},
      {"binary", std::string("[Settings]\nTimeToLive=9\n\0\n", 26)},
  };
  for (const auto &[name, text] : files) {
    const auto path = writeFile("bad.ini", text);
    EXPECT_FALSE(ovSenderReadIniFile(path.c_str())) << name;
    EXPECT_EQ(snapshot(), before) << name;
  }
  EXPECT_FALSE(ovSenderReadIniFile((home() / "missing.ini").c_str()));
  EXPECT_FALSE(ovSenderReadIniFile(home().c_str()));
  EXPECT_FALSE(ovSenderReadIniFile(nullptr));
  EXPECT_EQ(snapshot(), before);
}

TEST_F(SettingsFileTest, PartialFileKeepsTheRestAndAcceptsComments) {
  ovSenderSetPacketSize(900);
  const auto path = writeFile("partial.ini", "; saved by hand\r\n[Settings]\r\n\r\n# hop count\r\nTimeToLive=64\r\n");
  ASSERT_TRUE(ovSenderReadIniFile(path.c_str()));
  EXPECT_EQ(ovSenderGetTimeToLive(), 64);
  EXPECT_EQ(ovSenderGetPacketSize(), 900);
}

TEST_F(SettingsFileTest, DevicesGoByNameAndAnAbsentOneKeepsTheChoice) {
  ovSenderSimSetVideoSources({{"Cam A", {}}, {"Cam B", {}}});
  ovSenderSetVideoSource(1);
  ASSERT_TRUE(ovSenderReadIniFile(writeFile("a.ini", "[Settings]\nVideoSource=Cam A\n").c_str()));
  EXPECT_EQ(ovSenderGetVideoSource(), 0);
  ASSERT_TRUE(ovSenderReadIniFile(writeFile("b.ini", "[Settings]\nVideoSource=Gone\n").c_str()));
  EXPECT_EQ(ovSenderGetVideoSource(), 0);
}

TEST_F(SettingsFileTest, WriteToAnImpossiblePathFails) {
  EXPECT_FALSE(ovSenderWriteIniFile((home() / "no" / "such" / "folder.ini").c_str()));
  EXPECT_FALSE(ovSenderWriteIniFile(""));
  EXPECT_FALSE(ovSenderWriteIniFile(nullptr));
}

}  // namespace
