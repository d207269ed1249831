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

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.NodeId, self.AttributeId, self.IndexRange, self.DataEncoding);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaReadValueId Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaReadValueId>(reader);
    }
};

struct UaReadRequest {
    static constexpr quint32 BinaryEncodingId = 631;
    UaRequestHeader RequestHeader;
    double MaxAge = 0;
    UaTimestampsToReturn TimestampsToReturn = UaTimestampsToReturn::Both;
    std::vector<UaReadValueId> NodesToRead;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.MaxAge, self.TimestampsToReturn, self.NodesToRead);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaReadRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaReadRequest>(reader);
    }
};

struct UaReadResponse {
    static constexpr quint32 BinaryEncodingId = 634;
    UaResponseHeader ResponseHeader;
    std::vector<UaDataValue> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaReadResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaReadResponse>(reader);
    }
};

struct UaWriteValue {
    static constexpr quint32 BinaryEncodingId = 670;
    static constexpr qsizetype MinimumSize = UaMinimumSize::NodeId + UaMinimumSize::UInt32 +
                                             UaMinimumSize::String + UaMinimumSize::DataValue;
    UaNodeId NodeId;
    quint32 AttributeId = UaAttributeId::Value;
    QString IndexRange;
    UaDataValue Value;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.NodeId, self.AttributeId, self.IndexRange, self.Value);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaWriteValue Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaWriteValue>(reader);
    }
};

struct UaWriteRequest {
    static constexpr quint32 BinaryEncodingId = 673;
    UaRequestHeader RequestHeader;
    std::vector<UaWriteValue> NodesToWrite;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.NodesToWrite);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaWriteRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaWriteRequest>(reader);
    }
};

struct UaWriteResponse {
    static constexpr quint32 BinaryEncodingId = 676;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaWriteResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaWriteResponse>(reader);
    }
};
