// The one walk over published properties: every reader and writer of properties by name
// (property files, plot files, schemes, the live-data binding, the editors) goes through it.
//
// Published properties are the Q_PROPERTYs declared by the system's own classes, inherited
// ones first, each class in declaration order; those declared by Qt's classes (objectName
// and the widget properties) are not published. A property a derived class declares again
// keeps its base position and takes the derived declaration. A property declared
// DESIGNABLE false is an extra stream value (a value stored twice, such as "PositionMax_2"):
// it follows every published property of the object, whichever class declared it, so that
// stored descriptions and files read it after the values it repeats. Properties holding a QObject
// pointer are sub-objects, reached by dotted paths ("TickLabelFont.Name"). Path parts are
// matched without regard to case, as the files and the live-data binding require.
#pragma once

#include <QList>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

enum class TPropertyKind {
    Integer,
    Character,
    Float,
    String,
    Boolean,
    Enumeration, // a Q_ENUM; its ordinal is the position of the value in declared order
    Set,         // a Q_FLAG whose element n has the value 1 << n; the set is the bit mask
    Color,       // a TColor, which moc sees as int: an integer property named "...Color"
    Object,      // a sub-object; its own properties follow with the longer path
    Other,       // not published for files (events, variants, lists)
};

struct PropertyDescriptor {
    QString Path;           // the declared names, joined with "."
    QObject* Owner;         // the object holding the property: a sub-object for longer paths
    QMetaProperty Property; // on Owner
    TPropertyKind Kind;
    bool Writable; // the property has a setter
    bool Stored;   // STORED is true for it and for every sub-object on its path

    QString Name() const { return QString::fromLatin1(Property.name()); }
    QMetaEnum Enumerator() const { return Property.enumerator(); }
    // Values have a text form; sub-objects and other kinds do not.
    bool IsValue() const { return Kind != TPropertyKind::Object && Kind != TPropertyKind::Other; }
};

// How WriteText reads a boolean: files and schemes read an integer (any non-zero is true);
// the live-data binding also takes any text other than "0" as true.
enum class TBooleanText { Integer, AnyButZeroIsTrue };

namespace PropertyWalker {

// The published properties of one class, in walk order, without entering sub-objects.
QList<QMetaProperty> Published(const QMetaObject& metaObject);

// Every published property of object, depth first: a sub-object's entry is followed by its
// own properties. An object already met on the walk is not entered again, so a cycle of
// sub-objects cannot make the walk endless.
QList<PropertyDescriptor> List(QObject* object);

// The values that property files and plot files save and load: those with a setter and
// stored, in walk order.
QList<PropertyDescriptor> StoredValues(QObject* object);
// Each of StoredValues in turn, without making the list.
void ForEachStoredValue(QObject* object,
                        const std::function<void(const PropertyDescriptor&)>& Visit);

// The property at path; nothing when a part names no published property, or a part before
// the last is not a sub-object holding an object.
std::optional<PropertyDescriptor> Find(QObject* object, const QString& path);
// As Find, raising "Unknown property '<path>' of <class>" instead of giving nothing.
PropertyDescriptor Describe(QObject* object, const QString& path);

// Values in their canonical form: ordinals (integers, characters by code, enumerations by
// position, sets as masks, colours) as qlonglong; booleans as bool; floats as double;
// strings as QString; sub-objects as QObject*; other kinds as Qt gives them.
QVariant Read(const PropertyDescriptor& property);
QVariant Read(QObject* object, const QString& path);

// Converts value to the canonical form of the property's kind. A text converts as WriteText
// does; an enumeration also takes a value of its own type, a name or an ordinal; a value the
// property cannot hold (an ordinal past the last value, bits outside the set, an integer out
// of the property's range) raises EConvertError.
QVariant Canonical(const PropertyDescriptor& property, const QVariant& value);

// Writes through the property's setter; a property without setter raises
// "Property '<path>' of <class> is read-only".
void Write(const PropertyDescriptor& property, const QVariant& value);
void Write(QObject* object, const QString& path, const QVariant& value);

// The text form of files: ordinals in decimal (booleans 0 and 1), floats by FloatToText,
// strings as they are; empty for sub-objects.
QString ReadText(const PropertyDescriptor& property);
QString ReadText(QObject* object, const QString& path);

// Reads the text of files back: ordinals as integers (an enumeration also by the name of a
// value, and "True" and "False" in any case as 1 and 0), floats by TextToFloat, strings as
// they are. A text that does not convert raises EConvertError.
void WriteText(const PropertyDescriptor& property, const QString& text,
               TBooleanText booleans = TBooleanText::Integer);
void WriteText(QObject* object, const QString& path, const QString& text,
               TBooleanText booleans = TBooleanText::Integer);

} // namespace PropertyWalker
