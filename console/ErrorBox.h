// The console's error message box: error icon, one OK button, message 10 as
// caption by convention of the callers. It returns at once (application
// modal, no nested event loop) so the timers keep running while it is open.
// Tests replace the showing through Presenter.
#ifndef CONSOLE_ERRORBOX_H
#define CONSOLE_ERRORBOX_H

#include <QString>
#include <functional>

class QWidget;

class TErrorBox {
public:
  static void Show(QWidget* parent, const QString& caption, const QString& text);

  // When set, Show hands caption and text to this instead of opening a box.
  static std::function<void(const QString& caption, const QString& text)> Presenter;
};

#endif
