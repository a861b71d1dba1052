#include "PersistSettings.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr ULONG kVersionChars = CPersistSettings::kVersionFieldBytes / 2;

// Reads exactly `size` bytes or fails.
HRESULT ReadExactly(IStream* stream, void* data, ULONG size)
{
    ULONG got = 0;
    const HRESULT hr = stream->Read(data, size, &got);
    if (FAILED(hr)) return hr;
    return got == size ? S_OK : HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
}

HRESULT WriteAll(IStream* stream, const void* data, ULONG size)
{
    ULONG put = 0;
    const HRESULT hr = stream->Write(data, size, &put);
    if (FAILED(hr)) return hr;
    return put == size ? S_OK : STG_E_MEDIUMFULL;
}

} // namespace

std::u16string FormatVersionField(LONG version)
{
    char text[32];
    std::snprintf(text, sizeof text, "%011d ", static_cast<int>(version));
    std::u16string field(text, text + std::strlen(text));
    field.resize(kVersionChars, u' ');
    return field;
}

bool ParseVersionField(const char16_t* field, LONG& version)
{
    if (field[kVersionChars - 1] != u' ') return false;
    ULONG i = 0;
    while (i < kVersionChars - 1 && field[i] == u' ') ++i;
    const bool negative = i < kVersionChars - 1 && field[i] == u'-';
    if (negative) ++i;
    if (i == kVersionChars - 1) return false;
    long long value = 0;
    for (; i < kVersionChars - 1; ++i) {
        if (field[i] < u'0' || field[i] > u'9') return false;
        value = value * 10 + (field[i] - u'0');
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    version = static_cast<LONG>(value);
    return true;
}

STDMETHODIMP CPersistSettings::IsDirty() { return m_dirty.load() ? S_OK : S_FALSE; }

STDMETHODIMP CPersistSettings::Load(IStream* stream)
{
    if (!stream) return E_POINTER;
    char16_t field[kVersionChars];
    HRESULT hr = ReadExactly(stream, field, kVersionFieldBytes);
    if (FAILED(hr)) return hr;
    LONG version = 0;
    if (!ParseVersionField(field, version)) return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    std::vector<BYTE> settings(m_recordSize);
    hr = ReadExactly(stream, settings.data(), m_recordSize);
    if (FAILED(hr)) return hr;
    SettingsReader reader(settings.data(), settings.size());
    ReadSettings(reader);
    m_loadedVersion.store(version);
    m_dirty.store(false);
    return S_OK;
}

STDMETHODIMP CPersistSettings::Save(IStream* stream, BOOL clearDirty)
{
    if (!stream) return E_POINTER;
    SettingsWriter writer;
    WriteSettings(writer);
    // A filter writing other than its record size would break every reader.
    if (writer.Bytes().size() != m_recordSize) return E_UNEXPECTED;
    const std::u16string field = FormatVersionField(SoftwareVersion());
    HRESULT hr = WriteAll(stream, field.data(), kVersionFieldBytes);
    if (SUCCEEDED(hr)) hr = WriteAll(stream, writer.Bytes().data(), m_recordSize);
    if (FAILED(hr)) return hr;
    if (clearDirty) m_dirty.store(false);
    return S_OK;
}

STDMETHODIMP CPersistSettings::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size) return E_POINTER;
    size->QuadPart = kVersionFieldBytes + m_settingsSize;
    return S_OK;
}
