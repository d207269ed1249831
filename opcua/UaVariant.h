// A value of one built-in type, a scalar or an array, as reads, writes and notifications carry
// it. The value sits in a QVariant of the type's representation, so numbers cost no allocation.
#pragma once

#include <QList>
#include <QMetaType>
#include <QVariant>
#include <QVariantList>
#include <optional>

// Defined with its values in UaBuiltInTypes.h, which is included at the end.
enum class UaBuiltInType : quint8;

// The representations: bool, qint8, quint8, qint16, quint16, qint32, quint32, qint64,
// quint64, float, double, QString, qint64 ticks (DateTime), QUuid, QByteArray (ByteString and
// XmlElement), UaNodeId, UaExpandedNodeId, quint32 (StatusCode), UaQualifiedName,
// UaLocalizedText, UaExtensionObject, UaDataValue, UaDiagnosticInfo; an array holds a
// QVariantList of them, and an array of Variant a QVariantList of UaVariant.
class UaVariant {
public:
    UaVariant() = default; // null

    // Converts a number to the type when it is exactly representable (integers and Boolean),
    // or rounds it (Float and Double, refusing what overflows); a QDateTime becomes DateTime
    // ticks. Anything else of another type than the representation raises Exception. A scalar
    // of type Variant is the UaVariant it holds; type Null gives the null variant.
    static UaVariant Scalar(UaBuiltInType type, const QVariant& value);
    // Each value is converted as by Scalar. Dimensions, when given, must multiply to the
    // count of values (a dimension of 0 or less to no values), or Exception is raised.
    static UaVariant Array(UaBuiltInType type, const QVariantList& values,
                           const QList<qint32>& dimensions = {});

    UaBuiltInType Type() const { return type_; }
    bool IsArray() const { return isArray_; }
    bool IsNull() const;
    const QVariant& Value() const { return value_; }
    const QList<qint32>& Dimensions() const { return dimensions_; }

    // The scalar as a double when the type is Boolean or a number; nothing otherwise.
    std::optional<double> ToDouble() const;

    friend bool operator==(const UaVariant&, const UaVariant&) = default;

private:
    friend class UaBinaryReader;
    UaVariant(UaBuiltInType type, bool isArray, QVariant value, QList<qint32> dimensions);
    // Whether the dimensions account for exactly that many values, without overflowing.
    static bool DimensionsFit(const QList<qint32>& dimensions, qsizetype count);

    UaBuiltInType type_{};
    bool isArray_ = false;
    QVariant value_;
    QList<qint32> dimensions_;
};

Q_DECLARE_METATYPE(UaVariant)

// A data value holds a variant and a variant may hold a data value, so the two headers meet
// here: whichever is included first, both types are complete after it.
#include "opcua/UaBuiltInTypes.h"
