// Replacing a file so that readers and crashes only ever see the old or the
// new content: write a temporary file beside it, flush it to disk, rename.
#pragma once

#include <optional>
#include <string>

namespace ovsim {

// Returns false (and leaves the old file untouched) when any step fails.
bool writeFileAtomically(const std::string &path, const std::string &content);

// The whole content of a readable regular file, or nothing.
std::optional<std::string> readWholeFile(const std::string &path);

}  // namespace ovsim
