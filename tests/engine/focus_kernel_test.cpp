// The focus pictures' kernels on small frames made here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "FocusCompose.h"
#include "FocusRegion.h"
#include "NonLinearZoom.h"

namespace {

using namespace ovfocus;

std::vector<std::uint8_t> noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
  for (auto &p : pixels) p = static_cast<std::uint8_t>(random());
  return pixels;
}

TEST(FocusRegion, StaysInsideThePictureAtEvenPositions) {
  struct Case {
    double fx, fy;
    int width, height;
    Rect expected;
  } cases[] = {
      {0.5, 0.5, 160, 120, {80, 60, 160, 120}},    // centred
      {0.0, 0.0, 160, 120, {0, 0, 160, 120}},      // pushed in at the top left
      {1.0, 1.0, 160, 120, {160, 120, 160, 120}},  // and at the bottom right
      {0.3, 0.7, 161, 120, {16, 108, 161, 120}},   // odd sizes keep even corners
      {0.5, 0.5, 640, 480, {0, 0, 320, 240}},      // larger than the picture: the whole picture
      {NAN, 0.5, 100, 100, {110, 70, 100, 100}},   // no x: the centre
  };
  for (const auto &c : cases) {
    const Rect rect = regionAround(c.fx, c.fy, c.width, c.height, 320, 240);
    EXPECT_EQ(rect, c.expected) << c.fx << "," << c.fy << " " << c.width << "x" << c.height;
    EXPECT_GE(rect.x, 0);
    EXPECT_LE(rect.x + rect.width, 320);
    EXPECT_EQ(rect.x % 2, 0);
    EXPECT_EQ(rect.y % 2, 0);
  }
}

struct ZoomCase {
  ZoomMask mask;
  int maskWidth, maskHeight;
  int centreX, centreY;
};

const ZoomCase kZoomCases[] = {
    {ZoomMask::Ellipse, 100, 100, 160, 120}, {ZoomMask::Rectangle, 100, 60, 160, 120},
    {ZoomMask::Ellipse, 720, 720, 160, 120},  // larger than the picture
    {ZoomMask::Rectangle, 80, 80, 0, 239},    // reaching past two edges
    {ZoomMask::Ellipse, 24, 24, 319, 0},
};

bool insideMask(const ZoomCase &c, int x, int y) {
  const double u = (x - c.centreX) / (c.maskWidth / 2.0), v = (y - c.centreY) / (c.maskHeight / 2.0);
  return c.mask == ZoomMask::Rectangle ? std::max(std::abs(u), std::abs(v)) < 1.0 : u * u + v * v < 1.0;
}

TEST(NonLinearZoom, ChangesNothingOutsideTheMaskWhereverItLies) {
  constexpr int kWidth = 320, kHeight = 240, kStride = 336;
  for (const auto &c : kZoomCases) {
    const auto original = noise(kStride, kHeight, 7);
    auto picture = original;
    std::vector<std::uint8_t> scratch;
    applyNonLinearZoom(picture.data(), kWidth, kHeight, kStride, c.centreX, c.centreY,
                       NonLinearZoomMap(c.mask, c.maskWidth, c.maskHeight), scratch);
    int changedOutside = 0, changedInside = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kStride; ++x) {
        const auto i = static_cast<std::size_t>(y) * kStride + x;
        const bool changed = picture[i] != original[i];
        // A pixel on the mask's edge rounds either way; one pixel of margin.
        if (x >= kWidth || !insideMask({c.mask, c.maskWidth + 2, c.maskHeight + 2, c.centreX, c.centreY}, x, y))
          changedOutside += changed;
        else
          changedInside += changed;
      }
    EXPECT_EQ(changedOutside, 0) << c.maskWidth << "x" << c.maskHeight << " at " << c.centreX << "," << c.centreY;
    EXPECT_GT(changedInside, 0) << c.maskWidth << "x" << c.maskHeight << " at " << c.centreX << "," << c.centreY;
  }
}

// On a picture whose value is its column, a pixel's value says where it was read from.
TEST(NonLinearZoom, MagnifiesTheCentreAndJoinsTheRestAtTheEdge) {
  constexpr int kWidth = 240, kHeight = 200;
  for (const ZoomMask mask : {ZoomMask::Rectangle, ZoomMask::Ellipse}) {
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) picture[static_cast<std::size_t>(y) * kWidth + x] = static_cast<std::uint8_t>(x);
    std::vector<std::uint8_t> scratch;
    applyNonLinearZoom(picture.data(), kWidth, kHeight, kWidth, 120, 100, NonLinearZoomMap(mask, 160, 120), scratch);
    const std::uint8_t *row = picture.data() + 100 * kWidth;
    EXPECT_EQ(row[120], 120);
    EXPECT_NEAR(row[130] - 120, 5, 1) << "twice as large at the centre";
    EXPECT_NEAR(row[110] - 120, -5, 1);
    int largestStep = 0;
    for (int x = 1; x < kWidth; ++x) largestStep = std::max(largestStep, row[x] - row[x - 1]);
    EXPECT_LE(largestStep, 2) << "no jump anywhere, the mask's edge included";
    for (int x = 1; x < kWidth; ++x) EXPECT_GE(row[x], row[x - 1]) << "the order of pixels is kept at " << x;
  }
}

TEST(RegionWeights, FollowTheMaskAndBlendTowardsItsEdge) {
  struct Case {
    CompoundMask mask;
    Blending blending;
    int centre, corner, besideCentre;  // besideCentre: one checkerboard cell to the right of the centre cell
  } cases[] = {
      {CompoundMask::Rectangle, Blending::Simple, 256, 256, 256},
      {CompoundMask::Ellipse, Blending::Simple, 256, 0, 256},
      {CompoundMask::Checkerboard, Blending::Simple, 256, 256, 0},
      {CompoundMask::Rectangle, Blending::BlendedBorder, 256, 0, 256},
      {CompoundMask::Ellipse, Blending::BlendedBorder, 256, 0, 256},
  };
  constexpr int kWidth = 160, kHeight = 160, kCell = kHeight / kCheckerCells;
  for (const auto &c : cases) {
    const RegionWeights weights(kWidth, kHeight, c.mask, c.blending);
    const int centre = kCell * 2 + kCell / 2;  // the middle of a cell that shows
    EXPECT_EQ(weights.at(centre, centre), c.centre);
    EXPECT_NEAR(weights.at(0, 0), c.corner, 8) << static_cast<int>(c.mask) << "/" << static_cast<int>(c.blending);
    if (c.blending == Blending::Simple) {
      EXPECT_EQ(weights.at(centre + kCell, centre), c.besideCentre);
    }
    if (c.blending == Blending::BlendedBorder) {
      for (int x = 1; x <= kWidth / 2; ++x) EXPECT_GE(weights.at(x, kHeight / 2), weights.at(x - 1, kHeight / 2));
      EXPECT_GT(weights.at(8, kHeight / 2), 0);
      EXPECT_LT(weights.at(8, kHeight / 2), 256) << "a soft border, not a step";
    }
  }
}

std::vector<std::uint8_t> bgrxNoise(int width, int height) { return noise(width * 4, height, 11); }

TEST(FocusCompose, KeepsTheRegionAndShowsTheBaseElsewhere) {
  constexpr int kWidth = 64, kHeight = 48;
  const auto original = bgrxNoise(kWidth, kHeight);
  auto base = original;
  std::vector<std::uint8_t> line;
  enlargeFromBase({base.data(), kWidth, kHeight, kWidth * 4}, kWidth / 4, kHeight / 4, line);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int ch = 0; ch < 4; ++ch)
        ASSERT_EQ(base[(y * kWidth + x) * 4 + ch], base[((y / 4 * 4) * kWidth + x / 4 * 4) * 4 + ch])
            << "4x4 blocks of one base pixel, at " << x << "," << y;

  auto same = original;
  enlargeFromBase({same.data(), kWidth, kHeight, kWidth * 4}, kWidth, kHeight, line);
  EXPECT_EQ(same, original) << "a base as large as the picture changes nothing";

  auto composed = original;
  const Rect rect{16, 12, 24, 20};
  ComposeScratch scratch;
  composeFocus({composed.data(), kWidth, kHeight, kWidth * 4}, rect, kWidth / 4, kHeight / 4,
               RegionWeights(rect.width, rect.height, CompoundMask::Rectangle, Blending::Simple), scratch);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
      const auto &expected = inside ? original : base;
      for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(composed[(y * kWidth + x) * 4 + ch], expected[(y * kWidth + x) * 4 + ch]);
    }
}

TEST(FocusCompose, OutlinesTheRegionOnlyAndClipsAtThePicture) {
  constexpr int kWidth = 40, kHeight = 30;
  for (const auto shape : {OutlineShape::Rectangle, OutlineShape::Ellipse}) {
    for (const Rect rect : {Rect{10, 8, 20, 14}, Rect{-10, -10, 30, 30}, Rect{30, 20, 30, 30}}) {
      std::vector<std::uint8_t> picture(kWidth * kHeight * 4, 0);
      drawOutline({picture.data(), kWidth, kHeight, kWidth * 4}, rect, shape);
      int painted = 0, paintedOutside = 0, paintedDeepInside = 0;
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          if (picture[(y * kWidth + x) * 4 + 2] == 0) continue;
          ++painted;
          paintedOutside += x < rect.x || y < rect.y || x >= rect.x + rect.width || y >= rect.y + rect.height;
          paintedDeepInside += x >= rect.x + rect.width / 2 - 2 && x <= rect.x + rect.width / 2 + 2 &&
                               y >= rect.y + rect.height / 2 - 2 && y <= rect.y + rect.height / 2 + 2;
        }
      EXPECT_GT(painted, 0);
      EXPECT_EQ(paintedOutside, 0);
      EXPECT_EQ(paintedDeepInside, 0);
    }
  }
}

}  // namespace
