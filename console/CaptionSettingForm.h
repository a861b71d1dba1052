// TCaptionSettingForm: edits a copy of the caption; nothing reaches the
// engine before CaptionSettingOKAction.
#ifndef CONSOLE_CAPTIONSETTINGFORM_H
#define CONSOLE_CAPTIONSETTINGFORM_H

#include "ConsoleForm.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class TCaptionSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  TCaptionSettingForm();
  ~TCaptionSettingForm() override;

  QLineEdit* CaptionEdit = nullptr;
  QCheckBox* CaptionOffCheckBox = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

  bool captionOff = false;
  bool modified = false;
  bool active = false;

protected:
  void FormShow() override;
  void FormHide() override { active = false; }
};

extern TCaptionSettingForm* CaptionSettingForm;

#endif
