// The costs behind loading a plot configuration: saving and loading the default strip chart's
// file (with and without every property stored), and creating and removing a hundred channels.
#include "BenchReporter.h"
#include "plot/iPlot.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int ChannelCount = 100;

QString FilePath(const QTemporaryDir& directory) {
    return directory.filePath(QStringLiteral("plot.txt"));
}

void SaveConfiguration(benchmark::State& state) {
    const QTemporaryDir directory;
    TiPlot plot;
    plot.SetOptionSaveAllProperties(state.range(0) != 0);
    for (auto _ : state)
        plot.SavePropertiesToFile(FilePath(directory));
}

void LoadConfiguration(benchmark::State& state) {
    const QTemporaryDir directory;
    TiPlot plot;
    plot.SetOptionSaveAllProperties(state.range(0) != 0);
    plot.SavePropertiesToFile(FilePath(directory));
    for (auto _ : state)
        plot.LoadPropertiesFromFile(FilePath(directory));
}

void CreateAndRemoveChannels(benchmark::State& state) {
    TiPlot plot;
    for (auto _ : state) {
        for (int i = 0; i < ChannelCount; ++i)
            plot.AddChannel();
        plot.RemoveAllChannels();
    }
    state.SetItemsProcessed(state.iterations() * ChannelCount);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("Configuration/Save", SaveConfiguration)
        ->ArgName("all")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Configuration/Load", LoadConfiguration)
        ->ArgName("all")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Channels/CreateAndRemove/100", CreateAndRemoveChannels)
        ->Unit(benchmark::kMicrosecond);
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
