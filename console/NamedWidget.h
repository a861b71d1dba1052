// Gives a widget its component name (the objectName by which tests and the
// language texts find it) and hands it back, so creating and naming stay one
// expression.
#ifndef CONSOLE_NAMEDWIDGET_H
#define CONSOLE_NAMEDWIDGET_H

#include <QLatin1String>

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

#endif
