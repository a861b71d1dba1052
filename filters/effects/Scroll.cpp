#include "Scroll.h"

#include "FxBankClsids.h"
#include "Rgb24Rows.h"

#include <new>

namespace {

const FilterClassInfo kScrollInfo{&CLSID_Scroll, &CLSID_ScrollProp, Scroll::kSettingsSize};

} // namespace

Scroll::Scroll(IUnknown* outer, HRESULT*) : Rgb24InPlaceFilter(kScrollInfo, "Scroll", outer) {}

STDMETHODIMP Scroll::GetDirection(LONG* direction) { return GetSetting(direction, m_direction); }

STDMETHODIMP Scroll::SetDirection(LONG direction) { return SetSetting(m_direction, direction); }

STDMETHODIMP Scroll::GetSpeed(LONG* speed) { return GetSetting(speed, m_speed); }

STDMETHODIMP Scroll::SetSpeed(LONG speed) { return SetSetting(m_speed, speed); }

STDMETHODIMP Scroll::ResetPosition()
{
    CAutoLock lock(&m_settingsLock);
    m_motion.position = 0;
    return S_OK;
}

STDMETHODIMP Scroll::Pause()
{
    const bool entering = State() != State_Paused;
    const HRESULT hr = Rgb24InPlaceFilter::Pause();
    if (SUCCEEDED(hr) && entering) {
        CAutoLock lock(&m_settingsLock);
        m_motion.lastTime = 0;
    }
    return hr;
}

// Rows padded to whole 4-byte words are recognised by the sample length.
HRESULT Scroll::OnInputLayout(const VideoFrameLayout& layout)
{
    const std::size_t padded = (Rgb24RowsOf(layout, 0).rowBytes + 3) & ~std::size_t{3};
    try {
        std::vector<BYTE> scratch(padded);
        m_scratch.swap(scratch);
    } catch (const std::bad_alloc&) {
        m_scratch.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

ScrollFrame Scroll::FrameFor(std::size_t length) const
{
    const Rgb24Rows rows = Rgb24RowsOf(InputLayout(), length);
    return {rows.rowBytes, rows.stride, rows.rows};
}

void Scroll::TransformFrame(BYTE* data, std::size_t length)
{
    m_clock.Update();
    const ScrollFrame frame = FrameFor(length);
    const auto period = static_cast<std::int64_t>(frame.rowBytes / 3 * frame.rows);
    AdvanceScroll(m_motion, m_clock.Read(), m_speed, period);
    if (frame.rowBytes == 0 || m_scratch.size() < ScrollScratchBytes(frame)) return;
    ScrollFrameAt(data, length, frame, m_direction, m_motion.position, InputLayout().TopDown(), m_scratch.data());
}

void Scroll::WriteSettings(SettingsWriter& writer)
{
    CAutoLock lock(&m_settingsLock);
    writer.Int32(m_direction);
    writer.Int32(m_speed);
}

void Scroll::ReadSettings(SettingsReader& reader)
{
    CAutoLock lock(&m_settingsLock);
    m_direction = reader.Int32();
    m_speed = reader.Int32();
}
