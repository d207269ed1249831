// One of the plot's image lists: pictures of one size, each masked by its transparent colour,
// that picture annotations draw; stored in the plot's description in a form of its own.
#pragma once

#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class TBitmap;
class TCanvas;

class TiPlotImageList {
public:
    static constexpr int DefaultImageSize = 24;
    // The largest side and count a stored list may claim, so that a damaged description cannot
    // ask for absurd memory.
    static constexpr int MaxImageSize = 4096;
    static constexpr int MaxCount = 65536;

    TiPlotImageList();
    ~TiPlotImageList();

    TSize ImageSize() const { return size_; }
    int Count() const { return int(images_.size()); }
    bool Empty() const { return images_.empty(); }
    // Keeps the image size, which the next picture added sets.
    void Clear();
    // Appends the picture; the first one sets the list's size. A picture smaller on both sides
    // or of another size on one side only is centred on a picture of the list's size filled
    // with MaskColor, and one larger on both sides is cropped around its centre, so that the
    // list keeps its own copy of its own size. Other sizes raise "Image Width and Height must
    // be the same as other images, or both smaller, or both larger", an empty picture "Image
    // is empty"; nothing is added then.
    void AddMasked(const QImage& Picture, TColor MaskColor);
    // The picture at Index as stored, and its mask (the pixels left out drawn as 1); null
    // outside the list.
    QImage Picture(int Index) const;
    QImage Mask(int Index) const;
    // The picture's top-left at (X, Y) without its masked pixels, grayed when not Enabled; an
    // index outside the list draws nothing.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const;

    // The image size, then each picture with its mask colour. Raises "Failed to write
    // ImageList data to stream".
    QByteArray WriteToStream() const;
    // Empties the list, then reads a whole stream of WriteToStream's form; a stream that is
    // damaged or not one raises "Failed to read ImageList data from stream" and leaves the
    // list empty.
    void ReadFromStream(const QByteArray& Bytes);
    // The stream as text (base64) for descriptions that hold only strings; text that is no
    // base64 raises "Failed to read ImageList data from stream".
    static QString ToText(const QByteArray& Bytes);
    static QByteArray FromText(const QString& Text);

private:
    struct TEntry {
        std::unique_ptr<TBitmap> Picture;
        TColor MaskColor;
    };
    // The picture at the list's size, centred.
    QImage Fitted(const QImage& Picture, TColor MaskColor) const;
    void Append(const QImage& Picture, TColor MaskColor);

    TSize size_{DefaultImageSize, DefaultImageSize};
    std::vector<TEntry> images_;
};
