#include "../channels/ChannelTestAxis.h"
#include "platform/Bitmap.h"
#include "platform/RecordingCanvas.h"
#include "plot/channels/iXYPlotChannel.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace {

using K = TiPlotObjectKind;

// X and Y both -1..1 over the pixels 0..200 (Y from the bottom up).
class XYPlotChannelTest : public testing::Test {
protected:
    void SetUp() override {
        TiPlotMasterManager& master = *plot.Master;
        master.RegisterObjectClass(K::XAxis, PlotObjectClassOf<ChannelTestXAxis>());
        master.RegisterObjectClass(K::YAxis, PlotObjectClassOf<ChannelTestYAxis>());
        TiXYPlotChannel::RegisterWith(master);
        master.Add(K::XAxis);
        master.Add(K::YAxis);
        Axis(K::XAxis)->Set(-1, 2, 0, 200, true);
        Axis(K::YAxis)->Set(-1, 2, 0, 200, false);
        channel = qobject_cast<TiXYPlotChannel*>(master.Get(K::Channel, master.Add(K::Channel)));
    }

    ChannelTestAxis* Axis(K kind) const {
        return qobject_cast<ChannelTestAxis*>(plot.Master->Get(kind, 0));
    }
    void Draw() {
        channel->DrawSetup(canvas);
        channel->Draw(canvas, clBlack);
    }
    std::vector<std::pair<TPoint, TPoint>> Segments() const {
        std::vector<std::pair<TPoint, TPoint>> segments;
        for (const TCanvasRecord& record : canvas.RecordsOf(TCanvasOperation::Polyline))
            segments.emplace_back(record.Points[0], record.Points[1]);
        return segments;
    }

    TestPlot plot;
    TiXYPlotChannel* channel = nullptr;
    TRecordingCanvas canvas{{200, 200}};
};

// A map of Min..Min + Span over the pixels Low..High, and a cursor scaler.
class CursorAxis : public TiPlotChannelAxis {
public:
    CursorAxis(double Min, double Span, int Low, int High, bool Horizontal) {
        range_.SetMinSpan(Min, Span);
        map_ = TiPlotAxisMap(range_, {Low, High, Horizontal});
    }
    const TiPlotAxisMap& ChannelAxisMap() const override { return map_; }
    double ChannelAxisMin() const override { return range_.Min(); }
    double ChannelAxisSpan() const override { return range_.Span(); }
    void NewTrackingData(double) override {}
    QString GetCursorText(double Value) override { return QString::number(Value); }
    QString GetCursorValueText(double Value) const override { return QString::number(Value); }
    double CursorScaler() const override { return Scaler; }

    double Scaler = 1;

private:
    TiPlotAxisRange range_;
    TiPlotAxisMap map_;
};

} // namespace

TEST_F(XYPlotChannelTest, PointsInAddedOrderCloseATriangle) {
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {1.0, 1.0}, {1.0, -1.0}, {0.0, 0.0}})
        channel->AddXY(x, y);
    Draw();
    const auto segments = Segments();
    // Each segment runs from its left end.
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0], (std::pair{TPoint{100, 100}, TPoint{200, 0}}));
    EXPECT_EQ(segments[1], (std::pair{TPoint{200, 0}, TPoint{200, 200}}));
    EXPECT_EQ(segments[2], (std::pair{TPoint{100, 100}, TPoint{200, 200}}));
}

TEST_F(XYPlotChannelTest, NullBreaksTheTraceAndEmptyIsBridged) {
    channel->AddXY(0.5, 0.5);
    channel->AddXY(1, 1);
    channel->AddNull();
    channel->AddXY(1, -1);
    channel->AddEmpty();
    channel->AddXY(0.5, -0.5);
    Draw();
    // (1, 1) to (1, -1) is broken by the Null; (1, -1) to (0.5, -0.5) bridges the Empty.
    EXPECT_EQ(Segments().size(), 2u);
    EXPECT_TRUE(channel->GetDataNull(2));
    EXPECT_TRUE(channel->GetDataEmpty(4));
    EXPECT_EQ(channel->GetDataX(4), 0);
    // Neither was tracked nor counted.
    EXPECT_EQ(channel->Statistics().Count, 4);
    EXPECT_EQ(Axis(K::XAxis)->Tracked, (std::vector<double>{0.5, 1, 1, 0.5}));
}

TEST_F(XYPlotChannelTest, ExtentsLeaveOutNullEmptyAndNonFinitePoints) {
    channel->AddXY(0.5, 0.5);
    channel->AddNull();
    channel->AddEmpty();
    channel->AddXY(std::nan(""), 9);
    channel->AddXY(0.8, -0.25);
    EXPECT_EQ(channel->GetVisibleMinX(), 0.5);
    EXPECT_EQ(channel->GetVisibleMaxX(), 0.8);
    EXPECT_EQ(channel->GetVisibleMinY(), -0.25);
    EXPECT_EQ(channel->GetVisibleMaxY(), 0.5);
    EXPECT_EQ(channel->VisibleExtents(K::YAxis).Min, -0.25);
    channel->SetVisible(false);
    EXPECT_EQ(channel->GetVisibleMaxX(), -1e300);
    EXPECT_EQ(channel->GetVisibleMinY(), 1e300);
}

TEST_F(XYPlotChannelTest, VisibleRangeIsEveryPoint) {
    channel->DrawSetup(canvas);
    EXPECT_FALSE(channel->DrawSetupDone());
    EXPECT_EQ(channel->CalcStopXIndex(), -1);
    for (int i = 0; i < 5; ++i)
        channel->AddXY(5 - i, i);
    channel->DrawSetup(canvas);
    EXPECT_TRUE(channel->DrawSetupDone());
    EXPECT_EQ(channel->StartIndex(), 0);
    EXPECT_EQ(channel->StopIndex(), 4);
}

TEST_F(XYPlotChannelTest, MarkersTurnOffOverTheWholeDataSet) {
    channel->SetMarkersVisible(true);
    channel->SetMarkersTurnOffLimit(40);
    for (int i = 0; i < 50; ++i)
        channel->AddXY(i < 5 ? i * 0.1 : 50, 0);
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 0);
    channel->SetMarkersTurnOffLimit(0);
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 5);
}

// Points a pixel apart overlap without being equal, so only exact repeats may be skipped.
TEST_F(XYPlotChannelTest, MarkersRepeatedOnOnePixelDrawOnceAndLookTheSame) {
    channel->SetMarkersVisible(true);
    channel->SetTraceVisible(false);
    const std::vector<std::pair<double, double>> distinct{
        {0, 0}, {0.01, 0}, {0.5, 0.5}, {0.51, 0.5}, {-0.5, -0.25}};
    const auto paint = [&] {
        TBitmap bitmap;
        bitmap.SetSize(200, 200);
        channel->DrawSetup(*bitmap.Canvas());
        channel->Draw(*bitmap.Canvas(), clBlack);
        return bitmap.Image();
    };
    for (const auto& [x, y] : distinct)
        channel->AddXY(x, y);
    const QImage once = paint();
    for (int round = 0; round < 50; ++round)
        for (const auto& [x, y] : distinct)
            channel->AddXY(x, y);
    EXPECT_EQ(paint(), once);
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), int(distinct.size()));
}

// Kept markers go to the canvas in batches: more distinct positions than one batch holds are
// all drawn, each once.
TEST_F(XYPlotChannelTest, ManyKeptMarkersAreAllDrawnOnce) {
    channel->SetMarkersVisible(true);
    channel->SetTraceVisible(false);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 600; ++i)
            channel->AddXY(-0.95 + i % 30 * 0.06, -0.95 + i / 30 * 0.09);
    Draw();
    std::set<std::pair<int, int>> corners;
    for (const TCanvasRecord& record : canvas.RecordsOf(TCanvasOperation::Ellipse))
        corners.emplace(record.Rect.Left, record.Rect.Top);
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 600);
    EXPECT_EQ(corners.size(), 600u);
}

// The markers kept from earlier paints are those a first paint of the same points draws, in
// the same order: after appends, a changed point, a moved axis, a cleared list and a ring.
TEST_F(XYPlotChannelTest, MarkersKeptBetweenPaintsMatchAFirstPaint) {
    TiPlotMasterManager& master = *plot.Master;
    const auto ellipses = [&](TiXYPlotChannel& c) {
        canvas.Clear();
        c.DrawSetup(canvas);
        c.Draw(canvas, clBlack);
        std::vector<TRect> rects;
        for (const TCanvasRecord& record : canvas.RecordsOf(TCanvasOperation::Ellipse))
            rects.push_back(record.Rect);
        return rects;
    };
    const auto firstPaint = [&] {
        const int index = master.Add(K::Channel);
        auto* other = qobject_cast<TiXYPlotChannel*>(master.Get(K::Channel, index));
        other->SetMarkersVisible(true);
        other->SetTraceVisible(false);
        for (int i = 0; i < channel->GetCount(); ++i)
            other->AddXY(channel->GetDataX(i), channel->GetDataY(i));
        const std::vector<TRect> rects = ellipses(*other);
        master.Delete(K::Channel, index);
        return rects;
    };
    channel->SetMarkersVisible(true);
    channel->SetTraceVisible(false);
    const auto add = [&](int count, int seed) {
        for (int i = 0; i < count; ++i)
            channel->AddXY(std::sin(seed + i * 1.7) * 0.9, std::cos(seed * 3 + i * 0.37) * 0.9);
    };
    add(40, 1);
    EXPECT_EQ(ellipses(*channel), firstPaint());
    add(40, 2);
    EXPECT_EQ(ellipses(*channel), firstPaint());
    channel->SetDataY(3, 0.95);
    channel->SetDataX(0, -0.95);
    EXPECT_EQ(ellipses(*channel), firstPaint());
    ellipses(*channel);
    Axis(K::YAxis)->Set(-2, 4, 0, 200, false);
    const std::vector<TRect> moved = ellipses(*channel);
    EXPECT_EQ(moved, firstPaint());
    Axis(K::YAxis)->Set(-1, 2, 0, 200, false);
    channel->Clear();
    add(90, 3);
    EXPECT_EQ(ellipses(*channel), firstPaint());
    channel->SetRingBufferSize(50);
    ellipses(*channel);
    add(7, 4);
    EXPECT_EQ(ellipses(*channel), firstPaint());
}

// Where a repeat would show (an outline over another marker's fill, markers that may differ
// per point, an inverting pen), every marker is drawn.
TEST_F(XYPlotChannelTest, MarkersThatMayShowARepeatAreAllDrawn) {
    channel->SetMarkersVisible(true);
    channel->SetTraceVisible(false);
    for (int i = 0; i < 4; ++i)
        channel->AddXY(i % 2 * 0.05, 0);
    channel->SetMarkersPenUseChannelColor(false);
    channel->SetMarkersPenColor(clBlack);
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 4);
    channel->SetMarkersPenUseChannelColor(true);
    channel->SetMarkersAllowIndividual(true);
    canvas.Clear();
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 4);
    channel->SetMarkersAllowIndividual(false);
    canvas.Pen()->SetMode(pmXor);
    canvas.Clear();
    Draw();
    EXPECT_EQ(canvas.Count(TCanvasOperation::Ellipse), 4);
}

TEST(XYPlotDataCursor, ValuesFollowTheStyleNotTheData) {
    // X: pixel p is p / 10; Y: pixel p is (500 - p) / 5. Pointer 1 at 200, pointer 2 at 300.
    CursorAxis x(0, 100, 0, 1000, true);
    CursorAxis y(0, 100, 0, 500, false);
    const auto values = [&](TiPlotDataCursorStyle style) {
        const TiPlotValuePoint v = XYDataCursorValues(style, 200, 300, &x, &y);
        return std::pair{v.X, v.Y};
    };
    EXPECT_EQ(values(ipcsValueXY), (std::pair{20.0, 40.0}));
    EXPECT_EQ(values(ipcsValueX), (std::pair{20.0, 0.0}));
    EXPECT_EQ(values(ipcsValueY), (std::pair{0.0, 40.0}));
    EXPECT_EQ(values(ipcsDeltaX), (std::pair{10.0, 0.0}));
    EXPECT_EQ(values(ipcsDeltaY), (std::pair{0.0, 20.0}));
    x.Scaler = 2;
    EXPECT_DOUBLE_EQ(values(ipcsInverseDeltaX).first, 0.05);
    EXPECT_EQ(XYDataCursorValues(ipcsInverseDeltaX, 200, 200, &x, &y).X,
              std::numeric_limits<double>::infinity());
    x.Scaler = 0;
    EXPECT_EQ(values(ipcsInverseDeltaX).first, std::numeric_limits<double>::infinity());
    const TiPlotValuePoint missing = XYDataCursorValues(ipcsValueXY, 200, 300, &x, nullptr);
    EXPECT_EQ(std::pair(missing.X, missing.Y), (std::pair{0.0, 0.0}));
}

TEST_F(XYPlotChannelTest, CursorTextsComeFromTheAxes) {
    QString text;
    channel->DataCursorValues(ipcsInverseDeltaX, 100, 100, text);
    EXPECT_EQ(text, "Infinite");
    channel->DataCursorValues(ipcsValueXY, 0, 200, text);
    EXPECT_EQ(text, "c-1, c-1");
    EXPECT_EQ(channel->DataCursorYText(), "c-1");
    EXPECT_EQ(channel->DataCursorStatus(), ipdpsValid);
    plot.Master->Delete(K::XAxis, 0);
    EXPECT_EQ(channel->GetDataCursorDisplayText(ipcsValueXY, 1, 2, ipdpsValid), "No X-Axis");
}
