// The band elements of a poly-band limit: a growable list of (position, upper, lower), the
// position running along the other axis than the bounds.
#pragma once

#include "plot/data/iRecordBlock.h"

struct TiLimitDataRecord {
    double Position = 0;
    double Upper = 0;
    double Lower = 0;
    friend bool operator==(const TiLimitDataRecord&, const TiLimitDataRecord&) = default;
};

class TiLimitDataList {
public:
    TiLimitDataList();

    int Count() const { return block_.Count(); }
    int Capacity() const { return block_.Capacity(); }
    // Raises "Exceed Maximum List Size" beyond what one block can hold (and below 0).
    void SetCapacity(int Capacity);
    // Grows as the data lists do: by 4, by 16 from 9, by a quarter from 65.
    void Add(const TiLimitDataRecord& Record);
    // Each raises "Index out of Bounds" outside 0..Count-1.
    TiLimitDataRecord GetItem(int Index) const;
    double GetItem1(int Index) const { return GetItem(Index).Position; }
    double GetItem2(int Index) const { return GetItem(Index).Upper; }
    double GetItem3(int Index) const { return GetItem(Index).Lower; }
    void SetItem(int Index, const TiLimitDataRecord& Record);
    void SetItem1(int Index, double Position);
    // Empties the list and releases its storage.
    void Clear() { block_.Release(); }

private:
    TiRecordBlock block_;
};
