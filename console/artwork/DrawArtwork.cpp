// Draws the console's pictures and writes them as the PNG files that the
// program embeds (console/artwork/*.png). Painting with antialiasing runs on
// the GUI library's worker threads, so the program itself only loads the
// finished files.
//   console_artwork OUTPUT_FOLDER
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kNavy(0x10, 0x1c, 0x5c);
const QColor kDeepBlue(0x24, 0x48, 0xa8);
const QColor kFocus(0xff, 0xa0, 0x20);

QPixmap Transparent(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A focus ring centred at c with radius r: circle, four ticks, centre dot.
void DrawFocusRing(QPainter& p, QPointF c, qreal r, const QColor& ring, const QColor& dot) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ring, r * 0.16, Qt::SolidLine, Qt::RoundCap));
  p.drawEllipse(c, r, r);
  const qreal in = r * 0.55, out = r * 1.35;
  p.drawLine(QPointF(c.x() - out, c.y()), QPointF(c.x() - in, c.y()));
  p.drawLine(QPointF(c.x() + in, c.y()), QPointF(c.x() + out, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - out), QPointF(c.x(), c.y() - in));
  p.drawLine(QPointF(c.x(), c.y() + in), QPointF(c.x(), c.y() + out));
  p.setPen(Qt::NoPen);
  p.setBrush(dot);
  p.drawEllipse(c, r * 0.22, r * 0.22);
}
}  // namespace

QPixmap SenderIconPixmap(int size) {
  QPixmap pixmap = Transparent(size, size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);  // drawn on a 64-unit grid
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, kDeepBlue);
  tile.setColorAt(1, kNavy);
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  // Transmission: two waves leaving the focus ring towards the top right.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 210), 3.5, Qt::SolidLine, Qt::RoundCap));
  for (qreal radius : {22.0, 30.0})
    p.drawArc(QRectF(26 - radius, 38 - radius, 2 * radius, 2 * radius), 15 * 16, 60 * 16);
  DrawFocusRing(p, QPointF(26, 38), 12, Qt::white, kFocus);
  return pixmap;
}

QPixmap FocusLogoPixmap() {
  QPixmap pixmap = Transparent(152, 33);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawFocusRing(p, QPointF(16.5, 16.5), 9, kDeepBlue, kFocus);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(24);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  p.setFont(font);
  p.setPen(kNavy);
  p.drawText(QRectF(36, 0, 116, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ostrel"));
  // Underline stroke that fades out towards the right.
  QLinearGradient stroke(36, 0, 150, 0);
  stroke.setColorAt(0, kFocus);
  stroke.setColorAt(1, QColor(kFocus.red(), kFocus.green(), kFocus.blue(), 0));
  p.setPen(Qt::NoPen);
  p.setBrush(stroke);
  p.drawRect(QRectF(37, 28, 113, 3));
  return pixmap;
}

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  bool saved = true;
  for (int size : {16, 24, 32, 48, 64})
    saved &= SenderIconPixmap(size).save(folder + QStringLiteral("/sender-icon-%1.png").arg(size));
  saved &= FocusLogoPixmap().save(folder + QStringLiteral("/focus-logo.png"));
  return saved ? 0 : 1;
}
