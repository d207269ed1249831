// Cuts the byte stream of a connection into chunks: checks each 8-byte header (known type,
// final flag, a size within the negotiated limit) before waiting for or keeping its body.
#pragma once

#include "opcua/UaConnectionMessages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

struct UaChunk {
    UaChunkHeader Header;
    QByteArray Body; // the bytes after the 8-byte header
};

class UaChunkReader {
public:
    explicit UaChunkReader(quint32 maxChunkSize = 65536) : maxChunkSize_(maxChunkSize) {}

    void SetMaxChunkSize(quint32 size) { maxChunkSize_ = size; }
    void Append(QByteArrayView bytes);
    // The next whole chunk, or nothing while its bytes are still coming. Raises UaDecodeError
    // on a header no peer may send; the connection cannot be read on after that.
    std::optional<UaChunk> Next();
    qsizetype Buffered() const { return buffer_.size() - start_; }

private:
    UaChunkHeader ReadHeader() const;

    QByteArray buffer_;
    qsizetype start_ = 0;
    quint32 maxChunkSize_;
};
