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

    void Encode(UaBinaryWriter& writer) const;
    static UaViewDescription Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseDescription Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaReferenceDescription Decode(UaBinaryReader& reader);
};

struct UaBrowseResult {
    static constexpr quint32 BinaryEncodingId = 524;
    static constexpr qsizetype MinimumSize = 4 + 4 + 4;
    quint32 StatusCode = 0;
    QByteArray ContinuationPoint;
    std::vector<UaReferenceDescription> References;

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseResult Decode(UaBinaryReader& reader);
};

struct UaBrowseRequest {
    static constexpr quint32 BinaryEncodingId = 527;
    UaRequestHeader RequestHeader;
    UaViewDescription View;
    quint32 RequestedMaxReferencesPerNode = 0;
    std::vector<UaBrowseDescription> NodesToBrowse;

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseRequest Decode(UaBinaryReader& reader);
};

struct UaBrowseResponse {
    static constexpr quint32 BinaryEncodingId = 530;
    UaResponseHeader ResponseHeader;
    std::vector<UaBrowseResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseResponse Decode(UaBinaryReader& reader);
};

struct UaBrowseNextRequest {
    static constexpr quint32 BinaryEncodingId = 533;
    UaRequestHeader RequestHeader;
    bool ReleaseContinuationPoints = false;
    std::vector<QByteArray> ContinuationPoints;

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseNextRequest Decode(UaBinaryReader& reader);
};

struct UaBrowseNextResponse {
    static constexpr quint32 BinaryEncodingId = 536;
    UaResponseHeader ResponseHeader;
    std::vector<UaBrowseResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaBrowseNextResponse Decode(UaBinaryReader& reader);
};
