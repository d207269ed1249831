#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"
#include "tests/plot/data/DataListTestSupport.h"

#include <new>
#include <vector>

// Behaviour every channel list shares, checked on all four kinds.
template <class List> class PlotDataList : public testing::Test {
protected:
    void AddYs(std::initializer_list<double> ys) {
        for (double y : ys)
            list.Add(x_++, y);
    }
    std::vector<double> Ys() const {
        std::vector<double> ys;
        for (int i = 0; i < list.Count(); ++i)
            ys.push_back(list.GetY(i));
        return ys;
    }
    std::vector<double> Xs() const {
        std::vector<double> xs;
        for (int i = 0; i < list.Count(); ++i)
            xs.push_back(list.GetX(i));
        return xs;
    }

    List list;

private:
    double x_ = 0;
};

using ListKinds = testing::Types<TiPlotDataNullList, TiPlotDataCompactList,
                                 TiPlotDataCompactIntervalList, TiPlotDataFullList>;
TYPED_TEST_SUITE(PlotDataList, ListKinds);

using V = std::vector<double>;

TYPED_TEST(PlotDataList, CapacityGrowsBy4Then16ThenAQuarter) {
    std::vector<int> capacities;
    for (int i = 0; i < 96; ++i) {
        this->list.Add(i, i);
        if (capacities.empty() || capacities.back() != this->list.Capacity())
            capacities.push_back(this->list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(this->list.GetMemoryUsed(), 118 * this->list.DataPointSize());
}

TYPED_TEST(PlotDataList, FullRingOverwritesOldestAndReturnsItsSlot) {
    this->list.SetRingBufferSize(3);
    std::vector<int> written;
    for (double y : {1, 2, 3, 4, 5})
        written.push_back(this->list.Add(y, y));
    EXPECT_EQ(written, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(this->Ys(), (V{3, 4, 5}));
    EXPECT_EQ(this->list.Capacity(), 3);
    EXPECT_EQ(this->list.GetRingBufferSize(), 3);
}

TYPED_TEST(PlotDataList, DeletePointsOnWrappedRingRemovesOldestAndKeepsLaterAddsApart) {
    this->list.SetRingBufferSize(4);
    this->AddYs({1, 2, 3, 4, 5, 6});
    ASSERT_NE(this->list.RingStart(), 0);
    this->list.DeletePoints(2);
    EXPECT_EQ(this->Ys(), (V{5, 6}));
    this->AddYs({7, 8, 9});
    EXPECT_EQ(this->Ys(), (V{6, 7, 8, 9}));
}

TYPED_TEST(PlotDataList, CapacityChangeOnWrappedRingKeepsLogicalOrder) {
    this->list.SetRingBufferSize(4);
    this->AddYs({1, 2, 3, 4, 5, 6});
    this->list.SetCapacity(6);
    this->AddYs({7});
    EXPECT_EQ(this->Ys(), (V{3, 4, 5, 6, 7}));
    this->AddYs({8, 9});
    this->list.SetCapacity(2);
    EXPECT_EQ(this->list.RingStart(), 0);
    EXPECT_EQ(this->Ys(), (V{4, 5}));
    this->AddYs({10});
    EXPECT_EQ(this->Ys(), (V{5, 10}));
}

TYPED_TEST(PlotDataList, RingWithoutSlotsAndNegativeCapacitiesAreRejected) {
    this->list.SetRingBufferSize(3);
    this->list.SetCapacity(0);
    ExpectError([&] { this->list.Add(1, 1); }, "Index out of Bounds");
    EXPECT_EQ(this->list.Count(), 0);
    ExpectError([&] { this->list.SetCapacity(-1); }, "Exceed Maximum List Size");
    ExpectError([&] { this->list.SetRingBufferSize(-4); }, "Exceed Maximum List Size");
    EXPECT_EQ(this->list.GetRingBufferSize(), 0);
}

TYPED_TEST(PlotDataList, CapacityMayReachMaxDataPointsButNotBeyond) {
    static std::size_t requested = 0;
    ScopedRecordReallocator pretend([](void* block, std::size_t bytes) {
        requested = bytes;
        return std::realloc(block, 1);
    });
    const int max = this->list.MaxDataPoints();
    ExpectError([&] { this->list.SetCapacity(max + 1); }, "Exceed Maximum List Size");
    EXPECT_EQ(this->list.Capacity(), 0);
    this->list.SetCapacity(max);
    EXPECT_EQ(requested, std::size_t(max) * this->list.DataPointSize());
    EXPECT_EQ(this->list.GetMemoryUsed(), max * this->list.DataPointSize());
    ExpectError([&] { this->list.Grow(); }, "Exceed Maximum List Size");
    this->list.SetCapacity(max - 10);
    this->list.Grow();
    EXPECT_EQ(this->list.Capacity(), max);
    this->list.FreeMemory();
    EXPECT_EQ(this->list.GetMemoryUsed(), 0);
}

TYPED_TEST(PlotDataList, FailedGrowthLeavesCountCapacityAndPoints) {
    this->AddYs({1, 2, 3, 4});
    ScopedRecordReallocator failing(FailingReallocate);
    EXPECT_THROW(this->list.Add(5, 5), std::bad_alloc);
    EXPECT_EQ(this->list.Count(), 4);
    EXPECT_EQ(this->list.Capacity(), 4);
    EXPECT_EQ(this->Ys(), (V{1, 2, 3, 4}));
}

TYPED_TEST(PlotDataList, ClearKeepsRingSlotsAndReleasesGrowingStorage) {
    this->AddYs({1, 2, 3, 4, 5});
    this->list.Clear();
    EXPECT_EQ(this->list.Count(), 0);
    EXPECT_EQ(this->list.Capacity(), 0);
    this->list.SetRingBufferSize(3);
    this->AddYs({1, 2, 3, 4});
    this->list.Clear();
    EXPECT_EQ(this->list.Capacity(), 3);
    EXPECT_EQ(this->list.RingStart(), 0);
}

TYPED_TEST(PlotDataList, RingBufferSizeKeepsNewestOrEmptiesAWrappedRing) {
    this->AddYs({1, 2, 3, 4, 5});
    this->list.SetRingBufferSize(2);
    EXPECT_EQ(this->Ys(), (V{4, 5}));
    EXPECT_EQ(this->list.Capacity(), 2);
    this->AddYs({6});
    this->list.SetRingBufferSize(5);
    EXPECT_EQ(this->list.Count(), 0);
    EXPECT_EQ(this->list.Capacity(), 5);
}

TYPED_TEST(PlotDataList, EndingAnUnwrappedRingKeepsPointsAndGrowsAgain) {
    this->list.SetRingBufferSize(3);
    this->AddYs({1, 2, 3});
    this->list.SetRingBufferSize(0);
    EXPECT_EQ(this->Ys(), (V{1, 2, 3}));
    this->AddYs({4});
    EXPECT_EQ(this->Ys(), (V{1, 2, 3, 4}));
    EXPECT_EQ(this->list.Capacity(), 7);
}

TYPED_TEST(PlotDataList, IndexOutsideThePointsRaises) {
    this->AddYs({1, 2});
    ExpectError([&] { this->list.GetY(2); }, "Index out of Bounds");
    ExpectError([&] { this->list.GetActualIndex(-1); }, "Index out of Bounds");
    ExpectError([&] { this->list.SetY(2, 0); }, "Index out of Bounds");
    ExpectError([&] { this->list.ForEachPoint(1, 2, [](double, double, bool, bool) {}); },
                "Index out of Bounds");
}

TYPED_TEST(PlotDataList, ForEachPointReadsAWrappedRangeInLogicalOrder) {
    this->list.SetRingBufferSize(5);
    this->AddYs({1, 2, 3, 4, 5, 6, 7, 8});
    V xs, ys;
    this->list.ForEachPoint(1, 4, [&](double x, double y, bool, bool) {
        xs.push_back(x);
        ys.push_back(y);
    });
    EXPECT_EQ(ys, (V{5, 6, 7, 8}));
    EXPECT_EQ(xs,
              (V{this->list.GetX(1), this->list.GetX(2), this->list.GetX(3), this->list.GetX(4)}));
}

// What a reader drew from the points up to some index stays true while only appends happen.
TYPED_TEST(PlotDataList, RevisionMovesOnEveryChangeButAnAppend) {
    auto& list = this->list;
    const auto changes = [&](auto&& change) {
        const uint64_t before = list.Revision();
        change();
        return list.Revision() != before;
    };
    // Growing the storage included.
    EXPECT_FALSE(changes([&] { this->AddYs({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); }));
    EXPECT_TRUE(changes([&] { list.SetY(0, 5); }));
    EXPECT_TRUE(changes([&] { list.DeletePoints(1); }));
    EXPECT_TRUE(changes([&] { list.SetCapacity(4); }));
    EXPECT_TRUE(changes([&] { list.Clear(); }));
    list.SetRingBufferSize(3);
    EXPECT_FALSE(changes([&] { this->AddYs({1, 2, 3}); }));
    EXPECT_TRUE(changes([&] { this->AddYs({4}); }));
    EXPECT_TRUE(changes([&] { list.FreeMemory(); }));
    const TypeParam other;
    EXPECT_NE(other.Identity(), list.Identity());
}

struct ListKind {
    TiPlotDataStyle style;
    int pointSize;
    int maxPoints;
    const char* deleteMessage;
};

class PlotDataListKinds : public testing::TestWithParam<ListKind> {};

TEST_P(PlotDataListKinds, StyleSelectsPointSizeLimitAndDeleteRange) {
    const ListKind kind = GetParam();
    auto list = TiPlotDataCustomList::Create(kind.style);
    EXPECT_EQ(list->DataPointSize(), kind.pointSize);
    EXPECT_EQ(list->MaxDataPoints(), kind.maxPoints);
    for (int i = 0; i < 3; ++i)
        list->Add(i, i);
    list->DeletePoints(0);
    EXPECT_EQ(list->Count(), 3);
    ExpectError([&] { list->DeletePoints(-1); }, kind.deleteMessage);
    if (kind.style == ipdsCompactInterval) {
        list->DeletePoints(3);
        EXPECT_EQ(list->Count(), 0);
    } else {
        ExpectError([&] { list->DeletePoints(3); }, kind.deleteMessage);
        EXPECT_EQ(list->Count(), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, PlotDataListKinds,
    testing::Values(ListKind{ipdsStandard, 24, 89478485, "Delete size out of Range"},
                    ListKind{ipdsCompact, 8, 268435455, "Delete size out of Range"},
                    ListKind{ipdsCompactInterval, 4, 536870911, "Delete size out of Range"},
                    ListKind{ipdsFullFeature, 136, 15790320, "Delete Size Out Of Range"}));
