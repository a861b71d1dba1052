// Copying engine text into a caller's fixed buffer.
#pragma once

#include <cstddef>
#include <string_view>

namespace ovsim {

// Writes at most size bytes, terminator included, and always terminates when
// size > 0. A text that does not fit is cut before the character that would
// be split, so the copy stays valid UTF-8. Nothing is written for a null buffer.
void copyTextToBuffer(std::string_view text, char *buffer, std::size_t size);

}  // namespace ovsim
