// Base of the console's windows: the designed font, modal showing without a
// nested event loop (so the timers and the tests keep running), centring on
// the desktop, and show/hide hooks.
#ifndef CONSOLE_CONSOLEFORM_H
#define CONSOLE_CONSOLEFORM_H

#include <QWidget>

// The designed font ("ＭＳ Ｐゴシック", 12 pixels), mapped to the installed
// IPA gothic families so the Japanese texts render.
QFont DesignedFont();
void InstallDesignedFontSubstitution();

// Moves the window to the middle of the primary screen; nothing without one.
void CenterOnDesktop(QWidget* window);

class TConsoleForm : public QWidget {
  Q_OBJECT
public:
  explicit TConsoleForm(const QString& name, const QString& caption, Qt::WindowFlags flags = Qt::Window);

  // Application-modal, returns at once.
  void ShowModal();
  void ShowModeless();
  bool Showing() const { return isVisible(); }

protected:
  virtual void FormShow() {}
  virtual void FormHide() {}
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

#endif
