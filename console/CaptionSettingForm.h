// TCaptionSettingForm: the caption text and its on/off switch. Works on a
// copy: nothing reaches the engine before the operator confirms with OK or
// Enter; Escape, Cancel and the close box throw the changes away. A
// confirmed text goes to the front of the caption history.
#ifndef CONSOLE_CAPTIONSETTINGFORM_H
#define CONSOLE_CAPTIONSETTINGFORM_H

#include "ConsoleForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCaptionSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int DesignedWidth = 360;
  static constexpr int DesignedHeight = 112;

  TCaptionSettingForm();
  ~TCaptionSettingForm() override;

  QLabel* CaptionLabel = nullptr;
  QLineEdit* CaptionEdit = nullptr;
  QCheckBox* CaptionOffCheckBox = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

  bool captionOff = false;  // the edited copy of "caption on", inverted
  bool modified = false;    // something changed since the dialog opened; enables OK
  bool active = false;

  // Applies the edit's text and captionOff, records the text in the caption
  // history and rebuilds the history menu. Shared by OK and Enter.
  void Confirm();
  void CaptionEditChange() { modified = true; }
  void CaptionEditKeyPress(int key);

protected:
  void FormShow() override;
  void FormHide() override { active = false; }
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Refresh();
};

extern TCaptionSettingForm* CaptionSettingForm;

#endif
