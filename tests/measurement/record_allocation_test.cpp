// A record that cannot be allocated: the measurement is dropped inside the
// event call, and no exception unwinds into the library that delivered it.
#include "interfaces/zdevice.h"
#include "tests/support/device_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
bool g_refuseRecords = false; // allocations of a record's size fail
}

// This program's allocator: the C runtime's heap, with records refused on
// request. Every form of new and delete without alignment is replaced, so no
// block is allocated by one allocator and freed by another.
void* operator new(std::size_t size) {
    if (g_refuseRecords && size == sizeof(ZDEV_SCAN_DATA))
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

class RecordAllocationTest : public simtest::DeviceTest {};

TEST_F(RecordAllocationTest, RecordThatCannotBeAllocatedIsDroppedInsideTheEventCall) {
    ConnectDevice();
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    trackersim::SampleSpec sample;
    sample.x = 100;
    g_refuseRecords = true;
    Sim().FireMeasurements(&sample, 1, 0, nullptr);
    Pump();
    g_refuseRecords = false;
    EXPECT_TRUE(posted.empty());
    Sim().FireMeasurements(&sample, 1, 0, nullptr);
    Pump();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].data.GetPts()[0], 100);
}

} // namespace
