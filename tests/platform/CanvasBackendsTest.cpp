#include "platform/PainterCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class PaintedWidget : public QWidget {
public:
    TSize surface;

protected:
    void paintEvent(QPaintEvent*) override {
        TPainterCanvas canvas(*this);
        surface = canvas.SurfaceSize();
        canvas.Brush()->SetColor(clBlue);
        canvas.FillRect(Rect(0, 0, 10, 10));
        canvas.Brush()->SetColor(clRed);
        canvas.SetWindowOrigin(Point(-10, 0));
        canvas.FillRect(Rect(0, 0, 5, 5));
    }
};

TEST(CanvasBackends, WidgetCanvasPaintsInLogicalPixels) {
    PaintedWidget widget;
    widget.resize(20, 12);
    const QImage picture = widget.grab().toImage();
    EXPECT_EQ(widget.surface, (TSize{20, 12}));
    EXPECT_EQ(FromQColor(picture.pixelColor(9, 9)), clBlue);
    EXPECT_EQ(FromQColor(picture.pixelColor(14, 4)), clRed);
    EXPECT_NE(FromQColor(picture.pixelColor(15, 4)), clRed);
}

TEST(CanvasBackends, SvgCanvasIsTheMetafileAndCannotBeReadBack) {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(100, 50));
    {
        TPainterCanvas canvas(generator);
        EXPECT_TRUE(canvas.IsMetafile());
        EXPECT_EQ(canvas.SurfaceSize(), (TSize{100, 50}));
        canvas.Rectangle(10, 10, 30, 20);
        canvas.TextOut(5, 5, QStringLiteral("metafile text"));
        EXPECT_EQ(canvas.Pixels(10, 10), clNone);
        EXPECT_TRUE(canvas.CopyImage(Rect(0, 0, 5, 5)).isNull());
    }
    EXPECT_EQ(generator.resolution(), 96);
    const QByteArray svg = buffer.data();
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("metafile text"));
}

TEST(CanvasBackends, PrinterCanvasDrawsInPrinterPixels) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    {
        TPainterCanvas canvas(printer);
        EXPECT_FALSE(canvas.IsMetafile());
        EXPECT_EQ(canvas.PixelsPerInch(), printer.resolution());
        EXPECT_GT(canvas.SurfaceSize().cx, 8 * printer.resolution() / 2);
        canvas.Ellipse(100, 100, 600, 400);
    }
    EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 0);
}

TEST(CanvasBackends, ActivePainterKeepsItsTransformAndClipAndGetsThemBack) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(5, 5);
    painter.setClipRect(QRect(0, 0, 10, 10));
    {
        TPainterCanvas canvas(painter);
        canvas.Brush()->SetColor(clRed);
        canvas.IntersectClipRect(Rect(2, 0, 20, 20));
        canvas.FillRect(Rect(0, 0, 20, 20));
        EXPECT_EQ(canvas.Pixels(2, 2), clRed);
    }
    EXPECT_EQ(painter.worldTransform(), QTransform::fromTranslate(5, 5));
    painter.end();
    EXPECT_EQ(FromQColor(image.pixelColor(6, 6)), clWhite);
    EXPECT_EQ(FromQColor(image.pixelColor(7, 7)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(14, 14)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(15, 15)), clWhite);
}

} // namespace
