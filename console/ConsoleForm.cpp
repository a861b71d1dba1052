#include "ConsoleForm.h"

#include <QFont>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

namespace {
const QString kDesignedFamily = QStringLiteral("ＭＳ Ｐゴシック");
}

void InstallDesignedFontSubstitution() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QFont::insertSubstitutions(kDesignedFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
}

QFont DesignedFont() {
  InstallDesignedFontSubstitution();
  QFont font(kDesignedFamily);
  font.setPixelSize(12);
  return font;
}

void CenterOnDesktop(QWidget* window) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!window || !screen) return;
  const QRect desktop = screen->geometry();
  // Integer division truncates toward zero, also for a window wider than the desktop.
  const int left = (desktop.width() - window->width()) / 2;
  const int top = (desktop.height() - window->height()) / 2;
  window->move(desktop.left() + left, desktop.top() + top);
}

TConsoleForm::TConsoleForm(const QString& name, const QString& caption, Qt::WindowFlags flags)
    : QWidget(nullptr, flags) {
  setObjectName(name);
  setWindowTitle(caption);
  setFont(DesignedFont());
}

void TConsoleForm::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TConsoleForm::ShowModeless() {
  setWindowModality(Qt::NonModal);
  show();
  raise();
}

void TConsoleForm::keyPressEvent(QKeyEvent* event) {
  // Without a mouse Escape is the way out of a dialog. Only the caption
  // dialog works on a copy, and closing it throws the copy away as Cancel
  // does; the other dialogs have applied every change already.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && windowType() == Qt::Dialog) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TConsoleForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TConsoleForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) FormHide();
}
