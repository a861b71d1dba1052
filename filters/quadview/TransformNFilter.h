// A filter with N video inputs and one output, whose own worker thread
// composes an output frame from the samples the inputs brought since the
// last one, never faster than a set frame rate. Each input parks at most
// one sample (a new one is dropped while its slot is full), so upstream
// threads never wait for an output.
//
// The framework owns the pins, the slots, the worker, the output times and
// the delivery; a concrete filter says which types it takes, how large its
// buffer is and how it composes. Output times come from the time-base
// input's sample, or from the filter's own frame clock (time-base input -1,
// or when that input brought nothing).
//
// Locks: the filter lock (pins, state), the worker lock (one pass of the
// worker; a stop waits for it), the framework lock (clock and time
// settings) and the slot lock. A concrete filter's settings lock comes
// before the framework lock; composition runs without the framework lock.
#pragma once

#include "OwnFrameClock.h"
#include "TransformNPins.h"
#include "base_filter.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// Both types carry a VIDEOINFOHEADER of the same subtype, width and height.
bool SameVideoSubtypeAndSize(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

class CTransformNFilter : public CBaseFilter {
public:
    static constexpr LONG kDefaultIntervalMs = 33;
    static constexpr LONG kDefaultTimeOffsetMs = 1;

    CTransformNFilter(const char* objectName, IUnknown* outer, REFCLSID clsid, int inputCount);
    ~CTransformNFilter() override;

    // Pins are made together on the first request: inputs, then the output.
    int GetPinCount() override { return m_inputCount + 1; }
    CBasePin* GetPin(int index) override;
    // A pause with no input connected sends end of stream once; with inputs
    // and the output connected a pause from stopped starts streaming first.
    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;

    // False when the worker thread could not be started.
    bool WorkerRunning() const;
    int InputCount() const { return m_inputCount; }
    // Null before the pins are made.
    CTransformNInputPin* InputPin(int index) const;
    CTransformNOutputPin* OutputPin() const;
    // The connection type of the lowest-numbered connected input, or null.
    const CMediaType* FirstConnectedInputType(int except = -1) const;

    // Time settings, under the framework lock.
    // Clamped to 1 … 60 frames per second; the interval is 1000 / rate ms.
    void SetMaxFrameRate(LONG rate);
    LONG MaxFrameRate() const;
    LONG FrameIntervalMs() const;
    // -1 (own clock) or an input index; anything else is refused (false)
    // and the old input stays.
    bool SetTimeBaseInput(int index);
    int TimeBaseInput() const;
    void SetZeroTimestamps(bool zero);
    bool ZeroTimestamps() const;
    void SetTimeOffset(LONG offsetMs);
    LONG TimeOffset() const;

    // What a concrete filter provides.
    virtual HRESULT CheckInputType(int index, const CMediaType* type) = 0;
    virtual HRESULT CheckOutputType(const CMediaType* type) = 0;
    virtual HRESULT GetOutputType(int position, CMediaType* type) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // Composes into `output` from `inputs` (one per input, null where none
    // came). S_OK sends it, S_FALSE skips it (a quality drop); an error is
    // passed on. Runs on the worker thread.
    virtual HRESULT Compose(IMediaSample* const* inputs, IMediaSample* output) = 0;
    // Pause from stopped and stop, with inputs and the output connected.
    virtual HRESULT StartStreaming() { return S_OK; }
    virtual HRESULT StopStreaming() { return S_OK; }

    // Input events (upstream threads), from the pins.
    HRESULT InputConnected(int index);
    void ParkSample(int index, IMediaSample* sample);
    void InputEndOfStream(int index);
    HRESULT InputBeginFlush(int index);
    HRESULT InputEndFlush(int index);
    HRESULT InputNewSegment(int index, REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

protected:
    // A concrete filter's destructor calls this first: the worker must not
    // compose from parts that are already gone.
    void EndWorker();

private:
    class Worker;
    friend class Worker;

    bool MakePins();
    bool AnyInputConnected() const;
    bool OutputConnected() const;

    // Worker thread.
    void Pass();
    void OutputIfDue();
    HRESULT ProduceOutput(std::vector<IMediaSample*>& samples);
    HRESULT StampOutput(IMediaSample* output, IMediaSample* timeBase, const OwnFrameTimes& own);
    std::vector<IMediaSample*> TakeSamples();
    bool AnySampleParked();
    void ReleaseSamples();
    void DeliverEndOfStreamWhenDue();

    const int m_inputCount;
    const std::vector<std::string> m_inputObjectNames;  // pins keep pointers to them
    const std::vector<std::u16string> m_inputNames;

    CCritSec m_filterLock;
    CCritSec m_workerLock;
    mutable CCritSec m_frameworkLock;
    CCritSec m_slotLock;

    // Framework lock.
    LONG m_intervalMs = kDefaultIntervalMs;
    int m_timeBaseInput = 0;
    bool m_zeroTimestamps = false;
    LONG m_timeOffsetMs = kDefaultTimeOffsetMs;
    OwnFrameClock m_ownClock;

    // Slot lock.
    std::vector<IMediaSample*> m_slots;
    std::vector<bool> m_endOfStream;
    bool m_endOfStreamDue = false;

    // Worker thread only (and a stop, which holds the worker lock).
    DWORD m_lastOutputTick = 0;
    bool m_frameSkipped = false;
    bool m_qualityChangeSent = false;

    // Filter lock.
    bool m_endOfStreamDeliveredUnconnected = false;

    std::vector<std::unique_ptr<CTransformNInputPin>> m_inputs;
    std::unique_ptr<CTransformNOutputPin> m_output;
    std::atomic<bool> m_pinsMade{false};
    // Declared last so it goes first, before anything it uses.
    std::unique_ptr<Worker> m_worker;
};
