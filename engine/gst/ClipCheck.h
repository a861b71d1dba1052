// Whether a file holds a picture or sound GStreamer can decode, found out by
// reading its start (a few hundred milliseconds at most for a local file).
#pragma once

#include <string>

namespace ovgst {

enum class ClipMedia { Video, Audio };

bool canPlay(const std::string &path, ClipMedia media);

// A launch fragment that plays the file in real time, its decoded stream
// named like the source it replaces (vsrc or asrc).
std::string clipLaunch(const std::string &path, ClipMedia media);

}  // namespace ovgst
