#include "instruments/framework/iOPCPropertyValue.h"

#include <cmath>

namespace {

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Half to even, so that a value halfway between two ordinals does not always go up.
std::optional<QVariant> Ordinal(const QString& text) {
    bool ok = false;
    const qlonglong exact = text.toLongLong(&ok);
    if (ok) return QVariant(exact);
    const std::optional<double> number = Number(text);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);
    constexpr double limit = 9.2e18;
    if (std::fabs(rounded) > limit) return std::nullopt;
    return QVariant(qlonglong(rounded));
}

bool BooleanOf(const QString& text) {
    for (const char* no : {"0", "false", "off"})
        if (text.compare(QLatin1String(no), Qt::CaseInsensitive) == 0) return false;
    const std::optional<double> number = Number(text);
    return !number || *number != 0.0;
}

} // namespace

std::optional<QVariant> OPCPropertyValue(TPropertyKind kind, const QVariant& value) {
    const QString text = value.toString().trimmed();
    switch (kind) {
    case TPropertyKind::Boolean:
        return QVariant(BooleanOf(text));
    case TPropertyKind::Enumeration:
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return QVariant(1LL);
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return QVariant(0LL);
        return Ordinal(text);
    case TPropertyKind::Integer:
    case TPropertyKind::Character:
    case TPropertyKind::Set:
    case TPropertyKind::Color:
        return Ordinal(text);
    case TPropertyKind::Float: {
        const std::optional<double> number = Number(text);
        if (!number) return std::nullopt;
        return QVariant(*number);
    }
    case TPropertyKind::String:
        return QVariant(value.toString());
    case TPropertyKind::Object:
    case TPropertyKind::Other:
        return std::nullopt;
    }
    return std::nullopt;
}
