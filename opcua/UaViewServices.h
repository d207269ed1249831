// The view services: Browse, which lists the references of nodes, and BrowseNext, which fetches
// the pages a server held back behind a continuation point.
#pragma once

#include "opcua/UaNodeIds.h"
#include "opcua/UaServiceHeader.h"

enum class UaBrowseDirection : qint32 { Forward = 0, Inverse = 1, Both = 2, Invalid = 3 };

// Also the bits of a BrowseDescription's NodeClassMask.
enum class UaNodeClass : qint32 {
    Unspecified = 0,
    Object = 1,
    Variable = 2,
    Method = 4,
    ObjectType = 8,
    VariableType = 16,
    ReferenceType = 32,
    DataType = 64,
    View = 128
};

// The bits of a BrowseDescription's ResultMask: which fields each ReferenceDescription fills.
namespace UaBrowseResultMask {
inline constexpr quint32 ReferenceTypeId = 0x01;
inline constexpr quint32 IsForward = 0x02;
inline constexpr quint32 NodeClass = 0x04;
inline constexpr quint32 BrowseName = 0x08;
inline constexpr quint32 DisplayName = 0x10;
inline constexpr quint32 TypeDefinition = 0x20;
inline constexpr quint32 All = 0x3F;
} // namespace UaBrowseResultMask

struct UaViewDescription {
    static constexpr quint32 BinaryEncodingId = 513;
    UaNodeId ViewId;
    qint64 Timestamp = 0;
    quint32 ViewVersion = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ViewId, self.Timestamp, self.ViewVersion);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaViewDescription Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaViewDescription>(reader);
    }
};

struct UaBrowseDescription {
    static constexpr quint32 BinaryEncodingId = 516;
    static constexpr qsizetype MinimumSize = 2 + 4 + 2 + 1 + 4 + 4;
    UaNodeId NodeId;
    UaBrowseDirection BrowseDirection = UaBrowseDirection::Forward;
    UaNodeId ReferenceTypeId = UaNodeId::Numeric(0, UaNodeIds::HierarchicalReferences);
    bool IncludeSubtypes = true;
    quint32 NodeClassMask = 0;
    quint32 ResultMask = UaBrowseResultMask::All;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.NodeId, self.BrowseDirection, self.ReferenceTypeId, self.IncludeSubtypes,
           self.NodeClassMask, self.ResultMask);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseDescription Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseDescription>(reader);
    }
};

struct UaReferenceDescription {
    static constexpr quint32 BinaryEncodingId = 520;
    // NodeId, the ExpandedNodeIds, QualifiedName, LocalizedText at their smallest.
    static constexpr qsizetype MinimumSize = 2 + 1 + 2 + 6 + 1 + 4 + 2;
    UaNodeId ReferenceTypeId;
    bool IsForward = true;
    UaExpandedNodeId NodeId;
    UaQualifiedName BrowseName;
    UaLocalizedText DisplayName;
    UaNodeClass NodeClass = UaNodeClass::Unspecified;
    UaExpandedNodeId TypeDefinition;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ReferenceTypeId, self.IsForward, self.NodeId, self.BrowseName, self.DisplayName,
           self.NodeClass, self.TypeDefinition);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaReferenceDescription Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaReferenceDescription>(reader);
    }
};

struct UaBrowseResult {
    static constexpr quint32 BinaryEncodingId = 524;
    static constexpr qsizetype MinimumSize = 4 + 4 + 4;
    quint32 StatusCode = 0;
    QByteArray ContinuationPoint;
    std::vector<UaReferenceDescription> References;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.StatusCode, self.ContinuationPoint, self.References);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseResult Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseResult>(reader);
    }
};

struct UaBrowseRequest {
    static constexpr quint32 BinaryEncodingId = 527;
    UaRequestHeader RequestHeader;
    UaViewDescription View;
    quint32 RequestedMaxReferencesPerNode = 0;
    std::vector<UaBrowseDescription> NodesToBrowse;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.View, self.RequestedMaxReferencesPerNode, self.NodesToBrowse);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseRequest>(reader);
    }
};

struct UaBrowseResponse {
    static constexpr quint32 BinaryEncodingId = 530;
    UaResponseHeader ResponseHeader;
    std::vector<UaBrowseResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseResponse>(reader);
    }
};

struct UaBrowseNextRequest {
    static constexpr quint32 BinaryEncodingId = 533;
    UaRequestHeader RequestHeader;
    bool ReleaseContinuationPoints = false;
    std::vector<QByteArray> ContinuationPoints;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.ReleaseContinuationPoints, self.ContinuationPoints);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseNextRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseNextRequest>(reader);
    }
};

struct UaBrowseNextResponse {
    static constexpr quint32 BinaryEncodingId = 536;
    UaResponseHeader ResponseHeader;
    std::vector<UaBrowseResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaBrowseNextResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaBrowseNextResponse>(reader);
    }
};
