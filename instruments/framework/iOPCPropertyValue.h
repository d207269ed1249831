// How a live value becomes the value of the property it is bound to: the value as text, read
// by the kind of the property.
#pragma once

#include "platform/PropertyWalker.h"

#include <QVariant>
#include <optional>

// Booleans: the trimmed text "0", "false", "off" (any case) or any numeric zero is false, any
// other text true. Ordinals: an integer, or a number rounded half to even; enumerations also
// take "True" and "False" as 1 and 0. Floats: a number. Strings: the text. Nothing for a text
// that is no number where one is needed, and for kinds that take no value.
std::optional<QVariant> OPCPropertyValue(TPropertyKind kind, const QVariant& value);
