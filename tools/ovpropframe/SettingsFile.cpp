#include "SettingsFile.h"

#include "com_ptr.h"
#include "objidl.h"

#include <cstdio>

namespace {

std::string Failure(const char* what, const std::filesystem::path& path, HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    return std::string(what) + " " + path.string() + " (" + code + ")";
}

ComPtr<IPersistStream> Persistence(IUnknown* filter, std::string& problem)
{
    ComPtr<IPersistStream> persist;
    if (FAILED(filter->QueryInterface(IID_IPersistStream, persist.OutVoid())))
        problem = "the filter keeps no settings stream (no IPersistStream)";
    return persist;
}

} // namespace

bool LoadSettingsFile(IUnknown* filter, const std::filesystem::path& path, std::string& problem)
{
    const ComPtr<IPersistStream> persist = Persistence(filter, problem);
    if (!persist) return false;
    ComPtr<IStream> stream;
    HRESULT hr = CreateFileStream(path, STGM_READ, stream.Out());
    if (FAILED(hr)) {
        problem = Failure("cannot open", path, hr);
        return false;
    }
    hr = persist->Load(stream.Get());
    if (FAILED(hr)) {
        problem = Failure("the filter cannot read its settings from", path, hr);
        return false;
    }
    return true;
}

bool SaveSettingsFile(IUnknown* filter, const std::filesystem::path& path, std::string& problem)
{
    const ComPtr<IPersistStream> persist = Persistence(filter, problem);
    if (!persist) return false;
    ComPtr<IStream> stream;
    HRESULT hr = CreateFileStream(path, STGM_CREATE | STGM_WRITE, stream.Out());
    if (FAILED(hr)) {
        problem = Failure("cannot write", path, hr);
        return false;
    }
    hr = persist->Save(stream.Get(), TRUE);
    if (FAILED(hr)) {
        problem = Failure("the filter cannot write its settings to", path, hr);
        return false;
    }
    return true;
}
