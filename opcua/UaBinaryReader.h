// Decodes built-in values of OPC UA Binary from bytes a server sent. Nothing read is trusted:
// every read is bounds-checked, every length and count is checked against the bytes left and
// the limits before anything is allocated, and nesting is bounded.
#pragma once

#include "opcua/UaBuiltInTypes.h"
#include "opcua/UaNodeId.h"
#include "opcua/UaVariant.h"
#include "platform/Exception.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUuid>
#include <QtEndian>
#include <bit>

struct UaDecodeLimits {
    qint32 MaxStringLength = 16 * 1024 * 1024; // bytes of UTF-8
    qint32 MaxByteStringLength = 16 * 1024 * 1024;
    qint32 MaxArrayLength = 1'000'000;
    // Variants in variant arrays, data values in variants, inner diagnostic infos.
    int MaxDepth = 32;
};

// Says what was wrong and, when known, at which offset of the bytes it was found.
class UaDecodeError : public Exception {
public:
    explicit UaDecodeError(const QString& what, qsizetype offset = -1);
    qsizetype Offset() const { return offset_; } // -1 when not known

private:
    qsizetype offset_;
};

// Reads from a byte range it does not own, which must outlive it. Every Read raises
// UaDecodeError on malformed or truncated input, after which the reader is of no further use.
class UaBinaryReader {
public:
    UaBinaryReader(const char* data, qsizetype size, UaDecodeLimits limits = {});
    explicit UaBinaryReader(const QByteArray& bytes, UaDecodeLimits limits = {});
    // A temporary would be gone before the first read.
    UaBinaryReader(QByteArray&&, UaDecodeLimits = {}) = delete;

    // Any byte but 0 is true.
    bool ReadBoolean() { return ReadFixed<quint8>() != 0; }
    qint8 ReadSByte() { return ReadFixed<qint8>(); }
    quint8 ReadByte() { return ReadFixed<quint8>(); }
    qint16 ReadInt16() { return ReadFixed<qint16>(); }
    quint16 ReadUInt16() { return ReadFixed<quint16>(); }
    qint32 ReadInt32() { return ReadFixed<qint32>(); }
    quint32 ReadUInt32() { return ReadFixed<quint32>(); }
    qint64 ReadInt64() { return ReadFixed<qint64>(); }
    quint64 ReadUInt64() { return ReadFixed<quint64>(); }
    float ReadFloat() { return std::bit_cast<float>(ReadFixed<quint32>()); }
    double ReadDouble() { return std::bit_cast<double>(ReadFixed<quint64>()); }
    qint64 ReadDateTime() { return ReadInt64(); }
    quint32 ReadStatusCode() { return ReadUInt32(); }

    // Length -1 gives a null string, 0 an empty one; bytes that are not UTF-8 read as
    // replacement characters.
    QString ReadString();
    // Length -1 gives a null array; also the form of an XmlElement.
    QByteArray ReadByteString();
    QUuid ReadGuid();
    // Refuses the expanded flags, which only an ExpandedNodeId may carry.
    UaNodeId ReadNodeId();
    UaExpandedNodeId ReadExpandedNodeId();
    UaQualifiedName ReadQualifiedName();
    UaLocalizedText ReadLocalizedText();
    // The body is kept as bytes, not decoded.
    UaExtensionObject ReadExtensionObject();
    // Picoseconds of 10 000 and more read as 9 999.
    UaDataValue ReadDataValue();
    // Refuses type ids 26 and above, a Variant directly inside a Variant, dimensions on a
    // scalar, and dimensions that do not multiply to the count of values.
    UaVariant ReadVariant();
    UaDiagnosticInfo ReadDiagnosticInfo();

    // The count of an array, 0 for the null array (-1). Refuses other negative counts, counts
    // above MaxArrayLength and counts whose elements, at minimumElementSize bytes each
    // (1 at least), cannot fit in the bytes left.
    qint32 ReadArrayLength(qsizetype minimumElementSize);
    // Reads the count, then calls readOne(i) for each element.
    template <class F> void ReadArray(F&& readOne, qsizetype minimumElementSize = 1) {
        const qint32 count = ReadArrayLength(minimumElementSize);
        for (qint32 i = 0; i < count; ++i)
            readOne(i);
    }

    qsizetype Position() const { return position_; }
    qsizetype Remaining() const { return size_ - position_; }
    bool AtEnd() const { return position_ == size_; }
    // Both raise UaDecodeError for a negative count or one past the end.
    void Skip(qsizetype count);
    QByteArrayView Peek(qsizetype count) const;

private:
    // Counts one level of nesting for as long as it lives.
    class Nesting {
    public:
        explicit Nesting(UaBinaryReader& reader);
        ~Nesting() { --reader_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        UaBinaryReader& reader_;
    };

    template <class T> T ReadFixed() {
        Require(sizeof(T));
        T value = qFromLittleEndian<T>(data_ + position_);
        position_ += sizeof(T);
        return value;
    }
    void Require(qsizetype count) const {
        if (count > Remaining()) FailTruncated(count);
    }
    [[noreturn]] void FailTruncated(qsizetype count) const;
    [[noreturn]] void Fail(const QString& what) const;
    // The bytes of a length-prefixed string, or nothing for length -1.
    std::optional<QByteArrayView> ReadLengthPrefixed(qint32 maximum, const char* what);
    UaNodeId ReadNodeIdBody(quint8 encoding);
    QVariant ReadValue(UaBuiltInType type);

    const char* data_;
    qsizetype size_;
    qsizetype position_ = 0;
    UaDecodeLimits limits_;
    int depth_ = 0;
};
