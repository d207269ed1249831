#include "platform/FontMeasures.h"
#include "platform/PainterCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

TFontShape Shape(const QString& name, int height, TFontPitch pitch, TFontStyles style) {
    return {name, height, pitch, style};
}

int ToolkitWidth(const TFontShape& shape, const QString& text) {
    return QFontMetrics(ToQFont(shape)).horizontalAdvance(text);
}

const std::vector<TFontShape>& Shapes() {
    static const std::vector<TFontShape> shapes = {
        TFontShape(),
        Shape(QStringLiteral("MS Sans Serif"), -11, fpDefault, {}),
        Shape(QStringLiteral("MS Sans Serif"), -11, fpDefault, fsBold),
        Shape(QStringLiteral("MS Sans Serif"), -30, fpDefault, {}),
        Shape(QStringLiteral("MS Sans Serif"), 30, fpDefault, fsItalic),
        Shape(QStringLiteral("Courier New"), -11, fpFixed, {}),
        Shape(QStringLiteral("Times New Roman"), -11, fpVariable, fsStrikeOut | fsUnderline),
    };
    return shapes;
}

// Every shape is met twice, in both orders: a width kept for one font must never answer for
// another.
TEST(FontMeasures, EveryShapeMeasuresAsTheToolkitDoesWhenMetAgain) {
    TFontMeasures measures;
    const QString text = QStringLiteral("Wide label -12.5");
    std::vector<int> widths;
    for (const TFontShape& shape : Shapes()) {
        measures.Select(shape);
        widths.push_back(measures.Width(text));
        EXPECT_EQ(widths.back(), ToolkitWidth(shape, text)) << shape.Name.toStdString();
        EXPECT_EQ(measures.Cell().Height, FontCell(ToQFont(shape)).Height);
    }
    EXPECT_NE(widths[1], widths[2]);
    EXPECT_NE(widths[1], widths[3]);
    for (std::size_t i = Shapes().size(); i-- > 0;) {
        measures.Select(Shapes()[i]);
        EXPECT_EQ(measures.Width(text), widths[i]);
        EXPECT_EQ(measures.Font(), ToQFont(Shapes()[i]));
    }
}

TEST(FontMeasures, StaysTrueBeyondWhatItKeeps) {
    TFontMeasures measures;
    const TFontShape first = Shape(QStringLiteral("Arial"), -11, fpDefault, {});
    measures.Select(first);
    const QString text = QStringLiteral("Label");
    const int width = measures.Width(text);
    for (int height = 1; height <= int(TFontMeasures::MaxShapes) + 1; ++height) {
        const TFontShape other = Shape(QStringLiteral("Arial"), -height, fpDefault, {});
        measures.Select(other);
        EXPECT_EQ(measures.Width(text), ToolkitWidth(other, text));
    }
    measures.Select(first);
    EXPECT_EQ(measures.Width(text), width);
    for (std::size_t i = 0; i <= TFontMeasures::MaxTexts; ++i)
        measures.Width(QString::number(i));
    EXPECT_EQ(measures.Width(QStringLiteral("1")), ToolkitWidth(first, QStringLiteral("1")));
    EXPECT_EQ(measures.Width(text), width);
}

TEST(FontMeasures, CanvasFollowsEveryFontChangeThatAltersWidths) {
    QImage image(10, 10, QImage::Format_RGB32);
    TPainterCanvas canvas(image);
    const QString text = QStringLiteral("Wide");
    const int plain = canvas.TextWidth(text);
    canvas.Font()->SetStyle(fsBold);
    const int bold = canvas.TextWidth(text);
    EXPECT_GT(bold, plain);
    canvas.Font()->SetColor(clRed);
    canvas.Font()->SetOrientation(900);
    EXPECT_EQ(canvas.TextWidth(text), bold);
    canvas.Font()->SetStyle({});
    EXPECT_EQ(canvas.TextWidth(text), plain);
    canvas.Font()->SetName(QStringLiteral("Courier New"));
    EXPECT_EQ(canvas.TextWidth(text), ToolkitWidth(FontShape(*canvas.Font()), text));
    canvas.Font()->SetPitch(fpFixed);
    canvas.Font()->SetName(QStringLiteral("Some Face"));
    EXPECT_EQ(canvas.TextWidth(text), ToolkitWidth(FontShape(*canvas.Font()), text));
}

} // namespace
