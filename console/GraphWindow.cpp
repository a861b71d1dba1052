#include "GraphWindow.h"

#include "GraphWindowControl.h"

#include <QResizeEvent>

TGraphWindow::TGraphWindow(QWidget* owner) : QWidget(owner), control_(new TGraphWindowControl(this, graphs_)) {}

// The control reads the series, so it goes before them.
TGraphWindow::~TGraphWindow() {
  *AccessibleTexts = {};
  delete control_;
}

void TGraphWindow::SetNumGraph(int n) {
  for (int i = 0; i < n; ++i) graphs_.push_back(std::make_unique<TGraph>());
}

int TGraphWindow::GetNumGraph() const { return static_cast<int>(graphs_.size()); }

TGraph* TGraphWindow::Graph(int index) const {
  if (index < 0 || index >= GetNumGraph()) return nullptr;
  return graphs_[static_cast<size_t>(index)].get();
}

void TGraphWindow::SetGraphColor(int index, const QColor& color) {
  if (TGraph* graph = Graph(index)) graph->Color = color;
}

QColor TGraphWindow::GetGraphColor(int index) const {
  const TGraph* graph = Graph(index);
  return graph ? graph->Color : QColor(Qt::black);
}

void TGraphWindow::PointGraph(int index, int value) {
  if (TGraph* graph = Graph(index)) graph->Point(value);
}

void TGraphWindow::ClearGraph(int index) {
  if (TGraph* graph = Graph(index)) graph->Clear();
}

void TGraphWindow::ClearGraph() {
  for (const std::unique_ptr<TGraph>& graph : graphs_) graph->Clear();
}

void TGraphWindow::Draw() { control_->repaint(); }

void TGraphWindow::Resize() { control_->setGeometry(0, 0, width(), height()); }

void TGraphWindow::resizeEvent(QResizeEvent* event) {
  Resize();
  QWidget::resizeEvent(event);
}
