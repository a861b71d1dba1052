// Text of one logged engine call: "Name(arg, arg)". Booleans as 1 or 0,
// integers in decimal, texts as given with "\", newline and carriage return
// escaped so that a call always stays one line.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

namespace ovsim {

std::string formatArgument(const char *text);
std::string formatArgument(bool value);
std::string formatArgument(long long value);
std::string formatArgument(unsigned long long value);

template <typename T>
std::string formatArgument(T value)
  requires std::is_integral_v<T>
{
  if constexpr (std::is_signed_v<T>) return formatArgument(static_cast<long long>(value));
  else return formatArgument(static_cast<unsigned long long>(value));
}

// A pointer logged only as present or not.
struct Presence {
  const void *pointer;
  const char *name;
};
std::string formatArgument(Presence presence);

template <typename... Args>
std::string formatCall(const char *name, const Args &...args) {
  std::string line = name;
  line += '(';
  [[maybe_unused]] bool first = true;
  ((line += (first ? "" : ", ") + formatArgument(args), first = false), ...);
  line += ')';
  return line;
}

}  // namespace ovsim
