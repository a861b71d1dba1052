// The filters of every module, as a graph builder finds them: each module
// registered in a registry of this process's own, its filters listed from
// there and created through the module's class factory.
#pragma once

#include "com_ptr.h"
#include "guid.h"
#include "unknwn.h"

#include <vector>

// Registers the modules on first use (call it from LLVMFuzzerInitialize, so
// the fuzzer sees the modules' coverage from the start); the same list, in
// CLSID order, after.
const std::vector<CLSID>& FuzzFilterClasses();

// A new filter of the class a fuzz input's selector byte picks.
ComPtr<IUnknown> CreateFuzzFilter(unsigned selector);
