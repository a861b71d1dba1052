// Dialog template and title string of the quad view's property page.
#pragma once

#include "dialog.h"

constexpr int IDD_QUADVIEW_PAGE = 101;
constexpr int IDS_QUADVIEW_TITLE = 1003;

constexpr int IDC_QV_TIMEBASE = 1008;
constexpr int IDC_QV_BORDERLINES = 1009;
constexpr int IDC_QV_MAXFRAMERATE = 1010;
constexpr int IDC_QV_MAXFRAMERATE_LABEL = 1012;
constexpr int IDC_QV_BACKGROUND = 1013;
constexpr int IDC_QV_OFFSET_LABEL = 1014;
constexpr int IDC_QV_ZEROTIMESTAMPS = 1015;
constexpr int IDC_QV_OFFSET = 1016;

extern const DialogTemplate kQuadViewPageDialog;
extern const StringResource kQuadViewPageTitle;
