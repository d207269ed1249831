// Channel data lists against a widely used Qt plotting widget fed the same points: append
// throughput growing and as a ring, sequential reads, and memory per point.
#include "BenchReporter.h"
#include "plot/data/iDataNullList.h"
#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <qcustomplot.h>
#include <string>
#include <vector>

namespace {
constexpr int PointCount = 1000000;
constexpr int RingSize = 65536;

// Every contender appends exactly the same points: a 50 ms time base and a carrier from a
// table small enough to stay in cache, so that the input costs all of them the same little
// and the appends themselves are measured.
class Points {
public:
    Points() : carrier_(TableSize) {
        for (int i = 0; i < TableSize; ++i)
            carrier_[i] = std::sin(i * 0.05);
    }
    double X(int i) const { return i * 0.05; }
    double Y(int i) const { return carrier_[i & (TableSize - 1)]; }

private:
    static constexpr int TableSize = 4096;
    std::vector<double> carrier_;
};
const Points& Input() {
    static const Points points;
    return points;
}

template <class List> void AppendAll(List& list) {
    const Points& p = Input();
    for (int i = 0; i < PointCount; ++i)
        list.Add(p.X(i), p.Y(i));
}

void AppendAll(TiDataNullList& list) {
    const Points& p = Input();
    for (int i = 0; i < PointCount; ++i)
        list.Add(TDataNull{p.Y(i), 0});
}

template <class List> void AddGrowing(benchmark::State& state) {
    for (auto _ : state) {
        List list;
        AppendAll(list);
        benchmark::DoNotOptimize(list.Count());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
}

template <class List> void MakeRing(List& list, int size) {
    list.SetRingBufferSize(size);
}
void MakeRing(TiDataNullList& list, int size) {
    list.SetRingActive(true);
    list.SetCapacity(size);
}

template <class List> void AddRing(benchmark::State& state) {
    List list;
    MakeRing(list, RingSize);
    for (auto _ : state) {
        AppendAll(list);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
}

// A wrapped ring of every point, read oldest to newest as a trace walk would.
template <class List> void ReadRange(benchmark::State& state) {
    List list;
    list.SetRingBufferSize(PointCount);
    AppendAll(list);
    for (int i = 0; i < PointCount / 2; ++i)
        list.Add(i, i);
    for (auto _ : state) {
        double sum = 0;
        list.ForEachPoint(0, list.Count(), [&](double x, double y, bool empty, bool null) {
            if (!empty && !null) sum += x + y;
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
}

void ReadRangeVirtual(benchmark::State& state) {
    std::unique_ptr<TiPlotDataCustomList> list = TiPlotDataCustomList::Create(ipdsCompact);
    AppendAll(*list);
    for (auto _ : state) {
        double sum = 0, x, y;
        bool empty, null;
        for (int i = 0; i < list->Count(); ++i) {
            list->GetXYEmptyNull(i, x, y, empty, null);
            if (!empty && !null) sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
}

template <class List> void BytesPerPoint(benchmark::State& state) {
    double reserved = 0, grown = 0;
    for (auto _ : state) {
        List list;
        list.SetCapacity(PointCount);
        AppendAll(list);
        reserved = double(list.GetMemoryUsed()) / list.Count();
        List growing;
        AppendAll(growing);
        grown = double(growing.GetMemoryUsed()) / growing.Count();
    }
    state.counters["bytes_per_point"] = reserved;
    state.counters["grown_bytes_per_point"] = grown;
}

void GraphAddData(benchmark::State& state) {
    QCustomPlot plot;
    QCPGraph* graph = plot.addGraph();
    const Points& p = Input();
    for (auto _ : state) {
        state.PauseTiming();
        graph->setData(QSharedPointer<QCPGraphDataContainer>::create());
        state.ResumeTiming();
        for (int i = 0; i < PointCount; ++i)
            graph->addData(p.X(i), p.Y(i));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
    state.counters["bytes_per_point"] = sizeof(QCPGraphData);
}

void GraphAddDataVectors(benchmark::State& state) {
    QCustomPlot plot;
    QCPGraph* graph = plot.addGraph();
    const Points& p = Input();
    QVector<double> keys(PointCount), values(PointCount);
    for (int i = 0; i < PointCount; ++i) {
        keys[i] = p.X(i);
        values[i] = p.Y(i);
    }
    for (auto _ : state) {
        state.PauseTiming();
        graph->setData(QSharedPointer<QCPGraphDataContainer>::create());
        state.ResumeTiming();
        graph->addData(keys, values, true);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PointCount);
}

template <class List> void RegisterKind(const std::string& kind) {
    benchmark::RegisterBenchmark(("Add/Growing/" + kind).c_str(), AddGrowing<List>)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Add/Ring/" + kind).c_str(), AddRing<List>)
        ->Unit(benchmark::kMillisecond);
}

template <class List> void RegisterPlotKind(const std::string& kind) {
    RegisterKind<List>(kind);
    benchmark::RegisterBenchmark(("Read/ForEachPoint/" + kind).c_str(), ReadRange<List>)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Memory/" + kind).c_str(), BytesPerPoint<List>)->Iterations(1);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegisterPlotKind<TiPlotDataCompactList>("Compact");
    RegisterPlotKind<TiPlotDataCompactIntervalList>("CompactInterval");
    RegisterPlotKind<TiPlotDataNullList>("Standard");
    RegisterPlotKind<TiPlotDataFullList>("FullFeature");
    RegisterKind<TiDataNullList>("DataNull");
    benchmark::RegisterBenchmark("Read/GetXYEmptyNullVirtual/Compact", ReadRangeVirtual)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Add/Growing/QCPGraph-addData", GraphAddData)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Add/Growing/QCPGraph-addDataVectors", GraphAddDataVectors)
        ->Unit(benchmark::kMillisecond);
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRateComparison("Add/Growing/Compact", "Add/Growing/QCPGraph-addData");
    reporter.PrintRateComparison("Add/Ring/Compact", "Add/Growing/QCPGraph-addData");
    reporter.PrintRateComparison("Add/Growing/Compact", "Add/Growing/QCPGraph-addDataVectors");
    benchmark::Shutdown();
    return 0;
}
