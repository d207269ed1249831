// Declared defaults of published properties: one table per class, so that stored
// descriptions hold only values that differ from them. A class declares its table next to
// its definition, with a registration object in its .cpp:
//
//     const PropertyDefaults::Registration defaults(TiKnob::staticMetaObject, {
//         {"BorderStyle", ibsNone},
//         {"TickLabelMargin", 15},
//         {"TickLabelFont.Name", QStringLiteral("Arial")},
//         {"ItemIndex", PropertyDefaults::NoDefault()},
//     });
//
// Looking up a path goes up the inheritance chain, a derived class's entry overriding its
// base's; an owner's entry for a sub-object's property ("TickLabelFont.Name") overrides the
// table of the sub-object's own class. NoDefault() withdraws an inherited default, so the
// property is always stored.
#pragma once

#include "platform/PropertyWalker.h"

#include <QMetaObject>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <optional>
#include <utility>

namespace PropertyDefaults {

class Registration {
public:
    Registration(const QMetaObject& metaObject,
                 std::initializer_list<std::pair<const char*, QVariant>> defaults);
};

inline QVariant NoDefault() {
    return QVariant();
}

// The declared default of the property at path, in the property's canonical form; nothing
// when none is declared (the property is then always stored) or the path names nothing.
std::optional<QVariant> Declared(QObject* object, const QString& path);

// Whether the property holds its declared default; false without one. A declared default
// that the property cannot hold raises EConvertError, as that is a fault of the table.
bool IsDefault(QObject* object, const QString& path);

// What a stored description holds: the stored values that differ from their defaults.
QList<PropertyDescriptor> ValuesToStore(QObject* object);

} // namespace PropertyDefaults
