#include "StereoPairResources.h"

namespace {

const DialogControl kVideoColourControls[] = {
    {IDC_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
};

const DialogControl kStereoDisplayControls[] = {
    {IDC_SD_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_SD_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_SD_FRAMERATE_LABEL, ControlKind::Static, u"フレームレート", 7, 27, 50, 8, SS_LEFT},
    {IDC_SD_FRAMERATE, ControlKind::Edit, nullptr, 60, 25, 40, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_SD_FRAMERATE_UNIT, ControlKind::Static, u"(fr/sec)", 104, 27, 40, 8, SS_LEFT},
    {IDC_SD_SWAP, ControlKind::CheckBox, u"左右ビデオの反転", 7, 43, 100, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
};

// ---- Two-input Level Compressor page
const DialogControl kLevelCompressControls[] = {
    {IDC_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_LC_SWAP, ControlKind::CheckBox, u"左右ビデオの反転", 7, 25, 100, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {IDC_LC_FRAMERATE_LABEL, ControlKind::Static, u"フレームレート", 7, 43, 50, 8, SS_LEFT},
    {IDC_LC_FRAMERATE, ControlKind::Edit, nullptr, 60, 41, 40, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_LC_FRAMERATE_UNIT, ControlKind::Static, u"(fr/sec)", 104, 43, 40, 8, SS_LEFT},
};

// ---- Quenza page
constexpr DWORD kEditStyle = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | WS_TABSTOP;

const DialogControl kQuenzaControls[] = {
    {IDC_QZ_VIDEOCOLOUR_LABEL, ControlKind::Static, u"入力ビデオカラー", 7, 9, 60, 8, SS_LEFT},
    {IDC_QZ_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 70, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_QZ_SWAP, ControlKind::CheckBox, u"左右ビデオの反転", 150, 8, 90, 10, kCheckStyle},
    {IDC_QZ_RESOLUTION_LABEL, ControlKind::Static, u"出力解像度", 7, 25, 60, 8, SS_LEFT},
    {IDC_QZ_RESOLUTION, ControlKind::ComboBox, nullptr, 70, 23, 70, 120, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_QZ_FRAMERATE_LABEL, ControlKind::Static, u"出力フレームレート", 7, 41, 60, 8, SS_LEFT},
    {IDC_QZ_FRAMERATE, ControlKind::Edit, nullptr, 70, 39, 40, 12, kEditStyle},
    {IDC_QZ_FRAMERATE_UNIT, ControlKind::Static, u"(fr/sec)", 114, 41, 40, 8, SS_LEFT},
    {IDC_QZ_BACKGROUND_LABEL, ControlKind::Static, u"背景色", 150, 25, 30, 8, SS_LEFT},
    {IDC_QZ_BACKGROUND_R_LABEL, ControlKind::Static, u"r:", 150, 41, 8, 8, SS_LEFT},
    {IDC_QZ_BACKGROUND_R, ControlKind::Edit, nullptr, 160, 39, 24, 12, kEditStyle},
    {IDC_QZ_BACKGROUND_G_LABEL, ControlKind::Static, u"g:", 188, 41, 8, 8, SS_LEFT},
    {IDC_QZ_BACKGROUND_G, ControlKind::Edit, nullptr, 198, 39, 24, 12, kEditStyle},
    {IDC_QZ_BACKGROUND_B_LABEL, ControlKind::Static, u"b:", 226, 41, 8, 8, SS_LEFT},
    {IDC_QZ_BACKGROUND_B, ControlKind::Edit, nullptr, 236, 39, 24, 12, kEditStyle},

    {IDC_QZ_LEFT_GROUP, ControlKind::GroupBox, u"左映像の表示設定", 7, 57, 125, 62, 0},
    {IDC_QZ_LEFT_OFFSET_LABEL, ControlKind::Static, u"オフセット", 12, 70, 36, 8, SS_LEFT},
    {IDC_QZ_LEFT_X_LABEL, ControlKind::Static, u"x:", 50, 70, 8, 8, SS_LEFT},
    {IDC_QZ_LEFT_X, ControlKind::Edit, nullptr, 58, 68, 28, 12, kEditStyle},
    {IDC_QZ_LEFT_Y_LABEL, ControlKind::Static, u"y:", 90, 70, 8, 8, SS_LEFT},
    {IDC_QZ_LEFT_Y, ControlKind::Edit, nullptr, 98, 68, 28, 12, kEditStyle},
    {IDC_QZ_LEFT_SIZE_LABEL, ControlKind::Static, u"サイズ", 12, 86, 36, 8, SS_LEFT},
    {IDC_QZ_LEFT_W_LABEL, ControlKind::Static, u"w:", 50, 86, 8, 8, SS_LEFT},
    {IDC_QZ_LEFT_H_LABEL, ControlKind::Static, u"h:", 90, 86, 8, 8, SS_LEFT},
    {IDC_QZ_LEFT_W, ControlKind::Edit, nullptr, 58, 84, 28, 12, kEditStyle},
    {IDC_QZ_LEFT_H, ControlKind::Edit, nullptr, 98, 84, 28, 12, kEditStyle},
    {IDC_QZ_LEFT_AT_INPUT_SIZE, ControlKind::CheckBox, u"入力のサイズで表示", 12, 102, 100, 10, kCheckStyle},

    {IDC_QZ_RIGHT_GROUP, ControlKind::GroupBox, u"右映像の表示設定", 137, 57, 125, 62, 0},
    {IDC_QZ_RIGHT_OFFSET_LABEL, ControlKind::Static, u"オフセット", 142, 70, 36, 8, SS_LEFT},
    {IDC_QZ_RIGHT_X_LABEL, ControlKind::Static, u"x:", 180, 70, 8, 8, SS_LEFT},
    {IDC_QZ_RIGHT_Y_LABEL, ControlKind::Static, u"y:", 220, 70, 8, 8, SS_LEFT},
    {IDC_QZ_RIGHT_X, ControlKind::Edit, nullptr, 188, 68, 28, 12, kEditStyle},
    {IDC_QZ_RIGHT_Y, ControlKind::Edit, nullptr, 228, 68, 28, 12, kEditStyle},
    {IDC_QZ_RIGHT_SIZE_LABEL, ControlKind::Static, u"サイズ", 142, 86, 36, 8, SS_LEFT},
    {IDC_QZ_RIGHT_W_LABEL, ControlKind::Static, u"w:", 180, 86, 8, 8, SS_LEFT},
    {IDC_QZ_RIGHT_H_LABEL, ControlKind::Static, u"h:", 220, 86, 8, 8, SS_LEFT},
    {IDC_QZ_RIGHT_W, ControlKind::Edit, nullptr, 188, 84, 28, 12, kEditStyle},
    {IDC_QZ_RIGHT_H, ControlKind::Edit, nullptr, 228, 84, 28, 12, kEditStyle},
    {IDC_QZ_RIGHT_AT_INPUT_SIZE, ControlKind::CheckBox, u"入力のサイズで表示", 142, 102, 100, 10, kCheckStyle},

    {IDC_QZ_WINDOW_GROUP, ControlKind::GroupBox, u"ビデオレンダリングウィンドウの制御", 7, 123, 255, 80, 0},
    {IDC_QZ_WINDOW_POSITION_LABEL, ControlKind::Static, u"位置", 12, 136, 36, 8, SS_LEFT},
    {IDC_QZ_WINDOW_X_LABEL, ControlKind::Static, u"x:", 50, 136, 8, 8, SS_LEFT},
    {IDC_QZ_WINDOW_Y_LABEL, ControlKind::Static, u"y:", 90, 136, 8, 8, SS_LEFT},
    {IDC_QZ_WINDOW_X, ControlKind::Edit, nullptr, 58, 134, 28, 12, kEditStyle},
    {IDC_QZ_WINDOW_Y, ControlKind::Edit, nullptr, 98, 134, 28, 12, kEditStyle},
    {IDC_QZ_WINDOW_SIZE_LABEL, ControlKind::Static, u"サイズ", 12, 152, 36, 8, SS_LEFT},
    {IDC_QZ_WINDOW_W_LABEL, ControlKind::Static, u"w:", 50, 152, 8, 8, SS_LEFT},
    {IDC_QZ_WINDOW_H_LABEL, ControlKind::Static, u"h:", 90, 152, 8, 8, SS_LEFT},
    {IDC_QZ_WINDOW_W, ControlKind::Edit, nullptr, 58, 150, 28, 12, kEditStyle},
    {IDC_QZ_WINDOW_H, ControlKind::Edit, nullptr, 98, 150, 28, 12, kEditStyle},
    {IDC_QZ_WINDOW_AT_OUTPUT_SIZE, ControlKind::CheckBox, u"出力解像度と同じサイズ", 12, 168, 110, 10, kCheckStyle},
    {IDC_QZ_APPLY_POSITION, ControlKind::PushButton, u"位置の更新", 137, 133, 60, 14, WS_TABSTOP},
    {IDC_QZ_APPLY_SIZE, ControlKind::PushButton, u"サイズの更新", 137, 149, 60, 14, WS_TABSTOP},
    {IDC_QZ_FULL_SCREEN, ControlKind::PushButton, u"フルスクリーン表示", 96, 183, 70, 14, WS_TABSTOP},
    {IDC_QZ_TOGGLE_FRAME, ControlKind::PushButton, u"ウィンドウ枠のオン/オフ", 170, 183, 88, 14, WS_TABSTOP},
};

constexpr const WCHAR* kDialogFont = u"MS Shell Dlg";

} // namespace

const DialogTemplate kGreenShiftPageDialog{IDD_GREENSHIFT_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kGreenShiftPageTitle{IDS_GREENSHIFT_TITLE, u"Ｇｒｅｅｎピクセルの右シフト"};
const DialogTemplate kInterlacePageDialog{IDD_INTERLACE_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kInterlacePageTitle{IDS_INTERLACE_TITLE, u"インターレース化"};
const DialogTemplate kStereoDisplayPageDialog{IDD_STEREODISPLAY_PAGE, kDialogFont, 8, 150, 60, WS_CHILD,
                                             kStereoDisplayControls};
const StringResource kStereoDisplayPageTitle{IDS_STEREODISPLAY_TITLE, u"ステレオディスプレイ対応化"};

const DialogTemplate kLevelCompressPageDialog{IDD_LEVELCOMPRESS_PAGE, kDialogFont, 8, 150, 60, WS_CHILD,
                                              kLevelCompressControls};
const StringResource kLevelCompressPageTitle{IDS_LEVELCOMPRESS_TITLE, u"2映像圧縮合成"};
const DialogTemplate kQuenzaPageDialog{IDD_QUENZA_PAGE, kDialogFont, 8, 270, 210, WS_CHILD, kQuenzaControls};
const StringResource kQuenzaPageTitle{IDS_QUENZA_TITLE, u"Quenza設定"};
