// Paints the engine's preview pictures into the video panel when the engine
// cannot draw into the panel itself (no X window, as on the offscreen
// platform). With an engine that draws on its own, or none that has
// pictures, it paints nothing and the panel keeps its colour.
#ifndef CONSOLE_VIDEOPREVIEW_H
#define CONSOLE_VIDEOPREVIEW_H

#include <QImage>
#include <QObject>
#include <QTimer>
#include <vector>

class QWidget;

class TVideoPreview : public QObject {
  Q_OBJECT
public:
  explicit TVideoPreview(QWidget* panel);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Poll();

  QWidget* panel_;
  QTimer timer_;
  std::vector<uchar> pixels_;
  QImage image_;
  int serial_ = 0;
};

#endif
