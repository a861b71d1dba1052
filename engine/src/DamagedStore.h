// What the engine does with a store file that has damaged lines: it says so
// on stderr, where a user starting the console from a terminal and the
// system journal see it, and keeps the damaged file under a name of its own
// before the store is next saved, so nothing a user had is lost unasked.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ovsim {

// The text told to the user: which file, which lines, what happens now.
std::string damagedStoreMessage(const std::string &path, const std::vector<int> &lines, const std::string &keptAs);

// The first free name of "<path>.damaged", "<path>.damaged.2", … for the copy.
std::string damagedCopyName(const std::string &path);

// Copies the file to that name, never replacing a file there; the name, or nothing when it could not.
std::optional<std::string> keepDamagedCopy(const std::string &path, const std::string &copyName);

}  // namespace ovsim
