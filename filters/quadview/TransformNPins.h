// The pins of a CTransformNFilter: N inputs "Input k" (ids "In0", "In1", …)
// and one output "Output" (id "Out"). Inputs hand every event to the filter
// with their index; Receive only parks the sample and returns at once.
#pragma once

#include "input_pin.h"
#include "output_pin.h"

#include <string>

class CTransformNFilter;

class CTransformNInputPin final : public CBaseInputPin {
public:
    CTransformNInputPin(const char* objectName, CTransformNFilter* filter, int index, LPCWSTR name, HRESULT* phr);

    int Index() const { return m_index; }
    std::u16string Id() const override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    // A second input must match the first in subtype and size.
    HRESULT CompleteConnect(IPin* receivePin) override;

    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    bool BothEndsConnected() const;

    CTransformNFilter* const m_owner;
    const int m_index;
};

class CTransformNOutputPin final : public CBaseOutputPin {
public:
    CTransformNOutputPin(CTransformNFilter* filter, HRESULT* phr);

    std::u16string Id() const override { return u"Out"; }

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    CTransformNFilter* const m_owner;
};
