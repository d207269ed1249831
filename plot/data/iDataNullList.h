// The value-and-status record list of the framework's strip-chart channel objects: growable,
// or a ring that overwrites its oldest record once full.
#pragma once

#include "plot/data/iRecordBlock.h"

#include <cstdint>

struct TDataNull {
    double Value;
    // Its users store a channel data status ordinal here.
    uint8_t Status;
};
static_assert(sizeof(TDataNull) == 16);

class TiDataNullList {
public:
    TiDataNullList();

    // True only when a full ring overwrote its oldest record.
    bool Add(const TDataNull& record) {
        const TiRecordSlot slot = block_.NextSlot();
        block_.At<TDataNull>(slot.Slot) = record;
        return slot.Overwritten;
    }
    TDataNull GetItem(int index) const { return block_.At<TDataNull>(block_.ActualIndex(index)); }
    void SetItem(int index, const TDataNull& record);
    // Raises "Exceed Maximum List Size" above 134217727 (and below 0), "Memory could not be
    // allocated" when the resize fails; the records kept keep their values.
    void SetCapacity(int capacity);
    // A growing list keeps 4 slots.
    void Clear();
    // Removes the count oldest records; 0 <= count < Count, else "Delete size out of Range".
    void DeleteRange(int count);

    int Count() const { return block_.Count(); }
    int Capacity() const { return block_.Capacity(); }
    int RingStart() const { return block_.RingStart(); }
    bool RingActive() const { return block_.RingActive(); }
    void SetRingActive(bool value) { block_.SetRingActive(value); }

private:
    TiRecordBlock block_;
};
