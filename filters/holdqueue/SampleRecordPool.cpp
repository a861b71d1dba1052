#include "SampleRecordPool.h"

#include <new>

namespace {

// The pool grows in steps, not one record at a time.
constexpr std::size_t kGrowth = 256;

} // namespace

SampleRecord* SampleRecordPool::Take()
{
    CAutoLock hold(&m_lock);
    for (const auto& record : m_records) {
        if (record->references == 0) {
            record->references = 1;
            return record.get();
        }
    }
    try {
        if (m_records.size() == m_records.capacity()) m_records.reserve(m_records.size() + kGrowth);
        m_records.push_back(std::make_unique<SampleRecord>());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    m_records.back()->references = 1;
    return m_records.back().get();
}

void SampleRecordPool::Return(SampleRecord* record)
{
    if (!record) return;
    CAutoLock hold(&m_lock);
    if (record->references > 0) --record->references;
}

std::size_t SampleRecordPool::Size() const
{
    CAutoLock hold(&m_lock);
    return m_records.size();
}
