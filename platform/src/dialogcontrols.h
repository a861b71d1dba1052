// Messages to the state of one control, apart from its window: what each
// kind of control does with them and which notification it sends back.
#pragma once

#include "dialog.h"

#include <optional>

// What a control message produced: its result and a notification for the parent.
struct ControlReply {
    ControlReply(LRESULT result = 0, std::optional<WORD> notification = std::nullopt)
        : result(result), notification(notification)
    {
    }
    LRESULT result;
    std::optional<WORD> notification;
};

ControlReply ComboBoxMessage(ControlState& state, UINT message, WPARAM wParam, LPARAM lParam);
ControlReply TrackbarMessage(ControlState& state, UINT message, LPARAM lParam);
// A disabled button ignores BM_CLICK.
ControlReply ButtonMessage(ControlState& state, bool enabled, UINT message, WPARAM wParam);
