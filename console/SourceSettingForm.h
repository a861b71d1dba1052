// TSourceSettingForm: source property pages and the direct and DV
// interleaved modes. Holds what the data module's actions read; the full
// dialog comes with its own work.
#ifndef CONSOLE_SOURCESETTINGFORM_H
#define CONSOLE_SOURCESETTINGFORM_H

#include "ConsoleForm.h"

class QCheckBox;
class QComboBox;

class TSourceSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  TSourceSettingForm();
  ~TSourceSettingForm() override;

  QComboBox* VideoSourcePropertyComboBox = nullptr;
  QComboBox* AudioSourcePropertyComboBox = nullptr;
  QCheckBox* DirectVideoModeCheckBox = nullptr;
  QCheckBox* DVInterleavedModeCheckBox = nullptr;

  // Reads every control's state back from the engine.
  void Refresh();

protected:
  void FormShow() override { Refresh(); }
};

extern TSourceSettingForm* SourceSettingForm;

#endif
