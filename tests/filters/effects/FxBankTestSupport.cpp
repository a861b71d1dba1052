#include "FxBankTestSupport.h"

#include <cstring>

std::vector<BYTE> SettingsStreamBytes(LONG first, LONG second)
{
    std::vector<BYTE> bytes(32);
    std::memcpy(bytes.data(), u"00000000001 ", 24);
    for (int i = 0; i < 4; ++i) {
        bytes[24 + i] = static_cast<BYTE>(static_cast<DWORD>(first) >> (8 * i));
        bytes[28 + i] = static_cast<BYTE>(static_cast<DWORD>(second) >> (8 * i));
    }
    return bytes;
}
