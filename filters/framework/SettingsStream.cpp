#include "SettingsStream.h"

void SettingsWriter::UInt32(DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(static_cast<BYTE>(value >> shift));
}

DWORD SettingsReader::UInt32()
{
    DWORD value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<DWORD>(Byte()) << shift;
    return value;
}

BYTE SettingsReader::Byte() { return m_position < m_size ? m_data[m_position++] : 0; }
