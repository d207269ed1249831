// Any bytes as a property file, loaded into an instrument with a property of every kind: the
// load either succeeds or raises the toolkit's exception and then changes nothing. A file that
// loaded must save and load again.
#include "FuzzApplication.h"
#include "FuzzInstrument.h"
#include "platform/PropertyWalker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void WriteFile(const QString& fileName, const uint8_t* data, size_t size) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

QStringList Texts(QObject* object) {
    QStringList texts;
    for (const PropertyDescriptor& property : PropertyWalker::StoredValues(object))
        texts << PropertyWalker::ReadText(property);
    return texts;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where the system offers it: a file system on disk would be most of the time.
    static QTemporaryDir directory(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    static const QString input = directory.filePath(QStringLiteral("input.txt"));
    static const QString saved = directory.filePath(QStringLiteral("saved.txt"));
    // Never destroyed, as the application it needs is not.
    static FuzzInstrument& instrument = *new FuzzInstrument;
    WriteFile(input, data, size);
    const QStringList before = Texts(&instrument);
    try {
        instrument.LoadPropertiesFromFile(input);
    } catch (const Exception&) {
        if (Texts(&instrument) != before) Fail("a failed load changed the instrument");
        return 0;
    }
    const QStringList loaded = Texts(&instrument);
    try {
        instrument.SavePropertiesToFile(saved);
        instrument.LoadPropertiesFromFile(saved);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Fail("a saved file does not load");
    }
    if (Texts(&instrument) != loaded) Fail("a saved file loads other values");
    return 0;
}
