// TGraph: one series of a strip chart, a ring of its latest values. The
// newest value is drawn at the right edge and older ones run leftwards.
#ifndef CONSOLE_GRAPH_H
#define CONSOLE_GRAPH_H

#include <QColor>
#include <array>
#include <limits>

class QPainter;

class TGraph {
public:
  static constexpr int Capacity = 2048;
  // Marks a slot that holds no value; a stored value equal to it ends the
  // drawn line just as an empty slot does.
  static constexpr int Empty = std::numeric_limits<int>::max();

  TGraph();

  // Stores value as the newest point, overwriting the oldest once full.
  void Point(int value);
  void Clear();
  // The value stored age points before the newest (age 0); Empty outside
  // the ring.
  int GetPoint(int age) const;
  // Draws the series as a line from the right edge leftwards, width / step
  // pixels per point, rangeMax on the top edge and rangeMin on the bottom.
  void Draw(QPainter* canvas, int width, int height, int step, int rangeMin, int rangeMax) const;

  QColor Color{0x00, 0xFF, 0x00};

private:
  int writePosition_ = 0;
  std::array<int, Capacity> points_;
};

// Truncates a drawing coordinate toward zero. Far-off coordinates (a value
// way out of range, a degenerate range) are pinned well outside any control
// so that the conversion stays defined and the canvas still cuts them off.
int PixelOf(float coordinate);

#endif
