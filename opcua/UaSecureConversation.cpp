#include "opcua/UaSecureConversation.h"

#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"

#include <QtEndian>

namespace {

// Chunks of messages not yet complete that one connection may hold at once.
constexpr std::size_t MaxPartialMessages = 16;
// Channel id, token id, sequence number and request id.
constexpr quint32 SymmetricOverhead = UaChunkHeader::Size + 16;

void WriteChunkHeader(UaBinaryWriter& writer, const char* type, char chunkType) {
    for (int i = 0; i < 3; ++i)
        writer.WriteByte(quint8(type[i]));
    writer.WriteByte(quint8(chunkType));
    writer.WriteUInt32(0); // size, patched once the chunk is whole
}

// The chunk's headers followed by its part of the body, with the size written in.
QByteArray Finish(UaBinaryWriter& headers, QByteArrayView body) {
    QByteArray chunk = headers.Take();
    chunk.append(body.data(), body.size());
    qToLittleEndian<quint32>(quint32(chunk.size()), chunk.data() + 4);
    return chunk;
}

} // namespace

UaMessageAssembler::UaMessageAssembler(quint32 maxMessageSize, quint32 maxChunkCount)
    : maxMessageSize_(maxMessageSize), maxChunkCount_(maxChunkCount) {}

void UaMessageAssembler::CheckSequence(quint32 sequenceNumber) {
    if (lastSequence_) {
        const quint32 last = *lastSequence_;
        const bool next = sequenceNumber == last + 1 && last != 0xFFFFFFFFu;
        const bool wrapped = last > UaSequenceWrapLimit && sequenceNumber < 1024;
        if (!next && !wrapped)
            throw UaDecodeError(
                QStringLiteral("Sequence number %1 after %2").arg(sequenceNumber).arg(last));
    }
    lastSequence_ = sequenceNumber;
}

std::optional<UaSecureMessage> UaMessageAssembler::Add(const UaChunk& chunk) {
    const bool open = chunk.Header.Is("OPN");
    if (!open && !chunk.Header.Is("MSG") && !chunk.Header.Is("CLO"))
        throw UaDecodeError(QStringLiteral("Not a secure-conversation chunk"));
    UaBinaryReader reader(chunk.Body);
    UaSecureMessage header;
    header.Header = chunk.Header;
    header.SecureChannelId = reader.ReadUInt32();
    if (open) {
        header.SecurityPolicyUri = reader.ReadString();
        reader.ReadByteString(); // sender certificate: none under the None policy
        reader.ReadByteString(); // receiver certificate thumbprint
    } else {
        header.TokenId = reader.ReadUInt32();
    }
    CheckSequence(reader.ReadUInt32());
    header.RequestId = reader.ReadUInt32();
    const QByteArrayView body = reader.Peek(reader.Remaining());

    auto found = partial_.find(header.RequestId);
    if (found == partial_.end()) {
        if (partial_.size() >= MaxPartialMessages)
            throw UaDecodeError(QStringLiteral("Too many messages in progress"));
        found = partial_.emplace(header.RequestId, Partial{std::move(header), 0}).first;
    }
    Partial& partial = found->second;
    if (chunk.Header.ChunkType == 'A') {
        UaSecureMessage aborted = std::move(partial.Message);
        aborted.Body.clear(); // what came before the abort is no message
        partial_.erase(found);
        UaBinaryReader abortReader(body.data(), body.size());
        aborted.Abort = UaTransportError::Decode(abortReader);
        aborted.Header.ChunkType = 'A';
        return aborted;
    }
    if (++partial.Chunks > maxChunkCount_ && maxChunkCount_ != 0)
        throw UaDecodeError(QStringLiteral("Message of more than %1 chunks").arg(maxChunkCount_));
    if (maxMessageSize_ != 0 &&
        quint64(partial.Message.Body.size()) + body.size() > maxMessageSize_)
        throw UaDecodeError(QStringLiteral("Message larger than %1 bytes").arg(maxMessageSize_));
    partial.Message.Body.append(body.data(), body.size());
    if (chunk.Header.ChunkType != 'F') return std::nullopt;
    UaSecureMessage whole = std::move(partial.Message);
    whole.Header.ChunkType = 'F';
    partial_.erase(found);
    return whole;
}

void UaChunkWriter::SetLimits(quint32 sendBufferSize, quint32 maxMessageSize,
                              quint32 maxChunkCount) {
    sendBufferSize_ = std::max(sendBufferSize, UaMinimumBufferSize);
    maxMessageSize_ = maxMessageSize;
    maxChunkCount_ = maxChunkCount;
}

quint32 UaChunkWriter::NextSequence() {
    sequence_ = sequence_ > UaSequenceWrapLimit ? 1 : sequence_ + 1;
    return sequence_;
}

QByteArray UaChunkWriter::EncodeOpen(quint32 secureChannelId, quint32 requestId,
                                     QByteArrayView body) {
    UaBinaryWriter writer;
    WriteChunkHeader(writer, "OPN", 'F');
    writer.WriteUInt32(secureChannelId);
    writer.WriteString(UaSecurityPolicyNone);
    writer.WriteByteString(QByteArray());
    writer.WriteByteString(QByteArray());
    writer.WriteUInt32(NextSequence());
    writer.WriteUInt32(requestId);
    return Finish(writer, body);
}

QList<QByteArray> UaChunkWriter::Encode(const char* type, quint32 secureChannelId, quint32 tokenId,
                                        quint32 requestId, QByteArrayView body) {
    if (maxMessageSize_ != 0 && quint64(body.size()) > maxMessageSize_)
        throw UaDecodeError(QStringLiteral("Request larger than the server accepts"));
    const qsizetype perChunk = sendBufferSize_ - SymmetricOverhead;
    const qsizetype count = std::max<qsizetype>(1, (body.size() + perChunk - 1) / perChunk);
    if (maxChunkCount_ != 0 && quint64(count) > maxChunkCount_)
        throw UaDecodeError(QStringLiteral("Request in more chunks than the server accepts"));
    QList<QByteArray> chunks;
    chunks.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView part =
            body.sliced(i * perChunk).first(std::min(perChunk, body.size() - i * perChunk));
        UaBinaryWriter writer;
        WriteChunkHeader(writer, type, i + 1 == count ? 'F' : 'C');
        writer.WriteUInt32(secureChannelId);
        writer.WriteUInt32(tokenId);
        writer.WriteUInt32(NextSequence());
        writer.WriteUInt32(requestId);
        chunks.append(Finish(writer, part));
    }
    return chunks;
}
