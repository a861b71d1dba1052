#include "pin_pair_filter.h"

bool CPinPairFilter::BothConnected()
{
    CBaseInputPin* input = PairInput();
    CBaseOutputPin* output = PairOutput();
    return input && output && input->IsConnected() && output->IsConnected();
}

STDMETHODIMP CPinPairFilter::Stop()
{
    CAutoLock hold(FilterLock());
    if (IsStopped()) return S_OK;
    m_endOfStreamDelivered = false;
    if (!BothConnected()) {
        m_state = State_Stopped;
        return S_OK;
    }
    // Decommitting the input first releases an upstream thread waiting for a
    // buffer; taking the receive lock then waits for the sample in hand.
    PairInput()->Inactive();
    CAutoLock receiving(PairReceiveLock());
    PairOutput()->Inactive();
    const HRESULT hr = StopStreaming();
    m_state = State_Stopped;
    return hr;
}

STDMETHODIMP CPinPairFilter::Pause()
{
    CAutoLock hold(FilterLock());
    CBaseInputPin* input = PairInput();
    CBaseOutputPin* output = PairOutput();
    if (!input || !input->IsConnected()) {
        // Nothing will ever arrive: tell downstream once.
        if (output && output->IsConnected() && !m_endOfStreamDelivered) {
            output->DeliverEndOfStream();
            m_endOfStreamDelivered = true;
        }
        m_state = State_Paused;
        return S_OK;
    }
    if (!output || !output->IsConnected()) {
        m_state = State_Paused;
        return S_OK;
    }
    if (IsStopped()) {
        CAutoLock receiving(PairReceiveLock());
        const HRESULT hr = StartStreaming();
        if (FAILED(hr)) return hr;
    }
    return CBaseFilter::Pause();
}
