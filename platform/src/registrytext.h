// The text form of the registry file: [key] sections with "name"="text",
// dword: and hex: values, @ for a key's default value.
#pragma once

#include "registrytree.h"

#include <string>

// Parses the text form; on failure returns false with "line N: reason".
bool ParseRegistryText(const std::string& text, RegistryTree& tree, std::string& error);
std::string FormatRegistryText(const RegistryTree& tree);
