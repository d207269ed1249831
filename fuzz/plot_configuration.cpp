// Any bytes as a plot configuration file (see FuzzPlotFile.h).
#include "FuzzPlotFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunPlotFileInput<TiPlot>(
        data, size,
        [](TiPlotComponent& plot, const QString& file) { plot.LoadPropertiesFromFile(file); },
        [](TiPlotComponent& plot, const QString& file) { plot.SavePropertiesToFile(file); },
        fuzz::PlotState::Whole);
}
