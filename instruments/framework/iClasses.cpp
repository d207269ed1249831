#include "instruments/framework/iClasses.h"

#include "platform/Exception.h"
#include "platform/FileBytes.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>

namespace {

constexpr qsizetype MaxStringLength = 255;

struct Entity {
    char Character;
    const char* Text;
};

// "&" first when escaping, so the "&" of an entity just written is not escaped again.
constexpr std::array<Entity, 3> Entities{{{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}}};

QString EscapedValue(const QString& value) {
    QString text = value;
    for (const Entity& entity : Entities)
        text.replace(QChar(entity.Character), QLatin1String(entity.Text));
    return text;
}

QString UnescapedValue(QByteArrayView bytes) {
    QByteArray text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto entity = std::find_if(Entities.begin(), Entities.end(), [&](const Entity& e) {
            return bytes.sliced(i).startsWith(QByteArrayView(e.Text));
        });
        if (entity == Entities.end()) {
            text += bytes[i];
            continue;
        }
        text += entity->Character;
        i += qsizetype(qstrlen(entity->Text)) - 1;
    }
    return QString::fromUtf8(text);
}

QString NameBeforeBlank(const QByteArray& tag) {
    const qsizetype blank = tag.indexOf(' ');
    return QString::fromUtf8(blank < 0 ? tag : tag.left(blank));
}

} // namespace

void TiMemoryStream::SetData(const QByteArray& data) {
    data_ = data;
    position_ = 0;
}

void TiMemoryStream::SetPosition(qsizetype value) {
    position_ = std::clamp<qsizetype>(value, 0, data_.size());
}

void TiMemoryStream::Clear() {
    SetData(QByteArray());
}

void TiMemoryStream::SaveToFile(const QString& fileName) const {
    SaveBytesToFile(fileName, data_);
}

void TiMemoryStream::LoadFromFile(const QString& fileName) {
    SetData(LoadBytesFromFile(fileName));
}

void TiMemoryStream::WriteString(const QString& Text) {
    if (Text.size() > MaxStringLength) throw Exception("String Exceeds 255 Characters");
    Write(Text.toUtf8());
}

void TiMemoryStream::WriteCRLF() {
    Write(QByteArrayLiteral("\r\n"));
}

void TiMemoryStream::WriteStringCRLF(const QString& Text) {
    WriteString(Text);
    WriteCRLF();
}

char TiMemoryStream::ReadChar() {
    if (position_ >= data_.size()) throw Exception("EOF");
    const char c = data_[position_++];
    if (position_ == data_.size()) throw Exception("EOF");
    return c;
}

void TiMemoryStream::Unread() {
    SetPosition(position_ - 1);
}

void TiMemoryStream::Write(const QByteArray& bytes) {
    const qsizetype end = position_ + bytes.size();
    if (end > data_.size()) data_.resize(end);
    std::copy(bytes.begin(), bytes.end(), data_.begin() + position_);
    position_ = end;
}

void TiXMLMemoryStream::StartElement(const QString& Name) {
    WriteStringCRLF(u'<' + Name + u'>');
}

void TiXMLMemoryStream::EndElement(const QString& Name) {
    WriteStringCRLF(QStringLiteral("</") + Name + u'>');
}

void TiXMLMemoryStream::WriteElement(const QString& Name, const QString& Value) {
    WriteStringCRLF(u'<' + Name + u'>' + EscapedValue(Value) + QStringLiteral("</") + Name + u'>');
}

QString TiXMLMemoryStream::GetNameElementStart() {
    ReadUntil('<');
    while (ReadChar() == '/')
        ReadUntil('<');
    Unread();
    return ReadTagName();
}

void TiXMLMemoryStream::GotoElementStart(const QString& Name) {
    while (GetNameElementStart() != Name) {
    }
}

QString TiXMLMemoryStream::GetElementValue() {
    return ReadTextRun();
}

QString TiXMLMemoryStream::GetNameElementStop() {
    if (ReadChar() != '<') throw Exception("XML Parsing Error - \"<\" not Found");
    if (ReadChar() != '/') throw Exception("XML Parsing Error - \"/\" not Found");
    return ReadTagName();
}

void TiXMLMemoryStream::GetElement(const QString& Name, QString& Value) {
    GotoElementStart(Name);
    Value = GetElementValue();
    while (GetNameElementStop() != Name) {
    }
}

QString TiXMLMemoryStream::GetNextPiece() {
    char c = ReadChar();
    while (c == '\r' || c == '\n')
        c = ReadChar();
    if (c == '<') return QString::fromUtf8(ReadUntil('>'));
    Unread();
    return ReadTextRun();
}

QString TiXMLMemoryStream::PeekNextPiece() {
    const qsizetype start = Position();
    try {
        QString piece = GetNextPiece();
        SetPosition(start);
        return piece;
    } catch (const Exception&) {
        SetPosition(start);
        throw;
    }
}

QByteArray TiXMLMemoryStream::ReadUntil(char stop) {
    QByteArray bytes;
    for (char c = ReadChar(); c != stop; c = ReadChar())
        bytes += c;
    return bytes;
}

QString TiXMLMemoryStream::ReadTagName() {
    return NameBeforeBlank(ReadUntil('>'));
}

QString TiXMLMemoryStream::ReadTextRun() {
    const QByteArray bytes = ReadUntil('<');
    Unread();
    return UnescapedValue(bytes);
}
