#include "ConsoleAccessibility.h"

#include "GraphWindow.h"
#include "SenderMainForm.h"
#include "StatusBar.h"
#include "StatusBarAccessible.h"
#include "UpDown.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {
// One control with the edit it steps: named as the edit is, its position as
// its value. The arrow buttons are its parts, not controls of their own.
class TUpDownAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
  explicit TUpDownAccessible(TUpDown* upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox) {}
  TUpDown* UpDown() const { return static_cast<TUpDown*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && UpDown()->accessibleName().isEmpty() && UpDown()->Associate())
      if (QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(UpDown()->Associate()))
        return edit->text(QAccessible::Name);
    if (t == QAccessible::Value) return QString::number(UpDown()->Position());
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QVariant currentValue() const override { return UpDown()->Position(); }
  void setCurrentValue(const QVariant& value) override { UpDown()->SetPosition(value.toInt()); }
  QVariant maximumValue() const override { return UpDown()->Max(); }
  QVariant minimumValue() const override { return UpDown()->Min(); }
  QVariant minimumStepSize() const override { return 1; }
};

// A surface something else draws on (the engine's video, a chart): what it
// shows is told in words; the widgets inside are only its drawing.
class TDrawnAccessible : public QAccessibleWidget {
public:
  TDrawnAccessible(QWidget* widget, QAccessible::Role role, TSharedAccessibleTexts texts)
      : QAccessibleWidget(widget, role), texts_(std::move(texts)) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && texts_->Name) return texts_->Name();
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty() && texts_->Description)
      return texts_->Description();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

private:
  TSharedAccessibleTexts texts_;
};

QAccessibleInterface* ConsoleInterface(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String("TUpDown")) return new TUpDownAccessible(static_cast<TUpDown*>(object));
  if (className == QLatin1String("TStatusBar")) return new TStatusBarAccessible(static_cast<TStatusBar*>(object));
  if (className == QLatin1String("TPanel")) {
    auto* panel = static_cast<TPanel*>(object);
    return new TDrawnAccessible(panel, QAccessible::Canvas, panel->AccessibleTexts);
  }
  if (className == QLatin1String("TGraphWindow")) {
    auto* chart = static_cast<TGraphWindow*>(object);
    return new TDrawnAccessible(chart, QAccessible::Chart, chart->AccessibleTexts);
  }
  return nullptr;
}
}  // namespace

void InstallConsoleAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  InstallCommonAccessibility();
  // Factories installed later are asked first, so these take the place of
  // Qt's own for the classes they know.
  QAccessible::installFactory(ConsoleInterface);
}
