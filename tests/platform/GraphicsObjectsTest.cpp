#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/FontSubstitution.h"
#include "platform/Geometry.h"
#include "platform/Pen.h"
#include "platform/PropertyDefaults.h"

#include <QFontInfo>
#include <QMetaProperty>
#include <gtest/gtest.h>
#include <limits>

namespace {

QStringList PropertyNames(const QMetaObject& meta) {
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names << QString::fromLatin1(meta.property(i).name());
    return names;
}

class FontTest : public ::testing::Test {
protected:
    FontTest() {
        font_.OnChange = [this](QObject* sender) {
            ++changes_;
            sender_ = sender;
        };
    }

    TFont font_;
    int changes_ = 0;
    QObject* sender_ = nullptr;
};

TEST(GraphicsObjects, PublishTheirPropertiesInDeclaredOrder) {
    EXPECT_EQ(PropertyNames(TFont::staticMetaObject),
              QStringList(
                  {"Charset", "Color", "Height", "Name", "Orientation", "Pitch", "Size", "Style"}));
    EXPECT_EQ(PropertyNames(TPen::staticMetaObject),
              QStringList({"Color", "Mode", "Style", "Width"}));
    EXPECT_EQ(PropertyNames(TBrush::staticMetaObject), QStringList({"Color", "Style"}));
    const int size = TFont::staticMetaObject.indexOfProperty("Size");
    EXPECT_FALSE(TFont::staticMetaObject.property(size).isStored());
}

TEST(GraphicsObjects, FreshObjectsHoldTheirDeclaredDefaults) {
    TFont font;
    TPen pen;
    TBrush brush;
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&font).isEmpty());
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&pen).isEmpty());
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&brush).isEmpty());
    font.SetStyle(fsBold);
    pen.SetWidth(0);
    EXPECT_EQ(PropertyDefaults::ValuesToStore(&font).size(), 1);
    EXPECT_EQ(PropertyDefaults::ValuesToStore(&pen).size(), 1);
}

TEST_F(FontTest, SizeAndHeightAreLinkedAt96Dpi) {
    EXPECT_EQ(font_.Height(), -11);
    EXPECT_EQ(font_.Size(), 8);
    font_.SetSize(12);
    EXPECT_EQ(font_.Height(), -16);
    font_.SetHeight(-21);
    EXPECT_EQ(font_.Size(), 16);
    font_.SetSize(10);
    EXPECT_EQ(font_.Height(), -13);
}

TEST_F(FontTest, NotifiesOncePerRealChange) {
    font_.SetName(QStringLiteral("Arial"));
    font_.SetName(QStringLiteral("Arial"));
    font_.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes_, 2);
    EXPECT_EQ(sender_, &font_);

    TFont source;
    source.SetColor(clRed);
    source.SetHeight(-19);
    source.SetStyle(fsBold);
    font_.Assign(source);
    EXPECT_EQ(changes_, 3);
    EXPECT_EQ(font_.Color(), clRed);
    EXPECT_EQ(font_.Height(), -19);
    EXPECT_EQ(font_.Name(), QStringLiteral("MS Sans Serif"));
    font_.Assign(source);
    EXPECT_EQ(changes_, 3);
}

TEST(Pen, NotifiesOnceAndKeepsWidthsNonNegative) {
    TPen pen;
    int changes = 0;
    pen.OnChange = [&](QObject*) { ++changes; };
    pen.SetWidth(-3);
    EXPECT_EQ(pen.Width(), 0);
    TPen source;
    source.SetColor(clBlue);
    source.SetMode(pmXor);
    source.SetStyle(psDot);
    pen.Assign(source);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(pen.Mode(), pmXor);
    EXPECT_EQ(QMetaEnum::fromType<TPenMode>().value(14), int(pmXor));
}

TEST(FontSubstitution, ResolvesStoredFacesToInstalledMetricCompatibleOnes) {
    EXPECT_EQ(SubstituteFontFamily(QStringLiteral("MS Sans Serif")), "Liberation Sans");
    EXPECT_EQ(SubstituteFontFamily(QStringLiteral("Arial")), "Liberation Sans");
    EXPECT_EQ(SubstituteFontFamily(QStringLiteral("Some Face")), "Some Face");

    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetHeight(-19);
    font.SetStyle(fsBold | fsUnderline);
    const QFont qfont = ToQFont(font);
    EXPECT_EQ(qfont.pixelSize(), 19);
    EXPECT_TRUE(qfont.bold());
    EXPECT_TRUE(qfont.underline());
    EXPECT_FALSE(qfont.italic());
    EXPECT_EQ(QFontInfo(qfont).family(), "Liberation Sans");
}

TEST(FontSubstitution, CellsRoundAscentAndDescentUpAsTheWindowSystemDoes) {
    TFont font;
    EXPECT_EQ(FontCell(ToQFont(font)).Height, 13);
    font.SetHeight(20);
    EXPECT_NEAR(FontCell(ToQFont(font)).Height, 20, 1);
}

TEST(FontSubstitution, ExtremeHeightsNeitherOverflowNorAskForAbsurdGlyphs) {
    TFont font;
    font.SetSize(std::numeric_limits<int>::min());
    EXPECT_EQ(font.Height(), std::numeric_limits<int>::max());
    font.SetSize(std::numeric_limits<int>::max());
    EXPECT_EQ(font.Height(), std::numeric_limits<int>::min());
    EXPECT_GT(font.Size(), 0);
    font.SetHeight(std::numeric_limits<int>::min());
    EXPECT_EQ(ToQFont(font).pixelSize(), MaxPixelExtent);
    font.SetHeight(std::numeric_limits<int>::max());
    EXPECT_LE(ToQFont(font).pixelSize(), MaxPixelExtent);
}

} // namespace
