// The records waiting in a Synchronizing Buffer, in arrival order. Not
// locked: the filter's queue lock guards it.
#pragma once

#include "SampleRecord.h"

#include <vector>

class SampleQueue {
public:
    // False when out of memory.
    bool Append(SampleRecord* record);
    SampleRecord* Head() const { return m_records.empty() ? nullptr : m_records.front(); }
    // Takes the head out; null when empty.
    SampleRecord* RemoveHead();
    std::size_t Count() const { return m_records.size(); }

private:
    std::vector<SampleRecord*> m_records;
};
