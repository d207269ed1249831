// The secure-conversation framing of OPN, MSG and CLO chunks under the None policy: their
// headers, sequence numbers, the split of a message into chunks and the join back.
#pragma once

#include "opcua/UaChunkReader.h"

#include <QList>
#include <map>

inline const QString UaSecurityPolicyNone =
    QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#None");

// Sequence numbers wrap to below 1024 only after this.
constexpr quint32 UaSequenceWrapLimit = 4294966271u;

struct UaSecureMessage {
    UaChunkHeader Header; // type of the first chunk; ChunkType 'A' for an aborted message
    quint32 SecureChannelId = 0;
    quint32 TokenId = 0;
    QString SecurityPolicyUri;
    quint32 RequestId = 0;
    QByteArray Body;
    UaTransportError Abort; // what the sender gave as the reason of an abort
};

// Joins the chunks that arrive into whole messages, within the negotiated limits.
class UaMessageAssembler {
public:
    UaMessageAssembler(quint32 maxMessageSize = 16 * 1024 * 1024, quint32 maxChunkCount = 256);

    // Takes one OPN, MSG or CLO chunk: answers the message its final (or abort) chunk
    // completes, nothing while more chunks are to come. Raises UaDecodeError when a chunk
    // breaks the framing, the sequence or the limits.
    std::optional<UaSecureMessage> Add(const UaChunk& chunk);

private:
    struct Partial {
        UaSecureMessage Message;
        quint32 Chunks = 0;
    };

    void CheckSequence(quint32 sequenceNumber);

    std::map<quint32, Partial> partial_;
    std::optional<quint32> lastSequence_;
    quint32 maxMessageSize_;
    quint32 maxChunkCount_;
};

// Splits outgoing messages into chunks no larger than the peer takes, numbering them.
class UaChunkWriter {
public:
    // The peer's receive buffer, message size and chunk count (0: no limit).
    void SetLimits(quint32 sendBufferSize, quint32 maxMessageSize, quint32 maxChunkCount);
    // An OpenSecureChannel request in one chunk.
    QByteArray EncodeOpen(quint32 secureChannelId, quint32 requestId, QByteArrayView body);
    // A MSG or CLO message in as many chunks as it takes. Raises UaDecodeError when the body
    // is larger than the peer accepts.
    QList<QByteArray> Encode(const char* type, quint32 secureChannelId, quint32 tokenId,
                             quint32 requestId, QByteArrayView body);

private:
    quint32 NextSequence();

    quint32 sendBufferSize_ = UaMinimumBufferSize;
    quint32 maxMessageSize_ = 0;
    quint32 maxChunkCount_ = 0;
    quint32 sequence_ = 0;
};
