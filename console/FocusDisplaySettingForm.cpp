#include "FocusDisplaySettingForm.h"

TFocusDisplaySettingForm* FocusDisplaySettingForm = nullptr;

TFocusDisplaySettingForm::TFocusDisplaySettingForm()
    : TConsoleForm(QStringLiteral("FocusDisplaySettingForm"), QStringLiteral("フォーカス表示の詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint) {
  FocusDisplaySettingForm = this;
}

TFocusDisplaySettingForm::~TFocusDisplaySettingForm() {
  if (FocusDisplaySettingForm == this) FocusDisplaySettingForm = nullptr;
}
