// The fast trace read through the lists' block summaries draws exactly what it draws from
// every point, whatever the lists went through; and the summaries stay small.
#include "plot/channels/iPlotChannelFastDraw.h"
#include "plot/channels/iPlotChannelPoints.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Segments = std::vector<std::tuple<double, double, double, double>>;

TiPlotAxisMap MapOf(double Min, double Span, int Width, TiPlotScaleType Scale = ipstLinear,
                    bool Reverse = false) {
    TiPlotAxisRange range;
    range.SetScaleType(Scale);
    range.SetMinSpan(Min, Span);
    range.SetReverseScale(Reverse);
    return TiPlotAxisMap(range, {0, Width, true});
}

// The strokes of the fast trace over First..First + Count - 1; Summaries false reads every
// point. Runs counts the blocks taken whole.
Segments Strokes(const TiPlotDataCustomList& List, TiPlotDataStyle Style, const TiPlotAxisMap& Map,
                 int First, int Count, bool Summaries, int* Runs = nullptr) {
    Segments segments;
    TiPlotFastDraw fast(
        [&](double x1, double y1, double x2, double y2) { segments.emplace_back(x1, y1, x2, y2); });
    ForEachListPointOrRun(
        List, Style, First, Count,
        [&](double x, double y, bool empty, bool null) {
            fast.Add(x, y, empty, null, Map.PositionToPixels(x));
        },
        [&](const TiPlotPointRun& run) {
            const bool taken = Summaries && fast.AddRun(run, Map);
            if (taken && Runs) ++*Runs;
            return taken;
        },
        [&](double x) { return Map.PositionToPixels(x); });
    fast.Finish();
    return segments;
}

class SummaryStrokes : public testing::TestWithParam<TiPlotDataStyle> {
protected:
    SummaryStrokes() : list(TiPlotDataCustomList::Create(GetParam())) {}

    // X mostly ascending in small steps with a few turns back, Y from few values (so that
    // equal extremes, 0 and -0 among them, occur), NaN now and then, and Null and Empty
    // points where the list keeps them.
    void AddRandom(int Count) {
        std::uniform_int_distribution<int> level(-3, 3), dice(0, 999);
        for (int i = 0; i < Count; ++i) {
            x += dice(random) < 3 ? -0.5 : 0.001 * (dice(random) % 3);
            const int d = dice(random);
            const double y = d < 2 ? std::nan("") : level(random) == 0 ? -0.0 : level(random);
            list->Add(x, y);
            if (d >= 2 && d < 4) list->SetNull(list->Count() - 1, true);
            if (d >= 4 && d < 6) list->SetEmpty(list->Count() - 1, true);
        }
    }
    void ExpectSameStrokes(const char* Stage) {
        std::uniform_int_distribution<int> index(0, list->Count() - 1);
        int runs = 0;
        const TiPlotAxisMap maps[] = {MapOf(-100, 400, 1000), MapOf(0, 90, 300),
                                      MapOf(1, 300, 700, ipstLog10),
                                      MapOf(-50, 500, 1000, ipstLinear, true)};
        for (const TiPlotAxisMap& map : maps) {
            EXPECT_EQ(Strokes(*list, GetParam(), map, 0, list->Count(), true, &runs),
                      Strokes(*list, GetParam(), map, 0, list->Count(), false))
                << Stage;
            for (int k = 0; k < 10; ++k) {
                const int a = index(random), b = index(random);
                const int first = std::min(a, b), count = std::abs(a - b) + 1;
                ASSERT_EQ(Strokes(*list, GetParam(), map, first, count, true, &runs),
                          Strokes(*list, GetParam(), map, first, count, false))
                    << Stage << " " << first << " " << count;
            }
        }
        // Otherwise the comparison proves nothing.
        EXPECT_GT(runs, 0) << Stage;
    }

    std::unique_ptr<TiPlotDataCustomList> list;
    std::mt19937 random{11};
    double x = 0;
};

TEST_P(SummaryStrokes, EqualPointByPointStrokesThroughGrowthRingsDeletesAndEdits) {
    AddRandom(30000);
    ExpectSameStrokes("growing");
    std::uniform_int_distribution<int> index(0, list->Count() - 1);
    for (int k = 0; k < 200; ++k) {
        const int i = index(random);
        list->SetY(i, list->GetY(i) + 5 * (k % 3 - 1));
        if (GetParam() != ipdsCompactInterval) list->SetX(i, list->GetX(i) + k % 2);
    }
    ExpectSameStrokes("edited");
    list->DeletePoints(1000);
    ExpectSameStrokes("deleted");
    list->SetRingBufferSize(20000);
    AddRandom(45000);
    ExpectSameStrokes("wrapped ring");
    list->DeletePoints(333);
    ExpectSameStrokes("ring deleted");
    list->SetRingBufferSize(0);
    AddRandom(5000);
    ExpectSameStrokes("growing again");
}

INSTANTIATE_TEST_SUITE_P(AllStyles, SummaryStrokes,
                         testing::Values(ipdsStandard, ipdsCompact, ipdsCompactInterval,
                                         ipdsFullFeature));

// 8192 points falling into one column of a 10-pixel axis.
class SummaryInvalidation : public testing::Test {
protected:
    SummaryInvalidation() {
        for (int i = 0; i < Points; ++i)
            list.Add(i * 1e-5, i % 7);
    }
    // The column's stroke: its Y from minimum to maximum.
    std::pair<double, double> Stroke() {
        const Segments segments = Strokes(list, ipdsStandard, map, 0, list.Count(), true);
        EXPECT_EQ(segments.size(), 1u);
        if (segments.empty()) return {};
        return {std::get<1>(segments[0]), std::get<3>(segments[0])};
    }

    static constexpr int Points = 8192;
    TiPlotDataNullList list;
    TiPlotAxisMap map = MapOf(0, 10, 10);
};

TEST_F(SummaryInvalidation, EditedNulledAndOverwrittenPointsShowAtOnce) {
    EXPECT_EQ(Stroke(), std::make_pair(0.0, 6.0));
    list.SetY(5000, 40);
    EXPECT_EQ(Stroke(), std::make_pair(0.0, 40.0));
    list.SetY(5000, 1);
    list.SetY(100, -3);
    EXPECT_EQ(Stroke(), std::make_pair(-3.0, 6.0));
    // A point moved to another column splits the stroke.
    list.SetX(6000, 5);
    EXPECT_GT(Strokes(list, ipdsStandard, map, 0, list.Count(), true).size(), 1u);
    list.SetX(6000, 0.06);
    list.SetNull(4000, true);
    EXPECT_EQ(Strokes(list, ipdsStandard, map, 0, list.Count(), true).size(), 2u);
    list.SetNull(4000, false);
    list.SetY(100, 0);
    // A ring overwriting its oldest points: the new extremes count, the dropped ones do not.
    list.SetRingBufferSize(Points);
    for (int i = 0; i < Points; ++i)
        list.Add(0.1 + i * 1e-6, i < 4096 ? 10 : 20);
    EXPECT_EQ(Stroke(), std::make_pair(10.0, 20.0));
    list.DeletePoints(4096);
    // What is left is flat: no stroke.
    EXPECT_TRUE(Strokes(list, ipdsStandard, map, 0, list.Count(), true).empty());
}

TEST(DataListSummaries, TakeLessThanOneBytePerPoint) {
    for (TiPlotDataStyle style : {ipdsStandard, ipdsCompact, ipdsCompactInterval}) {
        std::unique_ptr<TiPlotDataCustomList> list = TiPlotDataCustomList::Create(style);
        for (int i = 0; i < 1000000; ++i) {
            list->Add(i, i);
            if (i < 100 || i % 9973 == 0) {
                EXPECT_LE(list->SummaryMemoryUsed(), std::size_t(list->Capacity())) << i;
            }
        }
        // 56 bytes per block of 4096, 512 and 64 points: 0.998 bytes per slot, whole blocks only.
        EXPECT_LE(list->SummaryMemoryUsed(), std::size_t(list->Capacity()) * 999 / 1000);
        list->SetRingBufferSize(3);
        EXPECT_EQ(list->SummaryMemoryUsed(), 0u);
        list->SetRingBufferSize(1 << 20);
        EXPECT_LE(list->SummaryMemoryUsed(), std::size_t(1 << 20) * 999 / 1000);
        list->Clear();
        list->SetRingBufferSize(0);
        list->Clear();
        EXPECT_EQ(list->SummaryMemoryUsed(), 0u);
    }
}

} // namespace
