#include "ConsoleAccessibility.h"

#include "GraphWindow.h"
#include "SenderMainForm.h"
#include "StatusBar.h"
#include "StatusBarAccessible.h"
#include "UpDown.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
// "&Width" reads "Width", "Video&&Audio" reads "Video&Audio".
QString WithoutAccelerators(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// Named after its label, valued by its current item. Qt's own interface for
// a box names it by the current item on Linux and leaves the label to a
// relation, which leaves the box nameless to a reader that asks for names.
class TComboBoxAccessible : public QAccessibleWidget {
public:
  explicit TComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      if (!Box()->accessibleName().isEmpty()) return Box()->accessibleName();
      const QString label = LabelTextOf(Box());
      return label.isEmpty() ? Box()->currentText() : label;
    }
    if (t == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(t);
  }

  // The list that drops down, and the edit of an editable box.
  int childCount() const override { return Box()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1 && Box()->isEditable()) return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i)
      if (this->child(i) == child) return i;
    return -1;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction())
      Box()->showPopup();
    else
      QAccessibleWidget::doAction(action);
  }
};

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
  if (className == QLatin1String("QComboBox")) return new TComboBoxAccessible(static_cast<QComboBox*>(object));
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
  // Factories installed later are asked first, so these take the place of
  // Qt's own for the classes they know.
  QAccessible::installFactory(ConsoleInterface);
}

QString LabelTextOf(const QWidget* widget) {
  const QWidget* parent = widget ? widget->parentWidget() : nullptr;
  if (!parent) return {};
  for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    if (label->buddy() == widget) return WithoutAccelerators(label->text());
  if (const auto* group = qobject_cast<const QGroupBox*>(parent)) return WithoutAccelerators(group->title());
  return {};
}
