#include <chrono>
#include <set>
#include <thread>

#include "EngineFixture.h"

namespace {

using namespace std::chrono_literals;

class EngineStateTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_TRUE(ovSenderInitialize(4242));
  }
};

struct IntSetting {
  const char *name;
  int (*get)();
  void (*set)(int);
  int value;
};

struct BoolSetting {
  const char *name;
  bool (*get)();
  void (*set)(bool);
};

TEST_F(EngineStateTest, FreshEngineIsValidWithSaneDefaults) {
  EXPECT_TRUE(ovSenderIsInitialized());
  EXPECT_TRUE(ovSenderGetValid());
  EXPECT_FALSE(ovSenderGetStart());
  EXPECT_GE(ovSenderGetNumVideoSources(), 1);
  EXPECT_GE(ovSenderGetNumAudioSources(), 1);
  EXPECT_EQ(ovSenderGetTransmissionCount(), 1);
  EXPECT_GE(ovSenderGetTimeToLive(), 1);
  EXPECT_GE(ovSenderGetPacketSize(), 512);
  EXPECT_LE(ovSenderGetPacketSize(), 1472);
  EXPECT_STREQ(ovSenderGetCaption(), "");
  EXPECT_GE(ovSenderGetVideoSenderMainMaxTransmissionRate(), 1024);
  EXPECT_GE(ovSenderGetStatusSenderMaxTransmissionRate(), 1024);
  int width = 0, height = 0;
  ovSenderGetNonLinearZoomMaskSize(&width, &height);
  EXPECT_TRUE(width >= 10 && width <= 720 && height >= 10 && height <= 720);
  int identity = -1, kind = -1;
  char text[OVSENDER_ERROR_TEXT_SIZE] = "junk";
  ovSenderGetErrorMessage(&identity, &kind, text);
  EXPECT_EQ(kind, OVSENDER_ERROR_NONE);
  EXPECT_STREQ(text, "");
}

TEST_F(EngineStateTest, EveryNumberReadsBackAsSet) {
  const IntSetting settings[] = {
      {"VideoResolution", ovSenderGetVideoResolution, ovSenderSetVideoResolution, 13},
      {"VideoWindowPolicy", ovSenderGetVideoWindowPolicy, ovSenderSetVideoWindowPolicy, 1},
      {"FocusDisplay", ovSenderGetFocusDisplay, ovSenderSetFocusDisplay, 3},
      {"FocusCoordinate", ovSenderGetFocusCoordinate, ovSenderSetFocusCoordinate, 0},
      {"PartialZoomOutput", ovSenderGetPartialZoomOutputVideoResolution, ovSenderSetPartialZoomOutputVideoResolution, 9},
      {"PartialZoomSource", ovSenderGetPartialZoomSourceVideoResolution, ovSenderSetPartialZoomSourceVideoResolution, 8},
      {"NonLinearOutput", ovSenderGetNonLinearZoomOutputVideoResolution, ovSenderSetNonLinearZoomOutputVideoResolution, 7},
      {"NonLinearMask", ovSenderGetNonLinearZoomMaskType, ovSenderSetNonLinearZoomMaskType, 0},
      {"CompoundBase", ovSenderGetImageCompoundBaseVideoResolution, ovSenderSetImageCompoundBaseVideoResolution, 2},
      {"CompoundAdd", ovSenderGetImageCompoundAdditionalVideoResolution, ovSenderSetImageCompoundAdditionalVideoResolution, 11},
      {"CompoundMask", ovSenderGetImageCompoundMaskType, ovSenderSetImageCompoundMaskType, 2},
      {"CompoundBlend", ovSenderGetImageCompoundBlendingType, ovSenderSetImageCompoundBlendingType, 0},
      {"TimeToLive", ovSenderGetTimeToLive, ovSenderSetTimeToLive, 100},
      {"PacketSize", ovSenderGetPacketSize, ovSenderSetPacketSize, 8192},
      {"TransmissionCount", ovSenderGetTransmissionCount, ovSenderSetTransmissionCount, 4},
      {"MainMax", ovSenderGetVideoSenderMainMaxTransmissionRate, ovSenderSetVideoSenderMainMaxTransmissionRate, 1073741824},
      {"SubMax", ovSenderGetVideoSenderSubMaxTransmissionRate, ovSenderSetVideoSenderSubMaxTransmissionRate, 307200},
      {"AudioMax", ovSenderGetAudioSenderMaxTransmissionRate, ovSenderSetAudioSenderMaxTransmissionRate, 1024},
      {"PointerMax", ovSenderGetPointerSenderMaxTransmissionRate, ovSenderSetPointerSenderMaxTransmissionRate, 2048},
      {"StatusMax", ovSenderGetStatusSenderMaxTransmissionRate, ovSenderSetStatusSenderMaxTransmissionRate, 4096},
  };
  for (const auto &setting : settings) {
    setting.set(setting.value);
    EXPECT_EQ(setting.get(), setting.value) << setting.name;
  }
  EXPECT_TRUE(ovSenderGetValid());
}

TEST_F(EngineStateTest, EverySwitchReadsBackAsSet) {
  const BoolSetting switches[] = {
      {"Start", ovSenderGetStart, ovSenderSetStart},
      {"Video", ovSenderGetVideoTransmissionOn, ovSenderSetVideoTransmissionOn},
      {"Audio", ovSenderGetAudioTransmissionOn, ovSenderSetAudioTransmissionOn},
      {"Focus", ovSenderGetFocusTransmissionOn, ovSenderSetFocusTransmissionOn},
      {"DirectVideo", ovSenderGetDirectVideoModeOn, ovSenderSetDirectVideoModeOn},
      {"DVInterleaved", ovSenderGetDVInterleavedModeOn, ovSenderSetDVInterleavedModeOn},
      {"KeepAspect", ovSenderGetKeepVideoAspect, ovSenderSetKeepVideoAspect},
      {"FitWindow", ovSenderGetFitWindowToVideo, ovSenderSetFitWindowToVideo},
      {"FocusFrame", ovSenderGetFocusFrameVisible, ovSenderSetFocusFrameVisible},
      {"Caption", ovSenderGetCaptionOn, ovSenderSetCaptionOn},
  };
  for (bool value : {true, false, true}) {
    for (const auto &s : switches) {
      s.set(value);
      EXPECT_EQ(s.get(), value) << s.name;
    }
  }
}

TEST_F(EngineStateTest, EncodersOfEveryPriorityAndSourcesWithPages) {
  std::set<int> videoPriorities, audioPriorities;
  for (int i = 0; i < ovSenderGetNumVideoEncoder(); ++i) videoPriorities.insert(ovSenderGetVideoEncoderPriority(i));
  for (int i = 0; i < ovSenderGetNumAudioEncoder(); ++i) audioPriorities.insert(ovSenderGetAudioEncoderPriority(i));
  EXPECT_EQ(videoPriorities, (std::set<int>{0, 1, 2}));
  EXPECT_EQ(audioPriorities, (std::set<int>{0, 1, 2}));
  EXPECT_STRNE(ovSenderGetVideoEncoderFriendlyName(0), "");
  EXPECT_STREQ(ovSenderGetVideoEncoderFriendlyName(99), "");

  ASSERT_GE(ovSenderGetNumVideoSourcePropertyPages(), 1);
  const std::string page = ovSenderGetVideoSourcePropertyPageName(0);
  ovSenderShowVideoSourcePropertyPage(77, 0);
  ovSenderShowAudioSourcePropertyPage(78, 5);
  const auto shown = ovSenderSimShownPropertyPages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[0].video);
  EXPECT_EQ(shown[0].name, page);
  EXPECT_EQ(shown[0].owner, 77u);
  EXPECT_FALSE(shown[1].video);
  EXPECT_EQ(shown[1].name, "");
}

TEST_F(EngineStateTest, InjectedDevicesReplaceTheSimulatedOnes) {
  ovSenderSimSetVideoSources({{"Cam", {"Format", "Exposure"}}});
  ovSenderSimSetAudioSources({});
  ovSenderSimSetVideoEncoders({{"Only", 2}});
  EXPECT_EQ(ovSenderGetNumVideoSources(), 1);
  EXPECT_STREQ(ovSenderGetVideoSourceFriendlyName(0), "Cam");
  EXPECT_STREQ(ovSenderGetVideoSourcePropertyPageName(1), "Exposure");
  EXPECT_EQ(ovSenderGetNumAudioSources(), 0);
  EXPECT_EQ(ovSenderGetAudioSource(), -1);
  EXPECT_EQ(ovSenderGetNumAudioSourcePropertyPages(), 0);
  EXPECT_EQ(ovSenderGetVideoEncoderPriority(0), 2);
  EXPECT_FALSE(ovSenderGetValid());  // audio is on but there is nothing to capture it from
  ovSenderSetAudioTransmissionOn(false);
  EXPECT_TRUE(ovSenderGetValid());
}

TEST_F(EngineStateTest, UnworkableConfigurationsReportAnError) {
  struct Case {
    const char *name;
    void (*breakIt)();
    int kind;
  };
  const Case cases[] = {
      {"not an address", [] { ovSenderSetAddress("not.an.address"); }, OVSENDER_ERROR_UNEXPECTED},
      {"unicast", [] { ovSenderSetAddress("192.168.1.1"); }, OVSENDER_ERROR_UNEXPECTED},
      {"no such source", [] { ovSenderSetVideoSource(9); }, OVSENDER_ERROR_WRONG_CAPTURE},
      {"no such encoder", [] { ovSenderSetVideoEncoder(-1); }, OVSENDER_ERROR_WRONG_ENCODER},
      {"count", [] { ovSenderSetTransmissionCount(0); }, OVSENDER_ERROR_UNEXPECTED},
      {"DV without direct mode", [] { ovSenderSetDVInterleavedModeOn(true); }, OVSENDER_ERROR_WRONG_MEDIATYPE},
  };
  std::set<int> identities;
  for (const auto &c : cases) {
    ovSenderSimReset();
    ASSERT_TRUE(ovSenderInitialize(1));
    c.breakIt();
    EXPECT_FALSE(ovSenderGetValid()) << c.name;
    int identity = 0, kind = 0;
    char text[OVSENDER_ERROR_TEXT_SIZE] = "";
    ovSenderGetErrorMessage(&identity, &kind, text);
    EXPECT_EQ(kind, c.kind) << c.name;
    EXPECT_STRNE(text, "") << c.name;
    identities.insert(identity);
  }
  EXPECT_EQ(identities.size(), std::size(cases));
}

TEST_F(EngineStateTest, InjectedErrorIsReportedUntilCleared) {
  ovSenderSimSetError(7, OVSENDER_ERROR_NOTFOUND_DECODER, std::string(300, 'e'));
  EXPECT_FALSE(ovSenderGetValid());
  int identity = 0, kind = 0;
  char text[OVSENDER_ERROR_TEXT_SIZE + 8];
  std::fill(std::begin(text), std::end(text), '#');
  ovSenderGetErrorMessage(&identity, &kind, text);
  EXPECT_EQ(identity, 7);
  EXPECT_EQ(kind, OVSENDER_ERROR_NOTFOUND_DECODER);
  EXPECT_EQ(std::string(text).size(), OVSENDER_ERROR_TEXT_SIZE - 1u);
  EXPECT_EQ(text[OVSENDER_ERROR_TEXT_SIZE], '#');
  ovSenderSimClearError();
  EXPECT_TRUE(ovSenderGetValid());
}

TEST_F(EngineStateTest, RatesFlowOnlyWhileStartedAndStayUnderTheirMaxima) {
  EXPECT_EQ(ovSenderGetVideoSenderMainTransmissionRate(), 0);
  ovSenderSetVideoResolution(13);
  ovSenderSetVideoSenderMainMaxTransmissionRate(300 * 1024);
  ovSenderSetFocusDisplay(1);
  ovSenderSetStart(true);
  for (int i = 0; i < 3; ++i) {
    const int main = ovSenderGetVideoSenderMainTransmissionRate();
    EXPECT_GT(main, 0);
    EXPECT_LE(main, 300 * 1024);
    EXPECT_GT(ovSenderGetVideoSenderMainFrameRate(), 0);
    EXPECT_LE(ovSenderGetVideoSenderSubTransmissionRate(), ovSenderGetVideoSenderSubMaxTransmissionRate());
    EXPECT_GT(ovSenderGetAudioSenderTransmissionRate(), 0);
    EXPECT_GT(ovSenderGetPointerSenderFrameRate(), 0);
    std::this_thread::sleep_for(20ms);
  }
  ovSenderSetAudioTransmissionOn(false);
  EXPECT_EQ(ovSenderGetAudioSenderTransmissionRate(), 0);
  ovSenderSetAddress("bad");
  EXPECT_EQ(ovSenderGetVideoSenderMainTransmissionRate(), 0);
  ovSenderSimSetSenderRates(OvSenderSimSender::VideoMain, 1536, 12);
  EXPECT_EQ(ovSenderGetVideoSenderMainTransmissionRate(), 1536);
  EXPECT_EQ(ovSenderGetVideoSenderMainFrameRate(), 12);
}

TEST_F(EngineStateTest, VolumeMovesWithinRange) {
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < 20; ++i) {
    ovSenderSetVolumeEvaluationTime(100);
    int left = 1, right = 1;
    ovSenderGetVolume(&left, &right);
    EXPECT_TRUE(left >= -3000 && left <= 0 && right >= -3000 && right <= 0);
    seen.insert({left, right});
    std::this_thread::sleep_for(15ms);
  }
  EXPECT_GT(seen.size(), 3u);
  EXPECT_EQ(ovSenderSimVolumeEvaluationTime(), 100);
  ovSenderSimSetVolume(-2500, -10);
  int left = 0, right = 0;
  ovSenderGetVolume(&left, &right);
  EXPECT_EQ(left, -2500);
  EXPECT_EQ(right, -10);
}

TEST_F(EngineStateTest, ClipsPlayOnlyForReadableFilesAndStopAfterTheirTime) {
  ovSenderSimSetPlayDuration(500);
  EXPECT_FALSE(ovSenderPlayVideoClip((home() / "missing.avi").c_str()));
  EXPECT_FALSE(ovSenderPlayVideoClip(home().c_str()));
  EXPECT_FALSE(ovSenderPlaySoundFile(nullptr));
  EXPECT_FALSE(ovSenderIsPlayVideoClip());
  const auto clip = writeFile("clip.avi", "RIFF");
  EXPECT_TRUE(ovSenderPlayVideoClip(clip.c_str()));
  EXPECT_TRUE(ovSenderIsPlayVideoClip());
  EXPECT_FALSE(ovSenderIsPlaySoundFile());
  std::this_thread::sleep_for(700ms);
  EXPECT_FALSE(ovSenderIsPlayVideoClip());
}

TEST_F(EngineStateTest, InitializeFailsOnRequest) {
  ovSenderShutdown();
  ::setenv("OVSENDER_SIM_FAIL_INITIALIZE", "1", 1);
  EXPECT_FALSE(ovSenderInitialize(1));
  ::setenv("OVSENDER_SIM_FAIL_INITIALIZE", "0", 1);
  EXPECT_TRUE(ovSenderInitialize(1));
  ::unsetenv("OVSENDER_SIM_FAIL_INITIALIZE");
  ovSenderSimSetFailInitialize(true);
  EXPECT_FALSE(ovSenderInitialize(1));
}

TEST_F(EngineStateTest, QuitRequestIsReported) {
  EXPECT_FALSE(ovSenderCheckQuit());
  ovSenderSimSetQuitRequest(true);
  EXPECT_TRUE(ovSenderCheckQuit());
}

}  // namespace
