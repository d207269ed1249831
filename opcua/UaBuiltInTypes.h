// The built-in types of OPC UA Binary: their type ids, the structured ones the codec reads and
// writes as values, and the DateTime clock (100 ns ticks since 1601-01-01 UTC).
#pragma once

#include "opcua/UaNodeId.h"
#include "opcua/UaVariant.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <memory>

enum class UaBuiltInType : quint8 {
    Null = 0,
    Boolean = 1,
    SByte,
    Byte,
    Int16,
    UInt16,
    Int32,
    UInt32,
    Int64,
    UInt64,
    Float,
    Double,
    String,
    DateTime,
    Guid,
    ByteString,
    XmlElement,
    NodeId,
    ExpandedNodeId,
    StatusCode,
    QualifiedName,
    LocalizedText,
    ExtensionObject,
    DataValue,
    Variant,
    DiagnosticInfo = 25
};

// "Double", "NodeId", ...; "Type <n>" for an id that names no type.
QString UaBuiltInTypeName(UaBuiltInType type);

struct UaQualifiedName {
    quint16 NamespaceIndex = 0;
    QString Name{};
    friend bool operator==(const UaQualifiedName&, const UaQualifiedName&) = default;
};

// A null locale or text is left out of the encoding; an empty one is sent as empty.
struct UaLocalizedText {
    QString Locale{};
    QString Text{};
    friend bool operator==(const UaLocalizedText&, const UaLocalizedText&) = default;
};

// A structure the codec does not know: its encoding's id and its body as received.
struct UaExtensionObject {
    static constexpr quint8 NoBody = 0;
    static constexpr quint8 BinaryBody = 1;
    static constexpr quint8 XmlBody = 2;

    UaNodeId TypeId{};
    quint8 Encoding = NoBody;
    QByteArray Body{};
    friend bool operator==(const UaExtensionObject&, const UaExtensionObject&) = default;
};

// The indexes point into the string table of the response header; -1 and a null text mean
// absent. Copies are deep.
struct UaDiagnosticInfo {
    qint32 SymbolicId = -1;
    qint32 NamespaceUri = -1;
    qint32 Locale = -1;
    qint32 LocalizedText = -1;
    QString AdditionalInfo{};
    quint32 InnerStatusCode = 0;
    bool HasInnerStatusCode = false;
    std::unique_ptr<UaDiagnosticInfo> Inner{};

    UaDiagnosticInfo() = default;
    UaDiagnosticInfo(const UaDiagnosticInfo& other);
    UaDiagnosticInfo& operator=(const UaDiagnosticInfo& other);
    UaDiagnosticInfo(UaDiagnosticInfo&&) noexcept = default;
    UaDiagnosticInfo& operator=(UaDiagnosticInfo&&) noexcept = default;
    ~UaDiagnosticInfo() = default;

    // The bits of the fields present: 0x01 symbolic id, 0x02 namespace, 0x04 localized text,
    // 0x08 locale, 0x10 additional info, 0x20 inner status code, 0x40 inner diagnostic info.
    quint8 EncodingMask() const;
    friend bool operator==(const UaDiagnosticInfo& a, const UaDiagnosticInfo& b);
};

// A value with its quality and times. The Has flags say which fields a decoded message
// carried; the writer sends a field when its flag is set or it differs from its default, so a
// value built by hand needs no flags.
struct UaDataValue {
    UaVariant Value{};
    quint32 Status = 0;
    qint64 SourceTimestamp = 0;
    qint64 ServerTimestamp = 0;
    quint16 SourcePicoseconds = 0;
    quint16 ServerPicoseconds = 0;
    bool HasValue = false;
    bool HasStatus = false;
    bool HasSourceTimestamp = false;
    bool HasServerTimestamp = false;
    bool HasSourcePicoseconds = false;
    bool HasServerPicoseconds = false;

    // 0x01 value, 0x02 status, 0x04 source time, 0x08 server time, 0x10 and 0x20 their
    // picoseconds.
    quint8 EncodingMask() const;
    // Equal content and equal fields sent, whichever way the fields came to be sent.
    friend bool operator==(const UaDataValue& a, const UaDataValue& b);
};

// Ticks at and before 1601-01-01 stand for "no time" and read as an invalid QDateTime; an
// invalid QDateTime writes as 0 and times from 9999-12-31 23:59:59 on as the largest tick count.
qint64 UaDateTimeFromQDateTime(const QDateTime& time);
QDateTime UaDateTimeToQDateTime(qint64 ticks);
qint64 UaDateTimeNow();

Q_DECLARE_METATYPE(UaQualifiedName)
Q_DECLARE_METATYPE(UaLocalizedText)
Q_DECLARE_METATYPE(UaExtensionObject)
Q_DECLARE_METATYPE(UaDiagnosticInfo)
Q_DECLARE_METATYPE(UaDataValue)
