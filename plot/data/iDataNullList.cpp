#include "plot/data/iDataNullList.h"

TiDataNullList::TiDataNullList() : block_(sizeof(TDataNull), "Memory could not be allocated") {}

void TiDataNullList::SetItem(int index, const TDataNull& record) {
    block_.At<TDataNull>(block_.ActualIndex(index)) = record;
}

// No slot is written here: zeroing the last slot of a smaller block would overwrite the
// newest record kept, and slots past Count are never read.
void TiDataNullList::SetCapacity(int capacity) {
    block_.SetCapacity(capacity);
}

void TiDataNullList::Clear() {
    block_.Reset();
    if (!RingActive()) SetCapacity(4);
}

void TiDataNullList::DeleteRange(int count) {
    block_.RemoveOldest(count, Count() - 1, "Delete size out of Range");
}
