#include "opcua/UaServiceHeader.h"

#include "opcua/UaStatusCodes.h"

UaServiceFaultError::UaServiceFaultError(quint32 serviceResult, quint32 requestHandle)
    : Exception(QStringLiteral("The server refused the request: %1.")
                    .arg(UaStatusCodes::Name(serviceResult))),
      serviceResult_(serviceResult), requestHandle_(requestHandle) {}

UaNodeId ReadBodyTypeId(UaBinaryReader& reader) {
    const qsizetype at = reader.Position();
    UaExpandedNodeId id = reader.ReadExpandedNodeId();
    if (!id.NamespaceUri.isEmpty() || id.ServerIndex != 0)
        throw UaDecodeError(QStringLiteral("Message body type id is not a local NodeId"), at);
    return id.NodeId;
}

void ExpectBodyType(UaBinaryReader& reader, quint32 binaryEncodingId) {
    const qsizetype at = reader.Position();
    const UaNodeId typeId = ReadBodyTypeId(reader);
    if (typeId == UaNodeId::Numeric(0, binaryEncodingId)) return;
    if (typeId == UaNodeId::Numeric(0, UaServiceFault::BinaryEncodingId)) {
        const UaServiceFault fault = UaServiceFault::Decode(reader);
        throw UaServiceFaultError(fault.ResponseHeader.ServiceResult,
                                  fault.ResponseHeader.RequestHandle);
    }
    throw UaDecodeError(QStringLiteral("Message body is a %1 where i=%2 was expected")
                            .arg(typeId.ToString())
                            .arg(binaryEncodingId),
                        at);
}

void ExpectBodyEnd(const UaBinaryReader& reader) {
    if (!reader.AtEnd())
        throw UaDecodeError(
            QStringLiteral("%1 bytes follow the message body").arg(reader.Remaining()),
            reader.Position());
}

bool HoldsBinaryBody(const UaExtensionObject& object, quint32 binaryEncodingId) {
    return object.Encoding == UaExtensionObject::BinaryBody &&
           object.TypeId == UaNodeId::Numeric(0, binaryEncodingId);
}
