#include "SenderArtwork.h"

namespace {
constexpr int kIconSizes[] = {16, 24, 32, 48, 64};

QString IconFile(int size) { return QStringLiteral(":/artwork/sender-icon-%1.png").arg(size); }
}  // namespace

QPixmap SenderIconPixmap(int size) {
  for (int drawn : kIconSizes)
    if (drawn == size) return QPixmap(IconFile(size));
  return QPixmap(IconFile(SenderIconSize)).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon SenderIcon() {
  QIcon icon;
  for (int size : kIconSizes) icon.addFile(IconFile(size), QSize(size, size));
  return icon;
}

QPixmap FocusLogoPixmap() { return QPixmap(QStringLiteral(":/artwork/focus-logo.png")); }
