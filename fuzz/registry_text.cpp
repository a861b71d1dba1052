// The registry stand-in's file: any bytes as registry.txt. Whatever parses
// is written back in a form that parses to the same tree; whatever does not
// is reported as corrupt by the readers and left as it is by a writer.
#include "FuzzCheck.h"
#include "TempFolder.h"
#include "registrytext.h"
#include "widestring.h"
#include "winreg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void CheckRoundTrip(const RegistryTree& tree)
{
    const std::string written = FormatRegistryText(tree);
    RegistryTree again;
    std::string error;
    FUZZ_CHECK(ParseRegistryText(written, again, error));
    FUZZ_CHECK(FormatRegistryText(again) == written);
}

// A corrupt file must fail a write through the API, unchanged on disk.
void CheckCorruptFileKept(const std::string& text)
{
    const std::string path = RegistryFilePath();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::string message;
    FUZZ_CHECK(RegistryCheckFile(&message) == ERROR_BADDB && !message.empty());
    HKEY key = nullptr;
    FUZZ_CHECK(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Ostrel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                               nullptr) == ERROR_BADDB);
    FUZZ_CHECK(ReadFile(path) == text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ::setenv("OSTREL_HOME", FuzzTempFolder().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    RegistryTree tree;
    std::string error;
    if (ParseRegistryText(text, tree, error))
        CheckRoundTrip(tree);
    else
        CheckCorruptFileKept(text);
    return 0;
}
