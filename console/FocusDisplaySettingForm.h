// TFocusDisplaySettingForm: partial zoom, non-linear zoom and image compound
// parameters. Shown modally by FocusDisplaySettingAction; its controls come
// with the dialog's own work.
#ifndef CONSOLE_FOCUSDISPLAYSETTINGFORM_H
#define CONSOLE_FOCUSDISPLAYSETTINGFORM_H

#include "ConsoleForm.h"

class TFocusDisplaySettingForm : public TConsoleForm {
  Q_OBJECT
public:
  TFocusDisplaySettingForm();
  ~TFocusDisplaySettingForm() override;
  bool active = false;

protected:
  void FormShow() override { active = true; }
  void FormHide() override { active = false; }
};

extern TFocusDisplaySettingForm* FocusDisplaySettingForm;

#endif
