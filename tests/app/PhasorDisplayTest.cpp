#include "app/Pllvecteur.h"
#include "app/Vecteur.h"

#include "platform/Geometry.h"
#include "platform/RecordingCanvas.h"

#include <QMetaClassInfo>
#include <gtest/gtest.h>
#include <limits>

namespace {

QString ColorName(TColor color) {
    switch (color) {
    case clBlack:
        return QStringLiteral("black");
    case clBlue:
        return QStringLiteral("blue");
    case clRed:
        return QStringLiteral("red");
    case clBtnFace:
        return QStringLiteral("face");
    default:
        return QString::number(color, 16);
    }
}

// One line per primitive: what was drawn where, with the pen or brush that matters to it.
QString Describe(const TCanvasRecord& r) {
    QStringList points;
    for (const TPoint& p : r.Points)
        points.append(QStringLiteral("%1,%2").arg(p.X).arg(p.Y));
    const QString rect = QStringLiteral("%1,%2,%3,%4")
                             .arg(r.Rect.Left)
                             .arg(r.Rect.Top)
                             .arg(r.Rect.Right)
                             .arg(r.Rect.Bottom);
    const QString pen = ColorName(r.PenColor) + QStringLiteral("/%1").arg(r.PenWidth);
    switch (r.Operation) {
    case TCanvasOperation::LineTo:
        return QStringLiteral("line %1 %2").arg(points.join(' '), pen);
    case TCanvasOperation::TextOut:
        return QStringLiteral("text %1 %2").arg(r.Text, points[0]);
    case TCanvasOperation::Polygon:
        return QStringLiteral("polygon %1 %2").arg(points.join(' '), ColorName(r.BrushColor));
    default:
        return QStringLiteral("%1 %2 %3 %4")
            .arg(OperationName(r.Operation), rect, pen, ColorName(r.BrushColor));
    }
}

QStringList Painted(const TPhasorDisplay& display) {
    TRecordingCanvas canvas({240, 240});
    display.PaintTo(canvas);
    QStringList drawn;
    for (const TCanvasRecord& record : canvas.Records())
        drawn.append(Describe(record));
    return drawn;
}

class PhasorDisplayTest : public testing::Test {
protected:
    Tvecteur vecteur;
    Tpllvecteur pllvecteur;
};

TEST_F(PhasorDisplayTest, VecteurDrawsDiscCaptionsAxesPhasorsAndArrowheadInOrder) {
    vecteur.setvecteur(90.0, 0.5, 0.0);
    EXPECT_EQ(
        Painted(vecteur),
        (QStringList{"FillRect 0,0,240,240 face/1 face", "Ellipse 4,4,236,236 black/2 face",
                     "text i(t) 220,120", "text q(t) 110,0", "line 0,120 240,120 black/1",
                     "line 120,0 120,240 black/1", "line 120,120 240,120 blue/2",
                     "line 120,120 120,60 red/2", "polygon 120,60 124,70 120,66 116,70 red"}));
}

TEST_F(PhasorDisplayTest, PllvecteurMarksDegreesAndDrawsBothPhasorsInFull) {
    pllvecteur.setvecteur(180.0, 135.0);
    const QStringList drawn = Painted(pllvecteur);
    EXPECT_EQ(drawn.mid(2, 4), (QStringList{"text 0 220,120", "text 90 110,0", "text 180 0,120",
                                            "text 270 110,210"}));
    // 120 x (cos 135, sin 135) = (-84.85, 84.85), truncated toward zero.
    EXPECT_EQ(drawn.mid(8, 2),
              (QStringList{"line 120,120 0,120 blue/2", "line 120,120 36,36 red/2"}));
}

TEST_F(PhasorDisplayTest, ArrowheadShrinksWithAShortPhasorAndVanishesWithoutLength) {
    vecteur.setvecteur(0.0, 0.05, 0.0);
    EXPECT_EQ(Painted(vecteur).last(),
              QStringLiteral("polygon 126,120 120,122 122,120 120,118 red"));
    vecteur.setvecteur(0.0, 0.0, 0.0);
    EXPECT_TRUE(Painted(vecteur).filter(QStringLiteral("polygon")).isEmpty());
}

// Infinite or huge amplitudes used to overflow the pixel arithmetic of the tip; NaN left NaN
// tips to be drawn.
TEST_F(PhasorDisplayTest, InfiniteHugeOrNaNValuesGiveBoundedTips) {
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    vecteur.setvecteur(0.0, infinity, 0.0);
    EXPECT_EQ(vecteur.RedTip(), QPointF(MaxPixelExtent, 0));
    EXPECT_TRUE(Painted(vecteur).contains(
        QStringLiteral("line 120,120 %1,120 red/2").arg(120 + MaxPixelExtent)));
    vecteur.setvecteur(90.0, -1e308, 0.0);
    EXPECT_EQ(vecteur.RedTip().y(), -MaxPixelExtent);
    vecteur.setvecteur(nan, 1.0, infinity);
    EXPECT_EQ(vecteur.RedTip(), QPointF(0, 0));
    EXPECT_EQ(vecteur.BlueTip(), QPointF(0, 0));
    pllvecteur.setvecteur(nan, -infinity);
    EXPECT_TRUE(Painted(pllvecteur).contains(QStringLiteral("line 120,120 120,120 red/2")));
}

TEST_F(PhasorDisplayTest, EachControlKeepsItsOwnPhasors) {
    Tvecteur otherVecteur;
    Tpllvecteur otherPllvecteur;
    vecteur.setvecteur(90.0, 1.0, 0.0);
    otherVecteur.setvecteur(180.0, 1.0, 270.0);
    pllvecteur.setvecteur(0.0, 90.0);
    otherPllvecteur.setvecteur(180.0, 270.0);
    EXPECT_TRUE(Painted(vecteur).contains(QStringLiteral("line 120,120 120,0 red/2")));
    EXPECT_TRUE(Painted(otherVecteur).contains(QStringLiteral("line 120,120 0,120 red/2")));
    EXPECT_TRUE(Painted(pllvecteur).contains(QStringLiteral("line 120,120 240,120 blue/2")));
    EXPECT_TRUE(Painted(otherPllvecteur).contains(QStringLiteral("line 120,120 0,120 blue/2")));
}

TEST_F(PhasorDisplayTest, ControlsStay240By240AreFiledUnderSamplesAndShowTheirBitmap) {
    for (TPhasorDisplay* display :
         {static_cast<TPhasorDisplay*>(&vecteur), static_cast<TPhasorDisplay*>(&pllvecteur)}) {
        display->resize(100, 300);
        EXPECT_EQ(display->size(), QSize(240, 240));
        const QMetaObject* meta = display->metaObject();
        EXPECT_STREQ(meta->classInfo(meta->indexOfClassInfo("PaletteCategory")).value(), "Samples");
    }
    vecteur.setvecteur(90.0, 0.5, 0.0);
    const QImage image = vecteur.grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(120, 90)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(180, 119)), clBlue);
    EXPECT_EQ(FromQColor(image.pixelColor(1, 1)), ColorToRGB(clBtnFace));
}

} // namespace
