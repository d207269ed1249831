#include "platform/PropertyWalker.h"

#include "platform/CaselessKey.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <functional>
#include <limits>
#include <unordered_map>

namespace {

// Qt's classes are named Q followed by a capital; the system's own never are.
bool IsQtClass(const QMetaObject& metaObject) {
    const char* name = metaObject.className();
    return name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z';
}

struct IntegerRange {
    qint64 Min;
    qint64 Max;
};

template <typename T> constexpr IntegerRange RangeOf() {
    return {qint64(std::numeric_limits<T>::min()), qint64(std::numeric_limits<T>::max())};
}

std::optional<IntegerRange> IntegerRangeOf(const QMetaType& type) {
    switch (type.id()) {
    case QMetaType::Int:
        return RangeOf<int>();
    case QMetaType::UInt:
        return RangeOf<unsigned>();
    case QMetaType::Short:
        return RangeOf<short>();
    case QMetaType::UShort:
        return RangeOf<unsigned short>();
    case QMetaType::Char:
        return RangeOf<char>();
    case QMetaType::SChar:
        return RangeOf<signed char>();
    case QMetaType::UChar:
        return RangeOf<unsigned char>();
    case QMetaType::Long:
        return RangeOf<long>();
    case QMetaType::LongLong:
        return RangeOf<qlonglong>();
    default:
        return std::nullopt;
    }
}

TPropertyKind KindOf(const QMetaProperty& property) {
    if (property.isFlagType()) return TPropertyKind::Set;
    if (property.isEnumType()) return TPropertyKind::Enumeration;
    const QMetaType type = property.metaType();
    if (IntegerRangeOf(type)) {
        const bool color = type.id() == QMetaType::Int &&
                           QByteArray(property.name()).endsWith(QByteArrayLiteral("Color"));
        return color ? TPropertyKind::Color : TPropertyKind::Integer;
    }
    switch (type.id()) {
    case QMetaType::Bool:
        return TPropertyKind::Boolean;
    case QMetaType::Double:
    case QMetaType::Float:
        return TPropertyKind::Float;
    case QMetaType::QString:
        return TPropertyKind::String;
    case QMetaType::QChar:
        return TPropertyKind::Character;
    default:
        break;
    }
    if (type.flags().testFlag(QMetaType::PointerToQObject)) return TPropertyKind::Object;
    return TPropertyKind::Other;
}

// What never changes about a class's published properties: their list, their names as text
// and where each name stands.
struct TClassProperties {
    QList<QMetaProperty> Published;
    QList<QString> Names;                  // of Published, in the same order
    QHash<TCaselessKey, qsizetype> ByName; // the first of each name, ignoring case; keys view Names
};

QList<QMetaProperty> WalkOrder(const QMetaObject& metaObject) {
    QList<const QMetaObject*> chain;
    for (const QMetaObject* m = &metaObject; m; m = m->superClass()) {
        if (!IsQtClass(*m)) chain.prepend(m);
    }
    QList<QMetaProperty> published;
    for (const QMetaObject* m : chain) {
        for (int i = m->propertyOffset(); i < m->propertyCount(); ++i) {
            const QMetaProperty property = m->property(i);
            const auto same = std::find_if(published.begin(), published.end(), [&](auto& p) {
                return qstrcmp(p.name(), property.name()) == 0;
            });
            if (same != published.end()) {
                *same = property;
            } else {
                published.append(property);
            }
        }
    }
    std::stable_partition(published.begin(), published.end(),
                          [](const QMetaProperty& p) { return p.isDesignable(); });
    return published;
}

// Every walk and look-up asks again for the same few classes. The caches are node-based, so an
// entry handed out stays in place while a walk adds others.
const TClassProperties& ClassProperties(const QMetaObject& metaObject) {
    thread_local std::unordered_map<const QMetaObject*, TClassProperties> cache;
    if (const auto cached = cache.find(&metaObject); cached != cache.end()) return cached->second;
    TClassProperties& properties = cache[&metaObject];
    properties.Published = WalkOrder(metaObject);
    for (const QMetaProperty& property : properties.Published)
        properties.Names.append(QString::fromLatin1(property.name()));
    // Backwards, so that of names equal but for case the first is the one found.
    for (qsizetype i = properties.Names.size(); i-- > 0;)
        properties.ByName[{properties.Names[i]}] = i;
    return properties;
}

struct TClassPrefix {
    const QMetaObject* MetaObject;
    QString Prefix;
    bool operator==(const TClassPrefix&) const = default;
};

struct TClassPrefixHash {
    size_t operator()(const TClassPrefix& key) const noexcept {
        return qHashMulti(0, key.MetaObject, key.Prefix);
    }
};

// The descriptors of a class's published properties under prefix, owned by no object yet:
// every walk of an object of the class asks for the same paths again, so they are made once.
const QList<PropertyDescriptor>& ClassDescriptors(const QMetaObject& metaObject,
                                                  const QString& prefix) {
    thread_local std::unordered_map<TClassPrefix, QList<PropertyDescriptor>, TClassPrefixHash>
        cache;
    TClassPrefix key{&metaObject, prefix};
    if (const auto cached = cache.find(key); cached != cache.end()) return cached->second;
    const TClassProperties& properties = ClassProperties(metaObject);
    QList<PropertyDescriptor> descriptors;
    descriptors.reserve(properties.Published.size());
    for (qsizetype i = 0; i < properties.Published.size(); ++i) {
        const QMetaProperty& property = properties.Published[i];
        const QString& name = properties.Names[i];
        descriptors.append({prefix.isEmpty() ? name : QString(prefix + u'.' + name), nullptr,
                            property, KindOf(property), property.isWritable(),
                            property.isStored()});
    }
    return cache.emplace(std::move(key), std::move(descriptors)).first->second;
}

// The descriptor of the published property at position of owner's class.
PropertyDescriptor MakeDescriptor(QObject* owner, qsizetype position, const QString& prefix,
                                  bool ownerStored) {
    PropertyDescriptor descriptor = ClassDescriptors(*owner->metaObject(), prefix)[position];
    descriptor.Owner = owner;
    descriptor.Stored = ownerStored && descriptor.Stored;
    return descriptor;
}

std::optional<qsizetype> FindPublished(const QMetaObject& metaObject, QStringView name) {
    const TClassProperties& properties = ClassProperties(metaObject);
    const auto found = properties.ByName.constFind({name});
    if (found == properties.ByName.constEnd()) return std::nullopt;
    return *found;
}

QObject* SubObject(const PropertyDescriptor& property) {
    return property.Property.read(property.Owner).value<QObject*>();
}

// Objects met on one walk: a handful, so a short list searched in turn.
using TVisited = QVarLengthArray<QObject*, 16>;

void Collect(QObject* object, const QString& prefix, bool stored, TVisited& visited,
             const std::function<void(const PropertyDescriptor&)>& Visit) {
    for (const PropertyDescriptor& cached : ClassDescriptors(*object->metaObject(), prefix)) {
        PropertyDescriptor descriptor = cached;
        descriptor.Owner = object;
        descriptor.Stored = stored && cached.Stored;
        Visit(descriptor);
        if (descriptor.Kind != TPropertyKind::Object) continue;
        QObject* child = SubObject(descriptor);
        if (!child || visited.contains(child)) continue;
        visited.append(child);
        Collect(child, descriptor.Path, descriptor.Stored, visited, Visit);
    }
}

void Walk(QObject* object, const std::function<void(const PropertyDescriptor&)>& Visit) {
    if (!object) return;
    TVisited visited{object};
    Collect(object, QString(), true, visited, Visit);
}

bool IsStoredValue(const PropertyDescriptor& property) {
    return property.IsValue() && property.Writable && property.Stored;
}

[[noreturn]] void RaiseBadValue(const PropertyDescriptor& property, const QString& value) {
    throw EConvertError(
        QStringLiteral("'%1' is not a valid value of %2").arg(value, property.Path));
}

qlonglong CheckedRange(const PropertyDescriptor& property, qlonglong value, qlonglong min,
                       qlonglong max) {
    if (value < min || value > max) RaiseBadValue(property, QString::number(value));
    return value;
}

qlonglong CheckedInteger(const PropertyDescriptor& property, qlonglong value) {
    const IntegerRange range = *IntegerRangeOf(property.Property.metaType());
    return CheckedRange(property, value, range.Min, range.Max);
}

// The declared position of an enumeration value; an undeclared value stays as it is and
// then fails the range check of its caller.
qlonglong PositionOf(const QMetaEnum& enumerator, int value) {
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (enumerator.value(i) == value) return i;
    }
    return value;
}

qlonglong CheckedOrdinal(const PropertyDescriptor& property, qlonglong ordinal) {
    return CheckedRange(property, ordinal, 0, property.Enumerator().keyCount() - 1);
}

qlonglong CheckedMask(const PropertyDescriptor& property, qlonglong mask) {
    const QMetaEnum enumerator = property.Enumerator();
    qlonglong all = 0;
    for (int i = 0; i < enumerator.keyCount(); ++i)
        all |= enumerator.value(i);
    if ((mask & ~all) != 0) RaiseBadValue(property, QString::number(mask));
    return mask;
}

qlonglong IntegerOf(const PropertyDescriptor& property, const QVariant& value) {
    const int type = value.metaType().id();
    if (type == QMetaType::Double || type == QMetaType::Float) return Round64(value.toDouble());
    if (type == QMetaType::QChar) return value.toChar().unicode();
    bool ok = false;
    const qlonglong integer = value.toLongLong(&ok);
    if (!ok) RaiseBadValue(property, value.toString());
    return integer;
}

bool IsEnumerationValue(const QVariant& value) {
    return value.metaType().flags().testFlag(QMetaType::IsEnumeration);
}

std::optional<qlonglong> NamedOrdinal(const QMetaEnum& enumerator, const QString& text) {
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (text.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0) return i;
    }
    if (text.compare(u"True", Qt::CaseInsensitive) == 0) return 1;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0) return 0;
    return std::nullopt;
}

bool BooleanOf(const QString& text, TBooleanText booleans) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    if (booleans == TBooleanText::AnyButZeroIsTrue) return trimmed != u"0";
    return StrToInt64(text) != 0;
}

bool FitsInt(const PropertyDescriptor& property) {
    const IntegerRange range = *IntegerRangeOf(property.Property.metaType());
    return range.Min >= std::numeric_limits<int>::min() &&
           range.Max <= std::numeric_limits<int>::max();
}

QVariant CanonicalText(const PropertyDescriptor& property, const QString& text,
                       TBooleanText booleans) {
    switch (property.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
        return CheckedInteger(property, FitsInt(property) ? StrToInt(text) : StrToInt64(text));
    case TPropertyKind::Character:
        return CheckedRange(property, StrToInt(text), 0, 0xFFFF);
    case TPropertyKind::Float:
        return TextToFloat(text);
    case TPropertyKind::Boolean:
        return BooleanOf(text, booleans);
    case TPropertyKind::Enumeration: {
        const auto named = NamedOrdinal(property.Enumerator(), text.trimmed());
        return CheckedOrdinal(property, named ? *named : StrToInt(text));
    }
    case TPropertyKind::Set:
        return CheckedMask(property, StrToInt64(text));
    case TPropertyKind::Object:
        RaiseBadValue(property, text);
    case TPropertyKind::String:
    case TPropertyKind::Other:
        break;
    }
    return text;
}

// The canonical value as the property's setter takes it.
QVariant Typed(const PropertyDescriptor& property, const QVariant& canonical) {
    switch (property.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Color: {
        QVariant typed = canonical;
        typed.convert(property.Property.metaType());
        return typed;
    }
    case TPropertyKind::Character:
        return QChar(char16_t(canonical.toLongLong()));
    case TPropertyKind::Enumeration:
        return property.Enumerator().value(int(canonical.toLongLong()));
    case TPropertyKind::Set:
        return int(canonical.toLongLong());
    default:
        return canonical;
    }
}

void WriteCanonical(const PropertyDescriptor& property, const QVariant& canonical) {
    if (!property.Writable) {
        throw Exception(QStringLiteral("Property '%1' is read-only").arg(property.Path));
    }
    if (!property.Property.write(property.Owner, Typed(property, canonical))) {
        throw Exception(QStringLiteral("Property '%1' could not be written").arg(property.Path));
    }
}

} // namespace

namespace PropertyWalker {

QList<QMetaProperty> Published(const QMetaObject& metaObject) {
    return ClassProperties(metaObject).Published;
}

QList<PropertyDescriptor> List(QObject* object) {
    QList<PropertyDescriptor> list;
    Walk(object, [&](const PropertyDescriptor& property) { list.append(property); });
    return list;
}

QList<PropertyDescriptor> StoredValues(QObject* object) {
    QList<PropertyDescriptor> values;
    ForEachStoredValue(object,
                       [&](const PropertyDescriptor& property) { values.append(property); });
    return values;
}

void ForEachStoredValue(QObject* object,
                        const std::function<void(const PropertyDescriptor&)>& Visit) {
    Walk(object, [&](const PropertyDescriptor& property) {
        if (IsStoredValue(property)) Visit(property);
    });
}

std::optional<PropertyDescriptor> Find(QObject* object, const QString& path) {
    QObject* owner = object;
    QString prefix;
    bool stored = true;
    for (qsizetype start = 0; owner;) {
        const qsizetype dot = path.indexOf(u'.', start);
        const QStringView part = QStringView(path).mid(start, dot < 0 ? -1 : dot - start);
        const auto position = FindPublished(*owner->metaObject(), part);
        if (!position) return std::nullopt;
        const PropertyDescriptor descriptor = MakeDescriptor(owner, *position, prefix, stored);
        if (dot < 0) return descriptor;
        if (descriptor.Kind != TPropertyKind::Object) return std::nullopt;
        owner = SubObject(descriptor);
        prefix = descriptor.Path;
        stored = descriptor.Stored;
        start = dot + 1;
    }
    return std::nullopt;
}

PropertyDescriptor Describe(QObject* object, const QString& path) {
    if (auto descriptor = Find(object, path)) return *descriptor;
    const QString className =
        object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("nil");
    throw Exception(QStringLiteral("Unknown property '%1' of %2").arg(path, className));
}

QVariant Read(const PropertyDescriptor& property) {
    const QVariant raw = property.Property.read(property.Owner);
    switch (property.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
    case TPropertyKind::Set:
        return raw.toLongLong();
    case TPropertyKind::Character:
        return qlonglong(raw.toChar().unicode());
    case TPropertyKind::Enumeration:
        return PositionOf(property.Enumerator(), raw.toInt());
    case TPropertyKind::Boolean:
        return raw.toBool();
    case TPropertyKind::Float:
        return raw.toDouble();
    case TPropertyKind::String:
        return raw.toString();
    case TPropertyKind::Object:
        return QVariant::fromValue(raw.value<QObject*>());
    case TPropertyKind::Other:
        break;
    }
    return raw;
}

QVariant Read(QObject* object, const QString& path) {
    return Read(Describe(object, path));
}

QVariant Canonical(const PropertyDescriptor& property, const QVariant& value) {
    if (value.metaType().id() == QMetaType::QString) {
        return CanonicalText(property, value.toString(), TBooleanText::Integer);
    }
    switch (property.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
        return CheckedInteger(property, IntegerOf(property, value));
    case TPropertyKind::Character:
        return CheckedRange(property, IntegerOf(property, value), 0, 0xFFFF);
    case TPropertyKind::Enumeration:
        return CheckedOrdinal(property, IsEnumerationValue(value)
                                            ? PositionOf(property.Enumerator(), value.toInt())
                                            : IntegerOf(property, value));
    case TPropertyKind::Set:
        return CheckedMask(property, IntegerOf(property, value));
    case TPropertyKind::Boolean:
        return IntegerOf(property, value) != 0;
    case TPropertyKind::Float: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok) RaiseBadValue(property, value.toString());
        return number;
    }
    case TPropertyKind::String:
        return value.toString();
    case TPropertyKind::Object:
        return QVariant::fromValue(value.value<QObject*>());
    case TPropertyKind::Other:
        break;
    }
    return value;
}

void Write(const PropertyDescriptor& property, const QVariant& value) {
    WriteCanonical(property, Canonical(property, value));
}

void Write(QObject* object, const QString& path, const QVariant& value) {
    Write(Describe(object, path), value);
}

QString ReadText(const PropertyDescriptor& property) {
    const QVariant value = Read(property);
    switch (property.Kind) {
    case TPropertyKind::Float:
        return FloatToText(value.toDouble());
    case TPropertyKind::Boolean:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case TPropertyKind::Object:
        return QString();
    case TPropertyKind::String:
    case TPropertyKind::Other:
        return value.toString();
    default:
        return IntToStr(value.toLongLong());
    }
}

QString ReadText(QObject* object, const QString& path) {
    return ReadText(Describe(object, path));
}

void WriteText(const PropertyDescriptor& property, const QString& text, TBooleanText booleans) {
    WriteCanonical(property, CanonicalText(property, text, booleans));
}

void WriteText(QObject* object, const QString& path, const QString& text, TBooleanText booleans) {
    WriteText(Describe(object, path), text, booleans);
}

} // namespace PropertyWalker
