#include "platform/PropertyDefaults.h"

#include <QHash>

namespace {

using Table = QHash<QString, QVariant>; // keyed by the lower-case path

// Filled by the registration objects during static initialisation, hence a function-local
// table: it exists before the first registration whatever the order of the units.
QHash<const QMetaObject*, Table>& Tables() {
    static QHash<const QMetaObject*, Table> tables;
    return tables;
}

// The entry for path in the class or its nearest ancestor that declares one.
std::optional<QVariant> Entry(const QMetaObject& metaObject, const QString& path) {
    const QString key = path.toLower();
    for (const QMetaObject* m = &metaObject; m; m = m->superClass()) {
        const auto table = Tables().constFind(m);
        if (table == Tables().constEnd()) continue;
        const auto entry = table->constFind(key);
        if (entry != table->constEnd()) return *entry;
    }
    return std::nullopt;
}

} // namespace

namespace PropertyDefaults {

Registration::Registration(const QMetaObject& metaObject,
                           std::initializer_list<std::pair<const char*, QVariant>> defaults) {
    Table& table = Tables()[&metaObject];
    for (const auto& [path, value] : defaults)
        table.insert(QString::fromLatin1(path).toLower(), value);
}

std::optional<QVariant> Declared(QObject* object, const QString& path) {
    const auto property = PropertyWalker::Find(object, path);
    if (!property) return std::nullopt;
    QObject* owner = object;
    QString rest = path;
    for (;;) {
        if (const auto entry = Entry(*owner->metaObject(), rest)) {
            if (!entry->isValid()) return std::nullopt;
            return PropertyWalker::Canonical(*property, *entry);
        }
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0) return std::nullopt;
        owner = PropertyWalker::Read(owner, rest.left(dot)).value<QObject*>();
        rest = rest.mid(dot + 1);
    }
}

bool IsDefault(QObject* object, const QString& path) {
    const auto declared = Declared(object, path);
    return declared && *declared == PropertyWalker::Read(PropertyWalker::Describe(object, path));
}

QList<PropertyDescriptor> ValuesToStore(QObject* object) {
    QList<PropertyDescriptor> values = PropertyWalker::StoredValues(object);
    values.removeIf(
        [&](const PropertyDescriptor& property) { return IsDefault(object, property.Path); });
    return values;
}

} // namespace PropertyDefaults
