// Raw little-endian settings as a filter persists them after the version
// field: the filter writes and reads its fields in its own order.
#pragma once

#include "wintypes.h"

#include <vector>

class SettingsWriter {
public:
    void Int32(LONG value) { UInt32(static_cast<DWORD>(value)); }
    void UInt32(DWORD value);
    void Byte(BYTE value) { m_bytes.push_back(value); }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

// Reads from a block the framework has already read whole, so a filter's
// reader never sees a short stream; reading past the end yields 0.
class SettingsReader {
public:
    SettingsReader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}
    LONG Int32() { return static_cast<LONG>(UInt32()); }
    DWORD UInt32();
    BYTE Byte();

private:
    const BYTE* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
