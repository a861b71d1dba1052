// TGraphWindowControl: the drawing surface of a TGraphWindow. Paints the
// grid and every series of its chart window; it reads the chart's series
// but does not own them.
#ifndef CONSOLE_GRAPHWINDOWCONTROL_H
#define CONSOLE_GRAPHWINDOWCONTROL_H

#include "Graph.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

class TGraphWindow;

class TGraphWindowControl : public QWidget {
  Q_OBJECT
public:
  static constexpr int DefaultWidth = 320;
  static constexpr int DefaultHeight = 240;

  TGraphWindowControl(TGraphWindow* owner, const std::vector<std::unique_ptr<TGraph>>& graphs);

  // Draws the whole chart at the control's size onto canvas. The widget's
  // own paint handler calls it; tests paint into an image with it.
  void Paint(QPainter& canvas) const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void PaintGrid(QPainter& canvas, int width, int height) const;

  mutable QImage background_;
  const TGraphWindow* owner_;
  const std::vector<std::unique_ptr<TGraph>>& graphs_;
};

#endif
