// Any bytes as a channel data file or log appended to a channel; what loaded saves as a
// channel file and loads again, clearing first, the same.
#include "FuzzApplication.h"
#include "FuzzPlot.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TiPlotChannel& channel = FuzzChannel(1);
    FuzzLoadSaveReload(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
        [&](const QString& input) { channel.LoadDataFromFile(input, false); },
        [&](const QString& saved) { channel.SaveDataToFile(saved); },
        [&](const QString& saved) {
            FuzzResetPlot();
            channel.LoadDataFromFile(saved, true);
        });
    return 0;
}
