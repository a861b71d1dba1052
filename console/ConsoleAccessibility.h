// What assistive technology (AT-SPI on Linux, through Qt's accessibility
// support) reads of the console's own widgets; the widgets every window has
// are in ovAccessibility.
#ifndef CONSOLE_CONSOLEACCESSIBILITY_H
#define CONSOLE_CONSOLEACCESSIBILITY_H

#include "ovAccessibility.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

// A widget that draws what it shows says in words what that is. Both are
// asked for each time a reader wants them, so they follow the language.
// Shared with the widget's interface, which may be asked while the widget
// is being destroyed: the widget empties them first.
struct TAccessibleTexts {
  std::function<QString()> Name;
  std::function<QString()> Description;
};
using TSharedAccessibleTexts = std::shared_ptr<TAccessibleTexts>;

// Installs the console's interfaces and the common ones with Qt; once per
// application, after the application object exists.
void InstallConsoleAccessibility();

#endif
