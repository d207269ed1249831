#include "../component/PlotComponentTestSupport.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotImageLists.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

const QString sizeError = QStringLiteral(
    "Image Width and Height must be the same as other images, or both smaller, or both larger");
const QString indexError = QStringLiteral("ImageList Index must be 0-2");
const QString readError = QStringLiteral("Failed to read ImageList data from stream");

// A bitmap of the size in Fill with a one-pixel frame of the transparent colour, so its
// bottom-left pixel (the transparent colour) and its centre differ.
std::unique_ptr<TBitmap> Picture(int Width, int Height, TColor Fill, TColor Transparent = clLime) {
    auto bitmap = std::make_unique<TBitmap>();
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(ToQColor(Transparent));
    for (int y = 1; y < Height - 1; ++y)
        for (int x = 1; x < Width - 1; ++x)
            image.setPixelColor(x, y, ToQColor(Fill));
    bitmap->SetImage(image);
    return bitmap;
}

TColor PixelOf(const QImage& Image, int X, int Y) {
    return FromQColor(Image.pixelColor(X, Y));
}

class PlotImageList : public ::testing::Test {
protected:
    const TiPlotImageList& List(int Index) { return plot.ImageLists().List(Index); }

    TestStripPlot plot;
};

} // namespace

TEST_F(PlotImageList, SmallerPictureIsCentredOnTheTransparentColourAndTheCallersBitmapKept) {
    plot.ImageListAdd(0, *Picture(24, 24, clRed));
    const auto small = Picture(16, 16, clBlue);
    const QImage before = small->Image();
    plot.ImageListLoadFromBitmap(0, *small);

    EXPECT_EQ(small->Image(), before);
    ASSERT_EQ(List(0).Count(), 2);
    const QImage stored = List(0).Picture(1);
    EXPECT_EQ(stored.size(), QSize(24, 24));
    EXPECT_EQ(PixelOf(stored, 3, 3), clLime);   // padding
    EXPECT_EQ(PixelOf(stored, 4, 4), clLime);   // the picture's own frame at (4, 4)
    EXPECT_EQ(PixelOf(stored, 5, 5), clBlue);   // its inside
    EXPECT_EQ(PixelOf(stored, 18, 18), clBlue); // ... up to 4 + 16 - 2
    EXPECT_EQ(PixelOf(stored, 20, 20), clLime);
    // The mask is the transparent colour: padding and frame left out, the inside drawn.
    const QImage mask = List(0).Mask(1);
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(12, 12), 0);
}

TEST_F(PlotImageList, SizesOtherThanTheListsAreFittedOrRefused) {
    plot.ImageListAdd(1, *Picture(24, 24, clRed));
    // One side equal: centred on the other side instead of leaving rows undefined.
    plot.ImageListAdd(1, *Picture(24, 16, clBlue));
    EXPECT_EQ(List(1).Picture(1).size(), QSize(24, 24));
    EXPECT_EQ(PixelOf(List(1).Picture(1), 12, 3), clLime);
    EXPECT_EQ(PixelOf(List(1).Picture(1), 12, 12), clBlue);
    // Both larger: cropped around the centre.
    plot.ImageListAdd(1, *Picture(48, 40, clYellow));
    EXPECT_EQ(List(1).Picture(2).size(), QSize(24, 24));
    EXPECT_EQ(PixelOf(List(1).Picture(2), 0, 0), clYellow);

    EXPECT_EQ(MessageOf([&] { plot.ImageListAdd(1, *Picture(16, 32, clBlue)); }), sizeError);
    EXPECT_EQ(MessageOf([&] { plot.ImageListAdd(1, TBitmap()); }), "Image is empty");
    EXPECT_EQ(List(1).Count(), 3);
}

TEST_F(PlotImageList, FirstPictureSetsTheSizeAlsoAfterClear) {
    EXPECT_EQ(plot.ImageListImageSize(2), (TSize{24, 24}));
    plot.ImageListAdd(2, *Picture(32, 8, clRed));
    EXPECT_EQ(plot.ImageListImageSize(2), (TSize{32, 8}));
    plot.ImageListClear(2);
    EXPECT_EQ(List(2).Count(), 0);
    EXPECT_EQ(plot.ImageListImageSize(2), (TSize{32, 8}));
    plot.ImageListAdd(2, *Picture(10, 12, clRed));
    EXPECT_EQ(plot.ImageListImageSize(2), (TSize{10, 12}));
}

TEST_F(PlotImageList, IndexOutsideZeroToTwoRaisesAndChangesNothing) {
    plot.ImageListAdd(0, *Picture(8, 8, clRed));
    EXPECT_EQ(MessageOf([&] { plot.ImageListClear(3); }), indexError);
    EXPECT_EQ(MessageOf([&] { plot.ImageListAdd(-1, *Picture(8, 8, clRed)); }), indexError);
    EXPECT_EQ(MessageOf([&] { plot.ImageListLoadFromResourceName(3, QString(), "x"); }),
              indexError);
    EXPECT_EQ(List(0).Count(), 1);
    EXPECT_EQ(plot.ImageListImageSize(5), (TSize{}));
}

TEST_F(PlotImageList, ResourcesComeFromTheApplicationsResourceFolders) {
    // The toolkit's own resources stand in for the application's.
    const QString folder = QStringLiteral(":/qt-project.org/styles/commonstyle/images");
    QDirIterator pictures(folder, {QStringLiteral("*.png")});
    ASSERT_TRUE(pictures.hasNext());
    const QString name = QFileInfo(pictures.next()).completeBaseName();
    plot.ImageListLoadFromResourceName(0, folder, name);
    EXPECT_EQ(List(0).Count(), 1);
    EXPECT_EQ(QSize(plot.ImageListImageSize(0).cx, plot.ImageListImageSize(0).cy),
              QImage(folder + u'/' + name + QStringLiteral(".png")).size());
    // The folder without its resource prefix, and a whole resource path without a folder.
    plot.ImageListLoadFromResourceName(0, folder.mid(2), name);
    plot.ImageListLoadFromResourceName(0, QString(), folder + u'/' + name + QStringLiteral(".png"));
    EXPECT_EQ(List(0).Count(), 3);

    EXPECT_EQ(MessageOf([&] { plot.ImageListLoadFromResourceID(0, folder, 101); }),
              "Resource 101 not found");
    EXPECT_EQ(MessageOf([&] { plot.ImageListLoadFromResourceName(0, "/etc", "passwd"); }),
              "Resource passwd not found");
    EXPECT_EQ(List(0).Count(), 3);
}

TEST_F(PlotImageList, OnlyListsWithPicturesAreStoredAndReadBackEqual) {
    EXPECT_TRUE(plot.WriteDefinedProperties().ImageLists.isEmpty());
    EXPECT_FALSE(plot.WriteDefinedPropertiesText().contains("ImageList0"));

    plot.ImageListAdd(0, *Picture(16, 16, clRed));
    plot.ImageListAdd(0, *Picture(8, 8, clBlue, clFuchsia));
    plot.ImageListAdd(2, *Picture(32, 8, clYellow));
    const TiPlotDefinedProperties defined = plot.WriteDefinedProperties();
    EXPECT_EQ(defined.ImageLists.keys(), (QStringList{"ImageList0", "ImageList2"}));

    auto expectEqualLists = [&](TiPlotComponent& copy) {
        for (int list : {0, 2}) {
            const TiPlotImageList& from = List(list);
            const TiPlotImageList& to = copy.ImageLists().List(list);
            EXPECT_EQ(to.ImageSize(), from.ImageSize());
            ASSERT_EQ(to.Count(), from.Count());
            for (int i = 0; i < from.Count(); ++i) {
                EXPECT_EQ(to.Picture(i), from.Picture(i));
                EXPECT_EQ(to.Mask(i), from.Mask(i));
            }
        }
        EXPECT_EQ(copy.ImageLists().List(1).Count(), 0);
    };
    TestStripPlot viaBytes;
    viaBytes.ReadDefinedProperties(defined);
    expectEqualLists(viaBytes);
    TestStripPlot viaText;
    viaText.ReadDefinedPropertiesText(plot.WriteDefinedPropertiesText());
    expectEqualLists(viaText);
}

TEST_F(PlotImageList, DamagedStreamRaisesAndLeavesTheListEmpty) {
    plot.ImageListAdd(0, *Picture(16, 16, clRed));
    const QByteArray bytes = List(0).WriteToStream();
    TiPlotImageList list;
    list.AddMasked(Picture(4, 4, clRed)->Image(), clLime);

    QByteArray absurd = bytes;
    absurd[12] = char(0x7F); // a count far beyond the bytes that follow
    QByteArray wrongMagic = bytes;
    wrongMagic[0] = 'X';
    for (const QByteArray& damaged :
         {bytes.left(bytes.size() - 1), bytes + 'x', absurd, wrongMagic, QByteArray()}) {
        EXPECT_EQ(MessageOf([&] { list.ReadFromStream(damaged); }), readError);
        EXPECT_EQ(list.Count(), 0);
    }
    list.ReadFromStream(bytes);
    EXPECT_EQ(list.Count(), 1);

    EXPECT_EQ(MessageOf([] { TiPlotImageList::FromText(QStringLiteral("*not base64*")); }),
              readError);
    // A text description that fails leaves the plot's lists as they were.
    QMap<QString, QString> texts = plot.WriteDefinedPropertiesText();
    texts.insert(QStringLiteral("ImageList1"), TiPlotImageList::ToText(bytes.left(20)));
    EXPECT_EQ(MessageOf([&] { plot.ReadDefinedPropertiesText(texts); }), readError);
    EXPECT_EQ(List(0).Count(), 1);
    EXPECT_EQ(List(1).Count(), 0);
}

TEST_F(PlotImageList, PictureAnnotationDrawsItsListsPictureMaskedAndGrayedWhenDisabled) {
    // A colour nothing else of the plot shows.
    const TColor fill = RGBColor(10, 200, 30);
    plot.ImageListAdd(1, *Picture(24, 24, fill));
    TiPlotAnnotation* annotation = plot.GetAnnotation(plot.AddAnnotation());
    annotation->SetStyle(TiPlotAnnotation::ipasImage);
    annotation->SetImageListIndex(1);
    annotation->SetImageIndex(0);
    annotation->SetX(50);
    annotation->SetY(50);
    // The plot does not yet hand its annotations their data view.
    annotation->SetDataView(plot.GetDataView(0));
    const QImage enabled = plot.PaintToBitmap()->Image();
    const QRect drawn = [&] {
        QRect red;
        for (int y = 0; y < enabled.height(); ++y)
            for (int x = 0; x < enabled.width(); ++x)
                if (PixelOf(enabled, x, y) == fill) red |= QRect(x, y, 1, 1);
        return red;
    }();
    // The inside of the picture; its frame is the mask colour, which is left out.
    EXPECT_EQ(drawn.size(), QSize(22, 22));
    EXPECT_NE(PixelOf(enabled, drawn.left() - 1, drawn.top()), clLime);

    annotation->SetEnabled(false);
    const QImage disabled = plot.PaintToBitmap()->Image();
    EXPECT_EQ(PixelOf(disabled, drawn.center().x(), drawn.center().y()), ColorToRGB(clBtnShadow));
}
