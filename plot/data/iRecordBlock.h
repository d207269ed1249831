// The flat storage of the data lists: Capacity records of one fixed size in one block, grown
// by the list rule, optionally a ring that overwrites its oldest record once full.
#pragma once

#include <QString>
#include <algorithm>
#include <cstddef>

// Where a new record goes, and whether it took the place of the oldest one.
struct TiRecordSlot {
    int Slot;
    bool Overwritten;
};

class TiRecordBlock {
public:
    // Without a message a failed allocation raises std::bad_alloc.
    explicit TiRecordBlock(int recordSize, QString allocationFailureMessage = QString());
    ~TiRecordBlock();
    TiRecordBlock(const TiRecordBlock&) = delete;
    TiRecordBlock& operator=(const TiRecordBlock&) = delete;

    int RecordSize() const { return recordSize_; }
    // Discards the records held: their bytes mean nothing at another size.
    void SetRecordSize(int size);
    int MaxRecords() const { return maxRecords_; }
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    int RingStart() const { return ringStart_; }
    bool RingActive() const { return ringActive_; }
    void SetRingActive(bool value) { ringActive_ = value; }

    // Storage slot of logical index (0 = oldest); raises "Index out of Bounds".
    int ActualIndex(int index) const;

    // Claims the slot for a new record; grows a full non-ring block first. A full ring
    // overwrites its oldest record and allocates nothing.
    TiRecordSlot NextSlot() {
        if (count_ < capacity_) return {count_++, false};
        // The oldest record sits in slot RingStart; the next oldest becomes the start.
        if (ringActive_ && count_ > 0) {
            const int slot = ringStart_;
            ringStart_ = slot + 1 == count_ ? 0 : slot + 1;
            return {slot, true};
        }
        return GrowForNextSlot();
    }

    // Grows by 4 up to 8 slots, by 16 up to 64, then by a quarter, at most to MaxRecords.
    void Grow();
    // Raises "Exceed Maximum List Size" for a size outside 0 to MaxRecords.
    void CheckCapacity(int capacity) const;
    // A wrapped ring is put in logical order first, so that no slot of the new size is ever
    // addressed past its end; records beyond a smaller capacity are cut from the newest end.
    void SetCapacity(int capacity);
    // Removes the count oldest records in logical order, also on a wrapped ring; raises
    // message unless 0 <= count <= allowedMaximum.
    void RemoveOldest(int count, int allowedMaximum, const char* message);
    // Count and ring position back to 0; the slots stay.
    void Reset();
    void Release();

    template <class Record> Record& At(int slot) { return static_cast<Record*>(storage_)[slot]; }
    template <class Record> const Record& At(int slot) const {
        return static_cast<const Record*>(storage_)[slot];
    }

    // Calls f(record, logicalIndex) for count records from logical index first, oldest first,
    // walking the ring's two contiguous pieces without a per-record index check.
    template <class Record, class F> void ForEach(int first, int count, F&& f) const {
        const Record* records = static_cast<const Record*>(storage_);
        ForEachPiece(first, count, [&](int begin, int end, int index) {
            for (int slot = begin; slot < end; ++slot)
                f(records[slot], index + slot - begin);
        });
    }
    // Calls f(beginSlot, endSlot, logicalIndexOfBegin) for each contiguous piece of slots
    // holding the count records from logical index first, oldest first.
    template <class F> void ForEachPiece(int first, int count, F&& f) const {
        CheckRange(first, count);
        int slot = first + ringStart_;
        if (slot >= count_) slot -= count_;
        const int firstPiece = std::min(count, count_ - slot);
        if (firstPiece > 0) f(slot, slot + firstPiece, first);
        if (count > firstPiece) f(0, count - firstPiece, first + firstPiece);
    }

private:
    TiRecordSlot GrowForNextSlot();
    void CheckRange(int first, int count) const;
    void Unwrap();
    void Resize(int capacity);

    void* storage_ = nullptr;
    int recordSize_;
    int maxRecords_;
    int count_ = 0;
    int capacity_ = 0;
    int ringStart_ = 0;
    bool ringActive_ = false;
    QString allocationFailureMessage_;
};

// Replaces the block reallocator (realloc by default) for as long as the guard lives, so that
// tests can make an allocation fail; the previous one comes back on every path.
class ScopedRecordReallocator {
public:
    using TReallocate = void* (*)(void* block, std::size_t bytes);
    explicit ScopedRecordReallocator(TReallocate reallocate);
    ~ScopedRecordReallocator();
    ScopedRecordReallocator(const ScopedRecordReallocator&) = delete;
    ScopedRecordReallocator& operator=(const ScopedRecordReallocator&) = delete;

private:
    TReallocate previous_;
};
