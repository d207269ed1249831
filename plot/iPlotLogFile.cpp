#include "plot/iPlotLogFile.h"

#include "platform/Exception.h"
#include "platform/StringList.h"

#include <QFile>
#include <algorithm>

namespace {

[[noreturn]] void ThrowCannotOpen(const QFile& File) {
    throw Exception(
        QStringLiteral("Cannot open file \"%1\". %2").arg(File.fileName(), File.errorString()));
}

} // namespace

void TiPlotLogFile::SetFileName(const QString& Value, const QString& ActiveMessage) {
    if (Value == fileName_) return;
    if (active_) throw Exception(ActiveMessage);
    fileName_ = Value;
}

void TiPlotLogFile::SetBufferSize(int Value) {
    bufferSize_ = std::max(Value, 0);
}

void TiPlotLogFile::CheckCanActivate() const {
    if (fileName_.trimmed().isEmpty()) throw Exception(QStringLiteral("Log File Name not Defined"));
    if (active_) throw Exception(QStringLiteral("Logging Already Active"));
}

void TiPlotLogFile::OpenFile(bool Append, const QStringList& Header) const {
    if (!Append) {
        TStringList lines;
        for (const QString& line : Header)
            lines.Add(line);
        lines.SaveToFile(fileName_);
        return;
    }
    QFile file(fileName_);
    if (!file.exists() || !file.open(QIODevice::ReadWrite)) ThrowCannotOpen(file);
}

void TiPlotLogFile::Stop() {
    if (!active_) throw Exception(QStringLiteral("Logging not Active"));
    active_ = false;
}

void TiPlotLogFile::AppendRows(const QStringList& Rows) const {
    QFile file(fileName_);
    if (!file.exists() || !file.open(QIODevice::ReadWrite | QIODevice::Append))
        ThrowCannotOpen(file);
    QByteArray bytes;
    for (const QString& row : Rows)
        bytes += row.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size()) ThrowCannotOpen(file);
}
