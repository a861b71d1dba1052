#include "ErrorBox.h"

#include <QMessageBox>

std::function<void(const QString&, const QString&)> TErrorBox::Presenter;

void TErrorBox::Show(QWidget* parent, const QString& caption, const QString& text) {
  if (Presenter) {
    Presenter(caption, text);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("ErrorMessageBox"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->show();
}
