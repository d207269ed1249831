// The connection protocol's own messages: Hello, Acknowledge and Error, which negotiate the
// chunk sizes and limits before any secure-channel traffic, and the 8-byte chunk header.
#pragma once

#include <QByteArray>
#include <QString>

class UaBinaryReader;

// Chunk sizes below this are refused: the protocol's floor for every party.
constexpr quint32 UaMinimumBufferSize = 8192;

struct UaHello {
    quint32 ProtocolVersion = 0;
    quint32 ReceiveBufferSize = 65536;
    quint32 SendBufferSize = 65536;
    quint32 MaxMessageSize = 16 * 1024 * 1024;
    quint32 MaxChunkCount = 256;
    QString EndpointUrl;

    QByteArray Encode() const;
};

struct UaAcknowledge {
    quint32 ProtocolVersion = 0;
    quint32 ReceiveBufferSize = 0;
    quint32 SendBufferSize = 0;
    quint32 MaxMessageSize = 0;
    quint32 MaxChunkCount = 0;

    static UaAcknowledge Decode(UaBinaryReader& reader);
};

struct UaTransportError {
    quint32 Error = 0;
    QString Reason;

    static UaTransportError Decode(UaBinaryReader& reader);
};

// The three letters of a chunk's type and its final flag ('F' final, 'C' more to come,
// 'A' abort).
struct UaChunkHeader {
    char MessageType[3] = {0, 0, 0};
    char ChunkType = 'F';
    quint32 MessageSize = 0;

    static constexpr qsizetype Size = 8;
    bool Is(const char* type) const;
};
