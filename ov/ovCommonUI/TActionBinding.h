// Buttons and check boxes bound to an action: they follow its caption,
// enabled, checked (check boxes and checkable buttons) and visible state, and
// a click runs the action's Execute. A check box toggled by the user keeps the
// state Qt gave it until the action's checked state changes.
#ifndef OVCOMMONUI_TACTIONBINDING_H
#define OVCOMMONUI_TACTIONBINDING_H

class QAbstractButton;
class TAction;

void BindButton(QAbstractButton* button, TAction* action);

#endif
