// The language file reader: any bytes split into lines, and every line read
// as a name line and as a text line, as the console reads them.
#include "FuzzCheck.h"
#include "ovLanguageFile.h"

#include <cstddef>
#include <cstdint>

namespace {
bool HasBlank(const QString& text) { return text.contains(QLatin1Char(' ')) || text.contains(QLatin1Char('\t')); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : ovLanguageFile::SplitLines(bytes)) {
        FUZZ_CHECK(!line.contains(QLatin1Char('\n')));
        ovLanguageFile::NameLine name;
        if (ovLanguageFile::ParseNameLine(line, name)) {
            FUZZ_CHECK(!name.code.isEmpty() && !name.name.isEmpty());
            FUZZ_CHECK(!HasBlank(name.code) && !HasBlank(name.name));
        }
        ovLanguageFile::TextLine text;
        if (ovLanguageFile::ParseTextLine(line, text)) {
            FUZZ_CHECK(!text.key.isEmpty() && !HasBlank(text.key));
            FUZZ_CHECK(line.startsWith(text.key) && line.endsWith(text.value));
        }
    }
    return 0;
}
