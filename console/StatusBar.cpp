#include "StatusBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

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
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int left = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    const QRect panel(left, 0, widths_[i] - 2, height());
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = panel;
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, this);
    painter.drawText(panel.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     texts_[static_cast<int>(i)]);
    left += widths_[i];
  }
}
