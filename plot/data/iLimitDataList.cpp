#include "plot/data/iLimitDataList.h"

TiLimitDataList::TiLimitDataList() : block_(sizeof(TiLimitDataRecord)) {}

void TiLimitDataList::SetCapacity(int Capacity) {
    block_.SetCapacity(Capacity);
}

void TiLimitDataList::Add(const TiLimitDataRecord& Record) {
    block_.At<TiLimitDataRecord>(block_.NextSlot().Slot) = Record;
}

TiLimitDataRecord TiLimitDataList::GetItem(int Index) const {
    return block_.At<TiLimitDataRecord>(block_.ActualIndex(Index));
}

void TiLimitDataList::SetItem(int Index, const TiLimitDataRecord& Record) {
    block_.At<TiLimitDataRecord>(block_.ActualIndex(Index)) = Record;
}

void TiLimitDataList::SetItem1(int Index, double Position) {
    block_.At<TiLimitDataRecord>(block_.ActualIndex(Index)).Position = Position;
}
