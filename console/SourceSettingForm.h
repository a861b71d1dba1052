// TSourceSettingForm: the property pages of the current video and audio
// sources, and the direct video and DV interleaved modes. The page lists are
// rebuilt on every show and after every change of direct video mode, so a
// source changed from the main menu is always reflected. The form keeps no
// state of its own.
#ifndef CONSOLE_SOURCESETTINGFORM_H
#define CONSOLE_SOURCESETTINGFORM_H

#include "ConsoleForm.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TAction;

class TSourceSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int DesignedWidth = 400;
  static constexpr int DesignedHeight = 210;

  TSourceSettingForm();
  ~TSourceSettingForm() override;

  QGroupBox* VideoSourceGroupBox = nullptr;
  QLabel* VideoSourcePropertyLabel = nullptr;
  QComboBox* VideoSourcePropertyComboBox = nullptr;
  QPushButton* VideoSourcePropertyButton = nullptr;
  QCheckBox* DirectVideoModeCheckBox = nullptr;
  QCheckBox* DVInterleavedModeCheckBox = nullptr;
  QGroupBox* AudioSourceGroupBox = nullptr;
  QLabel* AudioSourcePropertyLabel = nullptr;
  QComboBox* AudioSourcePropertyComboBox = nullptr;
  QPushButton* AudioSourcePropertyButton = nullptr;

  // Reads the page lists and both modes back from the engine.
  void Refresh();

protected:
  void FormShow() override { Refresh(); }

private:
  QGroupBox* NewSourceGroup(const QString& stem, const QString& caption, QLabel*& label, QComboBox*& list,
                            QPushButton*& button, TAction* showPage);
  void LayOut();
};

extern TSourceSettingForm* SourceSettingForm;

#endif
