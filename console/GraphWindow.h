// TGraphWindow: a strip chart of any number of series over a green grid on
// black, newest values at the right edge. Series are only ever added; they
// live as long as the chart.
#ifndef CONSOLE_GRAPHWINDOW_H
#define CONSOLE_GRAPHWINDOW_H

#include "ConsoleAccessibility.h"
#include "Graph.h"

#include <QColor>
#include <QWidget>
#include <memory>
#include <vector>

class TGraphWindowControl;

class TGraphWindow : public QWidget {
  Q_OBJECT
public:
  explicit TGraphWindow(QWidget* owner);
  ~TGraphWindow() override;

  // How many points span the width (positive), and the values drawn on the
  // bottom and the top edge (different from each other).
  int Step = 100;
  int RangeMin = 0;
  int RangeMax = 100;
  // What the chart shows, for readers that cannot see it.
  const TSharedAccessibleTexts AccessibleTexts = std::make_shared<TAccessibleTexts>();

  // Appends n empty bright green series; existing ones stay as they are.
  void SetNumGraph(int n);
  int GetNumGraph() const;
  // The series operations ignore an index that names no series.
  void SetGraphColor(int index, const QColor& color);
  QColor GetGraphColor(int index) const;  // black for an invalid index
  void PointGraph(int index, int value);
  void ClearGraph(int index);
  void ClearGraph();
  // Repaints at once rather than at the next idle paint.
  void Draw();
  void Resize();

  // The series at index, or none for an invalid index.
  TGraph* Graph(int index) const;
  TGraphWindowControl* Control() const { return control_; }

protected:
  void resizeEvent(QResizeEvent* event) override;

private:

  std::vector<std::unique_ptr<TGraph>> graphs_;
  TGraphWindowControl* control_;
};

#endif
