#include "DialogView.h"

#include "DialogLabels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace {

QString ToQString(const std::u16string& text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

std::u16string ToU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// A closed combo box is as tall as an edit; the template's height includes
// the drop-down list.
constexpr short kComboBoxClosedHeight = 12;

} // namespace

DialogView::DialogView(HWND dialog, QWidget* parent)
    : QWidget(parent), m_dialog(dialog), m_font(*GetDialogTemplate(dialog))
{
    const DialogTemplate& dialogTemplate = *GetDialogTemplate(dialog);
    setFont(m_font.Font());
    setFixedSize(m_font.ToPixels(dialogTemplate.cx, dialogTemplate.cy));
    for (std::size_t i = 0; i < dialogTemplate.controls.size(); ++i) AddControl(dialogTemplate.controls[i], i);
    // Later controls lie on top of earlier ones, so a group box never hides
    // the controls it frames.
    for (QWidget* widget : m_widgets) widget->raise();
    LinkDialogLabels(dialogTemplate, m_widgets);
    Refresh();
    SyncTimers();
}

QWidget* DialogView::ControlWidget(int id) const
{
    for (std::size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id) return m_widgets[i];
    return nullptr;
}

void DialogView::AddControl(const DialogControl& control, std::size_t index)
{
    QWidget* widget = CreateWidget(control);
    const short height = control.kind == ControlKind::ComboBox ? std::min(control.cy, kComboBoxClosedHeight) : control.cy;
    widget->setGeometry(m_font.ToPixels(control.x, control.y, control.cx, height));
    widget->setObjectName(QStringLiteral("control%1_%2").arg(control.id).arg(index));
    widget->setProperty("controlId", control.id);
    Connect(widget, control);
    m_widgets.push_back(widget);
    m_ids.push_back(control.id);
}

QWidget* DialogView::CreateWidget(const DialogControl& control)
{
    const QString text = control.text ? QString::fromUtf16(control.text) : QString();
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setAlignment((control.style & SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        return label;
    }
    case ControlKind::GroupBox: return new QGroupBox(text, this);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, this);
        edit->setAlignment(control.style & ES_RIGHT ? Qt::AlignRight : Qt::AlignLeft);
        return edit;
    }
    case ControlKind::ComboBox: return new QComboBox(this);
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, this);
        if (control.style & BS_LEFTTEXT) box->setLayoutDirection(Qt::RightToLeft);
        return box;
    }
    case ControlKind::PushButton: return new QPushButton(text, this);
    case ControlKind::Trackbar: {
        auto* slider = new QSlider(Qt::Horizontal, this);
        if (control.style & TBS_AUTOTICKS) slider->setTickPosition(QSlider::TicksBelow);
        return slider;
    }
    }
    return new QWidget(this);
}

// Only signals a person causes are passed on (activated, clicked, edited,
// moved); Refresh changes widgets with their signals blocked, so the
// model's own changes are never echoed back as user input.
void DialogView::Connect(QWidget* widget, const DialogControl& control)
{
    const int id = control.id;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            UserTypeText(m_dialog, id, ToU16(text));
            Delivered();
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
            UserSelectComboItem(m_dialog, id, index);
            Delivered();
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            UserClickButton(m_dialog, id);
            Delivered();
        });
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        connect(slider, &QSlider::valueChanged, this, [this, id](int position) {
            UserMoveTrackbar(m_dialog, id, position);
            Delivered();
        });
    }
}

void DialogView::Delivered()
{
    Refresh();
    SyncTimers();
    emit MessageDelivered();
}

void DialogView::Refresh()
{
    if (!IsWindow(m_dialog)) return;
    // Controls sharing an id (labels without one) are all the same to the
    // model, which answers for the first; their template texts stay.
    for (std::size_t i = 0; i < m_widgets.size(); ++i) {
        if (m_ids[i] == IDC_STATIC) continue;
        if (const auto state = GetControlState(m_dialog, m_ids[i])) RefreshControl(m_widgets[i], *state);
    }
}

void DialogView::RefreshControl(QWidget* widget, const ControlState& state)
{
    const QSignalBlocker blocker(widget);
    widget->setEnabled(state.enabled);
    widget->setVisible(state.visible);
    const QString text = ToQString(state.text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // Setting equal text would move the cursor while the person types.
        if (edit->text() != text) edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (const std::u16string& item : state.items) items << ToQString(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(state.selection);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setText(text);
        check->setCheckState(state.check == BST_CHECKED         ? Qt::Checked
                             : state.check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                                : Qt::Unchecked);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(text);
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        slider->setRange(state.rangeMin, std::max(state.rangeMin, state.rangeMax));
        slider->setValue(state.position);
    }
}

// The page starts and stops its timers from its messages; the Qt timers
// follow the model's list after each one.
void DialogView::SyncTimers()
{
    if (!IsWindow(m_dialog)) return;
    const auto active = GetActiveTimers(m_dialog);
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        const bool kept = std::any_of(active.begin(), active.end(), [&](const auto& t) { return t.first == it->first; });
        if (kept) {
            ++it;
            continue;
        }
        delete it->second;
        it = m_timers.erase(it);
    }
    for (const auto& [id, interval] : active) {
        QTimer*& timer = m_timers[id];
        if (!timer) {
            timer = new QTimer(this);
            connect(timer, &QTimer::timeout, this, [this, id = id] {
                FireTimer(m_dialog, id);
                Delivered();
            });
        }
        if (timer->interval() != static_cast<int>(interval) || !timer->isActive()) timer->start(static_cast<int>(interval));
    }
}

void DialogView::Detach()
{
    for (auto& [id, timer] : m_timers) delete timer;
    m_timers.clear();
    m_dialog = nullptr;
}
