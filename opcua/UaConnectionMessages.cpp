#include "opcua/UaConnectionMessages.h"

#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"

#include <cstring>

QByteArray UaHello::Encode() const {
    UaBinaryWriter writer;
    writer.WriteByte('H');
    writer.WriteByte('E');
    writer.WriteByte('L');
    writer.WriteByte('F');
    writer.WriteUInt32(0); // size, patched below
    writer.WriteUInt32(ProtocolVersion);
    writer.WriteUInt32(ReceiveBufferSize);
    writer.WriteUInt32(SendBufferSize);
    writer.WriteUInt32(MaxMessageSize);
    writer.WriteUInt32(MaxChunkCount);
    writer.WriteString(EndpointUrl);
    writer.PatchUInt32(4, quint32(writer.Size()));
    return writer.Take();
}

UaAcknowledge UaAcknowledge::Decode(UaBinaryReader& reader) {
    UaAcknowledge ack;
    ack.ProtocolVersion = reader.ReadUInt32();
    ack.ReceiveBufferSize = reader.ReadUInt32();
    ack.SendBufferSize = reader.ReadUInt32();
    ack.MaxMessageSize = reader.ReadUInt32();
    ack.MaxChunkCount = reader.ReadUInt32();
    return ack;
}

UaTransportError UaTransportError::Decode(UaBinaryReader& reader) {
    UaTransportError error;
    error.Error = reader.ReadUInt32();
    error.Reason = reader.ReadString();
    return error;
}

bool UaChunkHeader::Is(const char* type) const {
    return std::memcmp(MessageType, type, 3) == 0;
}
