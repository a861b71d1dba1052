#include "PropFrameCommandLine.h"

std::optional<PropFrameCommandLine> ParsePropFrameCommandLine(const std::vector<std::string>& arguments,
                                                              std::string& problem)
{
    PropFrameCommandLine line;
    const auto fileOption = [&](const std::string& name) -> std::string* {
        if (name == "--load") return &line.loadFile;
        if (name == "--save") return &line.saveFile;
        if (name == "--grab") return &line.grabFile;
        return nullptr;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--list") {
            line.list = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (std::string* file = fileOption(argument)) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                problem = argument + " needs a file name";
                return std::nullopt;
            }
            if (!file->empty()) {
                problem = argument + " is given twice";
                return std::nullopt;
            }
            *file = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-') {
            problem = "unknown option " + argument;
            return std::nullopt;
        } else if (!line.filter.empty()) {
            problem = "one filter at a time (\"" + line.filter + "\" and \"" + argument + "\" given)";
            return std::nullopt;
        } else if (argument.empty()) {
            problem = "the filter name is empty";
            return std::nullopt;
        } else {
            line.filter = argument;
        }
    }
    if (line.help) return line;
    if (line.list && (!line.filter.empty() || !line.loadFile.empty() || !line.saveFile.empty() || !line.grabFile.empty())) {
        problem = "--list takes no other arguments";
        return std::nullopt;
    }
    if (!line.list && line.filter.empty()) {
        problem = "no filter given";
        return std::nullopt;
    }
    return line;
}

const char* PropFrameUsage()
{
    return "usage: ovpropframe --list\n"
           "       ovpropframe [--load FILE] [--save FILE] [--grab PICTURE.png] FILTER\n"
           "  FILTER       a registered filter's friendly name or {CLSID}\n"
           "  --list       lists the registered filters\n"
           "  --load FILE  gives the filter the settings stream in FILE before its pages open\n"
           "  --save FILE  writes the filter's settings stream to FILE on OK and Apply\n"
           "  --grab FILE  writes a picture of the frame to FILE and quits\n";
}
