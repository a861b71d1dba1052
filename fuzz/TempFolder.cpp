#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>

namespace {
struct Folder {
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};
} // namespace

const std::string& FuzzTempFolder()
{
    static Folder folder;
    return folder.path;
}
