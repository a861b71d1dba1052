// Dialog templates and title strings of the module's property pages.
#pragma once

#include "dialog.h"

constexpr int IDD_INTERLACE_PAGE = 102;
constexpr int IDD_GREENSHIFT_PAGE = 103;
constexpr int IDS_INTERLACE_TITLE = 105;
constexpr int IDS_GREENSHIFT_TITLE = 106;

// Controls of the video colour pages.
constexpr int IDC_VIDEOCOLOUR_LABEL = 1001;
constexpr int IDC_VIDEOCOLOUR = 1002;

extern const DialogTemplate kGreenShiftPageDialog;
extern const StringResource kGreenShiftPageTitle;
extern const DialogTemplate kInterlacePageDialog;
extern const StringResource kInterlacePageTitle;
