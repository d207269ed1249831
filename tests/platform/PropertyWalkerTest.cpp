#include "platform/PropertyWalker.h"

#include "platform/Exception.h"
#include "tests/platform/PropertyFixtures.h"

#include <gtest/gtest.h>

namespace {

QStringList Paths(const QList<PropertyDescriptor>& list) {
    QStringList paths;
    for (const PropertyDescriptor& property : list)
        paths.append(property.Path);
    return paths;
}

class PropertyWalkerTest : public testing::Test {
protected:
    PropertyDescriptor At(const QString& path) { return PropertyWalker::Describe(&fixture, path); }

    TFixture fixture;
};

} // namespace

TEST_F(PropertyWalkerTest, ListsInheritedFirstInDeclaredOrderSkippingQtAndEnteringSubObjects) {
    fixture.setObjectName(QStringLiteral("ignored"));
    EXPECT_EQ(Paths(PropertyWalker::List(&fixture)),
              QStringList({"Count", "Ratio", "Active", "Shape", "Edges", "BackGroundColor",
                           "Character", "SegmentBits", "Part", "Part.Caption", "Part.FillColor",
                           "Part.Next", "Area", "Scratch"}));
}

TEST_F(PropertyWalkerTest, ClassifiesEveryKind) {
    EXPECT_EQ(At("Count").Kind, TPropertyKind::Integer);
    EXPECT_EQ(At("Ratio").Kind, TPropertyKind::Float);
    EXPECT_EQ(At("Active").Kind, TPropertyKind::Boolean);
    EXPECT_EQ(At("Shape").Kind, TPropertyKind::Enumeration);
    EXPECT_EQ(At("Edges").Kind, TPropertyKind::Set);
    EXPECT_EQ(At("BackGroundColor").Kind, TPropertyKind::Color);
    EXPECT_EQ(At("Character").Kind, TPropertyKind::Character);
    EXPECT_EQ(At("SegmentBits").Kind, TPropertyKind::Integer);
    EXPECT_EQ(At("Part").Kind, TPropertyKind::Object);
    EXPECT_EQ(At("Part.Caption").Kind, TPropertyKind::String);
    EXPECT_EQ(At("Part.Caption").Owner, fixture.Part());
}

TEST_F(PropertyWalkerTest, ReportsWritableAndStored) {
    EXPECT_FALSE(At("Area").Writable);
    EXPECT_TRUE(At("Area").Stored);
    EXPECT_TRUE(At("Scratch").Writable);
    EXPECT_FALSE(At("Scratch").Stored);
    EXPECT_TRUE(At("Part.Caption").Stored);
}

TEST_F(PropertyWalkerTest, PathsIgnoreCaseAndGiveTheDeclaredNames) {
    EXPECT_EQ(At("part.caption").Path, QStringLiteral("Part.Caption"));
    EXPECT_FALSE(PropertyWalker::Find(&fixture, QStringLiteral("objectName")));
    EXPECT_FALSE(PropertyWalker::Find(&fixture, QStringLiteral("Count.Caption")));
    EXPECT_FALSE(PropertyWalker::Find(&fixture, QStringLiteral("Part.Next.Caption")));
    try {
        At("Part.Missing");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unknown property 'Part.Missing' of TFixture"));
    }
}

TEST_F(PropertyWalkerTest, CycleOfSubObjectsIsEnteredOnce) {
    TFixturePart second;
    fixture.Part()->SetNext(&second);
    second.SetNext(fixture.Part());
    const QStringList paths = Paths(PropertyWalker::List(&fixture));
    EXPECT_TRUE(paths.contains(QStringLiteral("Part.Next.Next")));
    EXPECT_FALSE(paths.contains(QStringLiteral("Part.Next.Next.Caption")));
    PropertyWalker::WriteText(&fixture, QStringLiteral("Part.Next.Caption"), QStringLiteral("b"));
    EXPECT_EQ(second.Caption(), QStringLiteral("b"));
}

TEST_F(PropertyWalkerTest, SubObjectsAreWalkedAsTheClassTheyHoldNow) {
    TFixturePart plain;
    TFixtureLevelPart leveled;
    const auto paths = [this] { return Paths(PropertyWalker::List(&fixture)); };
    fixture.Part()->SetNext(&leveled);
    EXPECT_TRUE(paths().contains(QStringLiteral("Part.Next.Level")));
    fixture.Part()->SetNext(&plain);
    EXPECT_FALSE(paths().contains(QStringLiteral("Part.Next.Level")));
    EXPECT_FALSE(PropertyWalker::Find(&fixture, QStringLiteral("part.next.level")));
    fixture.Part()->SetNext(&leveled);
    PropertyWalker::WriteText(&fixture, QStringLiteral("part.next.LEVEL"), QStringLiteral("7"));
    EXPECT_EQ(leveled.Level(), 7);
    EXPECT_EQ(At(QStringLiteral("PART.NEXT.LEVEL")).Path, QStringLiteral("Part.Next.Level"));
    EXPECT_EQ(At(QStringLiteral("Part.Next.Level")).Owner, &leveled);
    // The same class under another path describes the other path.
    TFixtureLevelPart first;
    first.SetNext(&leveled);
    EXPECT_EQ(Paths(PropertyWalker::List(&first)),
              QStringList({"Caption", "FillColor", "Next", "Next.Caption", "Next.FillColor",
                           "Next.Next", "Next.Level", "Level"}));
}

TEST_F(PropertyWalkerTest, TextFormIsOrdinalsAndLocaleIndependentFloats) {
    fixture.SetActive(true);
    fixture.SetShape(TFixture::isTriangle);
    fixture.SetEdges(TFixture::ieLeft | TFixture::ieTop);
    fixture.SetRatio(-3.14159265358979);
    fixture.SetCharacter(u'A');
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("Active")), u"1");
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("Shape")), u"2");
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("Edges")), u"3");
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("Ratio")), u"-3.14159265358979");
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("Character")), u"65");
    EXPECT_EQ(PropertyWalker::ReadText(&fixture, QStringLiteral("BackGroundColor")),
              u"-2147483633");
}

TEST_F(PropertyWalkerTest, WriteTextConvertsToEveryKind) {
    const auto write = [&](const char* path, const char* text) {
        PropertyWalker::WriteText(&fixture, QString::fromLatin1(path), QString::fromLatin1(text));
    };
    write("Count", "-7");
    write("Ratio", "1.5E20");
    write("Active", "1");
    write("Shape", "1");
    write("Edges", "12");
    write("BackGroundColor", "255");
    write("Character", "66");
    write("Part.Caption", " spaced ");
    EXPECT_EQ(fixture.Count(), -7);
    EXPECT_EQ(fixture.Ratio(), 1.5e20);
    EXPECT_TRUE(fixture.Active());
    EXPECT_EQ(fixture.Shape(), TFixture::isSquare);
    EXPECT_EQ(fixture.Edges(), TFixture::ieRight | TFixture::ieBottom);
    EXPECT_EQ(fixture.BackGroundColor(), clRed);
    EXPECT_EQ(fixture.Character(), u'B');
    EXPECT_EQ(fixture.Part()->Caption(), QStringLiteral(" spaced "));
}

TEST_F(PropertyWalkerTest, EnumerationsAndBooleansAlsoReadNamesAndTrueFalse) {
    PropertyWalker::WriteText(&fixture, QStringLiteral("Shape"), QStringLiteral("ISTRIANGLE"));
    EXPECT_EQ(fixture.Shape(), TFixture::isTriangle);
    PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("true"));
    EXPECT_TRUE(fixture.Active());
    PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("False"));
    EXPECT_FALSE(fixture.Active());
    PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("7"));
    EXPECT_TRUE(fixture.Active());
    EXPECT_THROW(
        PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("on")),
        EConvertError);
    PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("0"));
    PropertyWalker::WriteText(&fixture, QStringLiteral("Active"), QStringLiteral("on"),
                              TBooleanText::AnyButZeroIsTrue);
    EXPECT_TRUE(fixture.Active());
}

TEST_F(PropertyWalkerTest, ValuesThePropertyCannotHoldRaiseAndChangeNothing) {
    const auto rejects = [&](const char* path, const QVariant& value) {
        EXPECT_THROW(PropertyWalker::Write(&fixture, QString::fromLatin1(path), value),
                     EConvertError)
            << path;
    };
    rejects("Shape", 3);
    rejects("Shape", -1);
    rejects("Edges", 16);
    rejects("SegmentBits", 256);
    rejects("Count", qlonglong(1) << 40);
    rejects("Count", QStringLiteral("12abc"));
    rejects("Ratio", QStringLiteral("1,5"));
    EXPECT_EQ(fixture.Shape(), TFixture::isCircle);
    EXPECT_EQ(fixture.Count(), 3);
    EXPECT_EQ(fixture.Ratio(), 0.5);
}

TEST_F(PropertyWalkerTest, ReadOnlyPropertyRaises) {
    try {
        PropertyWalker::Write(&fixture, QStringLiteral("Area"), 1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Property 'Area' is read-only"));
    }
}

TEST_F(PropertyWalkerTest, ReadGivesCanonicalValuesAndWriteTakesTypedOnes) {
    PropertyWalker::Write(&fixture, QStringLiteral("Shape"), TFixture::isTriangle);
    PropertyWalker::Write(&fixture, QStringLiteral("Ratio"), 2);
    PropertyWalker::Write(&fixture, QStringLiteral("Count"), 2.5); // halves to even
    EXPECT_EQ(PropertyWalker::Read(&fixture, QStringLiteral("Shape")), QVariant(qlonglong(2)));
    EXPECT_EQ(PropertyWalker::Read(&fixture, QStringLiteral("Ratio")), QVariant(2.0));
    EXPECT_EQ(fixture.Count(), 2);
    EXPECT_EQ(PropertyWalker::Read(&fixture, QStringLiteral("Part")).value<QObject*>(),
              fixture.Part());
    TFixturePart source;
    source.SetCaption(QStringLiteral("copied"));
    PropertyWalker::Write(&fixture, QStringLiteral("Part"), QVariant::fromValue(&source));
    EXPECT_EQ(fixture.Part()->Caption(), QStringLiteral("copied"));
}

TEST_F(PropertyWalkerTest, StoredValuesAreTheWritableStoredValueProperties) {
    const QStringList paths = Paths(PropertyWalker::StoredValues(&fixture));
    EXPECT_EQ(paths.first(), QStringLiteral("Count"));
    EXPECT_TRUE(paths.contains(QStringLiteral("Part.Caption")));
    for (const char* excluded : {"Part", "Part.Next", "Area", "Scratch"}) {
        EXPECT_FALSE(paths.contains(QString::fromLatin1(excluded))) << excluded;
    }
}

TEST(PropertyWalkerFont, FontSubObjectIsReachedByDottedPaths) {
    TFixtureScale scale;
    PropertyWalker::WriteText(&scale, QStringLiteral("TickLabelFont.Style"), QStringLiteral("3"));
    PropertyWalker::WriteText(&scale, QStringLiteral("ticklabelfont.name"),
                              QStringLiteral("Arial"));
    EXPECT_EQ(scale.TickLabelFont()->Style(), fsBold | fsItalic);
    EXPECT_EQ(scale.TickLabelFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(PropertyWalker::ReadText(&scale, QStringLiteral("TickLabelFont.Style")), u"3");
    const auto color = PropertyWalker::Describe(&scale, QStringLiteral("TickLabelFont.Color"));
    EXPECT_EQ(color.Kind, TPropertyKind::Color);
    EXPECT_EQ(PropertyWalker::Read(color), QVariant(qlonglong(clWindowText)));
    EXPECT_FALSE(PropertyWalker::Describe(&scale, QStringLiteral("TickLabelFont.Size")).Stored);
    EXPECT_THROW(PropertyWalker::WriteText(&scale, QStringLiteral("TickLabelFont.Style"),
                                           QStringLiteral("16")),
                 EConvertError);
}
