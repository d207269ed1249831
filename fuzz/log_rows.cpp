// Any bytes as the rows of a plot log of three channels, after its header; what loaded saves
// as a data file and loads again the same.
#include "FuzzApplication.h"
#include "FuzzPlot.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TiPlot& plot = FuzzPlot();
    const QByteArray header("(X)\tA(Y)\tB(Y)\tC(Y)\r\n");
    FuzzLoadSaveReload(
        header + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
        [&](const QString& input) { plot.LoadDataFromFile(input); },
        [&](const QString& saved) { plot.SaveDataToFile(saved); },
        [&](const QString& saved) { plot.LoadDataFromFile(saved); });
    return 0;
}
