// Dialog stand-in for property pages, free of any toolkit: dialog templates
// as static data, live dialogs holding each control's state, the published
// window messages and the Win32 helpers pages call. A front end (a headless
// host in tests, a visible frame later) shows the state and feeds user input
// through the User... functions, which send the same notifications a real
// control sends.
#pragma once

#include "wintypes.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class ControlKind { Static, GroupBox, Edit, ComboBox, CheckBox, PushButton, Trackbar };

// One control of a template; position and size in dialog units.
struct DialogControl {
    int id;
    ControlKind kind;
    const WCHAR* text;
    short x, y, cx, cy;
    DWORD style;
};

struct DialogTemplate {
    int resourceId;
    const WCHAR* fontName;
    WORD pointSize;
    short cx, cy;
    DWORD style;
    std::span<const DialogControl> controls;
};

// A string resource: the tab titles of pages.
struct StringResource {
    int id;
    const WCHAR* text;
};

constexpr int IDC_STATIC = -1;

// Messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_USER = 0x0400;

// Notification codes (high word of WM_COMMAND's wParam).
constexpr WORD BN_CLICKED = 0;
constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD EN_CHANGE = 0x0300;

// Buttons.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;
constexpr UINT BST_INDETERMINATE = 2;

// Combo boxes.
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;

// Trackbars.
constexpr UINT TBM_GETPOS = WM_USER;
constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
constexpr UINT TBM_SETPOS = WM_USER + 5;
constexpr UINT TBM_SETRANGE = WM_USER + 6;
constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_ENDTRACK = 8;

// Styles.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_HORZ = 0x0000;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int GWLP_USERDATA = -21;

using DLGPROC = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

// A top-level window to hold dialogs (the frame a page host supplies).
HWND CreateFrameWindow();
// Creates the dialog and its controls as a child of `parent` and sends it
// WM_INITDIALOG with `initParam`. Null when the parent is not a window.
HWND CreateDialogFromTemplate(const DialogTemplate& dialogTemplate, HWND parent, DLGPROC procedure, LPARAM initParam);
// Sends WM_DESTROY to a dialog, stops its timers and destroys it, its
// controls and any child dialogs.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) { return SendMessageW(w, m, wp, lp); }
inline LRESULT SendDlgItemMessage(HWND d, int id, UINT m, WPARAM wp, LPARAM lp)
{
    return SendDlgItemMessageW(d, id, m, wp, lp);
}

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
HWND GetParent(HWND window);

// Setting an edit control's text sends EN_CHANGE to its dialog, as on Windows.
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, LPWSTR text, int max);
int GetWindowTextLengthW(HWND window);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int max);
// Narrow variants take and give UTF-8.
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
UINT GetDlgItemTextA(HWND dialog, int id, char* text, int max);
inline BOOL SetDlgItemText(HWND d, int id, LPCWSTR text) { return SetDlgItemTextW(d, id, text); }
inline UINT GetDlgItemText(HWND d, int id, LPWSTR text, int max) { return GetDlgItemTextW(d, id, text, max); }
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);

BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);

BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Converts a rectangle from dialog units to pixels (8-point dialog font).
BOOL MapDialogRect(HWND dialog, RECT* rect);

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);

// Timers of a dialog deliver WM_TIMER when its front end fires them.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL KillTimer(HWND window, UINT_PTR id);

// Common controls need no set-up here.
void InitCommonControls();

// Read-only view of a control, for front ends and tests.
struct ControlState {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    DWORD style = 0;
    std::u16string text;
    std::vector<std::u16string> items;
    int selection = -1;
    UINT check = BST_UNCHECKED;
    LONG rangeMin = 0;
    LONG rangeMax = 100;
    LONG position = 0;
    bool enabled = true;
    bool visible = true;
};
std::optional<ControlState> GetControlState(HWND dialog, int id);
const DialogTemplate* GetDialogTemplate(HWND dialog);
// Child dialogs of a window, in creation order.
std::vector<HWND> GetChildDialogs(HWND window);
// Active timers of a dialog: id and interval in milliseconds.
std::vector<std::pair<UINT_PTR, UINT>> GetActiveTimers(HWND dialog);

// User input. Each changes the control as the user would and sends the
// control's notification; false (and nothing sent) when the control is
// missing, disabled or of another kind, or the input is refused.
bool UserSelectComboItem(HWND dialog, int id, int index);
bool UserClickButton(HWND dialog, int id);
// An ES_NUMBER edit refuses text with anything but digits.
bool UserTypeText(HWND dialog, int id, std::u16string_view text);
bool UserMoveTrackbar(HWND dialog, int id, LONG position);
bool FireTimer(HWND dialog, UINT_PTR id);
