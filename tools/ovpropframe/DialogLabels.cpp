#include "DialogLabels.h"

#include "ovAccessibility.h"

#include <QGroupBox>
#include <QLabel>
#include <QStringList>

#include <algorithm>
#include <span>

namespace {

bool OnSameRow(const DialogControl& a, const DialogControl& b)
{
    // A combo box's template height includes its list; its row is an edit's.
    const auto rowHeight = [](const DialogControl& c) { return c.kind == ControlKind::ComboBox ? short(12) : c.cy; };
    return a.y < b.y + rowHeight(b) && b.y < a.y + rowHeight(a);
}

bool IsCaption(const DialogControl& c) { return c.kind == ControlKind::Static && c.text && *c.text; }

bool Frames(const DialogControl& group, const DialogControl& c)
{
    return c.x >= group.x && c.y >= group.y && c.x + c.cx <= group.x + group.cx && c.y + c.cy <= group.y + group.cy;
}

// The captions on the control's row to its left, nearest first.
std::vector<std::size_t> CaptionsBeside(std::span<const DialogControl> controls, const DialogControl& control)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const DialogControl& c = controls[i];
        if (&c != &control && IsCaption(c) && OnSameRow(c, control) && c.x + c.cx <= control.x + 2) found.push_back(i);
    }
    std::sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].x + controls[a].cx > controls[b].x + controls[b].cx;
    });
    return found;
}

QString Description(std::span<const DialogControl> controls, const DialogControl& control,
                    const std::vector<std::size_t>& beside)
{
    QStringList context;
    for (const DialogControl& group : controls)
        if (group.kind == ControlKind::GroupBox && group.text && Frames(group, control))
            context << WithoutAccelerators(QString::fromUtf16(group.text));
    // Farthest first, as they are read.
    for (auto it = beside.rbegin(); it != beside.rend() && it + 1 != beside.rend(); ++it)
        context << WithoutAccelerators(QString::fromUtf16(controls[*it].text));
    return context.join(QLatin1Char(' '));
}

bool TakesFocus(ControlKind kind) { return kind != ControlKind::Static && kind != ControlKind::GroupBox; }

} // namespace

void LinkDialogLabels(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& widgets)
{
    const std::span<const DialogControl> controls = dialogTemplate.controls;
    for (std::size_t i = 0; i < controls.size() && i < widgets.size(); ++i) {
        const DialogControl& control = controls[i];
        QWidget* widget = widgets[i];
        if (TakesFocus(control.kind) && !(control.style & WS_TABSTOP))
            widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(widget->focusPolicy() & ~Qt::TabFocus));
        const bool labelled = control.kind == ControlKind::Edit || control.kind == ControlKind::ComboBox ||
                              control.kind == ControlKind::Trackbar;
        const bool value = control.kind == ControlKind::Static && !IsCaption(control);
        if (!labelled && !value) continue;
        const std::vector<std::size_t> beside = CaptionsBeside(controls, control);
        if (!beside.empty()) {
            auto* caption = qobject_cast<QLabel*>(widgets[beside.front()]);
            if (caption && labelled) caption->setBuddy(widget);
            if (auto* shown = qobject_cast<QLabel*>(widget); caption && shown && value) SetCaptionOf(shown, caption);
        }
        const QString description = Description(controls, control, beside);
        if (!description.isEmpty() && !value) widget->setAccessibleDescription(description);
    }
}
