#include "registrytree.h"

#include "winreg.h"

#include <cstring>

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = AsciiLower(a[i]), y = AsciiLower(b[i]);
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
            if (AsciiLower(key[i]) != AsciiLower(prefix[i])) return false;
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
