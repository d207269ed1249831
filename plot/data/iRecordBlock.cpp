#include "plot/data/iRecordBlock.h"

#include "platform/Exception.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {
ScopedRecordReallocator::TReallocate reallocateRecords = [](void* block, std::size_t bytes) {
    return std::realloc(block, bytes);
};

std::byte* Bytes(void* storage) {
    return static_cast<std::byte*>(storage);
}
} // namespace

TiRecordBlock::TiRecordBlock(int recordSize, QString allocationFailureMessage)
    : recordSize_(recordSize), maxRecords_(INT_MAX / recordSize),
      allocationFailureMessage_(std::move(allocationFailureMessage)) {}

TiRecordBlock::~TiRecordBlock() {
    std::free(storage_);
}

void TiRecordBlock::SetRecordSize(int size) {
    Release();
    recordSize_ = size;
    maxRecords_ = INT_MAX / size;
}

int TiRecordBlock::ActualIndex(int index) const {
    if (index < 0 || index >= count_) throw Exception("Index out of Bounds");
    const int slot = index + ringStart_;
    return slot > count_ - 1 ? slot - count_ : slot;
}

TiRecordSlot TiRecordBlock::GrowForNextSlot() {
    // A ring cut to no slots has nowhere to put a point; writing slot -1 would corrupt memory.
    if (ringActive_) throw Exception("Index out of Bounds");
    Grow();
    return {count_++, false};
}

void TiRecordBlock::Grow() {
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    // The last step stops at the limit instead of failing while slots below it remain.
    const int grown = static_cast<int>(
        std::min<long long>(static_cast<long long>(capacity_) + delta, maxRecords_));
    if (grown == capacity_) throw Exception("Exceed Maximum List Size");
    SetCapacity(grown);
}

void TiRecordBlock::CheckCapacity(int capacity) const {
    // A negative size would wrap the byte count into a huge allocation.
    if (capacity < 0 || capacity > maxRecords_) throw Exception("Exceed Maximum List Size");
}

void TiRecordBlock::SetCapacity(int capacity) {
    CheckCapacity(capacity);
    if (capacity == capacity_) return;
    Unwrap();
    Resize(capacity);
    capacity_ = capacity;
    count_ = std::min(count_, capacity);
}

void TiRecordBlock::RemoveOldest(int count, int allowedMaximum, const char* message) {
    if (count < 0 || count > allowedMaximum) throw Exception(message);
    if (count == 0) return;
    Unwrap();
    std::byte* bytes = Bytes(storage_);
    const std::size_t size = static_cast<std::size_t>(recordSize_);
    std::memmove(bytes, bytes + count * size, (count_ - count) * size);
    count_ -= count;
}

void TiRecordBlock::Reset() {
    count_ = 0;
    ringStart_ = 0;
}

void TiRecordBlock::Release() {
    std::free(storage_);
    storage_ = nullptr;
    capacity_ = 0;
    Reset();
}

void TiRecordBlock::CheckRange(int first, int count) const {
    if (first < 0 || count < 0 || static_cast<long long>(first) + count > count_)
        throw Exception("Index out of Bounds");
}

void TiRecordBlock::Unwrap() {
    if (ringStart_ == 0) return;
    std::byte* bytes = Bytes(storage_);
    const std::size_t size = static_cast<std::size_t>(recordSize_);
    std::rotate(bytes, bytes + ringStart_ * size, bytes + count_ * size);
    ringStart_ = 0;
}

void TiRecordBlock::Resize(int capacity) {
    if (capacity == 0) {
        std::free(storage_);
        storage_ = nullptr;
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(capacity) * recordSize_;
    void* resized = reallocateRecords(storage_, bytes);
    if (!resized) {
        if (allocationFailureMessage_.isEmpty()) throw std::bad_alloc();
        throw Exception(allocationFailureMessage_);
    }
    storage_ = resized;
}

ScopedRecordReallocator::ScopedRecordReallocator(TReallocate reallocate)
    : previous_(reallocateRecords) {
    reallocateRecords = reallocate;
}

ScopedRecordReallocator::~ScopedRecordReallocator() {
    reallocateRecords = previous_;
}
