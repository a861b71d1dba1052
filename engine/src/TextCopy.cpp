#include "TextCopy.h"

#include <cstring>

namespace ovsim {
namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void copyTextToBuffer(std::string_view text, char *buffer, std::size_t size) {
  if (!buffer || size == 0) return;
  std::size_t length = text.size();
  if (length >= size) {
    length = size - 1;
    while (length > 0 && isContinuationByte(text[length])) --length;
  }
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

}  // namespace ovsim
