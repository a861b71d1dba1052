#include "dialogcontrols.h"

#include <algorithm>
#include <cstring>

ControlReply ComboBoxMessage(ControlState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto count = static_cast<LRESULT>(s.items.size());
    const auto index = static_cast<LRESULT>(static_cast<INT>(wParam));
    switch (message) {
    case CB_ADDSTRING:
        if (!lParam) return {CB_ERR};
        s.items.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
        return {count};
    case CB_INSERTSTRING: {
        if (!lParam || index > count) return {CB_ERR};
        const LRESULT at = index < 0 ? count : index;
        s.items.insert(s.items.begin() + at, reinterpret_cast<LPCWSTR>(lParam));
        if (s.selection >= at) ++s.selection;
        return {at};
    }
    case CB_DELETESTRING:
        if (index < 0 || index >= count) return {CB_ERR};
        s.items.erase(s.items.begin() + index);
        if (s.selection == index) s.selection = -1;
        else if (s.selection > index) --s.selection;
        return {count - 1};
    case CB_GETCOUNT: return {count};
    case CB_GETCURSEL: return {s.selection};
    case CB_GETLBTEXTLEN: return {index < 0 || index >= count ? CB_ERR : static_cast<LRESULT>(s.items[index].size())};
    case CB_GETLBTEXT:
        if (index < 0 || index >= count || !lParam) return {CB_ERR};
        std::memcpy(reinterpret_cast<LPWSTR>(lParam), s.items[index].c_str(),
                    (s.items[index].size() + 1) * sizeof(WCHAR));
        return {static_cast<LRESULT>(s.items[index].size())};
    case CB_RESETCONTENT:
        s.items.clear();
        s.selection = -1;
        return {0};
    case CB_SETCURSEL:
        // Out of range clears the selection, as the platform's combo box does.
        s.selection = (index >= 0 && index < count) ? static_cast<int>(index) : -1;
        return {s.selection < 0 ? CB_ERR : s.selection};
    default: return {0};
    }
}

ControlReply TrackbarMessage(ControlState& s, UINT message, LPARAM lParam)
{
    const auto clamp = [&] { s.position = std::clamp(s.position, s.rangeMin, std::max(s.rangeMin, s.rangeMax)); };
    switch (message) {
    case TBM_GETPOS: return {s.position};
    case TBM_GETRANGEMIN: return {s.rangeMin};
    case TBM_GETRANGEMAX: return {s.rangeMax};
    case TBM_SETPOS: s.position = static_cast<LONG>(lParam); clamp(); return {0};
    case TBM_SETRANGE:
        s.rangeMin = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
        s.rangeMax = static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam)));
        clamp();
        return {0};
    case TBM_SETRANGEMIN: s.rangeMin = static_cast<LONG>(lParam); clamp(); return {0};
    case TBM_SETRANGEMAX: s.rangeMax = static_cast<LONG>(lParam); clamp(); return {0};
    default: return {0};
    }
}

ControlReply ButtonMessage(ControlState& s, bool enabled, UINT message, WPARAM wParam)
{
    if (message == BM_GETCHECK) return {static_cast<LRESULT>(s.check)};
    if (message == BM_SETCHECK) {
        s.check = static_cast<UINT>(wParam);
        return {0};
    }
    if (message == BM_CLICK && enabled) {
        if (s.kind == ControlKind::CheckBox) s.check = s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        return {0, BN_CLICKED};
    }
    return {0};
}
