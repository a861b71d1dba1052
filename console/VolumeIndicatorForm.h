// TVolumeIndicatorForm: the two audio levels over a chosen time span. The
// main window supplies the level reader (OnGetVolume) and persists
// displayTimeIndex; the meters come with the window's own work.
#ifndef CONSOLE_VOLUMEINDICATORFORM_H
#define CONSOLE_VOLUMEINDICATORFORM_H

#include "ConsoleForm.h"

#include <functional>

class TVolumeIndicatorForm : public TConsoleForm {
  Q_OBJECT
public:
  // Texts of displayTimeIndex 0 to 5 as stored in the registry.
  static QString DisplayTimeText(int index);  // "5s" outside 0 to 5
  static int DisplayTimeIndexOf(const QString& text);  // 3 for an unknown text

  TVolumeIndicatorForm();
  ~TVolumeIndicatorForm() override;

  // Selects item displayTimeIndex of the display time list again, after the
  // language replaced its items; the time span is not applied again.
  void ReselectDisplayTime();

  int displayTimeIndex = 3;
  // Reads the two levels (hundredths) over an evaluation time in milliseconds.
  std::function<void(int* levels, int evaluationTime)> OnGetVolume;
};

extern TVolumeIndicatorForm* VolumeIndicatorForm;

#endif
