// A channel's fast trace against a widely used Qt plotting widget's graph: the same points
// drawn into the same 1000 x 500 image, the whole recording in view or only its newest
// thousand points; and how fast a channel takes points through AddXY.
#include "BenchReporter.h"
#include "platform/Bitmap.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"
#include "tests/plot/objects/PlotTestHost.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <qcustomplot.h>
#include <string>
#include <vector>

namespace {

using K = TiPlotObjectKind;
constexpr int Width = 1000;
constexpr int Height = 500;
constexpr int ScrolledPoints = 1000;

// A slow wave with noise, so that every pixel column holds a stroke of some height.
class Recording {
public:
    explicit Recording(int count) : y_(count) {
        uint32_t state = 12345;
        for (int i = 0; i < count; ++i) {
            state = state * 1664525u + 1013904223u;
            y_[i] = std::sin(i * 6.283185307179586 / count * 3) + (state >> 8) * 0x1p-24 - 0.5;
        }
    }
    int Count() const { return int(y_.size()); }
    double X(int i) const { return i; }
    double Y(int i) const { return y_[i]; }

private:
    std::vector<double> y_;
};

// The points Count - Shown .. Count - 1 in view, or all of them when Shown is 0.
struct View {
    double Min;
    double Span;
};
View ViewOf(int count, int shown) {
    if (shown == 0) return {0, double(count - 1)};
    return {double(count - shown), double(shown - 1)};
}

// One X axis, one Y axis and one channel of the plot's own classes, laid out on the image.
class ChannelScene {
public:
    ChannelScene() {
        host_.SetMasterManager(master_.get());
        master_->Add(K::XAxis);
        master_->Add(K::YAxis);
        master_->Add(K::Channel);
        bitmap_.SetSize(Width, Height);
    }
    ~ChannelScene() { host_.SetMasterManager(nullptr); }

    TiPlotAxis& X() const { return *qobject_cast<TiPlotAxis*>(master_->Get(K::XAxis, 0)); }
    TiPlotAxis& Y() const { return *qobject_cast<TiPlotAxis*>(master_->Get(K::YAxis, 0)); }
    TiPlotChannel& Channel() const {
        return *qobject_cast<TiPlotChannel*>(master_->Get(K::Channel, 0));
    }

    // The points First.. of the recording, shown as the view says, without tracking.
    void Hold(const Recording& recording, int first, View view) {
        Channel().SetXAxisTrackingEnabled(false);
        Channel().SetYAxisTrackingEnabled(false);
        Channel().SetCount(recording.Count() - first);
        for (int i = first; i < recording.Count(); ++i)
            Channel().AddXY(recording.X(i), recording.Y(i));
        X().SetMinSpan(view.Min, view.Span);
        Y().SetMinSpan(-1.6, 3.2);
        Place(X(), {0, Height, Width, Height + 40});
        Place(Y(), {-40, 0, 0, Height});
    }

    void Render() {
        TCanvas& canvas = *bitmap_.Canvas();
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clBlack);
        canvas.FillRect({0, 0, Width, Height});
        Channel().DrawSetup(canvas);
        Channel().Draw(canvas, clBlack);
        benchmark::DoNotOptimize(bitmap_.PaintingImage().constBits());
    }

private:
    // The draw rectangle a layout pass would give, then the pass's measuring.
    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(*bitmap_.Canvas());
        axis.CalcTicks(*bitmap_.Canvas());
    }

    TestPlotHost host_;
    std::unique_ptr<TiPlotMasterManager> master_ = std::make_unique<TiPlotMasterManager>(&host_);
    TBitmap bitmap_;
};

// The other widget drawing only its graph over the whole image, without antialiasing as the
// channel draws, with its adaptive sampling on as by default.
class GraphScene {
public:
    GraphScene(const Recording& recording, int first, View view) {
        plot_.resize(Width, Height);
        plot_.axisRect()->setAutoMargins(QCP::msNone);
        plot_.axisRect()->setMargins(QMargins(0, 0, 0, 0));
        for (QCPAxis* axis : {plot_.xAxis, plot_.yAxis}) {
            axis->setVisible(false);
            axis->grid()->setVisible(false);
        }
        plot_.setNotAntialiasedElements(QCP::aeAll);
        plot_.setBackground(Qt::black);
        QCPGraph* graph = plot_.addGraph();
        graph->setPen(QPen(Qt::red));
        QVector<double> keys, values;
        keys.reserve(recording.Count() - first);
        values.reserve(recording.Count() - first);
        for (int i = first; i < recording.Count(); ++i) {
            keys.push_back(recording.X(i));
            values.push_back(recording.Y(i));
        }
        graph->setData(keys, values, true);
        plot_.xAxis->setRange(view.Min, view.Min + view.Span);
        plot_.yAxis->setRange(-1.6, 1.6);
    }

    void Render() {
        QCPPainter painter(&image_);
        plot_.toPainter(&painter, Width, Height);
        painter.end();
        benchmark::DoNotOptimize(image_.constBits());
    }

private:
    QCustomPlot plot_;
    QImage image_{Width, Height, QImage::Format_ARGB32_Premultiplied};
};

// Shown 0 is the full view; Held below the recording's count keeps only its newest points.
void RenderChannel(benchmark::State& state, int count, int shown, int held) {
    const Recording recording(count);
    ChannelScene scene;
    scene.Hold(recording, count - held, ViewOf(count, shown));
    for (auto _ : state)
        scene.Render();
}

void RenderGraph(benchmark::State& state, int count, int shown) {
    const Recording recording(count);
    GraphScene scene(recording, 0, ViewOf(count, shown));
    for (auto _ : state)
        scene.Render();
}

// Points arriving on a ring of a million with both axes tracking them (or, Tracking false,
// neither) and the change notice going to the plot, as a live recording feeds a channel.
void AddXY(benchmark::State& state, bool tracking) {
    constexpr int Points = 1 << 20;
    const Recording recording(1 << 16);
    ChannelScene scene;
    TiPlotChannel& channel = scene.Channel();
    channel.SetRingBufferSize(Points);
    channel.SetXAxisTrackingEnabled(tracking);
    channel.SetYAxisTrackingEnabled(tracking);
    int x = 0;
    for (auto _ : state) {
        for (int i = 0; i < Points; ++i, ++x)
            channel.AddXY(x, recording.Y(i & 0xFFFF));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Points);
}

struct Case {
    std::string Name;
    int Count;
    int Shown;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::vector<Case> cases{{"Render/FullView/1e5", 100000, 0},
                                  {"Render/FullView/1e6", 1000000, 0},
                                  {"Render/FullView/1e7", 10000000, 0},
                                  {"Render/Scrolled/1e7", 10000000, ScrolledPoints}};
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((c.Name + "/Channel").c_str(), RenderChannel, c.Count, c.Shown,
                                     c.Count)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((c.Name + "/QCPGraph").c_str(), RenderGraph, c.Count, c.Shown)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Render/Held/1e3/Channel", RenderChannel, 10000000, ScrolledPoints,
                                 ScrolledPoints)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AddXY/Channel", AddXY, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AddXY/Channel/WithoutTracking", AddXY, false)
        ->Unit(benchmark::kMillisecond);
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Case& c : cases)
        reporter.PrintTimeComparison(c.Name, c.Name + "/Channel", c.Name + "/QCPGraph");
    reporter.PrintTimeComparison("Render/Scrolled/1e7 against 1e3 held", "Render/Held/1e3/Channel",
                                 "Render/Scrolled/1e7/Channel");
    reporter.PrintRate("AddXY/Channel");
    reporter.PrintRate("AddXY/Channel/WithoutTracking");
    benchmark::Shutdown();
    return 0;
}
