#include "ApiSupport.h"

namespace ovsim {

const char *returnedText(std::string text) {
  thread_local std::string held;
  held = std::move(text);
  return held.c_str();
}

}  // namespace ovsim
