// A fresh folder in /dev/shm (or the system's temporary folder), removed with its
// content when the process ends; for targets that must go through files.
#pragma once

#include <string>

// The same folder on every call within one process.
const std::string& FuzzTempFolder();
