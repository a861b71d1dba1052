#include "guid.h"

#include <cstdio>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal characters at `pos`; false if any is not hex.
bool ReadHex(std::string_view text, std::size_t pos, int digits, std::uint32_t& out)
{
    out = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + i]);
        if (v < 0) return false;
        out = (out << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

} // namespace

std::string GuidToString(REFGUID g)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                  g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return text;
}

std::u16string GuidToWideString(REFGUID guid)
{
    const std::string narrow = GuidToString(guid);
    return std::u16string(narrow.begin(), narrow.end());
}

std::optional<GUID> GuidFromString(std::string_view t)
{
    if (t.size() != 38 || t[0] != '{' || t[37] != '}' || t[9] != '-' || t[14] != '-' || t[19] != '-' ||
        t[24] != '-')
        return std::nullopt;
    GUID g{};
    std::uint32_t v = 0;
    if (!ReadHex(t, 1, 8, v)) return std::nullopt;
    g.Data1 = v;
    if (!ReadHex(t, 10, 4, v)) return std::nullopt;
    g.Data2 = static_cast<WORD>(v);
    if (!ReadHex(t, 15, 4, v)) return std::nullopt;
    g.Data3 = static_cast<WORD>(v);
    static constexpr std::size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(t, bytePos[i], 2, v)) return std::nullopt;
        g.Data4[i] = static_cast<BYTE>(v);
    }
    return g;
}
