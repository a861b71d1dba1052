#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QToolButton* NewArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  button->setFixedWidth(16);
  return button;
}
}  // namespace

TUpDown::TUpDown(QWidget* parent, const QString& name, QLineEdit* associate, int min, int max, int position)
    : QWidget(parent), associate_(associate), min_(min), max_(max), lastPosition_(std::clamp(position, min, max)) {
  setObjectName(name);
  up_ = NewArrow(this, Qt::UpArrow);
  down_ = NewArrow(this, Qt::DownArrow);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  // As tall as the edit it belongs to, the two arrows halving it.
  if (associate_) setFixedHeight(associate_->sizeHint().height());
  if (associate_) associate_->installEventFilter(this);
}

int TUpDown::Position() const {
  if (!associate_) return lastPosition_;
  bool ok = false;
  const int typed = associate_->text().trimmed().toInt(&ok);
  if (ok) lastPosition_ = std::clamp(typed, min_, max_);
  return lastPosition_;
}

void TUpDown::SetPosition(int position) {
  lastPosition_ = std::clamp(position, min_, max_);
  if (associate_) associate_->setText(QString::number(lastPosition_));
}

void TUpDown::Step(int delta) {
  // No wrap: at either end the position stays.
  const int current = Position();
  const int next = std::clamp(current + delta, min_, max_);
  if (next != current || !associate_ || associate_->text() != QString::number(next)) SetPosition(next);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
