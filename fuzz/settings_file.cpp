// Settings files as a user may hand them over: any text is applied whole or
// not at all, and the file written from the applied settings applies to the
// same settings.
#include "EngineState.h"
#include "FuzzCheck.h"
#include "SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ovsim::EngineState state;
    const std::string before = ovsim::formatSettingsFile(state);
    if (!ovsim::applySettingsFile(text, state)) {
        FUZZ_CHECK(ovsim::formatSettingsFile(state) == before);
        return 0;
    }
    const std::string written = ovsim::formatSettingsFile(state);
    ovsim::EngineState again;
    FUZZ_CHECK(ovsim::applySettingsFile(written, again));
    FUZZ_CHECK(ovsim::formatSettingsFile(again) == written);
    return 0;
}
