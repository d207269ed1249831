// Any bytes as a stored image list of the plot: the read either succeeds or raises the
// toolkit's exception and leaves the list empty. A list that was read must write, and what it
// wrote must read back into the same pictures and masks.
#include "FuzzApplication.h"
#include "platform/Exception.h"
#include "plot/iPlotImageList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool SameLists(const TiPlotImageList& a, const TiPlotImageList& b) {
    if (a.ImageSize() != b.ImageSize() || a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
        if (a.Picture(i) != b.Picture(i) || a.Mask(i) != b.Mask(i)) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TiPlotImageList list;
    try {
        list.ReadFromStream(bytes);
    } catch (const Exception&) {
        if (list.Count() != 0) Fail("a failed read left pictures in the list");
        return 0;
    }
    TiPlotImageList again;
    try {
        again.ReadFromStream(list.WriteToStream());
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Fail("a list that was read does not write and read back");
    }
    if (!SameLists(list, again)) Fail("a written list reads back other pictures");
    return 0;
}
