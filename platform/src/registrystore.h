// The registry file: where it lives, and the locked read and update
// transactions every registry call runs in.
#pragma once

#include "registrytree.h"

#include <functional>
#include <string>

struct RegistryResult {
    LONG code = 0;
    std::string message;
};

// Runs `read` on the stored tree under a shared lock.
RegistryResult ReadRegistry(const std::function<LONG(const RegistryTree&)>& read);
// Runs `change` under an exclusive lock and stores the tree when it returns
// ERROR_SUCCESS and reports a change through `changed`.
RegistryResult UpdateRegistry(const std::function<LONG(RegistryTree&, bool& changed)>& change);
