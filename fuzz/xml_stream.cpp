// Any bytes through the XML stream readers: the first bytes choose the readers in turn, the
// rest is the stream. Every reader either answers or raises the toolkit's exception, and
// none loops. Any text written as an element value reads back unchanged.
#include "instruments/framework/iClasses.h"
#include "platform/Exception.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t ProgramSize = 12;

void RunReader(TiXMLMemoryStream& stream, uint8_t choice, const QString& name) {
    QString value;
    switch (choice % 8) {
    case 0:
        stream.GetNameElementStart();
        break;
    case 1:
        stream.GotoElementStart(name);
        break;
    case 2:
        stream.GetElementValue();
        break;
    case 3:
        stream.GetNameElementStop();
        break;
    case 4:
        stream.GetElement(name, value);
        break;
    case 5:
        stream.GetNextPiece();
        break;
    case 6:
        stream.PeekNextPiece();
        break;
    default:
        stream.ReadChar();
        break;
    }
}

void CheckValueRoundTrip(const QString& value) {
    TiXMLMemoryStream stream;
    try {
        stream.WriteElement(QStringLiteral("Value"), value);
    } catch (const Exception&) {
        return; // longer than a line may be
    }
    stream.WriteCRLF();
    stream.SetPosition(0);
    QString read;
    stream.GetElement(QStringLiteral("Value"), read);
    if (read != value) {
        std::fprintf(stderr, "value read back differs\n");
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t programSize = std::min(size, ProgramSize);
    const QByteArray bytes(reinterpret_cast<const char*>(data + programSize),
                           qsizetype(size - programSize));
    TiXMLMemoryStream stream;
    stream.SetData(bytes);
    const QString name = QStringLiteral("Scheme");
    for (size_t i = 0; i < programSize; ++i) {
        try {
            RunReader(stream, data[i], name);
        } catch (const Exception&) {
        }
    }
    CheckValueRoundTrip(QString::fromUtf8(bytes));
    return 0;
}
