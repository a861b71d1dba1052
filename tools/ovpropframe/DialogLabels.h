// What a reader says for each control of a dialog template. A template has
// no label relations: on Windows the text beside a control names it. Here
// the static text nearest to the left on the control's row becomes its
// label: the buddy of an edit, combo box or trackbar (so its mnemonic and
// its accessible name follow that text) or the caption of a value shown in
// a static of its own. The other captions on the row and the group box
// around it become its description ("x:" of an offset in the left
// picture's group). Tab skips controls the template leaves without a tab
// stop.
#pragma once

#include "dialog.h"

#include <vector>

class QWidget;

// `widgets` holds one widget per control of `dialogTemplate`, in its order.
void LinkDialogLabels(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& widgets);
