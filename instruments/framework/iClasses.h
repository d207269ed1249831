// The library's memory streams: a growable byte stream that writes lines of text, and on top
// of it the minimal XML writer and forward-only reader that property schemes are kept with.
#pragma once

#include <QByteArray>
#include <QString>

// Text is written one byte per character for ASCII and in UTF-8 beyond it, and read back the
// same way.
class TiMemoryStream {
public:
    const QByteArray& Data() const { return data_; }
    void SetData(const QByteArray& data);
    qsizetype Size() const { return data_.size(); }
    qsizetype Position() const { return position_; }
    // Kept within 0..Size.
    void SetPosition(qsizetype value);
    void Clear();
    // Failures raise "Cannot create file "<name>"" and "Cannot open file "<name>"".
    void SaveToFile(const QString& fileName) const;
    void LoadFromFile(const QString& fileName);

    // The characters of Text without terminator at the position; a text of 256 characters or
    // more raises "String Exceeds 255 Characters".
    void WriteString(const QString& Text);
    void WriteCRLF();
    void WriteStringCRLF(const QString& Text);
    // Raises "EOF" when nothing is left to read, and also when the byte read was the last one.
    char ReadChar();

protected:
    // Moves back over the byte just read, which the next read gives again.
    void Unread();

private:
    void Write(const QByteArray& bytes);

    QByteArray data_;
    qsizetype position_ = 0;
};

// Elements one per line: a start tag, an end tag, or a start tag, value and end tag. Tags
// have no attributes; declarations and comments are not written. "<", ">" and "&" inside a
// value are written as "&lt;", "&gt;" and "&amp;" and read back, so any value survives; a
// "&" that starts none of these reads as itself.
class TiXMLMemoryStream : public TiMemoryStream {
public:
    // Each line is limited as WriteString is.
    void StartElement(const QString& Name);
    void EndElement(const QString& Name);
    void WriteElement(const QString& Name, const QString& Value);

    // The name of the next start tag, end tags before it skipped; a name ends at its first
    // blank, the rest of the tag being skipped.
    QString GetNameElementStart();
    // Reads start tags until one named Name (case-sensitive) has been read.
    void GotoElementStart(const QString& Name);
    // The text up to the next "<", which is left unread.
    QString GetElementValue();
    // Reads the end tag at the position; raises "XML Parsing Error - "<" not Found" or
    // "XML Parsing Error - "/" not Found" when there is none.
    QString GetNameElementStop();
    // The value of the next element named Name; its end tag and those of elements it
    // closes are read too.
    void GetElement(const QString& Name, QString& Value);
    // After any CR and LF, the inner text of the next tag ("Scheme", "/Scheme") or the next
    // text run, which ends before the next "<".
    QString GetNextPiece();
    QString PeekNextPiece();

private:
    // The bytes up to the stop byte, which is read too.
    QByteArray ReadUntil(char stop);
    // The bytes of a tag's inside up to ">", the name ending at the first blank.
    QString ReadTagName();
    QString ReadTextRun();
};
