// Text form of the engine's ini files: escaping of keys and values, and the
// parse of one line. Shared by the registry store and the settings files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ovsim {

// Value text as written after "Key=": backslash, newline and carriage return
// become "\\", "\n" and "\r"; everything else (blanks, '=', ';', non-ASCII)
// stays as it is, so the file stays readable and every value round-trips.
std::string escapeValue(std::string_view value);

// Key or section text: as escapeValue, and also '=', '[', ']', ';', '#' and
// leading or trailing blanks as "\xHH", so the line structure cannot break.
std::string escapeName(std::string_view name);

// Inverse of both escapes; nothing for a dangling or unknown escape.
std::optional<std::string> unescape(std::string_view text);

struct IniLine {
  enum class Kind { Blank, Comment, Section, Entry, Malformed };
  Kind kind = Kind::Blank;
  std::string name;   // section name or key, unescaped
  std::string value;  // entry value, unescaped
};

// Parses one line (without its line break; a trailing '\r' is dropped).
IniLine parseIniLine(std::string_view line);

std::string sectionLine(std::string_view section);
std::string entryLine(std::string_view key, std::string_view value);

}  // namespace ovsim
