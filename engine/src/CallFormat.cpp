#include "CallFormat.h"

namespace ovsim {

std::string formatArgument(const char *text) {
  if (!text) return "(null)";
  std::string out;
  for (const char *c = text; *c; ++c) {
    if (*c == '\\') out += "\\\\";
    else if (*c == '\n') out += "\\n";
    else if (*c == '\r') out += "\\r";
    else out += *c;
  }
  return out;
}

std::string formatArgument(bool value) { return value ? "1" : "0"; }
std::string formatArgument(long long value) { return std::to_string(value); }
std::string formatArgument(unsigned long long value) { return std::to_string(value); }
std::string formatArgument(Presence presence) { return presence.pointer ? presence.name : "null"; }

}  // namespace ovsim
