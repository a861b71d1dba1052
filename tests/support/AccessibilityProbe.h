// What a screen reader or an automation tool finds in a window, read
// through Qt's accessibility interface: the controls it cannot name, and the
// order Tab visits them in.
#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace accessibility_probe {

inline QAccessibleInterface* Interface(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
inline QString Name(QAccessibleInterface* face) { return face ? face->text(QAccessible::Name) : QStringLiteral("<none>"); }

// Every unnamed control below face, as "role at path"; a combo box's list
// and edit are its own parts and are not looked into.
inline void CollectUnnamed(QAccessibleInterface* face, const QString& path, QStringList& unnamed)
{
    static const QList<QAccessible::Role> named = {
        QAccessible::PushButton,   QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::SpinBox,  QAccessible::ProgressBar, QAccessible::Chart,
        QAccessible::Canvas,       QAccessible::MenuItem, QAccessible::Grouping,    QAccessible::Window,
        QAccessible::Dialog,       QAccessible::Slider,   QAccessible::PageTab};
    if (named.contains(face->role()) && Name(face).isEmpty())
        unnamed << QStringLiteral("role %1 at %2").arg(face->role()).arg(path);
    if (face->role() == QAccessible::ComboBox) return;
    for (int i = 0; i < face->childCount(); ++i)
        if (QAccessibleInterface* child = face->child(i)) CollectUnnamed(child, path + QLatin1Char('/') + Name(child), unnamed);
}

// The widgets Tab visits, in the order it visits them.
inline QList<QWidget*> TabChain(QWidget* window)
{
    QList<QWidget*> order;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && !w->focusProxy())
            order << w;
    return order;
}

inline QStringList TabOrder(QWidget* window)
{
    QStringList names;
    for (QWidget* w : TabChain(window)) names << w->objectName();
    return names;
}

} // namespace accessibility_probe
