// Values, types and qualities between OPC UA and the data-access layer: variants to the
// values items receive and back to a node's data type, data types to variant type codes,
// status codes to quality words.
#pragma once

#include "opcua/UaBuiltInTypes.h"
#include "platform/DataAccess.h"

#include <QVariant>
#include <optional>

// The built-in type that carries values of the data type, for the built-in types and their
// common subtypes; nothing for others (their values then say their type themselves).
std::optional<UaBuiltInType> UaBuiltInTypeOfDataType(const UaNodeId& dataType);
// The variant type code of the data type; vtVariant when it has none of its own.
quint16 UaVarTypeOfDataType(const UaNodeId& dataType);
// What an item receives: numbers as numbers, texts as strings, times as QDateTime (UTC),
// names and identifiers as their text, arrays as lists; a structure as an empty value.
QVariant UaToItemValue(const UaVariant& value);
// A value an item writes, converted to the type; nothing when it does not convert exactly
// (a number out of range, a text that is no number, a kind the type cannot hold).
std::optional<UaVariant> UaFromItemValue(const QVariant& value, UaBuiltInType type);
// The quality word of a status code: good, uncertain or bad with the reasons both sides know.
quint16 UaQualityOfStatus(quint32 status);
// One data change as an item receives it: its value, quality and the source time (the
// server's when the source gave none).
TDataAccessItemValue UaItemValue(quint32 clientHandle, const UaDataValue& value);
