#include "allocator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <limits>
#include <thread>

namespace {

using namespace std::chrono_literals;

ULONG RefsOf(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

class AllocatorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CMemAllocator::Create(&allocator), S_OK); }
    void TearDown() override
    {
        if (allocator) allocator->Release();
    }

    void Size(LONG buffers, LONG bytes)
    {
        ALLOCATOR_PROPERTIES request{buffers, bytes, 1, 0};
        ALLOCATOR_PROPERTIES actual{};
        ASSERT_EQ(allocator->SetProperties(&request, &actual), S_OK);
    }

    IMemAllocator* allocator = nullptr;
};

} // namespace

TEST_F(AllocatorTest, PropertiesRoundBuffersToTheAlignment)
{
    ALLOCATOR_PROPERTIES request{2, 100, 16, 4};
    ALLOCATOR_PROPERTIES actual{};
    ASSERT_EQ(allocator->SetProperties(&request, &actual), S_OK);
    EXPECT_EQ(actual.cBuffers, 2);
    EXPECT_EQ((actual.cbBuffer + actual.cbPrefix) % 16, 0);
    EXPECT_GE(actual.cbBuffer, 100);
    request.cbAlign = 3;
    EXPECT_EQ(allocator->SetProperties(&request, &actual), VFW_E_BADALIGN);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data - 4) % 16, 0u);
    sample->Release();
}

TEST_F(AllocatorTest, GetBufferFailsBeforeCommitAndWithoutSize)
{
    IMediaSample* sample = reinterpret_cast<IMediaSample*>(this);
    EXPECT_EQ(allocator->Commit(), VFW_E_SIZENOTSET);
    EXPECT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), VFW_E_NOT_COMMITTED);
    EXPECT_EQ(sample, nullptr);
    Size(1, 64);
    EXPECT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), VFW_E_NOT_COMMITTED);
    ASSERT_EQ(allocator->Commit(), S_OK);
    ALLOCATOR_PROPERTIES again{1, 64, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    EXPECT_EQ(allocator->SetProperties(&again, &actual), VFW_E_ALREADY_COMMITTED);
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->GetSize(), 64);
    sample->Release();
}

TEST_F(AllocatorTest, BlockedGetBufferWakesWhenASampleReturns)
{
    Size(1, 16);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* first = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&first, nullptr, nullptr, 0), S_OK);
    IMediaSample* none = nullptr;
    EXPECT_EQ(allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_TIMEOUT);
    auto waiter = std::async(std::launch::async, [this] {
        IMediaSample* second = nullptr;
        const HRESULT hr = allocator->GetBuffer(&second, nullptr, nullptr, 0);
        if (second) second->Release();
        return hr;
    });
    EXPECT_EQ(waiter.wait_for(50ms), std::future_status::timeout);
    first->Release();
    ASSERT_EQ(waiter.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(waiter.get(), S_OK);
}

TEST_F(AllocatorTest, DecommitWakesAWaiterWithNotCommitted)
{
    Size(1, 16);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* held = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&held, nullptr, nullptr, 0), S_OK);
    auto waiter = std::async(std::launch::async, [this] {
        IMediaSample* sample = nullptr;
        return allocator->GetBuffer(&sample, nullptr, nullptr, 0);
    });
    EXPECT_EQ(waiter.wait_for(50ms), std::future_status::timeout);
    ASSERT_EQ(allocator->Decommit(), S_OK);
    ASSERT_EQ(waiter.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(waiter.get(), VFW_E_NOT_COMMITTED);
    // The held sample stays usable until it comes back.
    BYTE* data = nullptr;
    ASSERT_EQ(held->GetPointer(&data), S_OK);
    data[0] = 7;
    held->Release();
}

TEST_F(AllocatorTest, AnOutstandingSampleKeepsThePoolAlive)
{
    Size(2, 32);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(RefsOf(allocator), 2u);
    allocator->Decommit();
    allocator->Release();
    allocator = nullptr;
    BYTE* data = nullptr;
    ASSERT_EQ(sample->GetPointer(&data), S_OK);
    std::fill(data, data + 32, BYTE{0xAB});
    sample->Release();  // the last reference: pool and memory go now
}

TEST_F(AllocatorTest, ReturnedSamplesComeBackClean)
{
    Size(1, 8);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    REFERENCE_TIME start = 10;
    REFERENCE_TIME stop = 20;
    sample->SetTime(&start, &stop);
    sample->SetSyncPoint(TRUE);
    sample->SetActualDataLength(3);
    sample->Release();
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->GetTime(&start, &stop), VFW_E_SAMPLE_TIME_NOT_SET);
    EXPECT_EQ(sample->IsSyncPoint(), S_FALSE);
    EXPECT_EQ(sample->GetActualDataLength(), 8);
    EXPECT_EQ(allocator->ReleaseBuffer(reinterpret_cast<IMediaSample*>(&start)), E_INVALIDARG);
    sample->Release();
}

TEST_F(AllocatorTest, SampleTimesTypesAndProperties)
{
    Size(1, 16);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);

    REFERENCE_TIME start = 100;
    REFERENCE_TIME stop = 0;
    sample->SetTime(&start, nullptr);
    EXPECT_EQ(sample->GetTime(&start, &stop), VFW_S_NO_STOP_TIME);
    EXPECT_EQ(stop, 101);
    start = std::numeric_limits<REFERENCE_TIME>::max();
    sample->SetTime(&start, nullptr);
    EXPECT_EQ(sample->GetTime(&start, &stop), VFW_S_NO_STOP_TIME);
    EXPECT_EQ(stop, std::numeric_limits<REFERENCE_TIME>::max());
    EXPECT_EQ(sample->SetActualDataLength(17), VFW_E_BUFFER_OVERFLOW);
    EXPECT_EQ(sample->SetActualDataLength(-1), VFW_E_BUFFER_OVERFLOW);

    AM_MEDIA_TYPE* type = reinterpret_cast<AM_MEDIA_TYPE*>(this);
    EXPECT_EQ(sample->GetMediaType(&type), S_FALSE);
    EXPECT_EQ(type, nullptr);
    CMediaType video;
    video.majortype = MEDIATYPE_Video;
    video.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(sample->SetMediaType(&video), S_OK);
    ASSERT_EQ(sample->GetMediaType(&type), S_OK);
    EXPECT_EQ(type->subtype, MEDIASUBTYPE_RGB24);
    DeleteMediaType(type);

    IMediaSample2* sample2 = nullptr;
    ASSERT_EQ(sample->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&sample2)), S_OK);
    AM_SAMPLE2_PROPERTIES props{};
    ASSERT_EQ(sample2->GetProperties(sizeof props, reinterpret_cast<BYTE*>(&props)), S_OK);
    EXPECT_TRUE(props.dwSampleFlags & AM_SAMPLE_TYPECHANGED);
    EXPECT_TRUE(props.dwSampleFlags & AM_SAMPLE_TIMEVALID);
    EXPECT_FALSE(props.dwSampleFlags & AM_SAMPLE_STOPVALID);
    EXPECT_EQ(props.cbBuffer, 16);
    // A caller that knows only the leading fields changes only those.
    AM_SAMPLE2_PROPERTIES partial = props;
    partial.dwSampleFlags = AM_SAMPLE_SPLICEPOINT;
    partial.lActual = 5;
    ASSERT_EQ(sample2->SetProperties(offsetof(AM_SAMPLE2_PROPERTIES, tStart), reinterpret_cast<BYTE*>(&partial)),
              S_OK);
    EXPECT_EQ(sample->GetActualDataLength(), 5);
    EXPECT_EQ(sample->IsSyncPoint(), S_OK);
    EXPECT_EQ(sample->GetMediaType(&type), S_FALSE);
    sample2->Release();
    sample->Release();
}
