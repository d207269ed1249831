// The attribute services: Read and Write of node attributes, addressed by ReadValueId and
// WriteValue.
#pragma once

#include "opcua/UaNodeIds.h"
#include "opcua/UaServiceHeader.h"

enum class UaTimestampsToReturn : qint32 {
    Source = 0,
    Server = 1,
    Both = 2,
    Neither = 3,
    Invalid = 4
};

struct UaReadValueId {
    static constexpr quint32 BinaryEncodingId = 628;
    static constexpr qsizetype MinimumSize = UaMinimumSize::NodeId + UaMinimumSize::UInt32 +
                                             UaMinimumSize::String + UaMinimumSize::QualifiedName;
    UaNodeId NodeId;
    quint32 AttributeId = UaAttributeId::Value;
    QString IndexRange;
    UaQualifiedName DataEncoding;

    void Encode(UaBinaryWriter& writer) const;
    static UaReadValueId Decode(UaBinaryReader& reader);
};

struct UaReadRequest {
    static constexpr quint32 BinaryEncodingId = 631;
    UaRequestHeader RequestHeader;
    double MaxAge = 0;
    UaTimestampsToReturn TimestampsToReturn = UaTimestampsToReturn::Both;
    std::vector<UaReadValueId> NodesToRead;

    void Encode(UaBinaryWriter& writer) const;
    static UaReadRequest Decode(UaBinaryReader& reader);
};

struct UaReadResponse {
    static constexpr quint32 BinaryEncodingId = 634;
    UaResponseHeader ResponseHeader;
    std::vector<UaDataValue> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaReadResponse Decode(UaBinaryReader& reader);
};

struct UaWriteValue {
    static constexpr quint32 BinaryEncodingId = 670;
    static constexpr qsizetype MinimumSize = UaMinimumSize::NodeId + UaMinimumSize::UInt32 +
                                             UaMinimumSize::String + UaMinimumSize::DataValue;
    UaNodeId NodeId;
    quint32 AttributeId = UaAttributeId::Value;
    QString IndexRange;
    UaDataValue Value;

    void Encode(UaBinaryWriter& writer) const;
    static UaWriteValue Decode(UaBinaryReader& reader);
};

struct UaWriteRequest {
    static constexpr quint32 BinaryEncodingId = 673;
    UaRequestHeader RequestHeader;
    std::vector<UaWriteValue> NodesToWrite;

    void Encode(UaBinaryWriter& writer) const;
    static UaWriteRequest Decode(UaBinaryReader& reader);
};

struct UaWriteResponse {
    static constexpr quint32 BinaryEncodingId = 676;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaWriteResponse Decode(UaBinaryReader& reader);
};
