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

// ---- Two-input Level Compressor page (video colour controls shared above)
constexpr int IDD_LEVELCOMPRESS_PAGE = 101;
constexpr int IDS_LEVELCOMPRESS_TITLE = 104;
constexpr int IDC_LC_SWAP = 1003;
constexpr int IDC_LC_FRAMERATE_LABEL = 1004;
constexpr int IDC_LC_FRAMERATE = 1005;
constexpr int IDC_LC_FRAMERATE_UNIT = 1006;

// ---- Quenza page
constexpr int IDD_QUENZA_PAGE = 106;
constexpr int IDS_QUENZA_TITLE = 108;
constexpr int IDC_QZ_VIDEOCOLOUR_LABEL = 1013;
constexpr int IDC_QZ_VIDEOCOLOUR = 1014;
constexpr int IDC_QZ_FRAMERATE_LABEL = 1015;
constexpr int IDC_QZ_FRAMERATE = 1016;
constexpr int IDC_QZ_FRAMERATE_UNIT = 1017;
constexpr int IDC_QZ_SWAP = 1018;
constexpr int IDC_QZ_RESOLUTION_LABEL = 1019;
constexpr int IDC_QZ_RESOLUTION = 1020;
constexpr int IDC_QZ_LEFT_GROUP = 1021;
constexpr int IDC_QZ_LEFT_OFFSET_LABEL = 1022;
constexpr int IDC_QZ_LEFT_X_LABEL = 1023;
constexpr int IDC_QZ_LEFT_X = 1024;
constexpr int IDC_QZ_LEFT_Y_LABEL = 1025;
constexpr int IDC_QZ_LEFT_Y = 1026;
constexpr int IDC_QZ_LEFT_SIZE_LABEL = 1027;
constexpr int IDC_QZ_LEFT_W_LABEL = 1028;
constexpr int IDC_QZ_LEFT_H_LABEL = 1029;
constexpr int IDC_QZ_LEFT_W = 1030;
constexpr int IDC_QZ_LEFT_H = 1031;
constexpr int IDC_QZ_LEFT_AT_INPUT_SIZE = 1032;
constexpr int IDC_QZ_FULL_SCREEN = 1033;
constexpr int IDC_QZ_WINDOW_GROUP = 1045;
constexpr int IDC_QZ_WINDOW_POSITION_LABEL = 1046;
constexpr int IDC_QZ_WINDOW_X_LABEL = 1047;
constexpr int IDC_QZ_WINDOW_Y_LABEL = 1048;
constexpr int IDC_QZ_WINDOW_X = 1049;
constexpr int IDC_QZ_WINDOW_Y = 1050;
constexpr int IDC_QZ_WINDOW_SIZE_LABEL = 1051;
constexpr int IDC_QZ_WINDOW_W_LABEL = 1052;
constexpr int IDC_QZ_WINDOW_H_LABEL = 1053;
constexpr int IDC_QZ_WINDOW_W = 1054;
constexpr int IDC_QZ_WINDOW_H = 1055;
constexpr int IDC_QZ_WINDOW_AT_OUTPUT_SIZE = 1056;
constexpr int IDC_QZ_APPLY_POSITION = 1057;
constexpr int IDC_QZ_APPLY_SIZE = 1058;
constexpr int IDC_QZ_RIGHT_GROUP = 1059;
constexpr int IDC_QZ_RIGHT_OFFSET_LABEL = 1060;
constexpr int IDC_QZ_RIGHT_X_LABEL = 1061;
constexpr int IDC_QZ_RIGHT_Y_LABEL = 1062;
constexpr int IDC_QZ_RIGHT_X = 1063;
constexpr int IDC_QZ_RIGHT_Y = 1064;
constexpr int IDC_QZ_RIGHT_SIZE_LABEL = 1065;
constexpr int IDC_QZ_RIGHT_W_LABEL = 1066;
constexpr int IDC_QZ_RIGHT_H_LABEL = 1067;
constexpr int IDC_QZ_RIGHT_W = 1068;
constexpr int IDC_QZ_RIGHT_H = 1069;
constexpr int IDC_QZ_RIGHT_AT_INPUT_SIZE = 1070;
constexpr int IDC_QZ_BACKGROUND_LABEL = 1071;
constexpr int IDC_QZ_BACKGROUND_R_LABEL = 1072;
constexpr int IDC_QZ_BACKGROUND_G_LABEL = 1073;
constexpr int IDC_QZ_BACKGROUND_R = 1074;
constexpr int IDC_QZ_BACKGROUND_G = 1075;
constexpr int IDC_QZ_BACKGROUND_B_LABEL = 1076;
constexpr int IDC_QZ_BACKGROUND_B = 1077;
constexpr int IDC_QZ_TOGGLE_FRAME = 1078;

extern const DialogTemplate kGreenShiftPageDialog;
extern const StringResource kGreenShiftPageTitle;
extern const DialogTemplate kInterlacePageDialog;
extern const StringResource kInterlacePageTitle;
extern const DialogTemplate kStereoDisplayPageDialog;
extern const StringResource kStereoDisplayPageTitle;
extern const DialogTemplate kLevelCompressPageDialog;
extern const StringResource kLevelCompressPageTitle;
extern const DialogTemplate kQuenzaPageDialog;
extern const StringResource kQuenzaPageTitle;
