// The console's application object: an exception that reaches the event loop
// is shown in an error box and the loop goes on, instead of ending the
// program.
#ifndef CONSOLE_SENDERAPPLICATION_H
#define CONSOLE_SENDERAPPLICATION_H

#include <QApplication>

class TSenderApplication : public QApplication {
  Q_OBJECT
public:
  TSenderApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Error icon, the program's title as caption, the exception's text.
  static void ShowException(const QString& text);
};

#endif
