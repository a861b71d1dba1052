#include "GraphWindowControl.h"

#include "GraphWindow.h"

#include <QPainter>
#include <QPen>

namespace {
const QColor kGridColors[] = {QColor(0x00, 0x80, 0x00), QColor(0x00, 0x46, 0x00)};
constexpr int kVerticalLines = 20;
constexpr int kHorizontalLines = 10;

const QColor& GridColor(int line) { return kGridColors[line % 2]; }
}  // namespace

TGraphWindowControl::TGraphWindowControl(TGraphWindow* owner, const std::vector<std::unique_ptr<TGraph>>& graphs)
    : QWidget(owner), owner_(owner), graphs_(graphs) {
  setObjectName(QStringLiteral("GraphWindowControl"));
  setGeometry(0, 0, DefaultWidth, DefaultHeight);
  QFont canvasFont = font();
  canvasFont.setPointSize(8);
  setFont(canvasFont);
  // Paint covers every pixel, so erasing first would only make it flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGraphWindowControl::Paint(QPainter& canvas) const {
  const int w = width();
  const int h = height();
  // Black with the grid depends on the size alone; drawn once per size, it
  // is copied on the many repaints of a running chart.
  if (background_.size() != size()) {
    background_ = QImage(size(), QImage::Format_RGB32);
    QPainter backgroundCanvas(&background_);
    backgroundCanvas.fillRect(0, 0, w, h, Qt::black);
    PaintGrid(backgroundCanvas, w, h);
  }
  canvas.drawImage(0, 0, background_);
  for (const std::unique_ptr<TGraph>& graph : graphs_)
    graph->Draw(&canvas, w, h, owner_->Step, owner_->RangeMin, owner_->RangeMax);
}

void TGraphWindowControl::PaintGrid(QPainter& canvas, int width, int height) const {
  // Positions are multiples of the spacing rather than a running sum, so a
  // spacing that floating point cannot hold exactly does not drift.
  const double dx = width / static_cast<double>(kVerticalLines);
  for (int k = 0; k * dx < width; ++k) {
    const int x = static_cast<int>(k * dx);
    canvas.setPen(QPen(GridColor(k), 0));
    canvas.drawLine(x, 0, x, height);
  }
  const double dy = height / static_cast<double>(kHorizontalLines);
  for (int k = 0; k * dy < height; ++k) {
    const int y = static_cast<int>(k * dy);
    canvas.setPen(QPen(GridColor(k), 0));
    canvas.drawLine(0, y, width, y);
  }
}

void TGraphWindowControl::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  Paint(canvas);
}
