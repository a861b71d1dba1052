#include "streambase.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

class MemoryStream final : public StreamBase {
public:
    MemoryStream() : StreamBase("Memory stream", STGM_READWRITE) {}

protected:
    long long ReadAt(ULONGLONG offset, void* data, ULONG size) override
    {
        if (offset >= m_bytes.size()) return 0;
        const std::size_t n = std::min<std::size_t>(size, m_bytes.size() - offset);
        if (n) std::memcpy(data, m_bytes.data() + offset, n);
        return static_cast<long long>(n);
    }

    bool WriteAt(ULONGLONG offset, const void* data, ULONG size) override
    {
        if (size == 0) return true;
        try {
            if (offset + size > m_bytes.size()) m_bytes.resize(offset + size);
        } catch (const std::bad_alloc&) {
            return false;
        }
        std::memcpy(m_bytes.data() + offset, data, size);
        return true;
    }

    ULONGLONG Size() override { return m_bytes.size(); }

    bool Resize(ULONGLONG size) override
    {
        try {
            m_bytes.resize(size);
        } catch (const std::exception&) {
            return false;
        }
        return true;
    }

private:
    std::vector<BYTE> m_bytes;
};

} // namespace

HRESULT CreateMemoryStream(IStream** stream)
{
    if (!stream) return E_POINTER;
    auto* object = new (std::nothrow) MemoryStream;
    *stream = nullptr;
    if (!object) return E_OUTOFMEMORY;
    return object->NonDelegatingQueryInterface(IID_IStream, reinterpret_cast<void**>(stream));
}
