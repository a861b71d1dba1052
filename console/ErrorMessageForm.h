// TErrorMessageForm: the growing list of engine errors, one line per error
// led by the text of its kind.
#ifndef CONSOLE_ERRORMESSAGEFORM_H
#define CONSOLE_ERRORMESSAGEFORM_H

#include "ConsoleForm.h"

#include <QStringList>
#include <array>
#include <vector>

class QPlainTextEdit;

class TErrorMessageForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int KindCount = 10;

  TErrorMessageForm();
  ~TErrorMessageForm() override;

  // Skips an immediate repeat of the last identity and kinds outside 0 to 9;
  // shows the window when hidden and appends the error's line.
  void AddErrorMessage(int identity, int kind, const QString& text);
  void SetKindText(int kind, const QString& text);
  const QString& KindText(int kind) const { return kindTexts_.at(static_cast<size_t>(kind)); }
  // Writes every stored error again with the current kind texts.
  void Rebuild();
  int LastIdentity() const { return lastIdentity_; }
  QStringList Lines() const;

  QPlainTextEdit* ErrorMessageMemo = nullptr;

protected:
  void changeEvent(QEvent* event) override;

private:
  QString Line(int kind, const QString& text) const;

  std::array<QString, KindCount> kindTexts_;
  int lastIdentity_ = -1;
  std::vector<int> storedKinds_;
  QStringList storedTexts_;
};

extern TErrorMessageForm* ErrorMessageForm;

#endif
