// TFocusDisplaySettingForm: the parameters of the three focus displays
// (partial zoom, non-linear zoom, image compound), the focus frame and the
// focus coordinate system. Every choice goes to the engine at once; each
// show reads everything back from the engine without sending it back.
#ifndef CONSOLE_FOCUSDISPLAYSETTINGFORM_H
#define CONSOLE_FOCUSDISPLAYSETTINGFORM_H

#include "ConsoleForm.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TUpDown;

class TFocusDisplaySettingForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int DesignedWidth = 520;
  static constexpr int DesignedHeight = 320;
  static constexpr int MinMaskSize = 10;
  static constexpr int MaxMaskSize = 720;

  TFocusDisplaySettingForm();
  ~TFocusDisplaySettingForm() override;

  QCheckBox* ShowFocusFrameCheckBox = nullptr;
  QGroupBox* FocusCoordinateGroupBox = nullptr;
  QRadioButton* FocusCoordinateDesktopWindowRadio = nullptr;
  QRadioButton* FocusCoordinateVideoWindowRadio = nullptr;
  QGroupBox* PartialZoomGroupBox = nullptr;
  QLabel* PartialZoomOutputResolutionLabel = nullptr;
  QComboBox* PartialZoomOutputResolutionComboBox = nullptr;
  QLabel* PartialZoomSourceResolutionLabel = nullptr;
  QComboBox* PartialZoomSourceResolutionComboBox = nullptr;
  QGroupBox* NonLinearZoomGroupBox = nullptr;
  QLabel* NonLinearZoomResolutionLabel = nullptr;
  QComboBox* NonLinearZoomResolutionComboBox = nullptr;
  QLabel* NonLinearZoomMaskLabel = nullptr;
  QComboBox* NonLinearZoomMaskComboBox = nullptr;
  QLabel* NonLinearZoomMaskSizeLabel = nullptr;
  QLabel* NonLinearZoomMaskWidthLabel = nullptr;
  QLineEdit* NonLinearZoomMaskWidthEdit = nullptr;
  TUpDown* NonLinearZoomMaskWidthUpDown = nullptr;
  QLabel* NonLinearZoomMaskHeightLabel = nullptr;
  QLineEdit* NonLinearZoomMaskHeightEdit = nullptr;
  TUpDown* NonLinearZoomMaskHeightUpDown = nullptr;
  QGroupBox* ImageCompoundGroupBox = nullptr;
  QLabel* ImageCompoundBaseResolutionLabel = nullptr;
  QComboBox* ImageCompoundBaseResolutionComboBox = nullptr;
  QLabel* ImageCompoundAddResolutionLabel = nullptr;
  QComboBox* ImageCompoundAddResolutionComboBox = nullptr;
  QLabel* ImageCompoundMaskLabel = nullptr;
  QComboBox* ImageCompoundMaskComboBox = nullptr;
  QLabel* ImageCompoundBlendingLabel = nullptr;
  QComboBox* ImageCompoundBlendingComboBox = nullptr;

  bool active = false;

  void NonLinearZoomMaskSizeEditChange(QLineEdit* changed);

protected:
  void FormShow() override;
  void FormHide() override { active = false; }

private:
  void CreateFocusRows();
  void CreatePartialZoomGroup();
  void CreateNonLinearZoomGroup();
  void CreateImageCompoundGroup();
  void LayOut();
  void Refresh();
  void RefreshMaskSize();
  void RefreshFocusRows();
  void FocusCoordinateRadioClick(QRadioButton* clicked);
  void ShowCoordinate(bool desktop, bool video);
  // A drop-down list whose user choices call set(index), then lay the video
  // out again when the choice changes the size of the picture sent.
  QComboBox* NewList(QWidget* parent, const char* name, const QStringList& items, void (*set)(int),
                     bool computeVideoWindow);
};

extern TFocusDisplaySettingForm* FocusDisplaySettingForm;

#endif
