#include "platform/Bitmap.h"
#include "platform/Exception.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BitmapTest : public ::testing::Test {
protected:
    BitmapTest() {
        bitmap_.OnChange = [this](QObject*) { ++changes_; };
    }

    TColor At(const TBitmap& bitmap, int x, int y) {
        return FromQColor(QColor(bitmap.Image().pixel(x, y)));
    }

    TBitmap bitmap_;
    int changes_ = 0;
};

TEST_F(BitmapTest, NewPixelsTakeTheBrushColourAndOldOnesStay) {
    EXPECT_TRUE(bitmap_.Empty());
    bitmap_.Canvas()->Brush()->SetColor(clRed);
    bitmap_.SetSize(4, 4);
    EXPECT_EQ(At(bitmap_, 3, 3), clRed);
    bitmap_.Canvas()->SetPixels(1, 1, clLime);
    bitmap_.Canvas()->Brush()->SetColor(clBlue);
    bitmap_.SetSize(6, 3);
    EXPECT_EQ(bitmap_.Width(), 6);
    EXPECT_EQ(bitmap_.Height(), 3);
    EXPECT_EQ(At(bitmap_, 1, 1), clLime);
    EXPECT_EQ(At(bitmap_, 3, 2), clRed);
    EXPECT_EQ(At(bitmap_, 5, 0), clBlue);
    EXPECT_EQ(changes_, 2);
    bitmap_.SetSize(6, 3);
    EXPECT_EQ(changes_, 2);
}

TEST_F(BitmapTest, NegativeSizesGiveAnEmptyBitmapThatDrawsNothing) {
    bitmap_.SetSize(-5, 10);
    EXPECT_TRUE(bitmap_.Empty());
    bitmap_.Canvas()->FillRect(Rect(0, 0, 10, 10));
    bitmap_.Canvas()->TextOut(0, 0, QStringLiteral("x"));
    EXPECT_EQ(bitmap_.Canvas()->Pixels(0, 0), clNone);
}

TEST_F(BitmapTest, AssignCopiesThePicture) {
    TBitmap source;
    source.Canvas()->Brush()->SetColor(clYellow);
    source.SetSize(3, 2);
    bitmap_.Assign(source);
    EXPECT_EQ(bitmap_.Width(), 3);
    EXPECT_EQ(At(bitmap_, 2, 1), clYellow);
    source.Canvas()->SetPixels(2, 1, clBlack);
    EXPECT_EQ(At(bitmap_, 2, 1), clYellow);
    EXPECT_EQ(changes_, 1);
}

TEST_F(BitmapTest, DrawsOntoAnotherCanvasWhole) {
    TBitmap source;
    source.Canvas()->Brush()->SetColor(clGreen);
    source.SetSize(2, 2);
    bitmap_.SetSize(5, 5);
    bitmap_.Canvas()->Draw(1, 1, source);
    EXPECT_EQ(At(bitmap_, 0, 0), clWhite);
    EXPECT_EQ(At(bitmap_, 2, 2), clGreen);
    EXPECT_EQ(At(bitmap_, 3, 3), clWhite);
    bitmap_.Canvas()->StretchDraw(Rect(0, 0, 5, 5), source);
    EXPECT_EQ(At(bitmap_, 4, 4), clGreen);
}

TEST_F(BitmapTest, TransparentColourIsLeftOutWhenDrawn) {
    TBitmap source;
    source.Canvas()->Brush()->SetColor(clTeal);
    source.SetSize(2, 1);
    source.Canvas()->SetPixels(1, 0, clRed);
    bitmap_.SetSize(3, 1);
    bitmap_.Canvas()->DrawTransparent(0, 0, source, clTeal);
    EXPECT_EQ(At(bitmap_, 0, 0), clWhite);
    EXPECT_EQ(At(bitmap_, 1, 0), clRed);
}

TEST_F(BitmapTest, HigherPixelRatioKeepsLogicalCoordinates) {
    bitmap_.SetDevicePixelRatio(2);
    bitmap_.SetSize(4, 4);
    EXPECT_EQ(bitmap_.Image().width(), 8);
    bitmap_.Canvas()->Brush()->SetColor(clBlack);
    bitmap_.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(At(bitmap_, 1, 1), clBlack);
    EXPECT_EQ(At(bitmap_, 2, 2), clWhite);
    EXPECT_EQ(bitmap_.Canvas()->SurfaceSize(), (TSize{4, 4}));
    bitmap_.SetDevicePixelRatio(0);
    EXPECT_EQ(bitmap_.DevicePixelRatio(), 2);
}

TEST_F(BitmapTest, SavesAndLoadsPngAndBmp) {
    QTemporaryDir dir;
    bitmap_.Canvas()->Brush()->SetColor(clTeal);
    bitmap_.SetSize(3, 3);
    for (const char* name : {"picture.png", "picture.bmp"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        bitmap_.SaveToFile(path);
        TBitmap loaded;
        loaded.LoadFromFile(path);
        EXPECT_EQ(loaded.Width(), 3) << name;
        EXPECT_EQ(At(loaded, 1, 1), clTeal) << name;
    }
}

TEST_F(BitmapTest, LoadingFailuresRaiseTheToolkitException) {
    QTemporaryDir dir;
    EXPECT_THROW(bitmap_.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))), Exception);
    const QString garbage = dir.filePath(QStringLiteral("garbage.bmp"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    try {
        bitmap_.LoadFromFile(garbage);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_THROW(bitmap_.SaveToFile(dir.filePath(QStringLiteral("no/such/dir.png"))), Exception);
}

} // namespace

// A control of absurd size would otherwise ask for gigabytes and take the program down.
TEST_F(BitmapTest, SizesBeyondTheBoundRaiseAndKeepThePicture) {
    bitmap_.SetSize(10, 10);
    EXPECT_THROW(bitmap_.SetSize(100000, 100000), Exception);
    EXPECT_EQ(bitmap_.Width(), 10);
    EXPECT_EQ(bitmap_.Image().width(), 10);
    EXPECT_THROW(bitmap_.SetDevicePixelRatio(1000), Exception);
    EXPECT_EQ(bitmap_.DevicePixelRatio(), 1.0);
    EXPECT_TRUE(TBitmap::Fits(8192, 8192, 1));
    EXPECT_FALSE(TBitmap::Fits(8192, 8193, 1));
}

TEST_F(BitmapTest, ResetStateGivesTheCanvasOfANewBitmapBack) {
    bitmap_.SetSize(10, 10);
    TCanvas& canvas = *bitmap_.Canvas();
    canvas.Pen()->SetWidth(5);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetHeight(-40);
    canvas.SetWindowOrigin({3, 3});
    canvas.IntersectClipRect({0, 0, 1, 1});
    canvas.ResetState();
    const TBitmap fresh;
    EXPECT_EQ(canvas.Pen()->Width(), fresh.Canvas()->Pen()->Width());
    EXPECT_EQ(canvas.Brush()->Style(), fresh.Canvas()->Brush()->Style());
    EXPECT_EQ(canvas.Font()->Height(), fresh.Canvas()->Font()->Height());
    EXPECT_EQ(canvas.WindowOrigin(), TPoint{});
    EXPECT_TRUE(canvas.PtVisible(5, 5));
}
