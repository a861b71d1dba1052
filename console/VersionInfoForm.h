// TVersionInfoForm: the about box, shown modally by VersionInfoAction.
#ifndef CONSOLE_VERSIONINFOFORM_H
#define CONSOLE_VERSIONINFOFORM_H

#include "ConsoleForm.h"

class QLabel;
class QPushButton;

class TVersionInfoForm : public TConsoleForm {
  Q_OBJECT
public:
  TVersionInfoForm();
  ~TVersionInfoForm() override;

  QLabel* VersionInfoSoftwareNameLabel = nullptr;
  QPushButton* VersionInfoOKButton = nullptr;
};

extern TVersionInfoForm* VersionInfoForm;

#endif
