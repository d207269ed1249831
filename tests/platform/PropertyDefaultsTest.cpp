#include "platform/PropertyDefaults.h"

#include "tests/platform/PropertyFixtures.h"

#include <gtest/gtest.h>

namespace {

const PropertyDefaults::Registration baseDefaults(TFixtureBase::staticMetaObject,
                                                  {{"Count", 1}, {"Ratio", 0.5}, {"Scratch", 0}});
const PropertyDefaults::Registration
    fixtureDefaults(TFixture::staticMetaObject, {{"Count", 3},
                                                 {"Shape", QVariant::fromValue(TFixture::isCircle)},
                                                 {"BackGroundColor", clBtnFace},
                                                 {"Part.Caption", QStringLiteral("owned")},
                                                 {"Scratch", PropertyDefaults::NoDefault()}});
const PropertyDefaults::Registration partDefaults(TFixturePart::staticMetaObject,
                                                  {{"Caption", QStringLiteral("part")},
                                                   {"FillColor", clBtnFace}});

class PropertyDefaultsTest : public testing::Test {
protected:
    bool IsDefault(const char* path) {
        return PropertyDefaults::IsDefault(&fixture, QString::fromLatin1(path));
    }

    TFixture fixture;
};

} // namespace

TEST_F(PropertyDefaultsTest, DerivedEntryOverridesTheBaseOne) {
    EXPECT_TRUE(IsDefault("Count"));
    fixture.SetCount(1);
    EXPECT_FALSE(IsDefault("Count"));
    TFixtureBase base;
    base.SetCount(1);
    EXPECT_TRUE(PropertyDefaults::IsDefault(&base, QStringLiteral("Count")));
}

TEST_F(PropertyDefaultsTest, InheritedEntryAppliesAndChangedValueDiffers) {
    EXPECT_TRUE(IsDefault("ratio"));
    fixture.SetRatio(0.25);
    EXPECT_FALSE(IsDefault("Ratio"));
}

TEST_F(PropertyDefaultsTest, EnumerationDefaultComparesByOrdinal) {
    EXPECT_TRUE(IsDefault("Shape"));
    fixture.SetShape(TFixture::isSquare);
    EXPECT_FALSE(IsDefault("Shape"));
    EXPECT_EQ(PropertyDefaults::Declared(&fixture, QStringLiteral("Shape")),
              QVariant(qlonglong(0)));
}

TEST_F(PropertyDefaultsTest, PropertiesWithoutDeclaredDefaultAreNeverDefault) {
    EXPECT_FALSE(IsDefault("Active"));
    EXPECT_FALSE(IsDefault("Scratch")); // withdrawn by the derived class
    EXPECT_FALSE(PropertyDefaults::Declared(&fixture, QStringLiteral("Scratch")));
    EXPECT_FALSE(PropertyDefaults::Declared(&fixture, QStringLiteral("Missing")));
}

TEST_F(PropertyDefaultsTest, OwnerEntryOverridesTheSubObjectClassTable) {
    EXPECT_FALSE(IsDefault("Part.Caption"));
    fixture.Part()->SetCaption(QStringLiteral("owned"));
    EXPECT_TRUE(IsDefault("Part.Caption"));
    EXPECT_TRUE(IsDefault("Part.FillColor"));
    TFixturePart part;
    EXPECT_TRUE(PropertyDefaults::IsDefault(&part, QStringLiteral("Caption")));
}

TEST_F(PropertyDefaultsTest, StoredDescriptionHoldsOnlyValuesThatDiffer) {
    fixture.SetRatio(0.75);
    QStringList paths;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(&fixture)) {
        paths.append(property.Path);
    }
    EXPECT_EQ(paths, QStringList(
                         {"Ratio", "Active", "Edges", "Character", "SegmentBits", "Part.Caption"}));
}
