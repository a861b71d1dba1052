// The arguments of ovpropframe:
//   ovpropframe --list
//   ovpropframe [--load FILE] [--save FILE] [--grab PICTURE.png] FILTER
// FILTER is a friendly name or a braced CLSID.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct PropFrameCommandLine {
    bool list = false;
    bool help = false;
    std::string filter;
    std::string loadFile;
    std::string saveFile;
    // Shows the frame, writes a picture of it and quits: for documentation.
    std::string grabFile;
};

// Nothing (with `problem` set) when the arguments make no sense.
std::optional<PropFrameCommandLine> ParsePropFrameCommandLine(const std::vector<std::string>& arguments,
                                                              std::string& problem);

const char* PropFrameUsage();
