// A filter's persisted settings stream (IPersistStream) in a file, so the
// settings chosen in the frame can be handed to another host.
#pragma once

#include "unknwn.h"

#include <filesystem>
#include <string>

// False with `problem` set when the file or the filter refuses.
bool LoadSettingsFile(IUnknown* filter, const std::filesystem::path& path, std::string& problem);
bool SaveSettingsFile(IUnknown* filter, const std::filesystem::path& path, std::string& problem);
