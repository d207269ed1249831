// A picture compressed as JPEG by the IJG library: 24-bit colour, a quality of 1 to 100,
// baseline or progressive, and the encoder set for best quality or for best speed.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class TBitmap;

// Best quality computes the exact DCT and optimal Huffman tables; best speed the fast DCT
// and the standard tables.
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class TJPEGImage {
public:
    int CompressionQuality() const { return compressionQuality_; }
    // Kept within 1..100.
    void SetCompressionQuality(int value);
    bool ProgressiveEncoding() const { return progressiveEncoding_; }
    void SetProgressiveEncoding(bool value) { progressiveEncoding_ = value; }
    TJPEGPerformance Performance() const { return performance_; }
    void SetPerformance(TJPEGPerformance value) { performance_ = value; }

    int Width() const { return picture_.width(); }
    int Height() const { return picture_.height(); }
    // Takes a copy of the bitmap's picture; the data compressed before is dropped.
    void Assign(const TBitmap& source);
    // Encodes the picture with the current settings. An encoder failure (an empty picture,
    // one wider or higher than 65500 pixels) raises "JPEG error - " and the encoder's message.
    void Compress();
    // The JPEG file's bytes; empty before Compress.
    const QByteArray& Data() const { return data_; }
    // Raises "Cannot create file "<name>"".
    void SaveToFile(const QString& fileName) const;

private:
    QImage picture_; // RGB888
    QByteArray data_;
    int compressionQuality_ = 90;
    bool progressiveEncoding_ = false;
    TJPEGPerformance performance_ = jpBestQuality;
};
