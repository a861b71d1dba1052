#include "streams.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The vtable slot of a virtual member function under the Itanium C++ ABI:
// the pointer-to-member holds 1 + the slot's byte offset.
template <typename Method>
std::size_t SlotOf(Method method)
{
    static_assert(sizeof(Method) == 2 * sizeof(std::uintptr_t));
    std::uintptr_t words[2];
    std::memcpy(words, &method, sizeof words);
    return (words[0] - 1) / sizeof(void*);
}

} // namespace

TEST(RecordLayout, PinFilterAndAllocatorRecords)
{
    EXPECT_EQ(sizeof(PIN_INFO), 272u);
    EXPECT_EQ(offsetof(PIN_INFO, achName), 12u);
    EXPECT_EQ(sizeof(FILTER_INFO), 264u);
    EXPECT_EQ(offsetof(FILTER_INFO, pGraph), 256u);
    EXPECT_EQ(sizeof(ALLOCATOR_PROPERTIES), 16u);
    EXPECT_EQ(sizeof(AM_SAMPLE2_PROPERTIES), 64u);
    EXPECT_EQ(offsetof(AM_SAMPLE2_PROPERTIES, dwStreamId), 32u);
}

// A client compiled against the published tables calls by slot number.
TEST(InterfaceLayout, SlotsFollowThePublishedOrder)
{
    EXPECT_EQ(SlotOf(&IPin::Connect), 3u);
    EXPECT_EQ(SlotOf(&IPin::QueryId), 10u);
    EXPECT_EQ(SlotOf(&IPin::NewSegment), 17u);
    EXPECT_EQ(SlotOf(&IMediaSample::GetActualDataLength), 11u);
    EXPECT_EQ(SlotOf(&IMediaSample::SetMediaTime), 18u);
    EXPECT_EQ(SlotOf(&IMediaSample2::SetProperties), 20u);
    EXPECT_EQ(SlotOf(&IMemAllocator::ReleaseBuffer), 8u);
    EXPECT_EQ(SlotOf(&IMemInputPin::Receive), 6u);
    EXPECT_EQ(SlotOf(&IMediaFilter::Stop), 4u);
    EXPECT_EQ(SlotOf(&IBaseFilter::EnumPins), 10u);
    EXPECT_EQ(SlotOf(&IBaseFilter::QueryVendorInfo), 14u);
    EXPECT_EQ(SlotOf(&IFilterGraph::SetDefaultSyncSource), 10u);
    EXPECT_EQ(SlotOf(&IVideoWindow::put_Caption), 7u);
    EXPECT_EQ(SlotOf(&IVideoWindow::put_FullScreenMode), 36u);
    EXPECT_EQ(SlotOf(&IVideoWindow::IsCursorHidden), 45u);
    EXPECT_EQ(SlotOf(&IBasicVideo::SetSourcePosition), 28u);
    EXPECT_EQ(SlotOf(&IBasicVideo::IsUsingDefaultDestination), 38u);
}
