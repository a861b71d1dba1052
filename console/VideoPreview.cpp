#include "VideoPreview.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "ovSender.h"

namespace {

constexpr int kPollMilliseconds = 33;  // a little faster than the 30 pictures a second the engine sends
// While the engine hands over no pictures (it draws into the panel itself, or
// sends nothing), a slow look is enough: every tick wakes the event loop and
// with it the idle updates of every action.
constexpr int kIdlePollMilliseconds = 500;

}  // namespace

TVideoPreview::TVideoPreview(QWidget* panel) : QObject(panel), panel_(panel) {
  panel_->installEventFilter(this);
  connect(&timer_, &QTimer::timeout, this, &TVideoPreview::Poll);
  timer_.start(kPollMilliseconds);
}

void TVideoPreview::Poll() {
  int width = 0, height = 0;
  ovSenderCopyPreviewFrame(nullptr, 0, &width, &height);
  const bool pictures = width > 0 && height > 0;
  timer_.setInterval(pictures ? kPollMilliseconds : kIdlePollMilliseconds);
  if (!pictures) return;
  pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  int copiedWidth = 0, copiedHeight = 0;
  const int capacity = static_cast<int>(pixels_.size());
  const int serial = ovSenderCopyPreviewFrame(pixels_.data(), capacity, &copiedWidth, &copiedHeight);
  // A picture of another size arrived in between: it was not copied; the next tick takes it.
  if (serial == 0 || serial == serial_ || copiedWidth != width || copiedHeight != height) return;
  serial_ = serial;
  image_ = QImage(pixels_.data(), width, height, width * 4, QImage::Format_RGB32);
  panel_->update();
}

bool TVideoPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched != panel_ || event->type() != QEvent::Paint || image_.isNull()) return false;
  QPainter painter(panel_);
  const QSize size = image_.size().scaled(panel_->size(), Qt::KeepAspectRatio);
  const QRect target((panel_->width() - size.width()) / 2, (panel_->height() - size.height()) / 2, size.width(),
                     size.height());
  painter.drawImage(target, image_);
  return true;
}
