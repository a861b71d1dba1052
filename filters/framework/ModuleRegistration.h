// Self-registration of a module's class table: COM class keys and filter
// mapper entries.
#pragma once

#include "ClassTable.h"

#include <span>
#include <string>

// Writes CLSID\{clsid} (default value: the template name) with
// InprocServer32 = `modulePath` and ThreadingModel "Both" for every entry,
// then registers every entry with setup data in the DirectShow filter
// category. Returns the first failure or S_OK.
HRESULT RegisterClassTable(std::span<const CFactoryTemplate> table, const std::string& modulePath);
// Removes the mapper entries, then the class keys; what is already absent
// counts as removed.
HRESULT UnregisterClassTable(std::span<const CFactoryTemplate> table);
