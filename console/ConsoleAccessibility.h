// What assistive technology (AT-SPI on Linux, through Qt's accessibility
// support) reads of the console's own widgets, and of combo boxes, whose
// Linux default names a box after its current item instead of its label.
#ifndef CONSOLE_CONSOLEACCESSIBILITY_H
#define CONSOLE_CONSOLEACCESSIBILITY_H

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

// Installs the interfaces below with Qt; once per application, after the
// application object exists.
void InstallConsoleAccessibility();

// The text of the label whose buddy the widget is, else the title of the
// group box it sits in, without accelerator marks; empty for neither.
QString LabelTextOf(const QWidget* widget);

#endif
