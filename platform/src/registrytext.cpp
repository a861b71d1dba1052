#include "registrytext.h"

#include "widestring.h"
#include "winreg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

bool IsKnownRoot(const std::string& root)
{
    return root == "HKEY_CLASSES_ROOT" || root == "HKEY_CURRENT_USER" || root == "HKEY_LOCAL_MACHINE";
}

bool ValidKeyPath(const std::string& path)
{
    const auto slash = path.find('\\');
    if (!IsKnownRoot(path.substr(0, slash))) return false;
    if (slash == std::string::npos) return true;
    std::size_t start = slash + 1;
    while (true) {
        const auto next = path.find('\\', start);
        if (next == start || start == path.size()) return false;
        if (next == std::string::npos) return true;
        start = next + 1;
    }
}

// Reads a quoted string starting at text[pos] == '"'; pos ends after the quote.
bool ReadQuoted(const std::string& text, std::size_t& pos, std::string& out, std::string& error)
{
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos == text.size()) break;
        switch (text[pos]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '0': out += '\0'; break;
        default: error = std::string("unknown escape \\") + text[pos]; return false;
        }
    }
    error = "unterminated string";
    return false;
}

std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (const char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ParseHexBytes(const std::string& text, std::vector<BYTE>& out)
{
    out.clear();
    if (text.empty()) return true;
    std::size_t pos = 0;
    while (true) {
        if (pos + 2 > text.size()) return false;
        const int hi = HexDigit(text[pos]), lo = HexDigit(text[pos + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<BYTE>(hi * 16 + lo));
        pos += 2;
        if (pos == text.size()) return true;
        if (text[pos++] != ',') return false;
    }
}

bool ParseData(const std::string& text, RegistryValue& value, std::string& error)
{
    if (!text.empty() && text[0] == '"') {
        std::size_t pos = 0;
        std::string s;
        if (!ReadQuoted(text, pos, s, error)) return false;
        if (pos != text.size()) {
            error = "text after the closing quote";
            return false;
        }
        const std::u16string wide = Utf8ToWide(s) + u'\0';
        value.type = REG_SZ;
        value.data.resize(wide.size() * 2);
        std::memcpy(value.data.data(), wide.data(), value.data.size());
        return true;
    }
    if (text.rfind("dword:", 0) == 0) {
        const std::string digits = text.substr(6);
        DWORD v = 0;
        bool ok = digits.size() == 8;
        for (const char c : digits) {
            const int d = HexDigit(c);
            ok = ok && d >= 0;
            v = (v << 4) | static_cast<DWORD>(d < 0 ? 0 : d);
        }
        if (!ok) {
            error = "dword needs 8 hexadecimal digits";
            return false;
        }
        value.type = REG_DWORD;
        value.data = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                      static_cast<BYTE>(v >> 24)};
        return true;
    }
    std::string bytes;
    if (text.rfind("hex:", 0) == 0) {
        value.type = REG_BINARY;
        bytes = text.substr(4);
    } else if (text.rfind("hex(", 0) == 0 && text.find("):") != std::string::npos) {
        const auto close = text.find("):");
        char* end = nullptr;
        const std::string number = text.substr(4, close - 4);
        const unsigned long type = std::strtoul(number.c_str(), &end, 16);
        if (number.empty() || *end != '\0' || type > 0xFFFFFFFFul) {
            error = "bad value type in hex(...)";
            return false;
        }
        value.type = static_cast<DWORD>(type);
        bytes = text.substr(close + 2);
    } else {
        error = "value data must be \"text\", dword:, hex: or hex(type):";
        return false;
    }
    if (!ParseHexBytes(bytes, value.data)) {
        error = "bad hexadecimal byte list";
        return false;
    }
    return true;
}

// Text form of a REG_SZ value when its data is a clean null-terminated string.
bool StringText(const RegistryValue& value, std::string& text)
{
    const auto& d = value.data;
    if (value.type != REG_SZ || d.size() < 2 || d.size() % 2) return false;
    std::u16string wide(d.size() / 2, u'\0');
    std::memcpy(wide.data(), d.data(), d.size());
    if (wide.back() != u'\0') return false;
    wide.pop_back();
    if (wide.find(u'\0') != std::u16string::npos) return false;
    text = WideToUtf8(wide);
    return Utf8ToWide(text) == wide;
}

std::string FormatData(const RegistryValue& value)
{
    std::string text;
    if (StringText(value, text)) return Quote(text);
    char buffer[32];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const DWORD v = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                        (static_cast<DWORD>(value.data[3]) << 24);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", v);
        return buffer;
    }
    if (value.type == REG_BINARY) {
        text = "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
        text = buffer;
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i ? ",%02x" : "%02x", value.data[i]);
        text += buffer;
    }
    return text;
}

bool ParseValueLine(const std::string& line, RegistryValues& values, std::string& error)
{
    std::string name;
    std::size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (line[0] == '"') {
        if (!ReadQuoted(line, pos, name, error)) return false;
    } else {
        error = "expected [key], \"name\"= or @=";
        return false;
    }
    if (pos >= line.size() || line[pos] != '=') {
        error = "expected = after the value name";
        return false;
    }
    RegistryValue value;
    if (!ParseData(line.substr(pos + 1), value, error)) return false;
    values[name] = std::move(value);
    return true;
}

} // namespace

bool ParseRegistryText(const std::string& text, RegistryTree& tree, std::string& error)
{
    std::istringstream in(text);
    std::string line;
    std::string current;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string reason;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            if (line.back() != ']' || !ValidKeyPath(line.substr(1, line.size() - 2))) {
                reason = "bad key line";
            } else {
                current = line.substr(1, line.size() - 2);
                tree.Create(current);
                continue;
            }
        } else if (current.empty()) {
            reason = "value before the first [key]";
        } else if (ParseValueLine(line, *tree.Values(current), reason)) {
            continue;
        }
        error = "line " + std::to_string(number) + ": " + reason;
        return false;
    }
    return true;
}

std::string FormatRegistryText(const RegistryTree& tree)
{
    std::string text = "; Ostrel registry: [key] sections with \"name\"=\"text\", dword:, hex: values (@ is the "
                       "default value).\n";
    for (const auto& [path, values] : tree.Keys()) {
        text += "\n[" + path + "]\n";
        for (const auto& [name, value] : values)
            text += (name.empty() ? std::string("@") : Quote(name)) + "=" + FormatData(value) + "\n";
    }
    return text;
}
