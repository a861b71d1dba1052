#include "StatusBar.h"

#include "StatusBarAccessible.h"

#include <QPainter>

TStatusBar::TStatusBar(const QString& name, std::vector<int> panelWidths, int height, QWidget* parent)
    : QStatusBar(parent), widths_(std::move(panelWidths)) {
  setObjectName(name);
  setSizeGripEnabled(false);
  setFixedHeight(height);
  for (size_t i = 0; i < widths_.size(); ++i) texts_ << QString();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
  if (index < 0 || index >= texts_.size() || texts_[index] == text) return;
  texts_[index] = text;
  update();
  TStatusBarAccessible::AnnouncePanelText(this, index);
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int left = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    const QRect panel(left, 0, widths_[i] - 2, height());
    // A sunken panel: dark top and left edges, light bottom and right ones.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(panel.topLeft(), panel.topRight());
    painter.drawLine(panel.topLeft(), panel.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(panel.bottomLeft(), panel.bottomRight());
    painter.drawLine(panel.topRight(), panel.bottomRight());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(panel.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     texts_[static_cast<int>(i)]);
    left += widths_[i];
  }
}
