// GUID text as the registry file and callers hand it over: whatever parses
// prints back as the same text (in upper case), and the bytes read as a GUID
// survive printing and parsing.
#include "FuzzCheck.h"
#include "guid.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto guid = GuidFromString(text)) {
        std::string upper = text;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        FUZZ_CHECK(GuidToString(*guid) == upper);
    }
    if (size >= sizeof(GUID)) {
        GUID guid;
        std::memcpy(&guid, data, sizeof guid);
        const auto back = GuidFromString(GuidToString(guid));
        FUZZ_CHECK(back && *back == guid);
    }
    return 0;
}
