#include "dialog.h"

#include "dialogcontrols.h"
#include "widestring.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct Window {
    enum class Type { Frame, Dialog, Control } type = Type::Frame;
    HWND handle = nullptr;
    HWND parent = nullptr;
    std::vector<HWND> children;
    RECT rect{};
    bool visible = true;
    bool enabled = true;
    std::u16string text;
    // Dialogs.
    const DialogTemplate* dialogTemplate = nullptr;
    DLGPROC procedure = nullptr;
    LONG_PTR userData = 0;
    std::map<UINT_PTR, UINT> timers;
    // Controls.
    ControlState state;
};

// One lock guards the window table and all state; it is never held while a
// dialog procedure runs, so procedures may call back into these helpers.
std::mutex g_mutex;
std::map<HWND, std::shared_ptr<Window>> g_windows;
std::uintptr_t g_nextHandle = 0x10000;

std::shared_ptr<Window> FindLocked(HWND handle)
{
    const auto it = g_windows.find(handle);
    return it == g_windows.end() ? nullptr : it->second;
}

std::shared_ptr<Window> CreateLocked(Window::Type type, HWND parent)
{
    auto window = std::make_shared<Window>();
    window->type = type;
    window->handle = reinterpret_cast<HWND>(g_nextHandle);
    g_nextHandle += 0x10;
    window->parent = parent;
    g_windows.emplace(window->handle, window);
    if (parent)
        if (auto p = FindLocked(parent)) p->children.push_back(window->handle);
    return window;
}

HWND ItemLocked(HWND dialog, int id)
{
    const auto d = FindLocked(dialog);
    if (!d || d->type != Window::Type::Dialog) return nullptr;
    for (HWND child : d->children) {
        const auto c = FindLocked(child);
        if (c && c->type == Window::Type::Control && c->state.id == id) return child;
    }
    return nullptr;
}

std::shared_ptr<Window> ControlLocked(HWND dialog, int id) { return FindLocked(ItemLocked(dialog, id)); }

ControlReply TextMessage(Window& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::u16string& text = w.type == Window::Type::Control ? w.state.text : w.text;
    switch (message) {
    case WM_SETTEXT:
        text = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string();
        if (w.type == Window::Type::Control && w.state.kind == ControlKind::Edit) return {TRUE, EN_CHANGE};
        return {TRUE};
    case WM_GETTEXT: {
        if (!lParam || wParam == 0) return {0};
        const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
        auto* out = reinterpret_cast<LPWSTR>(lParam);
        std::memcpy(out, text.data(), n * sizeof(WCHAR));
        out[n] = 0;
        return {static_cast<LRESULT>(n)};
    }
    case WM_GETTEXTLENGTH: return {static_cast<LRESULT>(text.size())};
    default: return {0};
    }
}

ControlReply ControlMessage(Window& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT || message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
        return TextMessage(w, message, wParam, lParam);
    switch (w.state.kind) {
    case ControlKind::ComboBox: return ComboBoxMessage(w.state, message, wParam, lParam);
    case ControlKind::Trackbar: return TrackbarMessage(w.state, message, lParam);
    case ControlKind::CheckBox:
    case ControlKind::PushButton: return ButtonMessage(w.state, w.enabled, message, wParam);
    default: return {0};
    }
}

// Sends WM_COMMAND with `code` from `control` to its dialog.
void Notify(HWND control, WORD code)
{
    HWND parent = nullptr;
    int id = 0;
    {
        std::lock_guard lock(g_mutex);
        const auto c = FindLocked(control);
        if (!c) return;
        parent = c->parent;
        id = c->state.id;
    }
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), reinterpret_cast<LPARAM>(control));
}

void DestroyLocked(HWND handle, std::vector<std::pair<HWND, DLGPROC>>& toNotify)
{
    const auto w = FindLocked(handle);
    if (!w) return;
    if (w->type == Window::Type::Dialog && w->procedure) toNotify.emplace_back(handle, w->procedure);
    for (HWND child : std::vector<HWND>(w->children)) DestroyLocked(child, toNotify);
}

void EraseLocked(HWND handle)
{
    const auto w = FindLocked(handle);
    if (!w) return;
    for (HWND child : w->children) EraseLocked(child);
    if (const auto p = FindLocked(w->parent))
        p->children.erase(std::remove(p->children.begin(), p->children.end(), handle), p->children.end());
    g_windows.erase(handle);
}

RECT PixelsOf(short x, short y, short cx, short cy)
{
    RECT r{x, y, x + cx, y + cy};
    MapDialogRect(nullptr, &r);
    return r;
}

} // namespace

HWND CreateFrameWindow()
{
    std::lock_guard lock(g_mutex);
    return CreateLocked(Window::Type::Frame, nullptr)->handle;
}

HWND CreateDialogFromTemplate(const DialogTemplate& dialogTemplate, HWND parent, DLGPROC procedure, LPARAM initParam)
{
    HWND dialog = nullptr;
    {
        std::lock_guard lock(g_mutex);
        if (parent && !FindLocked(parent)) return nullptr;
        auto d = CreateLocked(Window::Type::Dialog, parent);
        d->dialogTemplate = &dialogTemplate;
        d->procedure = procedure;
        d->rect = PixelsOf(0, 0, dialogTemplate.cx, dialogTemplate.cy);
        dialog = d->handle;
        for (const DialogControl& item : dialogTemplate.controls) {
            auto c = CreateLocked(Window::Type::Control, dialog);
            c->state.id = item.id;
            c->state.kind = item.kind;
            c->state.style = item.style;
            c->state.text = item.text ? item.text : u"";
            c->enabled = !(item.style & WS_DISABLED);
            c->rect = PixelsOf(item.x, item.y, item.cx, item.cy);
        }
    }
    if (procedure) procedure(dialog, WM_INITDIALOG, 0, initParam);
    return dialog;
}

BOOL DestroyWindow(HWND window)
{
    std::vector<std::pair<HWND, DLGPROC>> toNotify;
    {
        std::lock_guard lock(g_mutex);
        if (!FindLocked(window)) return FALSE;
        DestroyLocked(window, toNotify);
    }
    for (const auto& [dialog, procedure] : toNotify) procedure(dialog, WM_DESTROY, 0, 0);
    std::lock_guard lock(g_mutex);
    EraseLocked(window);
    return TRUE;
}

BOOL IsWindow(HWND window)
{
    std::lock_guard lock(g_mutex);
    return FindLocked(window) ? TRUE : FALSE;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DLGPROC procedure = nullptr;
    ControlReply reply;
    {
        std::lock_guard lock(g_mutex);
        const auto w = FindLocked(window);
        if (!w) return 0;
        if (w->type == Window::Type::Dialog) {
            if (message == WM_SETTEXT || message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
                return TextMessage(*w, message, wParam, lParam).result;
            procedure = w->procedure;
        } else {
            reply = ControlMessage(*w, message, wParam, lParam);
        }
    }
    if (procedure) return procedure(window, message, wParam, lParam);
    if (reply.notification) Notify(window, *reply.notification);
    return reply.result;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(GetDlgItem(dialog, id), message, wParam, lParam);
}

HWND GetDlgItem(HWND dialog, int id)
{
    std::lock_guard lock(g_mutex);
    return ItemLocked(dialog, id);
}

int GetDlgCtrlID(HWND control)
{
    std::lock_guard lock(g_mutex);
    const auto c = FindLocked(control);
    return c && c->type == Window::Type::Control ? c->state.id : 0;
}

HWND GetParent(HWND window)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    return w ? w->parent : nullptr;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text)
{
    if (!IsWindow(window)) return FALSE;
    return static_cast<BOOL>(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")));
}

int GetWindowTextW(HWND window, LPWSTR text, int max)
{
    if (!text || max <= 0) return 0;
    text[0] = 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthW(HWND window) { return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) { return SetWindowTextW(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int max)
{
    return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), text, max));
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text)
{
    const std::u16string wide = Utf8ToWide(text ? text : "");
    return SetDlgItemTextW(dialog, id, wide.c_str());
}

UINT GetDlgItemTextA(HWND dialog, int id, char* text, int max)
{
    if (!text || max <= 0) return 0;
    const HWND control = GetDlgItem(dialog, id);
    std::u16string wide(static_cast<std::size_t>(std::max(GetWindowTextLengthW(control), 0)) + 1, u'\0');
    GetWindowTextW(control, wide.data(), static_cast<int>(wide.size()));
    wide.resize(WideLength(wide.c_str()));
    std::string narrow = WideToUtf8(wide);
    if (narrow.size() >= static_cast<std::size_t>(max)) narrow.resize(static_cast<std::size_t>(max) - 1);
    std::memcpy(text, narrow.c_str(), narrow.size() + 1);
    return static_cast<UINT>(narrow.size());
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    const std::string text =
        isSigned ? std::to_string(static_cast<INT>(value)) : std::to_string(value);
    return SetDlgItemTextA(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    char text[64];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    const char* begin = text;
    while (*begin == ' ') ++begin;
    const char* end = begin + std::strlen(begin);
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    const bool ok = ec == std::errc() && ptr == end && (isSigned ? value >= INT32_MIN && value <= INT32_MAX
                                                                  : value >= 0 && value <= UINT32_MAX);
    if (translated) *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(value) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    const HWND button = GetDlgItem(dialog, id);
    if (!button) return FALSE;
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL EnableWindow(HWND window, BOOL enable)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    if (!w) return FALSE;
    const bool wasDisabled = !w->enabled;
    w->enabled = enable != FALSE;
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    return w && w->enabled ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    if (!w) return FALSE;
    const bool wasVisible = w->visible;
    w->visible = command != SW_HIDE;
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    return w && w->visible ? TRUE : FALSE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    if (!w) return FALSE;
    w->rect = RECT{x, y, x + width, y + height};
    return TRUE;
}

BOOL MapDialogRect(HWND, RECT* rect)
{
    if (!rect) return FALSE;
    // Base units of the 8-point dialog font: 6 x 13 pixels per 4 x 8 dialog units.
    rect->left = rect->left * 6 / 4;
    rect->right = rect->right * 6 / 4;
    rect->top = rect->top * 13 / 8;
    rect->bottom = rect->bottom * 13 / 8;
    return TRUE;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    if (!w || index != GWLP_USERDATA) return 0;
    const LONG_PTR previous = w->userData;
    w->userData = value;
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND window, int index)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    return w && index == GWLP_USERDATA ? w->userData : 0;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    if (!w || w->type != Window::Type::Dialog || id == 0) return 0;
    w->timers[id] = elapse;
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    std::lock_guard lock(g_mutex);
    const auto w = FindLocked(window);
    return w && w->timers.erase(id) ? TRUE : FALSE;
}

void InitCommonControls() {}

std::optional<ControlState> GetControlState(HWND dialog, int id)
{
    std::lock_guard lock(g_mutex);
    const auto c = ControlLocked(dialog, id);
    if (!c) return std::nullopt;
    ControlState state = c->state;
    state.enabled = c->enabled;
    state.visible = c->visible;
    return state;
}

const DialogTemplate* GetDialogTemplate(HWND dialog)
{
    std::lock_guard lock(g_mutex);
    const auto d = FindLocked(dialog);
    return d ? d->dialogTemplate : nullptr;
}

std::vector<HWND> GetChildDialogs(HWND window)
{
    std::lock_guard lock(g_mutex);
    std::vector<HWND> dialogs;
    if (const auto w = FindLocked(window))
        for (HWND child : w->children)
            if (const auto c = FindLocked(child); c && c->type == Window::Type::Dialog) dialogs.push_back(child);
    return dialogs;
}

std::vector<std::pair<UINT_PTR, UINT>> GetActiveTimers(HWND dialog)
{
    std::lock_guard lock(g_mutex);
    const auto d = FindLocked(dialog);
    if (!d) return {};
    return {d->timers.begin(), d->timers.end()};
}

bool UserSelectComboItem(HWND dialog, int id, int index)
{
    HWND control = nullptr;
    {
        std::lock_guard lock(g_mutex);
        const auto c = ControlLocked(dialog, id);
        if (!c || !c->enabled || c->state.kind != ControlKind::ComboBox) return false;
        if (index < 0 || index >= static_cast<int>(c->state.items.size())) return false;
        c->state.selection = index;
        control = c->handle;
    }
    Notify(control, CBN_SELCHANGE);
    return true;
}

bool UserClickButton(HWND dialog, int id)
{
    HWND control = nullptr;
    {
        std::lock_guard lock(g_mutex);
        const auto c = ControlLocked(dialog, id);
        if (!c || !c->enabled) return false;
        if (c->state.kind != ControlKind::CheckBox && c->state.kind != ControlKind::PushButton) return false;
        control = c->handle;
    }
    SendMessageW(control, BM_CLICK, 0, 0);
    return true;
}

bool UserTypeText(HWND dialog, int id, std::u16string_view text)
{
    HWND control = nullptr;
    {
        std::lock_guard lock(g_mutex);
        const auto c = ControlLocked(dialog, id);
        if (!c || !c->enabled || c->state.kind != ControlKind::Edit) return false;
        if ((c->state.style & ES_NUMBER) &&
            !std::all_of(text.begin(), text.end(), [](char16_t ch) { return ch >= u'0' && ch <= u'9'; }))
            return false;
        control = c->handle;
    }
    const std::u16string copy(text);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    return true;
}

bool UserMoveTrackbar(HWND dialog, int id, LONG position)
{
    HWND control = nullptr;
    HWND parent = nullptr;
    LONG reached = 0;
    {
        std::lock_guard lock(g_mutex);
        const auto c = ControlLocked(dialog, id);
        if (!c || !c->enabled || c->state.kind != ControlKind::Trackbar) return false;
        TrackbarMessage(c->state, TBM_SETPOS, position);
        reached = c->state.position;
        control = c->handle;
        parent = c->parent;
    }
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(reached)),
                 reinterpret_cast<LPARAM>(control));
    return true;
}

bool FireTimer(HWND dialog, UINT_PTR id)
{
    {
        std::lock_guard lock(g_mutex);
        const auto d = FindLocked(dialog);
        if (!d || !d->timers.count(id)) return false;
    }
    SendMessageW(dialog, WM_TIMER, id, 0);
    return true;
}
