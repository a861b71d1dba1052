// Dialog templates and title strings of the module's property pages.
#pragma once

#include "dialog.h"

// ---- Noise, Ghost, Scroll, Subliminal

constexpr int IDD_NOISE_PAGE = 102;
constexpr int IDS_NOISE_TITLE = 101;
constexpr int IDC_NOISE_TYPE_LABEL = 1003;
constexpr int IDC_NOISE_TYPE = 1021;
constexpr int IDC_NOISE_STRENGTH_LABEL = 1001;
constexpr int IDC_NOISE_STRENGTH = 1002;
constexpr int IDC_NOISE_STRENGTH_MIN = 1004;
constexpr int IDC_NOISE_STRENGTH_MAX = 1005;

constexpr int IDD_GHOST_PAGE = 103;
constexpr int IDS_GHOST_TITLE = 102;
constexpr int IDC_GHOST_STRENGTH_LABEL = 1003;
constexpr int IDC_GHOST_STRENGTH = 1010;
constexpr int IDC_GHOST_STRENGTH_MIN = 1011;
constexpr int IDC_GHOST_STRENGTH_MAX = 1012;
constexpr int IDC_GHOST_OFFSET_LABEL = 1006;
constexpr int IDC_GHOST_OFFSET = 1007;
constexpr int IDC_GHOST_OFFSET_MIN = 1013;
constexpr int IDC_GHOST_OFFSET_ZERO = 1008;
constexpr int IDC_GHOST_OFFSET_MAX = 1009;

constexpr int IDD_SCROLL_PAGE = 104;
constexpr int IDS_SCROLL_TITLE = 103;
constexpr int IDC_SCROLL_DIRECTION_LABEL = 1013;
constexpr int IDC_SCROLL_DIRECTION = 1014;
constexpr int IDC_SCROLL_SPEED_LABEL = 1015;
constexpr int IDC_SCROLL_SPEED = 1017;
constexpr int IDC_SCROLL_SPEED_MIN = 1016;
constexpr int IDC_SCROLL_SPEED_ZERO = 1019;
constexpr int IDC_SCROLL_SPEED_MAX = 1018;
constexpr int IDC_SCROLL_RESET = 1022;

constexpr int IDD_SUBLIMINAL_PAGE = 106;
constexpr int IDS_SUBLIMINAL_TITLE = 105;
constexpr int IDC_SUBLIMINAL_PERIOD_LABEL = 1019;
constexpr int IDC_SUBLIMINAL_PERIOD = 1020;
constexpr int IDC_SUBLIMINAL_PERIOD_UNIT = 1021;
constexpr int IDC_SUBLIMINAL_SUBCOUNT_LABEL = 1022;
constexpr int IDC_SUBLIMINAL_SUBCOUNT = 1023;
constexpr int IDC_SUBLIMINAL_SUBCOUNT_UNIT = 1024;

extern const DialogTemplate kNoisePageDialog;
extern const StringResource kNoisePageTitle;
extern const DialogTemplate kGhostPageDialog;
extern const StringResource kGhostPageTitle;
extern const DialogTemplate kScrollPageDialog;
extern const StringResource kScrollPageTitle;
extern const DialogTemplate kSubliminalPageDialog;
extern const StringResource kSubliminalPageTitle;

// ----

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
