#include "opcua/UaBuiltInTypes.h"

#include <array>
#include <limits>

namespace {

constexpr qint64 TicksPerMillisecond = 10'000;
// From 1601-01-01 to 1970-01-01.
constexpr qint64 EpochOffsetMs = 11'644'473'600'000;
// 9999-12-31 23:59:59 UTC, past which times are written as the largest tick count.
constexpr qint64 LatestMs = 253'402'300'799'000;

} // namespace

QString UaBuiltInTypeName(UaBuiltInType type) {
    static const std::array<const char*, 26> names = {
        "Null",          "Boolean",       "SByte",           "Byte",           "Int16",
        "UInt16",        "Int32",         "UInt32",          "Int64",          "UInt64",
        "Float",         "Double",        "String",          "DateTime",       "Guid",
        "ByteString",    "XmlElement",    "NodeId",          "ExpandedNodeId", "StatusCode",
        "QualifiedName", "LocalizedText", "ExtensionObject", "DataValue",      "Variant",
        "DiagnosticInfo"};
    const auto index = size_t(type);
    return index < names.size() ? QString::fromLatin1(names[index])
                                : QStringLiteral("Type %1").arg(index);
}

UaDiagnosticInfo::UaDiagnosticInfo(const UaDiagnosticInfo& other)
    : SymbolicId(other.SymbolicId), NamespaceUri(other.NamespaceUri), Locale(other.Locale),
      LocalizedText(other.LocalizedText), AdditionalInfo(other.AdditionalInfo),
      InnerStatusCode(other.InnerStatusCode), HasInnerStatusCode(other.HasInnerStatusCode),
      Inner(other.Inner ? std::make_unique<UaDiagnosticInfo>(*other.Inner) : nullptr) {}

UaDiagnosticInfo& UaDiagnosticInfo::operator=(const UaDiagnosticInfo& other) {
    if (this != &other) *this = UaDiagnosticInfo(other);
    return *this;
}

quint8 UaDiagnosticInfo::EncodingMask() const {
    quint8 mask = 0;
    if (SymbolicId != -1) mask |= 0x01;
    if (NamespaceUri != -1) mask |= 0x02;
    if (LocalizedText != -1) mask |= 0x04;
    if (Locale != -1) mask |= 0x08;
    if (!AdditionalInfo.isNull()) mask |= 0x10;
    if (HasInnerStatusCode) mask |= 0x20;
    if (Inner) mask |= 0x40;
    return mask;
}

bool operator==(const UaDiagnosticInfo& a, const UaDiagnosticInfo& b) {
    const bool innersEqual = a.Inner && b.Inner ? *a.Inner == *b.Inner : !a.Inner && !b.Inner;
    return a.EncodingMask() == b.EncodingMask() && a.SymbolicId == b.SymbolicId &&
           a.NamespaceUri == b.NamespaceUri && a.Locale == b.Locale &&
           a.LocalizedText == b.LocalizedText && a.AdditionalInfo == b.AdditionalInfo &&
           a.InnerStatusCode == b.InnerStatusCode && innersEqual;
}

quint8 UaDataValue::EncodingMask() const {
    quint8 mask = 0;
    if (HasValue || !Value.IsNull()) mask |= 0x01;
    if (HasStatus || Status != 0) mask |= 0x02;
    if (HasSourceTimestamp || SourceTimestamp != 0) mask |= 0x04;
    if (HasServerTimestamp || ServerTimestamp != 0) mask |= 0x08;
    if (HasSourcePicoseconds || SourcePicoseconds != 0) mask |= 0x10;
    if (HasServerPicoseconds || ServerPicoseconds != 0) mask |= 0x20;
    return mask;
}

bool operator==(const UaDataValue& a, const UaDataValue& b) {
    return a.EncodingMask() == b.EncodingMask() && a.Value == b.Value && a.Status == b.Status &&
           a.SourceTimestamp == b.SourceTimestamp && a.ServerTimestamp == b.ServerTimestamp &&
           a.SourcePicoseconds == b.SourcePicoseconds && a.ServerPicoseconds == b.ServerPicoseconds;
}

qint64 UaDateTimeFromQDateTime(const QDateTime& time) {
    if (!time.isValid()) return 0;
    const qint64 ms = time.toMSecsSinceEpoch();
    if (ms <= -EpochOffsetMs) return 0;
    if (ms >= LatestMs) return std::numeric_limits<qint64>::max();
    return (ms + EpochOffsetMs) * TicksPerMillisecond;
}

QDateTime UaDateTimeToQDateTime(qint64 ticks) {
    if (ticks <= 0) return {};
    return QDateTime::fromMSecsSinceEpoch(ticks / TicksPerMillisecond - EpochOffsetMs, Qt::UTC);
}

qint64 UaDateTimeNow() {
    return UaDateTimeFromQDateTime(QDateTime::currentDateTimeUtc());
}
