#include "TActionBinding.h"

#include "TAction.h"

#include <QAbstractButton>
#include <QPointer>

void BindButton(QAbstractButton* button, TAction* action) {
  if (!button || !action) return;
  button->setText(action->Caption());
  button->setEnabled(action->Enabled());
  if (button->isCheckable()) button->setChecked(action->Checked());
  if (!action->Visible()) button->setVisible(false);
  QPointer<TAction> guarded(action);
  QObject::connect(action, &TAction::Changed, button, [button, guarded](TAction::Property property) {
    if (!guarded) return;
    switch (property) {
      case TAction::Property::Caption: button->setText(guarded->Caption()); break;
      case TAction::Property::Enabled: button->setEnabled(guarded->Enabled()); break;
      case TAction::Property::Checked:
        if (button->isCheckable()) button->setChecked(guarded->Checked());
        break;
      case TAction::Property::Visible: button->setVisible(guarded->Visible()); break;
    }
  });
  QObject::connect(button, &QAbstractButton::clicked, action, [guarded] {
    if (guarded) guarded->Execute();
  });
}
