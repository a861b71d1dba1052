#include "registrystore.h"

#include "hresult.h"
#include "widestring.h"
#include "winreg.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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
    c = Lower(c);
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

std::string HomeFolder()
{
    if (const char* custom = std::getenv("OSTREL_HOME"); custom && *custom) return custom;
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h)
        home = h;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    else
        home = ".";
    return (std::filesystem::path(home) / ".config" / "ostrel").string();
}

// Holds a flock on the registry's lock file (a separate file, so renaming
// the registry itself never drops the lock).
class FileLock {
public:
    FileLock(const std::string& path, int operation)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) return;
        while (::flock(m_fd, operation) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0) ::close(m_fd); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

RegistryResult Failure(LONG code, std::string message) { return {code, std::move(message)}; }

RegistryResult LoadTree(const std::string& path, RegistryTree& tree)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) return Failure(ERROR_CANTREAD, "cannot read the registry file " + path);
    std::string error;
    if (!ParseRegistryText(text.str(), tree, error)) {
        std::string message = "the registry file " + path + " is corrupt (" + error +
                              "); it was left unchanged, repair or remove it";
        // Said once per process; callers get the text through RegistryLastError.
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) std::fprintf(stderr, "ostrel: %s\n", message.c_str());
        return Failure(ERROR_BADDB, std::move(message));
    }
    return {};
}

RegistryResult StoreTree(const std::string& path, const RegistryTree& tree)
{
    const std::string temp = path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(::gettid());
    const std::string text = FormatRegistryText(tree);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Failure(ERROR_CANTWRITE, "cannot create " + temp + ": " + std::strerror(errno));
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temp.c_str());
        return Failure(ERROR_CANTWRITE, "cannot write the registry file " + path + ": " + reason);
    }
    return {};
}

} // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]), y = Lower(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

bool RegistryTree::Has(const std::string& path) const { return m_keys.count(path) != 0; }

bool RegistryTree::Create(const std::string& path)
{
    if (Has(path)) return false;
    for (auto slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
        m_keys.try_emplace(path.substr(0, slash));
    m_keys.try_emplace(path);
    return true;
}

RegistryValues* RegistryTree::Values(const std::string& path)
{
    const auto it = m_keys.find(path);
    return it == m_keys.end() ? nullptr : &it->second;
}

const RegistryValues* RegistryTree::Values(const std::string& path) const
{
    const auto it = m_keys.find(path);
    return it == m_keys.end() ? nullptr : &it->second;
}

std::vector<std::string> RegistryTree::Children(const std::string& path) const
{
    // Keys sharing a prefix (ignoring case) form one run in this order.
    const std::string prefix = path + "\\";
    const auto startsWithPrefix = [&](const std::string& key) {
        if (key.size() <= prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (Lower(key[i]) != Lower(prefix[i])) return false;
        return true;
    };
    std::vector<std::string> names;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && startsWithPrefix(it->first); ++it) {
        const std::string rest = it->first.substr(prefix.size());
        if (rest.find('\\') == std::string::npos) names.push_back(rest);
    }
    return names;
}

void RegistryTree::EraseTree(const std::string& path)
{
    for (const std::string& child : Children(path)) EraseTree(path + "\\" + child);
    m_keys.erase(path);
}

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

std::string RegistryFilePath() { return (std::filesystem::path(HomeFolder()) / "registry.txt").string(); }

RegistryResult ReadRegistry(const std::function<LONG(const RegistryTree&)>& read)
{
    const std::string path = RegistryFilePath();
    RegistryTree tree;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(path).parent_path(), ec)) {
        FileLock lock(path + ".lock", LOCK_SH);
        if (!lock.Held()) return Failure(ERROR_CANTREAD, "cannot lock the registry file " + path);
        RegistryResult loaded = LoadTree(path, tree);
        if (loaded.code != ERROR_SUCCESS) return loaded;
    }
    return {read(tree), {}};
}

RegistryResult UpdateRegistry(const std::function<LONG(RegistryTree&, bool& changed)>& change)
{
    const std::string path = RegistryFilePath();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    FileLock lock(path + ".lock", LOCK_EX);
    if (!lock.Held()) return Failure(ERROR_CANTWRITE, "cannot lock the registry file " + path);
    RegistryTree tree;
    RegistryResult loaded = LoadTree(path, tree);
    if (loaded.code != ERROR_SUCCESS) return loaded;
    bool changed = false;
    const LONG code = change(tree, changed);
    if (code != ERROR_SUCCESS || !changed) return {code, {}};
    return StoreTree(path, tree);
}

RegistryValue StringValue(std::u16string_view text)
{
    RegistryValue value{REG_SZ, std::vector<BYTE>((text.size() + 1) * 2, 0)};
    if (!text.empty()) std::memcpy(value.data.data(), text.data(), text.size() * 2);
    return value;
}

RegistryValue DwordValue(DWORD v)
{
    return {REG_DWORD, {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                        static_cast<BYTE>(v >> 24)}};
}

bool ReadString(const RegistryValues& values, const std::string& name, std::u16string& text)
{
    const auto it = values.find(name);
    if (it == values.end() || it->second.type != REG_SZ || it->second.data.size() % 2) return false;
    text.assign(it->second.data.size() / 2, u'\0');
    std::memcpy(text.data(), it->second.data.data(), it->second.data.size());
    while (!text.empty() && text.back() == u'\0') text.pop_back();
    return true;
}

bool ReadDword(const RegistryValues& values, const std::string& name, DWORD& value)
{
    const auto it = values.find(name);
    if (it == values.end() || it->second.type != REG_DWORD || it->second.data.size() != 4) return false;
    const auto& d = it->second.data;
    value = d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<DWORD>(d[3]) << 24);
    return true;
}
