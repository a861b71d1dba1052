// Layout checks of a page's dialog template: every control inside the
// dialog, and no two controls on top of each other (a group box only
// frames the controls within it).
#pragma once

#include "dialog.h"

#include <gtest/gtest.h>

inline void ExpectControlsApart(const DialogTemplate& dialog)
{
    const auto overlaps = [](const DialogControl& a, const DialogControl& b) {
        return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
    };
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const DialogControl& a = dialog.controls[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= dialog.cx && a.y + a.cy <= dialog.cy) << a.id;
        for (std::size_t j = i + 1; j < dialog.controls.size(); ++j) {
            const DialogControl& b = dialog.controls[j];
            if (a.kind == ControlKind::GroupBox || b.kind == ControlKind::GroupBox) continue;
            EXPECT_FALSE(overlaps(a, b)) << a.id << " and " << b.id;
        }
    }
}
