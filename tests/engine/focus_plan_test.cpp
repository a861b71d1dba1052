// What each focus display mode asks of the pipeline, from the settings.
#include <gtest/gtest.h>

#include "FocusPlan.h"

namespace {

using ovgst::FocusMode;

TEST(FocusPlan, EachModeSendsItsPicturesAtTheirSizes) {
  struct Case {
    int display;
    FocusMode mode;
    int mainWidth, mainHeight, regionWidth, regionHeight, subWidth, subHeight;
  } cases[] = {
      {0, FocusMode::None, 320, 240, 0, 0, 0, 0},
      {4, FocusMode::None, 320, 240, 0, 0, 0, 0},                   // unknown codes show nothing
      {1, FocusMode::PartialZoom, 320, 240, 160, 120, 640, 480},    // source 160x120, output 640x480
      {2, FocusMode::NonLinearZoom, 1280, 720, 0, 0, 0, 0},         // output 1280x720
      {3, FocusMode::ImageCompound, 176, 144, 160, 120, 800, 600},  // base QCIF, additional 800x600
  };
  ovsim::EngineSettings settings;
  settings.partialZoomSourceVideoResolution = 3;
  settings.partialZoomOutputVideoResolution = 6;
  settings.nonLinearZoomOutputVideoResolution = 12;
  settings.imageCompoundBaseVideoResolution = 1;
  settings.imageCompoundAdditionalVideoResolution = 8;
  for (const auto &c : cases) {
    settings.focusDisplay = c.display;
    const auto plan = ovgst::focusPlanFor(settings, 320, 240);
    EXPECT_EQ(plan.mode, c.mode) << c.display;
    EXPECT_EQ(plan.mainWidth, c.mainWidth) << c.display;
    EXPECT_EQ(plan.mainHeight, c.mainHeight) << c.display;
    EXPECT_EQ(plan.regionWidth, c.regionWidth) << c.display;
    EXPECT_EQ(plan.regionHeight, c.regionHeight) << c.display;
    EXPECT_EQ(plan.subWidth, c.subWidth) << c.display;
    EXPECT_EQ(plan.subHeight, c.subHeight) << c.display;
    EXPECT_EQ(plan.sendsSub(), c.subWidth > 0) << c.display;
  }
}

TEST(FocusPlan, APartialZoomSourceLargerThanThePictureIsTheWholePicture) {
  ovsim::EngineSettings settings;
  settings.focusDisplay = 1;
  settings.partialZoomSourceVideoResolution = 13;  // 1920x1080 of a 320x240 picture
  const auto plan = ovgst::focusPlanFor(settings, 320, 240);
  EXPECT_EQ(plan.regionWidth, 320);
  EXPECT_EQ(plan.regionHeight, 240);
  EXPECT_NE(ovgst::focusSubInput(plan, 320, 240).find("left=0 top=0 right=0 bottom=0"), std::string::npos);
}

// Sizes outside 10..720 (the engine keeps what it is given) would make a mask of nothing or of gigabytes.
TEST(FocusPlan, TheLookKeepsMaskSizesAndCodesInRange) {
  struct Case {
    int width, height, mask, compoundMask, blending;
    int expectedWidth, expectedHeight, expectedMask, expectedCompoundMask, expectedBlending;
  } cases[] = {
      {100, 100, 1, 1, 1, 100, 100, 1, 1, 1},
      {-5, 30000, 7, -1, 9, 10, 720, 1, 0, 1},
      {9, 721, 0, 2, 0, 10, 720, 0, 2, 0},
  };
  for (const auto &c : cases) {
    ovsim::EngineSettings settings;
    settings.nonLinearZoomMaskWidth = c.width;
    settings.nonLinearZoomMaskHeight = c.height;
    settings.nonLinearZoomMaskType = c.mask;
    settings.imageCompoundMaskType = c.compoundMask;
    settings.imageCompoundBlendingType = c.blending;
    const auto look = ovgst::focusLookFor(settings, {0.25, 0.75});
    EXPECT_EQ(look.zoomMaskWidth, c.expectedWidth);
    EXPECT_EQ(look.zoomMaskHeight, c.expectedHeight);
    EXPECT_EQ(look.zoomMask, c.expectedMask);
    EXPECT_EQ(look.compoundMask, c.expectedCompoundMask);
    EXPECT_EQ(look.blending, c.expectedBlending);
    EXPECT_EQ(look.point, (ovsim::FocusPoint{0.25, 0.75}));
  }
}

}  // namespace
