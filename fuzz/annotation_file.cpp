// Any bytes as a annotation file (see FuzzPlotFile.h).
#include "FuzzPlotFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunPlotFileInput<TiPlotComponent>(
        data, size,
        [](TiPlotComponent& plot, const QString& file) { plot.LoadAnnotationsFromFile(file); },
        [](TiPlotComponent& plot, const QString& file) { plot.SaveAnnotationsToFile(file); },
        fuzz::PlotState::Collections);
}
