#include "ovAccessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {
constexpr const char* kCaptionProperty = "ovAccessibleCaption";

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

// A value without words of its own ("12", "3400"): read under its caption,
// so a reader says what the number is. The caption is asked each time, so
// a caption the window changes is followed.
class TCaptionedValueAccessible : public QAccessibleWidget {
public:
  TCaptionedValueAccessible(QLabel* value, QLabel* caption)
      : QAccessibleWidget(value, QAccessible::StaticText), caption_(caption) {}
  QLabel* Value() const { return static_cast<QLabel*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Value()->accessibleName().isEmpty() && caption_)
      return WithoutAccelerators(caption_->text());
    if (t == QAccessible::Value) return Value()->text();
    // AT-SPI carries no text value for a label, so the value is its
    // description there too.
    if (t == QAccessible::Description && Value()->accessibleDescription().isEmpty()) return Value()->text();
    return QAccessibleWidget::text(t);
  }

private:
  QPointer<QLabel> caption_;
};

QAccessibleInterface* CommonInterface(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String("QComboBox")) return new TComboBoxAccessible(static_cast<QComboBox*>(object));
  if (className == QLatin1String("QLabel")) {
    auto* caption = qobject_cast<QLabel*>(object->property(kCaptionProperty).value<QObject*>());
    if (caption) return new TCaptionedValueAccessible(static_cast<QLabel*>(object), caption);
  }
  return nullptr;
}

const QGroupBox* FramingGroupBox(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  const QGroupBox* framing = nullptr;
  for (const QGroupBox* group : parent->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
    // The innermost group box that holds the whole widget.
    if (group != widget && group->geometry().contains(widget->geometry()) &&
        (!framing || framing->geometry().contains(group->geometry())))
      framing = group;
  }
  return framing;
}
}  // namespace

void InstallCommonAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  // Factories installed later are asked first, so these take the place of
  // Qt's own for the classes they know.
  QAccessible::installFactory(CommonInterface);
}

QString WithoutAccelerators(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

QString LabelTextOf(const QWidget* widget) {
  const QWidget* parent = widget ? widget->parentWidget() : nullptr;
  if (!parent) return {};
  for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    if (label->buddy() == widget) return WithoutAccelerators(label->text());
  if (const auto* group = qobject_cast<const QGroupBox*>(parent)) return WithoutAccelerators(group->title());
  if (const QGroupBox* group = FramingGroupBox(widget)) return WithoutAccelerators(group->title());
  return {};
}

void SetCaptionOf(QLabel* value, QLabel* caption) {
  value->setProperty(kCaptionProperty, QVariant::fromValue<QObject*>(caption));
}
