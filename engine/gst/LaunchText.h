// Values put into GStreamer launch descriptions.
#pragma once

#include <string>

namespace ovgst {

// A property value in double quotes, so that paths and device names with blanks stay one value.
inline std::string quotedLaunchValue(const std::string &text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace ovgst
