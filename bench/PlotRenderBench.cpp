// Whole repaints through the control's real paint route: the default plot with two channels of
// a million points against a widely used Qt plotting widget showing the same data, and the
// demonstrator's two plots after a simulated minute and a simulated hour of its timer cycle.
#include "BenchReporter.h"
#include "app/Form1.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iXYPlot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QSize>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <qcustomplot.h>
#include <string>
#include <vector>

namespace {

// Two channels of a million points, a thousand seconds of them, in a 1000 x 500 image.
constexpr int PointCount = 1000000;
constexpr double PointInterval = 0.001;
constexpr QSize PlotSize(1000, 500);

// At the window's 50 ms cycle.
constexpr int MinuteTicks = 1200;
constexpr int HourTicks = 72000;
// The user clicks another QPSK symbol now and then, so the hour's points spread over all four.
constexpr int TicksPerSymbol = 600;
constexpr int QpskSymbolCount = 4;

// The two traces both contenders show: a carrier and a slower one of another amplitude.
double Carrier(int i) {
    return std::sin(i * 0.01);
}
double Slow(int i) {
    return 0.5 * std::sin(i * 0.0007) + 0.1 * std::sin(i * 0.05);
}

QImage PlotImage() {
    QImage image(PlotSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The default plot (toolbar, legend, axes, data view, cursor, title) with a second channel.
class WholePlot {
public:
    WholePlot() {
        plot_.resize(PlotSize);
        plot_.SetTitleText(QStringLiteral("Two channels"));
        plot_.AddChannel();
        for (int c = 0; c < 2; ++c)
            plot_.GetChannel(c)->SetFastDrawEnabled(true);
        // One batch, as a bulk load would be: the repaints are measured, not the appends.
        plot_.BeginUpdate();
        for (int i = 0; i < PointCount; ++i) {
            plot_.GetChannel(0)->AddXY(i * PointInterval, Carrier(i));
            plot_.GetChannel(1)->AddXY(i * PointInterval, Slow(i));
        }
        plot_.EndUpdate();
        TiPlotAxis* x = plot_.GetXAxis(0);
        x->SetTrackingEnabled(false);
        x->SetMin(0);
        x->SetSpan(PointCount * PointInterval);
        TiPlotAxis* y = plot_.GetYAxis(0);
        y->SetTrackingEnabled(false);
        y->SetMin(-1.2);
        y->SetSpan(2.4);
    }
    void Repaint() { plot_.render(&image_); }

private:
    TiPlot plot_;
    QImage image_ = PlotImage();
};

class WholeCustomPlot {
public:
    WholeCustomPlot() {
        plot_.resize(PlotSize);
        // Our plot draws without antialiasing, so the other draws the same aliased pixels.
        plot_.setNotAntialiasedElements(QCP::aeAll);
        plot_.plotLayout()->insertRow(0);
        plot_.plotLayout()->addElement(0, 0,
                                       new QCPTextElement(&plot_, QStringLiteral("Two channels")));
        plot_.legend->setVisible(true);
        QVector<double> keys(PointCount), carrier(PointCount), slow(PointCount);
        for (int i = 0; i < PointCount; ++i) {
            keys[i] = i * PointInterval;
            carrier[i] = Carrier(i);
            slow[i] = Slow(i);
        }
        plot_.addGraph()->setData(keys, carrier, true);
        plot_.addGraph()->setData(keys, slow, true);
        plot_.graph(1)->setPen(QPen(Qt::blue));
        plot_.xAxis->setRange(0, PointCount * PointInterval);
        plot_.yAxis->setRange(-1.2, 1.2);
    }
    // The widget's own repaint: every layer drawn into its buffers, then shown.
    void Repaint() {
        plot_.replot(QCustomPlot::rpImmediateRefresh);
        plot_.render(&image_);
    }

private:
    QCustomPlot plot_;
    QImage image_ = PlotImage();
};

// Made once, as the benchmark library calls a benchmark several times while it sizes the run,
// and dropped before the application ends.
template <class Subject> std::unique_ptr<Subject>& Kept() {
    static std::unique_ptr<Subject> subject;
    return subject;
}
template <class Subject> Subject& Made() {
    std::unique_ptr<Subject>& subject = Kept<Subject>();
    if (!subject) subject = std::make_unique<Subject>();
    return *subject;
}

template <class Plot> void RenderWholePlot(benchmark::State& state) {
    Plot& plot = Made<Plot>();
    plot.Repaint();
    for (auto _ : state)
        plot.Repaint();
}

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The demonstrator's window with its timer stopped, QPSK and noise at full level on, its
// cycle run by hand.
class Demonstrator {
public:
    Demonstrator() {
        form_.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        form_.findChild<QAbstractButton*>(QStringLiteral("QPSK"))->setChecked(true);
        form_.findChild<QAbstractButton*>(QStringLiteral("CheckBox1"))->setChecked(true);
        form_.findChild<QObject*>(QStringLiteral("iSlider1"))->setProperty("Position", 30.0);
        stripChart_ = form_.findChild<TiPlot*>(QStringLiteral("iPlot1"));
        constellation_ = form_.findChild<TiXYPlot*>(QStringLiteral("iXYPlot1"));
        stripImage_ = QImage(stripChart_->size(), QImage::Format_ARGB32_Premultiplied);
        constellationImage_ = QImage(constellation_->size(), QImage::Format_ARGB32_Premultiplied);
    }
    void RunTo(int ticks) {
        for (; ticks_ < ticks; ++ticks_) {
            if (ticks_ % TicksPerSymbol == 0)
                form_.clavier(nullptr, 1 + ticks_ / TicksPerSymbol % QpskSymbolCount, QChar());
            form_.update();
        }
    }
    void Repaint() {
        stripChart_->render(&stripImage_);
        constellation_->render(&constellationImage_);
    }
    int Points() const { return PointsOf(*stripChart_) + PointsOf(*constellation_); }
    // What the channels' lists hold, reserve and block summaries included.
    size_t ListBytes() const { return BytesOf(*stripChart_) + BytesOf(*constellation_); }
    // What the points' records need, without reserve.
    size_t RecordBytes() const { return RecordsOf(*stripChart_) + RecordsOf(*constellation_); }

private:
    template <class F> static size_t SumChannels(const TiPlotComponent& plot, F&& of) {
        size_t sum = 0;
        for (int c = 0; c < plot.ChannelCount(); ++c)
            sum += size_t(of(*plot.GetChannelCustom(c)));
        return sum;
    }
    static int PointsOf(const TiPlotComponent& plot) {
        return int(SumChannels(plot, [](const TiPlotChannelCustom& c) { return c.GetCount(); }));
    }
    // The block summaries count with the records: they are part of how the points are stored
    // (at most about half a byte per point), so the heap may grow by them too.
    static size_t BytesOf(const TiPlotComponent& plot) {
        return SumChannels(plot, [](const TiPlotChannelCustom& c) {
            return size_t(c.GetMemoryUsed()) + c.GetSummaryMemoryUsed();
        });
    }
    static size_t RecordsOf(const TiPlotComponent& plot) {
        return SumChannels(plot, [](const TiPlotChannelCustom& c) {
            return size_t(c.GetCount()) * size_t(c.GetMemoryUsed() / std::max(1, c.GetCapacity()));
        });
    }

    TForm1 form_;
    TiPlot* stripChart_ = nullptr;
    TiXYPlot* constellation_ = nullptr;
    QImage stripImage_;
    QImage constellationImage_;
    int ticks_ = 0;
};

// The same window measured after a minute and after an hour, with what its heap and lists
// held at each.
struct HourOverMinute {
    double MinuteMs = 0, HourMs = 0;
    int MinutePoints = 0, HourPoints = 0;
    size_t MinuteListBytes = 0, HourListBytes = 0;
    size_t MinuteRecordBytes = 0, HourRecordBytes = 0;
    size_t MinuteHeap = 0, HourHeap = 0;
};
HourOverMinute figures;

void Snapshot(Demonstrator& demonstrator, int& points, size_t& listBytes, size_t& recordBytes,
              size_t& heap) {
    demonstrator.Repaint();
    points = demonstrator.Points();
    listBytes = demonstrator.ListBytes();
    recordBytes = demonstrator.RecordBytes();
    heap = HeapInUse();
}

void DemonstratorRepaint(benchmark::State& state) {
    const int ticks = int(state.range(0));
    Demonstrator* demonstrator = &Made<Demonstrator>();
    demonstrator->RunTo(ticks);
    HourOverMinute& f = figures;
    if (ticks == MinuteTicks)
        Snapshot(*demonstrator, f.MinutePoints, f.MinuteListBytes, f.MinuteRecordBytes,
                 f.MinuteHeap);
    else
        Snapshot(*demonstrator, f.HourPoints, f.HourListBytes, f.HourRecordBytes, f.HourHeap);
    for (auto _ : state)
        demonstrator->Repaint();
    state.counters["points"] = demonstrator->Points();
    state.counters["list_bytes_per_point"] =
        double(demonstrator->ListBytes()) / std::max(1, demonstrator->Points());
}

// What the allocator's own bookkeeping may move between two readings of the heap.
constexpr double AllocatorSlack = 65536;

void PrintHourOverMinute(const BenchReporter& reporter) {
    // Ratio hour / minute: the minute stands where the other widget stands in the comparisons.
    if (!reporter.PrintTimeComparison("Demonstrator/HourOverMinute",
                                      "Demonstrator/Repaint/ticks:1200",
                                      "Demonstrator/Repaint/ticks:72000"))
        return;
    const HourOverMinute& f = figures;
    const auto perPoint = [](size_t bytes, int points) { return double(bytes) / points; };
    std::printf("Demonstrator/Memory: minute %d points, lists %.1f bytes/point; hour %d points, "
                "lists %.1f bytes/point\n",
                f.MinutePoints, perPoint(f.MinuteListBytes, f.MinutePoints), f.HourPoints,
                perPoint(f.HourListBytes, f.HourPoints));
    const double records = double(f.HourRecordBytes) - double(f.MinuteRecordBytes);
    const double lists = double(f.HourListBytes) - double(f.MinuteListBytes);
    const double heap = double(f.HourHeap) - double(f.MinuteHeap);
    std::printf("Demonstrator/MemoryGrowth: records %.0f bytes; lists %.0f bytes; heap %.0f bytes; "
                "heap beyond the lists %.0f bytes; %s\n",
                records, lists, heap, heap - lists,
                heap <= lists + AllocatorSlack ? "heap grows only with the lists"
                                               : "heap grows BEYOND the lists");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Two seconds each: shorter runs of these millisecond repaints move by a tenth between
    // runs on a shared machine.
    benchmark::RegisterBenchmark("Render/WholePlot/1e6/TiPlot", RenderWholePlot<WholePlot>)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2);
    benchmark::RegisterBenchmark("Render/WholePlot/1e6/QCustomPlot",
                                 RenderWholePlot<WholeCustomPlot>)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2);
    // In this order: the hour continues the minute's window.
    benchmark::RegisterBenchmark("Demonstrator/Repaint", DemonstratorRepaint)
        ->ArgName("ticks")
        ->Arg(MinuteTicks)
        ->Arg(HourTicks)
        ->Unit(benchmark::kMillisecond);
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTimeComparison("Render/WholePlot/1e6",
                                 "Render/WholePlot/1e6/TiPlot/min_time:2.000",
                                 "Render/WholePlot/1e6/QCustomPlot/min_time:2.000");
    PrintHourOverMinute(reporter);
    Kept<WholePlot>().reset();
    Kept<WholeCustomPlot>().reset();
    Kept<Demonstrator>().reset();
    benchmark::Shutdown();
    return 0;
}
