#include "instruments/controls/iSevenSegmentCharacter.h"

#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using TPoints = std::vector<TPoint>;

constexpr TColor Dim = 0x005500; // clLime with each byte divided by 3

} // namespace

class TiSevenSegmentCharacterTest : public testing::Test {
protected:
    // The polygons of one glyph drawn in a 10 x 18 cell at the origin, without margin.
    std::vector<TCanvasRecord> DrawnParts(TSevenSegmentCharacter code) {
        TRecordingCanvas canvas;
        character.SetSegmentMargin(0);
        character.Draw(canvas, {0, 0}, 10, 18, code);
        return canvas.RecordsOf(TCanvasOperation::Polygon);
    }
    // Bit n set when the n-th polygon drawn (segment A first) is lit.
    int LitSegments(TSevenSegmentCharacter code) {
        const std::vector<TCanvasRecord> parts = DrawnParts(code);
        EXPECT_EQ(parts.size(), 7u);
        int bits = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].PenColor, parts[i].BrushColor);
            if (parts[i].BrushColor == clLime) bits |= 1 << i;
        }
        return bits;
    }
    static std::vector<TColor> Colors(const std::vector<TCanvasRecord>& parts) {
        std::vector<TColor> colors;
        for (const TCanvasRecord& part : parts)
            colors.push_back(part.BrushColor);
        return colors;
    }

    TiSevenSegmentCharacter character;
};

TEST_F(TiSevenSegmentCharacterTest, PublishesItsPropertiesInOrderAtTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p :
         PropertyWalker::Published(TiSevenSegmentCharacter::staticMetaObject))
        names << p.name();
    const QStringList own = names.mid(names.indexOf("Value"));
    EXPECT_EQ(own, QString("Value Character SegmentColor SegmentOffColor AutoSegmentOffColor "
                           "ShowOffSegments PowerOff SegmentSize SegmentSeperation SegmentMargin "
                           "AutoSize UseSegmentBits SegAOn SegBOn SegCOn SegDOn SegEOn SegFOn "
                           "SegGOn SegmentBits BackGroundColor Transparent Width Height")
                       .split(' '));
    // Hidden until shown, as a control without a form is.
    character.show();
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&character).isEmpty());
}

TEST_F(TiSevenSegmentCharacterTest, DigitsAndLettersLightTheSegmentsOfTheirTable) {
    const int expected[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                            0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};
    for (int code = ssc0; code <= sscF; ++code)
        EXPECT_EQ(LitSegments(TSevenSegmentCharacter(code)), expected[code]) << code;
    EXPECT_EQ(LitSegments(sscBlank), 0);
    EXPECT_EQ(Colors(DrawnParts(sscBlank)), std::vector<TColor>(7, Dim));
}

TEST_F(TiSevenSegmentCharacterTest, CharactersMapToGlyphsAndReadBackInLowerCase) {
    QString readBack;
    for (QChar c : QString("09AbF.:+-_<>;,x "))
        readBack += ConvertValueToCharacter(ConvertCharacterToValue(c));
    EXPECT_EQ(readBack, "09abf.:+-_<>;,  ");
    EXPECT_EQ(ConvertCharacterToValue('<'), sscUpArrow);
    character.SetCharacter('B');
    EXPECT_EQ(character.Value(), sscB);
    EXPECT_EQ(character.Character(), QChar('b'));
    EXPECT_EQ(ConvertValueToCharacter(TSevenSegmentCharacter(26)), QChar('?'));
}

TEST_F(TiSevenSegmentCharacterTest, SegmentsAreBevelledBarsInsetByMarginAndSeperation) {
    character.SetSegmentMargin(2);
    character.SetSegmentSeperation(1);
    character.SetSegmentSize(2);
    TRecordingCanvas canvas;
    // left 5, right 20, top 6, bottom 31, mid 4 + 29 / 2 = 18
    character.Draw(canvas, {3, 4}, 20, 30, ssc8);
    const std::vector<TCanvasRecord> parts = canvas.RecordsOf(TCanvasOperation::Polygon);
    ASSERT_EQ(parts.size(), 7u);
    EXPECT_EQ(parts[0].Points, TPoints({{6, 6}, {19, 6}, {15, 10}, {10, 10}}));
    EXPECT_EQ(parts[1].Points, TPoints({{20, 7}, {20, 17}, {16, 13}, {16, 11}}));
    EXPECT_EQ(parts[2].Points, TPoints({{20, 19}, {20, 30}, {16, 26}, {16, 23}}));
    EXPECT_EQ(parts[3].Points, TPoints({{6, 31}, {19, 31}, {15, 27}, {10, 27}}));
    EXPECT_EQ(parts[4].Points, TPoints({{5, 19}, {5, 30}, {9, 26}, {9, 23}}));
    EXPECT_EQ(parts[5].Points, TPoints({{5, 7}, {5, 17}, {9, 13}, {9, 11}}));
    EXPECT_EQ(parts[6].Points, TPoints({{6, 18}, {8, 16}, {17, 16}, {19, 18}, {17, 20}, {8, 20}}));
}

TEST_F(TiSevenSegmentCharacterTest, SignCellShowsItsSignLitAndTheOtherDimmed) {
    const std::vector<TCanvasRecord> plus = DrawnParts(sscPlus);
    ASSERT_EQ(plus.size(), 3u);
    // The fractions round halves to even: 2.5 -> 2, 7.5 -> 8, 4.5 -> 4.
    EXPECT_EQ(plus[0].Points, TPoints({{2, 4}, {8, 4}, {8, 5}, {2, 5}}));
    EXPECT_EQ(plus[1].Points, TPoints({{4, 2}, {6, 2}, {6, 7}, {4, 7}}));
    EXPECT_EQ(plus[2].Points, TPoints({{2, 13}, {8, 13}, {8, 14}, {2, 14}}));
    EXPECT_EQ(Colors(plus), std::vector<TColor>({clLime, clLime, Dim}));
    EXPECT_EQ(Colors(DrawnParts(sscMinus)), std::vector<TColor>({clLime, Dim, Dim}));

    character.SetShowOffSegments(false);
    EXPECT_EQ(Colors(DrawnParts(sscMinus)), std::vector<TColor>({clLime}));
    EXPECT_TRUE(DrawnParts(sscBlank).empty());
    EXPECT_EQ(Colors(DrawnParts(ssc7)), std::vector<TColor>(3, clLime));
}

TEST_F(TiSevenSegmentCharacterTest, MarksAreSquaresPlacedByEighteenthsOfTheCell) {
    EXPECT_EQ(DrawnParts(sscPeriod)[0].Points, TPoints({{4, 16}, {6, 16}, {6, 18}, {4, 18}}));
    const std::vector<TCanvasRecord> semicolon = DrawnParts(sscSemiColon);
    ASSERT_EQ(semicolon.size(), 3u);
    EXPECT_EQ(semicolon[0].Points, TPoints({{4, 5}, {6, 5}, {6, 7}, {4, 7}}));
    EXPECT_EQ(semicolon[1].Points, TPoints({{4, 11}, {6, 11}, {6, 13}, {4, 13}}));
    EXPECT_EQ(semicolon[2].Points, TPoints({{5, 13}, {6, 13}, {6, 16}, {5, 16}}));
    EXPECT_EQ(DrawnParts(sscComma).size(), 2u);
    EXPECT_EQ(DrawnParts(sscLine)[0].Points, TPoints({{0, 8}, {9, 8}, {9, 8}, {0, 8}}));
    EXPECT_TRUE(DrawnParts(TSevenSegmentCharacter(26)).empty());
}

TEST_F(TiSevenSegmentCharacterTest, ArrowTipsStopAtTheMargin) {
    // c = 4, k = 4, h = 9: the tips at 9 - 4 and 9 + 4 lie inside the cell.
    EXPECT_EQ(DrawnParts(sscUpArrow)[0].Points, TPoints({{8, 9}, {0, 9}, {4, 5}}));
    EXPECT_EQ(DrawnParts(sscDownArrow)[0].Points, TPoints({{8, 9}, {0, 9}, {4, 13}}));
    TRecordingCanvas canvas;
    character.SetSegmentMargin(1);
    // A cell wider than tall: k = 9, h = 3, so the tips clamp to the margin rows 1 and 5.
    character.Draw(canvas, {0, 0}, 21, 7, sscUpArrow);
    character.Draw(canvas, {0, 0}, 21, 7, sscDownArrow);
    const std::vector<TCanvasRecord> arrows = canvas.RecordsOf(TCanvasOperation::Polygon);
    EXPECT_EQ(arrows[0].Points, TPoints({{19, 3}, {1, 3}, {10, 1}}));
    EXPECT_EQ(arrows[1].Points, TPoints({{19, 3}, {1, 3}, {10, 5}}));
}

TEST_F(TiSevenSegmentCharacterTest, PowerOffDrawsLitSegmentsUnlitSoAnEightLooksBlank) {
    character.SetPowerOff(true);
    EXPECT_EQ(Colors(DrawnParts(ssc8)), Colors(DrawnParts(sscBlank)));
    character.SetAutoSegmentOffColor(false);
    EXPECT_EQ(Colors(DrawnParts(ssc8)), std::vector<TColor>(7, clGreen));
}

TEST_F(TiSevenSegmentCharacterTest, SegmentBitsOverrideTheValue) {
    character.SetSegmentBits(0xC1);
    EXPECT_TRUE(character.SegAOn() && character.SegGOn() && !character.SegBOn());
    character.SetSegDOn(true);
    EXPECT_EQ(character.SegmentBits(), 0x49);
    EXPECT_EQ(DrawnParts(sscPeriod).size(), 1u);
    character.SetUseSegmentBits(true);
    EXPECT_EQ(LitSegments(sscPeriod), 0x49);
}

TEST_F(TiSevenSegmentCharacterTest, AutoSizeFitsTheGlyphAndNarrowsForMarks) {
    EXPECT_EQ(character.width(), 15);
    EXPECT_EQ(character.height(), 23);
    character.SetCharacter(':');
    EXPECT_EQ(character.width(), 2 * 2 + 2 * 1 + 1);
    character.SetSegmentMargin(-4);
    EXPECT_EQ(character.SegmentMargin(), 0);
    EXPECT_EQ(character.width(), 3);
    EXPECT_EQ(character.height(), 19);
    character.SetAutoSize(false);
    character.SetValue(ssc8);
    EXPECT_EQ(character.width(), 3);
    character.SetSegmentSize(std::numeric_limits<int>::max());
    character.SetSegmentMargin(std::numeric_limits<int>::max());
    EXPECT_EQ(character.SegmentSize(), 100);
    EXPECT_EQ(character.GetCharacterHeight(), 2 * 32000 + 18 * 100);
}
