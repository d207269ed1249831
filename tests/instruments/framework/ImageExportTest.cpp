#include "RaisedMessage.h"
#include "TestInstrument.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct JPEGHeader {
    int Width = 0;
    int Height = 0;
    int Components = 0;
    bool Progressive = false;
    std::vector<unsigned> LuminanceTable;
};

JPEGHeader ReadHeader(const QByteArray& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    JPEGHeader header{int(info.image_width),
                      int(info.image_height),
                      info.num_components,
                      info.progressive_mode != 0,
                      {}};
    for (unsigned value : info.quant_tbl_ptrs[0]->quantval)
        header.LuminanceTable.push_back(value);
    jpeg_destroy_decompress(&info);
    return header;
}

// The luminance table the encoder derives from a quality.
std::vector<unsigned> TableForQuality(int quality) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    info.input_components = 3;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    std::vector<unsigned> table(std::begin(info.quant_tbl_ptrs[0]->quantval),
                                std::end(info.quant_tbl_ptrs[0]->quantval));
    jpeg_destroy_compress(&info);
    return table;
}

QByteArray FileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ImageExportTest : public testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    TestInstrument control;
};

TEST_F(ImageExportTest, BitmapIsABmpFileOfTheControlsSizeShowingWhatItPaints) {
    control.SaveImageToBitmap(Path("control.png")); // BMP whatever the ending
    EXPECT_TRUE(FileBytes(Path("control.png")).startsWith("BM"));
    const QImage image(Path("control.png"), "BMP");
    EXPECT_EQ(image.size(), QSize(101, 51));
    EXPECT_EQ(FromQColor(image.pixelColor(50, 25)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), ColorToRGB(clBtnFace));
    EXPECT_TRUE(control.CachedDrawing());
    EXPECT_TRUE(RaisedMessage([&] {
                    control.SaveImageToBitmap(Path("no/dir.bmp"));
                }).startsWith("Cannot create file"));
}

TEST_F(ImageExportTest, MetafileIsAnSvgPictureCreatedByVarlex) {
    control.SaveImageToMetaFile(Path("control.svg"));
    const QByteArray svg = FileBytes(Path("control.svg"));
    EXPECT_TRUE(svg.contains("<title>Varlex</title>"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 101 51\""));
}

TEST_F(ImageExportTest, JPEGCompressionOutsideOneToHundredRaisesBeforePainting) {
    for (int compression : {0, 101, -5}) {
        EXPECT_EQ(
            RaisedMessage([&] { control.SaveImageToJPEG(Path("a.jpg"), compression, false); }),
            "Compression must be in the range of 1-100");
        EXPECT_EQ(RaisedMessage([&] { control.GetJPEG(compression, false); }),
                  "Compression must be in the range of 1-100");
        EXPECT_EQ(RaisedMessage([&] { control.GetBytesJPEG(compression, true); }),
                  "Compression must be in the range of 1-100");
    }
    EXPECT_EQ(control.paints, 0);
    EXPECT_FALSE(QFile::exists(Path("a.jpg")));
    EXPECT_EQ(control.GetJPEG(1, false)->CompressionQuality(), 1);
    EXPECT_EQ(control.GetJPEG(100, false)->CompressionQuality(), 100);
}

TEST_F(ImageExportTest, JPEGFilesCarryTheirQualityAndProgressiveMode) {
    control.SaveImageToJPEG(Path("baseline.jpg"), 35, false);
    control.SaveImageToJPEG(Path("progressive.jpg"), 80, true);
    const JPEGHeader baseline = ReadHeader(FileBytes(Path("baseline.jpg")));
    const JPEGHeader progressive = ReadHeader(FileBytes(Path("progressive.jpg")));
    EXPECT_EQ(baseline.Width, 101);
    EXPECT_EQ(baseline.Height, 51);
    EXPECT_EQ(baseline.Components, 3);
    EXPECT_FALSE(baseline.Progressive);
    EXPECT_EQ(baseline.LuminanceTable, TableForQuality(35));
    EXPECT_TRUE(progressive.Progressive);
    EXPECT_EQ(progressive.LuminanceTable, TableForQuality(80));
    const QColor decoded = QImage(Path("progressive.jpg")).pixelColor(5, 5);
    EXPECT_NEAR(decoded.red(), GetRValue(ColorToRGB(clBtnFace)), 4);
}

TEST_F(ImageExportTest, JPEGBytesAreEncodedForSpeedTheImageForQuality) {
    const QByteArray bytes = control.GetBytesJPEG(60, false);
    const QByteArray best = control.GetJPEG(60, false)->Data();
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8"));
    EXPECT_EQ(ReadHeader(bytes).LuminanceTable, TableForQuality(60));
    // The standard Huffman tables of the fast setting take more bytes than optimised ones.
    EXPECT_GT(bytes.size(), best.size());
    EXPECT_TRUE(ReadHeader(control.GetBytesJPEG(60, true)).Progressive);
}

TEST_F(ImageExportTest, AnEmptyControlRaisesTheEncodersError) {
    control.resize(0, 10);
    EXPECT_TRUE(RaisedMessage([&] { control.GetJPEG(50, false); }).startsWith("JPEG error - "));
}
