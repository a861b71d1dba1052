// The filter an element runs: made by CLSID through the registry, as any
// graph makes it. When its class is not registered, or its registered module
// cannot be loaded, the module of the same name beside the plugin registers
// itself first, so the plugin works straight from a build folder.
#pragma once

#include "ElementTable.h"
#include "filter_interfaces.h"

#include <string>

// The folder the plugin was loaded from.
std::string PluginFolder();
// True when the filter's class is registered or its module is beside the plugin.
bool FilterAvailable(const ElementDescription& description);

class HostedFilter {
public:
    explicit HostedFilter(const ElementDescription& description);
    ~HostedFilter();
    HostedFilter(const HostedFilter&) = delete;
    HostedFilter& operator=(const HostedFilter&) = delete;

    // Null when the filter could not be made; Error() says why.
    IBaseFilter* Filter() const { return m_filter; }
    IUnknown* Settings() const { return m_settings; }
    const std::string& Error() const { return m_error; }

    // The filter's persisted settings, as a graph stores them.
    HRESULT LoadSettings(const std::string& path, std::string& why);
    HRESULT SaveSettings(const std::string& path, std::string& why);

private:
    HRESULT Create(const ElementDescription& description);

    IBaseFilter* m_filter = nullptr;
    IUnknown* m_settings = nullptr;
    std::string m_error;
};
