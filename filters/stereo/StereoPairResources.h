// Dialog templates and title strings of the module's property pages.
#pragma once

#include "dialog.h"

constexpr int IDD_INTERLACE_PAGE = 102;
constexpr int IDD_GREENSHIFT_PAGE = 103;
constexpr int IDD_STEREODISPLAY_PAGE = 105;
constexpr int IDS_INTERLACE_TITLE = 105;
constexpr int IDS_GREENSHIFT_TITLE = 106;
constexpr int IDS_STEREODISPLAY_TITLE = 107;

// Controls of the video colour pages.
constexpr int IDC_VIDEOCOLOUR_LABEL = 1001;
constexpr int IDC_VIDEOCOLOUR = 1002;

// Controls of the Stereo Display page.
constexpr int IDC_SD_VIDEOCOLOUR_LABEL = 1007;
constexpr int IDC_SD_VIDEOCOLOUR = 1008;
constexpr int IDC_SD_FRAMERATE_LABEL = 1009;
constexpr int IDC_SD_FRAMERATE = 1010;
constexpr int IDC_SD_FRAMERATE_UNIT = 1011;
constexpr int IDC_SD_SWAP = 1012;

extern const DialogTemplate kGreenShiftPageDialog;
extern const StringResource kGreenShiftPageTitle;
extern const DialogTemplate kInterlacePageDialog;
extern const StringResource kInterlacePageTitle;
extern const DialogTemplate kStereoDisplayPageDialog;
extern const StringResource kStereoDisplayPageTitle;
