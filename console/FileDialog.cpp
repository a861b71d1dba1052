#include "FileDialog.h"

#include <QFileDialog>

std::function<bool(TFileDialog&)> TFileDialog::Executor;

TFileDialog::TFileDialog(const QString& name, Kind kind, QObject* owner) : QObject(owner), DialogKind(kind) {
  setObjectName(name);
}

QString TFileDialog::QtFilter() const {
  const QStringList parts = Filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

int TFileDialog::executing_ = 0;

bool TFileDialog::Execute(QWidget* parent) {
  struct Executing {
    Executing() { ++executing_; }
    ~Executing() { --executing_; }
  } executing;
  if (Executor) return Executor(*this);
  QFileDialog dialog(parent, Title, FileName, QtFilter());
  dialog.setDefaultSuffix(DefaultExt);
  if (DialogKind == Kind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  // A file dialog is the one place where a nested loop is harmless: it reads
  // nothing of the console's state while open.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  FileName = dialog.selectedFiles().first();
  return true;
}
