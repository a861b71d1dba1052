// The records of one Synchronizing Buffer: taken for an arriving sample,
// returned once it is sent or dropped, and reused by later arrivals so their
// buffers are allocated once. Records live as long as the pool.
#pragma once

#include "SampleRecord.h"
#include "kernel_critsec.h"

#include <memory>
#include <vector>

class SampleRecordPool {
public:
    // A record nobody uses, or a new one; null when out of memory.
    SampleRecord* Take();
    void Return(SampleRecord* record);
    std::size_t Size() const;

private:
    mutable CCritSec m_lock;
    std::vector<std::unique_ptr<SampleRecord>> m_records;
};
