// Real widgets for one live dialog of the platform's dialog model. Each
// control of the dialog's template becomes a widget at the template's
// position and size; what a person does with a widget goes to the model
// through its User... functions (so the page receives the same
// notifications it gets in the headless host), and after every message the
// widgets are brought back in line with the model's control states, which
// the page may have changed. The dialog's timers run as Qt timers.
#pragma once

#include "DialogFont.h"
#include "dialog.h"

#include <QWidget>

#include <map>
#include <vector>

class QTimer;

class DialogView : public QWidget {
    Q_OBJECT
public:
    DialogView(HWND dialog, QWidget* parent = nullptr);

    HWND Dialog() const { return m_dialog; }
    // The widget showing control `id` (the first, for repeated ids), or null.
    QWidget* ControlWidget(int id) const;
    const std::vector<QWidget*>& ControlWidgets() const { return m_widgets; }
    // Stops the timers; the frame calls it before the page destroys its dialog.
    void Detach();
    // Reads every control state back from the model.
    void Refresh();

signals:
    // A user input or a timer reached the page.
    void MessageDelivered();

private:
    void AddControl(const DialogControl& control, std::size_t index);
    QWidget* CreateWidget(const DialogControl& control);
    void Connect(QWidget* widget, const DialogControl& control);
    void RefreshControl(QWidget* widget, const ControlState& state);
    void Delivered();
    void SyncTimers();

    HWND m_dialog;
    DialogFont m_font;
    std::vector<QWidget*> m_widgets;
    std::vector<int> m_ids;
    std::map<UINT_PTR, QTimer*> m_timers;
};
