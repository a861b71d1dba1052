#include "SenderApplication.h"

#include "ConsoleAccessibility.h"
#include "ErrorBox.h"

#include <exception>

TSenderApplication::TSenderApplication(int& argc, char** argv) : QApplication(argc, argv) {
  InstallConsoleAccessibility();
}

bool TSenderApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowException(QStringLiteral("Unknown exception"));
  }
  return false;
}

void TSenderApplication::ShowException(const QString& text) {
  TErrorBox::Show(nullptr, applicationName(), text);
}
