// Any bytes as a translation file (see FuzzPlotFile.h).
#include "FuzzPlotFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunPlotFileInput<TiPlotComponent>(
        data, size,
        [](TiPlotComponent& plot, const QString& file) { plot.LoadTranslationsFromFile(file); },
        [](TiPlotComponent& plot, const QString& file) { plot.SaveTranslationsToFile(file); },
        fuzz::PlotState::Collections);
}
