#include "opcua/UaValueConversion.h"

#include "opcua/UaNodeIds.h"
#include "opcua/UaStatusCodes.h"

#include <QLocale>
#include <QUuid>

namespace {

// Data types that are subtypes of a built-in type and often carry values.
constexpr quint32 Enumeration = 29;
constexpr quint32 Duration = 290;
constexpr quint32 UtcTime = 294;
constexpr quint32 LocaleId = 295;

bool IsNumeric(UaBuiltInType type) {
    return type >= UaBuiltInType::SByte && type <= UaBuiltInType::Double;
}

// Texts and booleans become numbers first, so that "3.5" writes to a Double as 3.5.
std::optional<QVariant> Numeric(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return QVariant(value.toBool() ? 1 : 0);
    if (value.typeId() != QMetaType::QString) return value;
    const QString text = value.toString().trimmed();
    bool ok = false;
    const qlonglong integer = text.toLongLong(&ok);
    if (ok) return QVariant(integer);
    const double number = QLocale::c().toDouble(text, &ok);
    if (ok) return QVariant(number);
    return std::nullopt;
}

std::optional<QVariant> Boolean(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return QVariant(true);
        if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return QVariant(false);
    }
    const std::optional<QVariant> number = Numeric(value);
    if (!number || !number->canConvert<double>()) return std::nullopt;
    return QVariant(number->toDouble() != 0.0);
}

QString QualifiedNameText(const UaQualifiedName& name) {
    return name.NamespaceIndex == 0
               ? name.Name
               : QStringLiteral("%1:%2").arg(name.NamespaceIndex).arg(name.Name);
}

QVariant ScalarToItemValue(UaBuiltInType type, const QVariant& value) {
    switch (type) {
    case UaBuiltInType::SByte:
    case UaBuiltInType::Byte:
    case UaBuiltInType::Int16:
    case UaBuiltInType::UInt16:
        return QVariant(value.toInt());
    case UaBuiltInType::DateTime:
        return UaDateTimeToQDateTime(value.value<qint64>());
    case UaBuiltInType::XmlElement:
        return QString::fromUtf8(value.toByteArray());
    case UaBuiltInType::NodeId:
        return value.value<UaNodeId>().ToString();
    case UaBuiltInType::ExpandedNodeId:
        return value.value<UaExpandedNodeId>().ToString();
    case UaBuiltInType::QualifiedName:
        return QualifiedNameText(value.value<UaQualifiedName>());
    case UaBuiltInType::LocalizedText:
        return value.value<UaLocalizedText>().Text;
    case UaBuiltInType::Variant:
        return UaToItemValue(value.value<UaVariant>());
    case UaBuiltInType::ExtensionObject:
    case UaBuiltInType::DataValue:
    case UaBuiltInType::DiagnosticInfo:
    case UaBuiltInType::Null:
        return QVariant();
    default:
        return value;
    }
}

std::optional<QVariant> Representation(const QVariant& value, UaBuiltInType type) {
    if (type == UaBuiltInType::Boolean) return Boolean(value);
    if (IsNumeric(type)) return Numeric(value);
    switch (type) {
    case UaBuiltInType::String:
        return QVariant(value.typeId() == QMetaType::Double
                            ? QLocale::c().toString(value.toDouble(), 'g', 15)
                            : value.toString());
    case UaBuiltInType::LocalizedText:
        return QVariant::fromValue(UaLocalizedText{QString(), value.toString()});
    case UaBuiltInType::DateTime:
        if (value.typeId() == QMetaType::QDateTime) return value;
        if (value.typeId() == QMetaType::QString) {
            const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
            if (time.isValid()) return QVariant(time);
        }
        return std::nullopt;
    case UaBuiltInType::Guid: {
        const QUuid id(value.toString());
        return id.isNull() ? std::nullopt : std::optional(QVariant(id));
    }
    case UaBuiltInType::ByteString:
    case UaBuiltInType::XmlElement:
        return QVariant(value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                                : value.toString().toUtf8());
    case UaBuiltInType::NodeId: {
        const std::optional<UaNodeId> node = UaNodeId::Parse(value.toString());
        return node ? std::optional(QVariant::fromValue(*node)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<UaBuiltInType> UaBuiltInTypeOfDataType(const UaNodeId& dataType) {
    if (dataType.NamespaceIndex() != 0 || dataType.IdentifierType() != UaIdentifierType::Numeric)
        return std::nullopt;
    const quint32 id = dataType.NumericId();
    if (id >= 1 && id <= 25 && id != UaNodeIds::BaseDataType) return UaBuiltInType(id);
    switch (id) {
    case Enumeration:
        return UaBuiltInType::Int32;
    case Duration:
        return UaBuiltInType::Double;
    case UtcTime:
        return UaBuiltInType::DateTime;
    case LocaleId:
        return UaBuiltInType::String;
    default:
        return std::nullopt;
    }
}

quint16 UaVarTypeOfDataType(const UaNodeId& dataType) {
    const std::optional<UaBuiltInType> type = UaBuiltInTypeOfDataType(dataType);
    if (!type) return vtVariant;
    switch (*type) {
    case UaBuiltInType::Boolean:
        return vtBool;
    case UaBuiltInType::SByte:
        return vtI1;
    case UaBuiltInType::Byte:
        return vtUI1;
    case UaBuiltInType::Int16:
        return vtI2;
    case UaBuiltInType::UInt16:
        return vtUI2;
    case UaBuiltInType::Int32:
        return vtI4;
    case UaBuiltInType::UInt32:
        return vtUI4;
    case UaBuiltInType::Int64:
        return vtI8;
    case UaBuiltInType::UInt64:
        return vtUI8;
    case UaBuiltInType::Float:
        return vtR4;
    case UaBuiltInType::Double:
        return vtR8;
    case UaBuiltInType::DateTime:
        return vtDate;
    case UaBuiltInType::String:
    case UaBuiltInType::LocalizedText:
    case UaBuiltInType::XmlElement:
        return vtBstr;
    default:
        return vtVariant;
    }
}

QVariant UaToItemValue(const UaVariant& value) {
    if (!value.IsArray()) return ScalarToItemValue(value.Type(), value.Value());
    QVariantList items;
    const QVariantList source = value.Value().toList();
    items.reserve(source.size());
    for (const QVariant& item : source)
        items.append(ScalarToItemValue(value.Type(), item));
    return items;
}

std::optional<UaVariant> UaFromItemValue(const QVariant& value, UaBuiltInType type) {
    if (!value.isValid() || value.typeId() == QMetaType::QVariantList) return std::nullopt;
    const std::optional<QVariant> representation = Representation(value, type);
    if (!representation) return std::nullopt;
    try {
        return UaVariant::Scalar(type, *representation);
    } catch (const Exception&) {
        return std::nullopt;
    }
}

quint16 UaQualityOfStatus(quint32 status) {
    namespace Q = TDataAccessQuality;
    namespace S = UaStatusCodes;
    switch (status & 0xFFFF0000u) {
    case S::BadConfigurationError:
    case S::BadNodeIdUnknown:
        return Q::BadConfigurationError;
    case S::BadNotConnected:
        return Q::BadNotConnected;
    case S::BadDeviceFailure:
        return Q::BadDeviceFailure;
    case S::BadSensorFailure:
        return Q::BadSensorFailure;
    case S::BadCommunicationError:
    case S::BadNoCommunication:
    case S::BadConnectionClosed:
        return Q::BadCommFailure;
    case S::BadOutOfService:
        return Q::BadOutOfService;
    case S::UncertainLastUsableValue:
        return Q::UncertainLastUsableValue;
    case S::GoodLocalOverride:
        return Q::GoodLocalOverride;
    default:
        break;
    }
    if (S::IsGood(status)) return Q::Good;
    return S::IsUncertain(status) ? Q::Uncertain : Q::Bad;
}

TDataAccessItemValue UaItemValue(quint32 clientHandle, const UaDataValue& value) {
    return {clientHandle, UaToItemValue(value.Value), UaQualityOfStatus(value.Status),
            value.SourceTimestamp != 0 ? value.SourceTimestamp : value.ServerTimestamp};
}
