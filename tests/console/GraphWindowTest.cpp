// The strip chart: the series ring, the chart's series list and the picture
// it paints.
#include "Graph.h"
#include "GraphWindow.h"
#include "GraphWindowControl.h"

#include <QImage>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>

namespace {
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGridEven = qRgb(0x00, 0x80, 0x00);
const QRgb kGridOdd = qRgb(0x00, 0x46, 0x00);

QImage Picture(const TGraphWindow& chart) {
  QImage image(chart.Control()->size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);  // anything the paint leaves out shows
  QPainter canvas(&image);
  chart.Control()->Paint(canvas);
  return image;
}

// A chart of one white series at the control size given.
struct OneSeriesChart {
  explicit OneSeriesChart(int width, int height) {
    chart.resize(width, height);
    chart.Resize();
    chart.SetNumGraph(1);
    chart.SetGraphColor(0, Qt::white);
  }
  void Points(int count, int value) {
    for (int i = 0; i < count; ++i) chart.PointGraph(0, value);
  }
  TGraphWindow chart{nullptr};
};
}  // namespace

TEST(Graph, RingKeepsTheLatestValuesByAge) {
  TGraph graph;
  EXPECT_EQ(graph.Color, QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(graph.GetPoint(0), TGraph::Empty);
  for (int value = 0; value <= TGraph::Capacity; ++value) graph.Point(value);  // 2049 points
  const struct {
    int age;
    int expected;
  } cases[] = {{0, 2048}, {1, 2047}, {2047, 1}, {2048, TGraph::Empty}, {-1, TGraph::Empty}, {-5, TGraph::Empty}};
  for (const auto& c : cases) EXPECT_EQ(graph.GetPoint(c.age), c.expected) << "age " << c.age;
  graph.Clear();
  EXPECT_EQ(graph.GetPoint(0), TGraph::Empty);
  graph.Point(7);
  EXPECT_EQ(graph.GetPoint(0), 7);
  EXPECT_EQ(graph.GetPoint(1), TGraph::Empty);
}

TEST(GraphWindow, SeriesAreAppendedAndInvalidIndexesAreIgnored) {
  TGraphWindow chart(nullptr);
  EXPECT_EQ(chart.Step, 100);
  EXPECT_EQ(chart.RangeMin, 0);
  EXPECT_EQ(chart.RangeMax, 100);
  EXPECT_EQ(chart.Control()->size(), QSize(320, 240));
  chart.SetNumGraph(2);
  chart.SetGraphColor(1, Qt::red);
  chart.PointGraph(1, 5);
  chart.SetNumGraph(2);
  ASSERT_EQ(chart.GetNumGraph(), 4);
  EXPECT_EQ(chart.GetGraphColor(1), QColor(Qt::red));  // kept by the second call
  EXPECT_EQ(chart.Graph(1)->GetPoint(0), 5);
  EXPECT_EQ(chart.GetGraphColor(3), QColor(0x00, 0xFF, 0x00));

  for (int invalid : {-1, 4}) {
    chart.SetGraphColor(invalid, Qt::blue);
    chart.PointGraph(invalid, 9);
    chart.ClearGraph(invalid);
    EXPECT_EQ(chart.GetGraphColor(invalid), QColor(Qt::black));
    EXPECT_EQ(chart.Graph(invalid), nullptr);
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(chart.Graph(i)->GetPoint(0), i == 1 ? 5 : TGraph::Empty);
  EXPECT_EQ(chart.GetGraphColor(0), QColor(0x00, 0xFF, 0x00));

  chart.PointGraph(0, 1);
  chart.ClearGraph(1);
  EXPECT_EQ(chart.Graph(0)->GetPoint(0), 1);
  EXPECT_EQ(chart.Graph(1)->GetPoint(0), TGraph::Empty);
  chart.PointGraph(1, 2);
  chart.ClearGraph();
  EXPECT_EQ(chart.Graph(0)->GetPoint(0), TGraph::Empty);
  EXPECT_EQ(chart.Graph(1)->GetPoint(0), TGraph::Empty);
}

TEST(GraphWindow, ResizeSizesTheDrawingControlToTheChart) {
  TGraphWindow chart(nullptr);
  chart.resize(300, 120);
  chart.show();
  EXPECT_EQ(chart.Control()->geometry(), QRect(0, 0, 300, 120));
}

TEST(GraphWindow, GridAlternatesTwoGreensOnBlack) {
  TGraphWindow chart(nullptr);
  chart.resize(200, 100);
  chart.Resize();
  const QImage image = Picture(chart);
  const struct {
    int x, y;
    QRgb expected;
  } cases[] = {
      {0, 5, kGridEven},  {10, 5, kGridOdd},  {20, 5, kGridEven}, {190, 95, kGridOdd},  // vertical, 10 px apart
      {5, 0, kGridEven},  {5, 10, kGridOdd},  {5, 90, kGridOdd},                       // horizontal, over them
      {10, 10, kGridOdd}, {5, 5, kBlack},     {195, 95, kBlack},  {199, 99, kBlack},
  };
  for (const auto& c : cases) EXPECT_EQ(image.pixel(c.x, c.y), c.expected) << c.x << "," << c.y;
}

// The newest point sits on the right edge; each older one width / Step
// further left (truncated), until the left edge or the first empty slot.
TEST(GraphWindow, SeriesRunsLeftwardsOneStepPerOlderValue) {
  const struct {
    int step, width, points;
    int leftmostLit;  // leftmost pixel of the line on its row
  } cases[] = {
      {100, 300, 5, 288},  // 3 px apart
      {100, 300, 200, 3},  // about 100 visible: the point at x 0 is not drawn
      {81, 300, 4, 288},   // 300, 296.3, 292.6, 288.9 truncated
      {3, 300, 2, 200},
      {100, 300, 1, 300},  // a single point: a move, no line
  };
  for (const auto& c : cases) {
    OneSeriesChart chart(c.width, 100);
    chart.chart.Step = c.step;
    chart.Points(c.points, 50);  // row 50 with the default range 0 to 100
    const QImage image = Picture(chart.chart);
    int leftmost = c.width;
    for (int x = c.width - 1; x >= 0 && image.pixel(x, 50) == kWhite; --x) leftmost = x;
    EXPECT_EQ(leftmost, c.leftmostLit) << "step " << c.step << ", " << c.points << " points";
  }
}

TEST(GraphWindow, RangeMapsRangeMaxToTheTopAndRangeMinToTheBottom) {
  const struct {
    int rangeMin, rangeMax, height, value;
    int row;  // -1: outside the picture
  } cases[] = {
      {-30, 0, 150, 0, 0},      {-30, 0, 150, -15, 75}, {-30, 0, 150, -29, 145},
      {-30, 0, 150, -30, -1},   {-30, 0, 150, 5, -1},   {0, 100, 150, 33, 100},  // 100.5 truncated
  };
  for (const auto& c : cases) {
    OneSeriesChart chart(100, c.height);
    chart.chart.RangeMin = c.rangeMin;
    chart.chart.RangeMax = c.rangeMax;
    chart.Points(3, c.value);
    const QImage image = Picture(chart.chart);
    int litRow = -1;
    for (int y = 0; y < c.height; ++y)
      if (image.pixel(98, y) == kWhite) litRow = y;
    EXPECT_EQ(litRow, c.row) << c.rangeMin << ".." << c.rangeMax << " value " << c.value;
  }
}

TEST(GraphWindow, StoredEmptyMarkEndsTheLineAndLaterSeriesDrawOnTop) {
  OneSeriesChart chart(300, 100);
  chart.chart.SetNumGraph(1);
  chart.chart.SetGraphColor(1, Qt::blue);
  for (int value : {50, 50, TGraph::Empty, 50, 50, 50}) chart.chart.PointGraph(0, value);
  chart.chart.PointGraph(1, 50);
  chart.chart.PointGraph(1, 50);
  const QImage image = Picture(chart.chart);
  EXPECT_EQ(image.pixel(299, 50), qRgb(0, 0, 0xFF));  // both series there: the later one shows
  EXPECT_EQ(image.pixel(298, 50), qRgb(0, 0, 0xFF));
  EXPECT_EQ(image.pixel(295, 50), kWhite);
  EXPECT_EQ(image.pixel(294, 50), kWhite);
  EXPECT_NE(image.pixel(293, 50), kWhite);  // the mark at age 3 ends the line
}

// What such a chart shows is open; it must only paint without undefined
// conversions or endless loops.
TEST(GraphWindow, DegenerateSettingsAndExtremeValuesStillPaint) {
  const struct {
    int step, rangeMin, rangeMax;
  } cases[] = {{0, 0, 100}, {-5, 0, 100}, {100, 50, 50}, {100, INT_MIN, INT_MAX}, {100, 0, 100}};
  for (const auto& c : cases) {
    OneSeriesChart chart(100, 100);
    chart.chart.Step = c.step;
    chart.chart.RangeMin = c.rangeMin;
    chart.chart.RangeMax = c.rangeMax;
    for (int value : {INT_MIN, INT_MAX - 1, 0, 1 << 30, -(1 << 30)}) chart.chart.PointGraph(0, value);
    const QImage image = Picture(chart.chart);
    EXPECT_EQ(image.pixel(7, 7), kBlack) << "step " << c.step;
  }
}
