#include "instruments/framework/iClasses.h"
#include "RaisedMessage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TiXMLMemoryStream StreamOf(const char* text) {
    TiXMLMemoryStream stream;
    stream.SetData(QByteArray(text));
    return stream;
}

} // namespace

TEST(TiMemoryStream, WritesLinesOfAtMost255CharactersAndReadsUpToTheLastByte) {
    TiMemoryStream stream;
    stream.WriteStringCRLF(QString(255, u'a'));
    EXPECT_EQ(RaisedMessage([&] { stream.WriteString(QString(256, u'b')); }),
              "String Exceeds 255 Characters");
    EXPECT_EQ(stream.Size(), 257);
    stream.SetPosition(0);
    stream.Clear();
    stream.WriteString(QStringLiteral("ab"));
    stream.WriteCRLF();
    EXPECT_EQ(stream.Data(), QByteArray("ab\r\n"));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadChar(), 'a');
    EXPECT_EQ(stream.ReadChar(), 'b');
    EXPECT_EQ(stream.ReadChar(), '\r');
    EXPECT_EQ(RaisedMessage([&] { stream.ReadChar(); }), "EOF"); // the last byte
    EXPECT_EQ(RaisedMessage([&] { stream.ReadChar(); }), "EOF"); // nothing left
}

TEST(TiMemoryStream, KeepsTextBeyondAsciiAndSurvivesAFile) {
    QTemporaryDir dir;
    TiXMLMemoryStream stream;
    stream.WriteElement(QStringLiteral("Caption"), QStringLiteral("numérique Ω"));
    stream.SaveToFile(dir.filePath("a.xml"));
    TiXMLMemoryStream read;
    read.LoadFromFile(dir.filePath("a.xml"));
    QString value;
    read.GetElement(QStringLiteral("Caption"), value);
    EXPECT_EQ(value, QStringLiteral("numérique Ω"));
    EXPECT_EQ(RaisedMessage([&] { read.LoadFromFile(dir.filePath("none.xml")); }),
              QStringLiteral("Cannot open file \"%1\"").arg(dir.filePath("none.xml")));
}

TEST(TiXMLMemoryStream, WritesOneElementPerLine) {
    TiXMLMemoryStream stream;
    stream.StartElement(QStringLiteral("SchemeTypes"));
    stream.WriteElement(QStringLiteral("Name"), QStringLiteral("Color Scheme"));
    stream.EndElement(QStringLiteral("SchemeTypes"));
    EXPECT_EQ(stream.Data(),
              QByteArray("<SchemeTypes>\r\n<Name>Color Scheme</Name>\r\n</SchemeTypes>\r\n"));
    EXPECT_EQ(RaisedMessage([&] { stream.WriteElement("Name", QString(250, u'x')); }),
              "String Exceeds 255 Characters");
}

TEST(TiXMLMemoryStream, ValuesHoldingMarkupCharactersAreEscapedAndReadBack) {
    TiXMLMemoryStream stream;
    stream.StartElement(QStringLiteral("Properties"));
    stream.WriteElement(QStringLiteral("Caption"), QStringLiteral("a<b> & c&lt;"));
    stream.WriteElement(QStringLiteral("Units"), QStringLiteral("Hz"));
    stream.EndElement(QStringLiteral("Properties"));
    EXPECT_TRUE(stream.Data().contains("<Caption>a&lt;b&gt; &amp; c&amp;lt;</Caption>"));
    EXPECT_TRUE(stream.Data().contains("<Units>Hz</Units>"));
    stream.SetPosition(0);
    QString value;
    stream.GetElement(QStringLiteral("Caption"), value);
    EXPECT_EQ(value, QStringLiteral("a<b> & c&lt;"));
    // A file written before the escapes keeps a bare "&" as it is.
    TiXMLMemoryStream old = StreamOf("<Name>R&D &amp</Name>\r\n");
    old.GetElement(QStringLiteral("Name"), value);
    EXPECT_EQ(value, QStringLiteral("R&D &amp"));
}

TEST(TiXMLMemoryStream, ReadsTagsAndPiecesForward) {
    TiXMLMemoryStream stream =
        StreamOf("<SchemeTypes>\r\n<SchemeType kind=\"x\">\r\n<Name>Color</Name>\r\n"
                 "</SchemeType>\r\n</SchemeTypes>\r\n<Next>\r\n");
    EXPECT_EQ(stream.PeekNextPiece(), "SchemeTypes");
    EXPECT_EQ(stream.GetNextPiece(), "SchemeTypes");
    EXPECT_EQ(stream.GetNameElementStart(), "SchemeType"); // the name ends at the blank
    EXPECT_EQ(stream.GetNameElementStart(), "Name");
    EXPECT_EQ(stream.PeekNextPiece(), "Color");
    EXPECT_EQ(stream.GetElementValue(), "Color");
    EXPECT_EQ(stream.GetNameElementStop(), "Name");
    EXPECT_EQ(stream.GetNextPiece(), "/SchemeType");
    stream.SetPosition(0);
    // Any number of end tags before the next start tag are passed over.
    stream.GotoElementStart(QStringLiteral("Name"));
    EXPECT_EQ(stream.GetNameElementStart(), "Next");
}

TEST(TiXMLMemoryStream, MissingTagsAndTruncatedStreamsRaiseInsteadOfLooping) {
    TiXMLMemoryStream stream = StreamOf("<a>v</a>\r\n");
    EXPECT_EQ(RaisedMessage([&] { stream.GetNameElementStop(); }),
              "XML Parsing Error - \"/\" not Found");
    stream = StreamOf("text<a>");
    EXPECT_EQ(RaisedMessage([&] { stream.GetNameElementStop(); }),
              "XML Parsing Error - \"<\" not Found");
    stream = StreamOf("<Scheme><Name>no end");
    EXPECT_EQ(RaisedMessage([&] { stream.GotoElementStart(QStringLiteral("Other")); }), "EOF");
    stream.SetPosition(0);
    QString value;
    EXPECT_EQ(RaisedMessage([&] { stream.GetElement(QStringLiteral("Name"), value); }), "EOF");
}
