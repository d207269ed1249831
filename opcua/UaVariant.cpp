#include "opcua/UaVariant.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QMetaType Representation(UaBuiltInType type) {
    switch (type) {
    case UaBuiltInType::Null:
        return {};
    case UaBuiltInType::Boolean:
        return QMetaType::fromType<bool>();
    case UaBuiltInType::SByte:
        return QMetaType::fromType<qint8>();
    case UaBuiltInType::Byte:
        return QMetaType::fromType<quint8>();
    case UaBuiltInType::Int16:
        return QMetaType::fromType<qint16>();
    case UaBuiltInType::UInt16:
        return QMetaType::fromType<quint16>();
    case UaBuiltInType::Int32:
        return QMetaType::fromType<qint32>();
    case UaBuiltInType::UInt32:
    case UaBuiltInType::StatusCode:
        return QMetaType::fromType<quint32>();
    case UaBuiltInType::Int64:
    case UaBuiltInType::DateTime:
        return QMetaType::fromType<qint64>();
    case UaBuiltInType::UInt64:
        return QMetaType::fromType<quint64>();
    case UaBuiltInType::Float:
        return QMetaType::fromType<float>();
    case UaBuiltInType::Double:
        return QMetaType::fromType<double>();
    case UaBuiltInType::String:
        return QMetaType::fromType<QString>();
    case UaBuiltInType::Guid:
        return QMetaType::fromType<QUuid>();
    case UaBuiltInType::ByteString:
    case UaBuiltInType::XmlElement:
        return QMetaType::fromType<QByteArray>();
    case UaBuiltInType::NodeId:
        return QMetaType::fromType<UaNodeId>();
    case UaBuiltInType::ExpandedNodeId:
        return QMetaType::fromType<UaExpandedNodeId>();
    case UaBuiltInType::QualifiedName:
        return QMetaType::fromType<UaQualifiedName>();
    case UaBuiltInType::LocalizedText:
        return QMetaType::fromType<UaLocalizedText>();
    case UaBuiltInType::ExtensionObject:
        return QMetaType::fromType<UaExtensionObject>();
    case UaBuiltInType::DataValue:
        return QMetaType::fromType<UaDataValue>();
    case UaBuiltInType::Variant:
        return QMetaType::fromType<UaVariant>();
    case UaBuiltInType::DiagnosticInfo:
        return QMetaType::fromType<UaDiagnosticInfo>();
    }
    return {};
}

enum class NumberKind { None, Signed, Unsigned, Floating };

NumberKind KindOf(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return NumberKind::Signed;
    case QMetaType::Bool:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return NumberKind::Unsigned;
    case QMetaType::Float:
    case QMetaType::Double:
        return NumberKind::Floating;
    default:
        return NumberKind::None;
    }
}

struct IntegerRange {
    qint64 Min;
    quint64 Max;
};

template <typename T> constexpr IntegerRange RangeOf() {
    return {qint64(std::numeric_limits<T>::min()), quint64(std::numeric_limits<T>::max())};
}

std::optional<IntegerRange> IntegerRangeOf(UaBuiltInType type) {
    switch (type) {
    case UaBuiltInType::Boolean:
        return IntegerRange{0, 1};
    case UaBuiltInType::SByte:
        return RangeOf<qint8>();
    case UaBuiltInType::Byte:
        return RangeOf<quint8>();
    case UaBuiltInType::Int16:
        return RangeOf<qint16>();
    case UaBuiltInType::UInt16:
        return RangeOf<quint16>();
    case UaBuiltInType::Int32:
        return RangeOf<qint32>();
    case UaBuiltInType::UInt32:
    case UaBuiltInType::StatusCode:
        return RangeOf<quint32>();
    case UaBuiltInType::Int64:
    case UaBuiltInType::DateTime:
        return RangeOf<qint64>();
    case UaBuiltInType::UInt64:
        return RangeOf<quint64>();
    default:
        return std::nullopt;
    }
}

bool FitsExactly(const QVariant& value, NumberKind kind, IntegerRange range) {
    switch (kind) {
    case NumberKind::Signed: {
        const qint64 number = value.toLongLong();
        return number >= range.Min && (number < 0 || quint64(number) <= range.Max);
    }
    case NumberKind::Unsigned:
        return value.toULongLong() <= range.Max;
    case NumberKind::Floating: {
        const double number = value.toDouble();
        // double(Max) + 1 rounds to the power of two above Max for the 64-bit ranges.
        return std::isfinite(number) && number == std::trunc(number) &&
               number >= double(range.Min) && number < double(range.Max) + 1.0;
    }
    case NumberKind::None:
        break;
    }
    return false;
}

// Numbers go to the integer types when exactly representable, to Float and Double when they
// do not overflow them (rounding is what a float is for).
bool NumberFits(UaBuiltInType type, const QVariant& value) {
    const NumberKind kind = KindOf(value.metaType());
    if (kind == NumberKind::None) return false;
    if (const auto range = IntegerRangeOf(type)) return FitsExactly(value, kind, *range);
    if (type == UaBuiltInType::Double) return true;
    if (type != UaBuiltInType::Float) return false;
    const double number = value.toDouble();
    return !std::isfinite(number) || std::abs(number) <= std::numeric_limits<float>::max();
}

[[noreturn]] void RefuseValue(UaBuiltInType type, const QVariant& value) {
    const QString held =
        value.isValid() ? QString::fromLatin1(value.typeName()) : QStringLiteral("an empty value");
    throw Exception(QStringLiteral("Cannot hold %1 as %2").arg(held, UaBuiltInTypeName(type)));
}

// The value in the representation of the type.
QVariant Represented(UaBuiltInType type, const QVariant& value) {
    const QMetaType target = Representation(type);
    if (value.metaType() == target) return value;
    if (type == UaBuiltInType::DateTime && value.metaType() == QMetaType::fromType<QDateTime>())
        return QVariant::fromValue(UaDateTimeFromQDateTime(value.toDateTime()));
    if (!NumberFits(type, value)) RefuseValue(type, value);
    QVariant converted = value;
    if (!converted.convert(target)) RefuseValue(type, value);
    return converted;
}

template <typename T> double AsDouble(const QVariant& value) {
    return double(*static_cast<const T*>(value.constData()));
}

} // namespace

UaVariant::UaVariant(UaBuiltInType type, bool isArray, QVariant value, QList<qint32> dimensions)
    : type_(type), isArray_(isArray), value_(std::move(value)), dimensions_(std::move(dimensions)) {
}

UaVariant UaVariant::Scalar(UaBuiltInType type, const QVariant& value) {
    if (type == UaBuiltInType::Null) return {};
    if (type == UaBuiltInType::Variant) {
        if (value.metaType() != QMetaType::fromType<UaVariant>()) RefuseValue(type, value);
        return value.value<UaVariant>();
    }
    return UaVariant(type, false, Represented(type, value), {});
}

UaVariant UaVariant::Array(UaBuiltInType type, const QVariantList& values,
                           const QList<qint32>& dimensions) {
    if (type == UaBuiltInType::Null) throw Exception(QStringLiteral("An array needs a type"));
    if (!dimensions.isEmpty() && !DimensionsFit(dimensions, values.size()))
        throw Exception(
            QStringLiteral("Array dimensions do not match its %1 values").arg(values.size()));
    QVariantList represented;
    represented.reserve(values.size());
    for (const QVariant& value : values)
        represented.append(Represented(type, value));
    return UaVariant(type, true, represented, dimensions);
}

bool UaVariant::IsNull() const {
    return type_ == UaBuiltInType::Null;
}

std::optional<double> UaVariant::ToDouble() const {
    if (isArray_) return std::nullopt;
    switch (type_) {
    case UaBuiltInType::Boolean:
        return AsDouble<bool>(value_);
    case UaBuiltInType::SByte:
        return AsDouble<qint8>(value_);
    case UaBuiltInType::Byte:
        return AsDouble<quint8>(value_);
    case UaBuiltInType::Int16:
        return AsDouble<qint16>(value_);
    case UaBuiltInType::UInt16:
        return AsDouble<quint16>(value_);
    case UaBuiltInType::Int32:
        return AsDouble<qint32>(value_);
    case UaBuiltInType::UInt32:
        return AsDouble<quint32>(value_);
    case UaBuiltInType::Int64:
        return AsDouble<qint64>(value_);
    case UaBuiltInType::UInt64:
        return AsDouble<quint64>(value_);
    case UaBuiltInType::Float:
        return AsDouble<float>(value_);
    case UaBuiltInType::Double:
        return AsDouble<double>(value_);
    default:
        return std::nullopt;
    }
}

bool UaVariant::DimensionsFit(const QList<qint32>& dimensions, qsizetype count) {
    if (dimensions.isEmpty()) return false;
    if (std::any_of(dimensions.begin(), dimensions.end(), [](qint32 d) { return d <= 0; }))
        return count == 0;
    qint64 product = 1;
    for (qint32 dimension : dimensions) {
        // Both factors stay at or below 2^31, so the product cannot overflow before this stop.
        product *= dimension;
        if (product > count) return false;
    }
    return product == count;
}
