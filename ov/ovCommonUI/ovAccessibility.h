// What assistive technology (AT-SPI on Linux, through Qt's accessibility
// support) reads of widgets every window here has: combo boxes, whose
// Linux default names a box after its current item instead of its label,
// and labels that show a value under a caption beside them. Shared by the
// console and the property page frame.
#ifndef OVCOMMONUI_OVACCESSIBILITY_H
#define OVCOMMONUI_OVACCESSIBILITY_H

#include <QString>

class QLabel;
class QWidget;

// Installs the interfaces below with Qt; once per application, after the
// application object exists. Later calls do nothing.
void InstallCommonAccessibility();

// "&Width" reads "Width", "Video&&Audio" reads "Video&Audio".
QString WithoutAccelerators(const QString& text);

// The text of the label whose buddy the widget is, else the title of the
// group box it sits in or, for widgets placed by coordinates, of the sibling
// group box that frames it; without accelerator marks, empty for none.
QString LabelTextOf(const QWidget* widget);

// A label that shows a value (a count, a time) is read as its caption with
// the value as its value. Set before the label is first read.
void SetCaptionOf(QLabel* value, QLabel* caption);

#endif
