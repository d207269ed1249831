// An off-screen picture with its own canvas. Giving it a new size keeps the pixels that
// overlap and fills the new ones with the canvas's brush colour.
#pragma once

#include "platform/GraphicsObject.h"
#include "platform/PainterCanvas.h"

#include <QImage>
#include <QString>
#include <memory>

// The most device pixels a bitmap holds (8192 x 8192): a size beyond it, or one whose memory
// cannot be had, raises Exception and leaves the bitmap as it was, so that a control with an
// absurd size fails its paint instead of the program.
inline constexpr qint64 MaxBitmapPixels = qint64(64) * 1024 * 1024;

class TBitmap : public TGraphicsObject {
    Q_OBJECT

public:
    explicit TBitmap(QObject* parent = nullptr);
    ~TBitmap() override;

    // In logical pixels; the image holds Width x DevicePixelRatio device pixels.
    int Width() const;
    int Height() const;
    void SetWidth(int value);
    void SetHeight(int value);
    // Negative sizes are taken as 0.
    void SetSize(int width, int height);
    // Whether a picture of the size fits within MaxBitmapPixels at the ratio.
    static bool Fits(int width, int height, qreal devicePixelRatio);
    bool Empty() const { return Width() == 0 || Height() == 0; }
    qreal DevicePixelRatio() const { return devicePixelRatio_; }
    // Rescales the picture to the new ratio.
    void SetDevicePixelRatio(qreal value);

    TCanvas* Canvas() { return canvas_.get(); }
    const TCanvas* Canvas() const { return canvas_.get(); }

    void Assign(const TBitmap& source);
    // BMP, PNG or any format the toolkit reads, by content; raises Exception on failure.
    void LoadFromFile(const QString& fileName);
    // The format follows the file extension (BMP when there is none).
    void SaveToFile(const QString& fileName) const;

    // The picture with every drawing so far finished, for copying to the screen.
    const QImage& Image() const;
    // The same pixels while the canvas goes on painting, so that a picture drawn again and
    // again keeps its painter; only for drawing them elsewhere at once, since a copy kept from
    // it would change with later drawing.
    const QImage& PaintingImage() const { return image_; }
    void SetImage(const QImage& image);

private:
    void Replace(QImage image);

    QImage image_;
    int width_ = 0;
    int height_ = 0;
    qreal devicePixelRatio_ = 1.0;
    std::unique_ptr<TPainterCanvas> canvas_;
};
