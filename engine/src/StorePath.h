// Where the registry store lives: $OSTREL_HOME, else ~/.config/ostrel/.
#pragma once

#include <string>

namespace ovsim {

// The store file's path, from the environment as it is now.
std::string registryStorePath();

// Creates the folder of a file path with its parents; false when it cannot.
bool ensureFolderOf(const std::string &filePath);

}  // namespace ovsim
