#include "opcua/UaChunkReader.h"

#include "opcua/UaBinaryReader.h"

#include <QtEndian>
#include <cstring>

namespace {

bool KnownType(const UaChunkHeader& header) {
    for (const char* type : {"HEL", "ACK", "ERR", "RHE", "OPN", "MSG", "CLO"})
        if (header.Is(type)) return true;
    return false;
}

} // namespace

void UaChunkReader::Append(QByteArrayView bytes) {
    // Drop what was read once it is most of the buffer, so the buffer stays near one chunk.
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes.data(), bytes.size());
}

UaChunkHeader UaChunkReader::ReadHeader() const {
    UaChunkHeader header;
    const char* at = buffer_.constData() + start_;
    std::memcpy(header.MessageType, at, 3);
    header.ChunkType = at[3];
    header.MessageSize = qFromLittleEndian<quint32>(at + 4);
    if (!KnownType(header))
        throw UaDecodeError(QStringLiteral("Unknown message type in chunk header"));
    if (header.ChunkType != 'F' && header.ChunkType != 'C' && header.ChunkType != 'A')
        throw UaDecodeError(QStringLiteral("Unknown chunk type in chunk header"));
    if (header.MessageSize < UaChunkHeader::Size || header.MessageSize > maxChunkSize_)
        throw UaDecodeError(QStringLiteral("Chunk size %1 outside 8..%2")
                                .arg(header.MessageSize)
                                .arg(maxChunkSize_));
    return header;
}

std::optional<UaChunk> UaChunkReader::Next() {
    if (Buffered() < UaChunkHeader::Size) return std::nullopt;
    UaChunk chunk;
    chunk.Header = ReadHeader();
    if (Buffered() < qsizetype(chunk.Header.MessageSize)) return std::nullopt;
    chunk.Body =
        buffer_.mid(start_ + UaChunkHeader::Size, chunk.Header.MessageSize - UaChunkHeader::Size);
    start_ += chunk.Header.MessageSize;
    return chunk;
}
