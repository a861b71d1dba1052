#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {
struct Folder {
    Folder()
    {
        // In memory where possible: registering the modules is a few hundred
        // synced registry writes, which cost seconds on a disk.
        std::error_code ec;
        const bool memory = std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0;
        const auto base = memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
        std::string pattern = (base / "ostrel-fuzz-XXXXXX").string();
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
