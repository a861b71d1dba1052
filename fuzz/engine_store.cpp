// The engine's registry store file and the ini lines it shares with the
// settings files: any text parses, and what the store writes back parses
// to the same content, line by line and as a whole.
#include "FuzzCheck.h"
#include "IniText.h"
#include "RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void CheckLinesRoundTrip(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const ovsim::IniLine parsed = ovsim::parseIniLine(line);
        if (parsed.kind == ovsim::IniLine::Kind::Entry) {
            const ovsim::IniLine again = ovsim::parseIniLine(ovsim::entryLine(parsed.name, parsed.value));
            FUZZ_CHECK(again.kind == ovsim::IniLine::Kind::Entry);
            FUZZ_CHECK(again.name == parsed.name && again.value == parsed.value);
        } else if (parsed.kind == ovsim::IniLine::Kind::Section) {
            const ovsim::IniLine again = ovsim::parseIniLine(ovsim::sectionLine(parsed.name));
            FUZZ_CHECK(again.kind == ovsim::IniLine::Kind::Section && again.name == parsed.name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckLinesRoundTrip(text);
    const auto content = ovsim::parseStore(text);
    FUZZ_CHECK(ovsim::parseStore(ovsim::formatStore(content)) == content);
    return 0;
}
