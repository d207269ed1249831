#include "platform/Bitmap.h"

#include "platform/Exception.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

int DeviceLength(int logical, qreal ratio) {
    return int(std::lround(logical * ratio));
}

[[noreturn]] void RaiseTooLarge(int width, int height) {
    throw Exception(
        QStringLiteral("Not enough memory for a bitmap of %1 x %2 pixels").arg(width).arg(height));
}

// Raised before the picture is touched, so the bitmap keeps its old one.
void RequireFits(int width, int height, qreal ratio) {
    if (!TBitmap::Fits(width, height, ratio)) RaiseTooLarge(width, height);
}

QImage AllocatedImage(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    // The toolkit answers an allocation it cannot make with a null picture.
    if (image.isNull() && width > 0 && height > 0) RaiseTooLarge(width, height);
    return image;
}

} // namespace

TBitmap::TBitmap(QObject* parent)
    : TGraphicsObject(parent), canvas_(std::make_unique<TPainterCanvas>(image_)) {}

TBitmap::~TBitmap() {
    canvas_->EndPaint();
}

int TBitmap::Width() const {
    return width_;
}

int TBitmap::Height() const {
    return height_;
}

void TBitmap::SetWidth(int value) {
    SetSize(value, height_);
}

void TBitmap::SetHeight(int value) {
    SetSize(width_, value);
}

bool TBitmap::Fits(int width, int height, qreal devicePixelRatio) {
    const double pixels =
        std::max(width, 0) * devicePixelRatio * std::max(height, 0) * devicePixelRatio;
    return pixels <= double(MaxBitmapPixels);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    RequireFits(width, height, devicePixelRatio_);
    QImage next = AllocatedImage(DeviceLength(width, devicePixelRatio_),
                                 DeviceLength(height, devicePixelRatio_), QImage::Format_RGB32);
    next.setDevicePixelRatio(devicePixelRatio_);
    next.fill(ToQColor(canvas_->Brush()->Color()));
    canvas_->EndPaint();
    if (!image_.isNull() && !next.isNull()) {
        QPainter painter(&next);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), image_);
    }
    width_ = width;
    height_ = height;
    Replace(std::move(next));
}

// Ratios that are not positive would give no pixels at all and are ignored.
void TBitmap::SetDevicePixelRatio(qreal value) {
    if (!(value > 0) || value == devicePixelRatio_) return;
    RequireFits(width_, height_, value);
    devicePixelRatio_ = value;
    canvas_->EndPaint();
    if (image_.isNull()) return;
    QImage next = image_.scaled(DeviceLength(width_, value), DeviceLength(height_, value));
    next.setDevicePixelRatio(value);
    Replace(std::move(next));
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    devicePixelRatio_ = source.devicePixelRatio_;
    width_ = source.width_;
    height_ = source.height_;
    canvas_->EndPaint();
    Replace(source.Image().copy());
}

void TBitmap::LoadFromFile(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        throw Exception(QStringLiteral("Cannot open file \"%1\"").arg(fileName));
    QImage loaded;
    if (!loaded.load(fileName)) throw Exception(QStringLiteral("Bitmap image is not valid"));
    SetImage(loaded);
}

void TBitmap::SaveToFile(const QString& fileName) const {
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    const QByteArray format = suffix.isEmpty() ? QByteArray("BMP") : suffix.toLatin1();
    if (!Image().save(fileName, format.constData()))
        throw Exception(QStringLiteral("Cannot create file \"%1\"").arg(fileName));
}

const QImage& TBitmap::Image() const {
    canvas_->EndPaint();
    return image_;
}

void TBitmap::SetImage(const QImage& image) {
    canvas_->EndPaint();
    devicePixelRatio_ = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    const TSize logical = LogicalSize(image);
    width_ = logical.cx;
    height_ = logical.cy;
    Replace(image.convertToFormat(QImage::Format_RGB32));
}

void TBitmap::Replace(QImage image) {
    image_ = std::move(image);
    Changed();
}
