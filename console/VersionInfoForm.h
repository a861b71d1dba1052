// TVersionInfoForm: the about box, shown modally by VersionInfoAction and
// closed by VersionInfoOKAction. Fixed client size 345 × 166; the program
// icon at the top left over a panel in the desktop colour, the logo at the
// top, then the software name, the rights notice, the maker with the year and
// the maker's web address in labels of fixed width.
#ifndef CONSOLE_VERSIONINFOFORM_H
#define CONSOLE_VERSIONINFOFORM_H

#include "ConsoleForm.h"

class QLabel;
class QPushButton;

class TVersionInfoForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int ClientWidth = 345;
  static constexpr int ClientHeight = 166;
  static constexpr int LabelWidth = 265;

  TVersionInfoForm();
  ~TVersionInfoForm() override;

  QLabel* SenderIconImage = nullptr;
  QWidget* SenderIconBorderPanel = nullptr;
  QLabel* FocusLogoImage = nullptr;
  QLabel* VersionInfoSoftwareNameLabel = nullptr;
  QLabel* VersionInfoCopyrightLabel = nullptr;
  QLabel* VersionInfoVelkLabel = nullptr;
  QLabel* VersionInfoVelkURLLabel = nullptr;
  QPushButton* VersionInfoOKButton = nullptr;

private:
  QLabel* AddLabel(const char* name, const QString& text, int top);
};

extern TVersionInfoForm* VersionInfoForm;

#endif
