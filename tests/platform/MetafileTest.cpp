#include "platform/Metafile.h"
#include "platform/Exception.h"
#include "platform/RecordingCanvas.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MetafileTest : public ::testing::Test {
protected:
    MetafileTest() : image_(80, 40, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        metafile_.SetSize(40, 20);
        TMetafileCanvas canvas(metafile_, QStringLiteral("Varlex"), QString());
        EXPECT_TRUE(canvas.IsMetafile());
        canvas.Brush()->SetColor(clRed);
        canvas.Pen()->SetStyle(psClear);
        canvas.Rectangle(0, 0, 40, 20);
    }

    TColor At(int x, int y) { return FromQColor(image_.pixelColor(x, y)); }

    TMetafile metafile_;
    QImage image_;
};

TEST_F(MetafileTest, RecordsWhatItsCanvasDrawsAndPlaysItBack) {
    EXPECT_FALSE(metafile_.Empty());
    EXPECT_TRUE(metafile_.Data().contains("Varlex"));
    {
        TPainterCanvas canvas(image_);
        canvas.Draw(0, 0, metafile_);
    }
    EXPECT_EQ(At(39, 19), clRed);
    EXPECT_EQ(At(41, 21), clWhite);
    {
        TPainterCanvas canvas(image_);
        canvas.StretchDraw(Rect(0, 0, 80, 40), metafile_);
    }
    EXPECT_EQ(At(75, 35), clRed);
}

TEST_F(MetafileTest, KeepsItsSizeThroughFilesAndRejectsOtherBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.svg"));
    metafile_.SaveToFile(path);
    TMetafile loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Width(), 40);
    EXPECT_EQ(loaded.Height(), 20);
    EXPECT_THROW(loaded.SetData("no picture"), Exception);
    EXPECT_THROW(loaded.LoadFromFile(dir.filePath(QStringLiteral("missing.svg"))), Exception);

    TRecordingCanvas recording;
    recording.StretchDraw(Rect(1, 2, 3, 4), loaded);
    EXPECT_EQ(recording.Records().at(0).Operation, TCanvasOperation::PlayMetafile);
    EXPECT_EQ(recording.Records().at(0).ImageSize, (TSize{40, 20}));
}

} // namespace
