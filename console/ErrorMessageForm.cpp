#include "ErrorMessageForm.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TErrorMessageForm* ErrorMessageForm = nullptr;

TErrorMessageForm::TErrorMessageForm()
    : TConsoleForm(QStringLiteral("ErrorMessageForm"), QStringLiteral("エラー"),
                   Qt::Tool | Qt::WindowStaysOnTopHint) {
  ErrorMessageForm = this;
  resize(285, 244);
  ErrorMessageMemo = new QPlainTextEdit(this);
  ErrorMessageMemo->setObjectName(QStringLiteral("ErrorMessageMemo"));
  ErrorMessageMemo->setReadOnly(true);
  ErrorMessageMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Engine texts can be long: they wrap at the window's width (inside a long
  // path or address too) instead of needing sideways scrolling.
  ErrorMessageMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  ErrorMessageMemo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  ErrorMessageMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ErrorMessageMemo->setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ErrorMessageMemo);
}

// The memo is the window's whole content: a reader names it as the window.
void TErrorMessageForm::changeEvent(QEvent* event) {
  TConsoleForm::changeEvent(event);
  if (event->type() == QEvent::WindowTitleChange && ErrorMessageMemo) ErrorMessageMemo->setAccessibleName(windowTitle());
}

TErrorMessageForm::~TErrorMessageForm() {
  if (ErrorMessageForm == this) ErrorMessageForm = nullptr;
}

QString TErrorMessageForm::Line(int kind, const QString& text) const {
  return kindTexts_.at(static_cast<size_t>(kind)) + QStringLiteral(":\t") + text;
}

void TErrorMessageForm::AddErrorMessage(int identity, int kind, const QString& text) {
  if (identity == lastIdentity_) return;
  if (kind < 0 || kind >= KindCount) return;
  if (!isVisible()) ShowModeless();
  lastIdentity_ = identity;
  storedKinds_.push_back(kind);
  storedTexts_.push_back(text);
  ErrorMessageMemo->appendPlainText(Line(kind, text));
}

void TErrorMessageForm::SetKindText(int kind, const QString& text) {
  if (kind < 0 || kind >= KindCount) return;
  kindTexts_[static_cast<size_t>(kind)] = text;
}

void TErrorMessageForm::Rebuild() {
  ErrorMessageMemo->clear();
  for (size_t i = 0; i < storedKinds_.size(); ++i)
    ErrorMessageMemo->appendPlainText(Line(storedKinds_[i], storedTexts_[static_cast<int>(i)]));
}

QStringList TErrorMessageForm::Lines() const {
  if (ErrorMessageMemo->document()->isEmpty()) return {};
  return ErrorMessageMemo->toPlainText().split(QLatin1Char('\n'));
}
