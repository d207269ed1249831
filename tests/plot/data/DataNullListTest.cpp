#include "plot/data/iDataNullList.h"
#include "tests/plot/data/DataListTestSupport.h"

#include <vector>

class DataNullList : public testing::Test {
protected:
    void AddValues(std::initializer_list<double> values) {
        for (double value : values)
            overwrites.push_back(list.Add(TDataNull{value, 1}));
    }
    std::vector<double> Values() const {
        std::vector<double> values;
        for (int i = 0; i < list.Count(); ++i)
            values.push_back(list.GetItem(i).Value);
        return values;
    }
    TiDataNullList list;
    std::vector<bool> overwrites;
};

using V = std::vector<double>;

TEST_F(DataNullList, GrowsByTheListRuleAndClearKeepsFourSlots) {
    AddValues({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(list.Capacity(), 12);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 4);
}

TEST_F(DataNullList, AddReportsOnlyRingOverwrites) {
    list.SetRingActive(true);
    list.SetCapacity(2);
    AddValues({1, 2, 3});
    EXPECT_EQ(overwrites, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Values(), (V{2, 3}));
    list.Clear();
    EXPECT_EQ(list.Capacity(), 2);
}

TEST_F(DataNullList, ShrinkingKeepsTheValuesOfTheRecordsKept) {
    AddValues({1, 2, 3, 4, 5});
    list.SetCapacity(3);
    EXPECT_EQ(Values(), (V{1, 2, 3}));
    EXPECT_EQ(list.GetItem(2).Status, 1);
}

TEST_F(DataNullList, DeleteRangeOnWrappedRingRemovesOldest) {
    list.SetRingActive(true);
    list.SetCapacity(3);
    AddValues({1, 2, 3, 4});
    list.DeleteRange(1);
    AddValues({5});
    EXPECT_EQ(Values(), (V{3, 4, 5}));
    ExpectError([&] { list.DeleteRange(3); }, "Delete size out of Range");
}

TEST_F(DataNullList, RejectsBadSizesIndicesAndReportsAllocationFailure) {
    ExpectError([&] { list.SetCapacity(134217728); }, "Exceed Maximum List Size");
    ExpectError([&] { list.SetCapacity(-1); }, "Exceed Maximum List Size");
    ExpectError([&] { list.GetItem(0); }, "Index out of Bounds");
    AddValues({1});
    ExpectError([&] { list.SetItem(1, TDataNull{}); }, "Index out of Bounds");
    ScopedRecordReallocator failing(FailingReallocate);
    ExpectError([&] { list.SetCapacity(100); }, "Memory could not be allocated");
    EXPECT_EQ(list.Capacity(), 4);
    EXPECT_EQ(Values(), (V{1}));
}
