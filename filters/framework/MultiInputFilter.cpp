#include "MultiInputFilter.h"

#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kInputGrowth = 16;

// Reads a pin id as the C library's decimal conversion does (no number
// reads as 0); a value no int can hold finds no pin.
int DecimalIndex(LPCWSTR id)
{
    std::string narrow;
    for (const WCHAR* c = id; *c; ++c) narrow.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
    const long value = std::strtol(narrow.c_str(), nullptr, 10);
    return value < 0 || value > 0x7FFFFFFF ? -1 : static_cast<int>(value);
}

} // namespace

MultiInputFilter::MultiInputFilter(const char* objectName, IUnknown* outer, REFCLSID clsid)
    : CBaseFilter(objectName, outer, &m_filterLock, clsid)
{
}

HRESULT MultiInputFilter::AddInputPin(LPCWSTR name)
{
    CAutoLock hold(&m_pinsLock);
    if (m_inputs.size() == m_inputs.capacity()) m_inputs.reserve(m_inputs.size() + kInputGrowth);
    HRESULT hr = S_OK;
    auto pin = std::make_unique<MultiInputPin>(this, &m_filterLock, static_cast<int>(m_inputs.size()), name, &hr);
    if (FAILED(hr)) return hr;
    m_inputs.push_back(std::move(pin));
    IncrementPinVersion();
    return S_OK;
}

void MultiInputFilter::EndStreamThread()
{
    BufferStream* output = nullptr;
    {
        CAutoLock hold(&m_pinsLock);
        output = m_output.get();
    }
    if (output) output->EndThread();
}

int MultiInputFilter::InputCount() const
{
    CAutoLock hold(&m_pinsLock);
    return static_cast<int>(m_inputs.size());
}

MultiInputPin* MultiInputFilter::Input(int index) const
{
    CAutoLock hold(&m_pinsLock);
    if (index < 0 || index >= static_cast<int>(m_inputs.size())) return nullptr;
    return m_inputs[static_cast<std::size_t>(index)].get();
}

BufferStream* MultiInputFilter::Output()
{
    CAutoLock hold(&m_pinsLock);
    if (!m_output) {
        HRESULT hr = S_OK;
        auto stream = std::make_unique<BufferStream>(this, &m_filterLock, this, &hr);
        if (FAILED(hr)) return nullptr;
        m_output = std::move(stream);
    }
    return m_output.get();
}

int MultiInputFilter::GetPinCount() { return InputCount() + 1; }

CBasePin* MultiInputFilter::GetPin(int index)
{
    const int inputs = InputCount();
    if (index >= 0 && index < inputs) return Input(index);
    if (index == inputs) return Output();
    return nullptr;
}

STDMETHODIMP MultiInputFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    CBasePin* found = nullptr;
    if (std::u16string_view(id) == u"Out")
        found = Output();
    else
        found = Input(DecimalIndex(id));
    if (!found) return VFW_E_NOT_FOUND;
    found->AddRef();
    *pin = found;
    return S_OK;
}
