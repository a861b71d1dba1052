#include "IniText.h"

#include <cstdio>

namespace ovsim {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isStructural(char c) { return c == '=' || c == '[' || c == ']' || c == ';' || c == '#'; }

void appendHexEscape(std::string &out, char c) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned char>(c));
  out += text;
}

bool appendCommonEscape(std::string &out, char c) {
  switch (c) {
    case '\\': out += "\\\\"; return true;
    case '\n': out += "\\n"; return true;
    case '\r': out += "\\r"; return true;
    default: return false;
  }
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string escapeValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (!appendCommonEscape(out, c)) out += c;
  }
  return out;
}

std::string escapeName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool edge = i == 0 || i + 1 == name.size();
    if (appendCommonEscape(out, c)) continue;
    if (isStructural(c) || (edge && isBlank(c))) {
      appendHexEscape(out, c);
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    const char c = text[i];
    if (c == '\\') out += '\\';
    else if (c == 'n') out += '\n';
    else if (c == 'r') out += '\r';
    else if (c == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

IniLine parseIniLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty()) return {IniLine::Kind::Blank, {}, {}};
  if (line.front() == ';' || line.front() == '#') return {IniLine::Kind::Comment, {}, {}};
  if (line.front() == '[') {
    auto name = line.size() >= 2 && line.back() == ']' ? unescape(line.substr(1, line.size() - 2)) : std::nullopt;
    if (!name) return {IniLine::Kind::Malformed, {}, {}};
    return {IniLine::Kind::Section, *name, {}};
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) return {IniLine::Kind::Malformed, {}, {}};
  auto key = unescape(line.substr(0, equals));
  auto value = unescape(line.substr(equals + 1));
  if (!key || !value) return {IniLine::Kind::Malformed, {}, {}};
  return {IniLine::Kind::Entry, *key, *value};
}

std::string sectionLine(std::string_view section) { return "[" + escapeName(section) + "]"; }

std::string entryLine(std::string_view key, std::string_view value) {
  return escapeName(key) + "=" + escapeValue(value);
}

}  // namespace ovsim
