#include "SampleQueue.h"

#include <new>

namespace {

constexpr std::size_t kGrowth = 256;

} // namespace

bool SampleQueue::Append(SampleRecord* record)
{
    try {
        if (m_records.size() == m_records.capacity()) m_records.reserve(m_records.size() + kGrowth);
        m_records.push_back(record);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

SampleRecord* SampleQueue::RemoveHead()
{
    if (m_records.empty()) return nullptr;
    SampleRecord* head = m_records.front();
    m_records.erase(m_records.begin());
    return head;
}
