// IPersistStream for a filter's settings. The stream holds a version field
// of 12 UTF-16 characters ("%011d" and a blank, so "00000000001 ") and then
// the settings raw in little-endian order. Mixed into a filter, which
// supplies IUnknown and GetClassID (see SettingsFilter.h).
#pragma once

#include "SettingsStream.h"
#include "objidl.h"

#include <atomic>

class CPersistSettings : public IPersistStream {
public:
    static constexpr ULONG kVersionFieldBytes = 24;

    // `settingsSize` is what GetSizeMax declares; `recordSize` (when not 0)
    // the bytes actually stored, for a filter whose declared size is larger
    // than its fields, so streams written with just the fields still load.
    explicit CPersistSettings(DWORD settingsSize, DWORD recordSize = 0)
        : m_settingsSize(settingsSize), m_recordSize(recordSize ? recordSize : settingsSize)
    {
    }

    STDMETHODIMP IsDirty() override;
    // Reads the whole record before applying any of it: a short or malformed
    // stream fails (ERROR_HANDLE_EOF, ERROR_INVALID_DATA as HRESULTs) and
    // leaves the settings as they were. A successful load clears the dirty
    // flag: the object then matches its stored form.
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    void SetDirty(bool dirty) { m_dirty.store(dirty); }
    // The version the last loaded stream carried.
    LONG LoadedVersion() const { return m_loadedVersion.load(); }

protected:
    // The filter writes exactly its record size, under its own lock.
    virtual void WriteSettings(SettingsWriter& writer) = 0;
    // Receives exactly the record size, complete.
    virtual void ReadSettings(SettingsReader& reader) = 0;
    virtual LONG SoftwareVersion() const { return 1; }

private:
    const DWORD m_settingsSize;
    const DWORD m_recordSize;
    std::atomic<bool> m_dirty{false};
    std::atomic<LONG> m_loadedVersion{0};
};

// The version field text for `version`, 12 UTF-16 characters.
std::u16string FormatVersionField(LONG version);
// Parses a version field; false unless it is digits (optionally signed,
// space-padded) followed by the blank.
bool ParseVersionField(const char16_t* field, LONG& version);
