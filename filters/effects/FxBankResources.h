// Dialog templates and title strings of the module's property pages.
#pragma once

#include "dialog.h"

// ---- Frame Rate Controller

constexpr int IDD_FRAMECONTROL_PAGE = 105;
constexpr int IDS_FRAMECONTROL_TITLE = 104;
constexpr int IDC_FRC_FRAMERATE_LABEL = 1004;
constexpr int IDC_FRC_FRAMERATE = 1005;
constexpr int IDC_FRC_FRAMERATE_UNIT = 1006;
constexpr int IDC_FRC_HOLDSAMPLES = 1023;

extern const DialogTemplate kFrameControlPageDialog;
extern const StringResource kFrameControlPageTitle;

// ----
