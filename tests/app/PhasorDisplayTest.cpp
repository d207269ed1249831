#include "app/Pllvecteur.h"
#include "app/Vecteur.h"

#include "platform/RecordingCanvas.h"

#include <QImage>
#include <QMetaClassInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct DrawnLine {
    TPoint From;
    TPoint To;
    bool operator==(const DrawnLine&) const = default;
};

class PhasorDisplayTest : public testing::Test {
protected:
    Tvecteur vecteur;
    Tpllvecteur pllvecteur;

    static std::vector<TCanvasRecord> Painted(const TPhasorDisplay& display,
                                              TCanvasOperation operation) {
        TRecordingCanvas canvas({240, 240});
        display.PaintTo(canvas);
        return canvas.RecordsOf(operation);
    }
    // The lines drawn two pixels wide in `color`: the phasors.
    static std::vector<DrawnLine> Phasors(const TPhasorDisplay& display, TColor color) {
        std::vector<DrawnLine> lines;
        for (const TCanvasRecord& record : Painted(display, TCanvasOperation::LineTo))
            if (record.PenColor == color && record.PenWidth == 2)
                lines.push_back({record.Points[0], record.Points[1]});
        return lines;
    }
    static std::vector<QString> Texts(const TPhasorDisplay& display) {
        std::vector<QString> texts;
        for (const TCanvasRecord& record : Painted(display, TCanvasOperation::TextOut))
            texts.push_back(
                record.Text +
                QStringLiteral("@%1,%2").arg(record.Points[0].X).arg(record.Points[0].Y));
        return texts;
    }
};

TEST_F(PhasorDisplayTest, VecteurDrawsTheModulatedPhasorAtItsAmplitudeAndTheCarrierInFull) {
    vecteur.setvecteur(90.0, 0.5, 0.0);
    EXPECT_EQ(Phasors(vecteur, clRed), (std::vector<DrawnLine>{{{120, 120}, {120, 60}}}));
    EXPECT_EQ(Phasors(vecteur, clBlue), (std::vector<DrawnLine>{{{120, 120}, {240, 120}}}));
}

TEST_F(PhasorDisplayTest, PllvecteurDrawsBothPhasorsInFull) {
    pllvecteur.setvecteur(180.0, 270.0);
    EXPECT_EQ(Phasors(pllvecteur, clBlue), (std::vector<DrawnLine>{{{120, 120}, {0, 120}}}));
    EXPECT_EQ(Phasors(pllvecteur, clRed), (std::vector<DrawnLine>{{{120, 120}, {120, 240}}}));
}

TEST_F(PhasorDisplayTest, TipsAreTruncatedTowardZero) {
    // 120 x (cos 135, sin 135) = (-84.85, 84.85).
    vecteur.setvecteur(135.0, 1.0, 0.0);
    EXPECT_EQ(Phasors(vecteur, clRed), (std::vector<DrawnLine>{{{120, 120}, {36, 36}}}));
}

TEST_F(PhasorDisplayTest, DiscIsFilledAndOutlinedInsideTheControl) {
    vecteur.SetColor(clSilver);
    const auto fills = Painted(vecteur, TCanvasOperation::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, Rect(0, 0, 240, 240));
    EXPECT_EQ(fills[0].BrushColor, clSilver);
    const auto discs = Painted(vecteur, TCanvasOperation::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].Rect, Rect(4, 4, 236, 236));
    EXPECT_EQ(discs[0].PenColor, clBlack);
    EXPECT_EQ(discs[0].PenWidth, 2);
    EXPECT_EQ(discs[0].BrushColor, clSilver);
}

TEST_F(PhasorDisplayTest, AxesCrossTheMiddleOnePixelWide) {
    std::vector<DrawnLine> axes;
    for (const TCanvasRecord& record : Painted(vecteur, TCanvasOperation::LineTo))
        if (record.PenColor == clBlack && record.PenWidth == 1)
            axes.push_back({record.Points[0], record.Points[1]});
    EXPECT_EQ(axes, (std::vector<DrawnLine>{{{0, 120}, {240, 120}}, {{120, 0}, {120, 240}}}));
}

TEST_F(PhasorDisplayTest, EachControlWritesItsOwnCaptionsInArial8) {
    EXPECT_EQ(Texts(vecteur), (std::vector<QString>{"i(t)@220,120", "q(t)@110,0"}));
    EXPECT_EQ(Texts(pllvecteur),
              (std::vector<QString>{"0@220,120", "90@110,0", "180@0,120", "270@110,210"}));
    const TCanvasRecord text = Painted(vecteur, TCanvasOperation::TextOut)[0];
    EXPECT_EQ(text.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(text.FontHeight, -11);
    EXPECT_EQ(text.FontColor, clBlack);
}

TEST_F(PhasorDisplayTest, ArrowheadPointsAlongTheRedPhasor) {
    vecteur.setvecteur(0.0, 1.0, 90.0);
    const auto polygons = Painted(vecteur, TCanvasOperation::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].Points,
              (std::vector<TPoint>{{240, 120}, {230, 124}, {234, 120}, {230, 116}}));
    EXPECT_EQ(polygons[0].BrushColor, clRed);
}

TEST_F(PhasorDisplayTest, ShortRedPhasorGetsAShortArrowheadAndNoneWithoutLength) {
    vecteur.setvecteur(0.0, 0.05, 0.0); // 6 pixels
    const auto polygons = Painted(vecteur, TCanvasOperation::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    for (const TPoint& corner : polygons[0].Points)
        EXPECT_GE(corner.X, 120);
    vecteur.setvecteur(0.0, 0.0, 0.0);
    EXPECT_TRUE(Painted(vecteur, TCanvasOperation::Polygon).empty());
}

TEST_F(PhasorDisplayTest, EachControlKeepsItsOwnPhasors) {
    Tvecteur other;
    vecteur.setvecteur(90.0, 1.0, 0.0);
    other.setvecteur(180.0, 1.0, 270.0);
    EXPECT_EQ(Phasors(vecteur, clRed), (std::vector<DrawnLine>{{{120, 120}, {120, 0}}}));
    EXPECT_EQ(Phasors(vecteur, clBlue), (std::vector<DrawnLine>{{{120, 120}, {240, 120}}}));

    Tpllvecteur otherPll;
    pllvecteur.setvecteur(0.0, 90.0);
    otherPll.setvecteur(180.0, 270.0);
    EXPECT_EQ(Phasors(pllvecteur, clBlue), (std::vector<DrawnLine>{{{120, 120}, {240, 120}}}));
    EXPECT_EQ(Phasors(otherPll, clBlue), (std::vector<DrawnLine>{{{120, 120}, {0, 120}}}));
}

TEST_F(PhasorDisplayTest, ResizingKeepsTheControlsAt240By240) {
    for (QWidget* display : {static_cast<QWidget*>(&vecteur), static_cast<QWidget*>(&pllvecteur)}) {
        EXPECT_EQ(display->size(), QSize(240, 240));
        display->resize(100, 300);
        EXPECT_EQ(display->size(), QSize(240, 240));
        display->setGeometry(10, 20, 50, 60);
        EXPECT_EQ(display->geometry(), QRect(10, 20, 240, 240));
    }
}

TEST_F(PhasorDisplayTest, PaintShowsTheBitmapOnTheControl) {
    vecteur.setvecteur(90.0, 0.5, 0.0);
    const QImage image = vecteur.grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(120, 90)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(180, 119)), clBlue);
    EXPECT_EQ(FromQColor(image.pixelColor(120, 40)), clBlack); // the quadrature axis
    EXPECT_EQ(FromQColor(image.pixelColor(1, 1)), ColorToRGB(clBtnFace));
}

TEST_F(PhasorDisplayTest, BothControlsAreFiledUnderSamples) {
    for (const QMetaObject* meta : {&Tvecteur::staticMetaObject, &Tpllvecteur::staticMetaObject}) {
        const int index = meta->indexOfClassInfo("PaletteCategory");
        ASSERT_GE(index, 0) << meta->className();
        EXPECT_STREQ(meta->classInfo(index).value(), "Samples");
    }
}

} // namespace
