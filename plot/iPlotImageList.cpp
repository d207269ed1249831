#include "plot/iPlotImageList.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "plot/iPlotToolBarImageList.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <algorithm>

namespace {

// "iPL" and the form's version.
constexpr quint32 streamMagic = 0x69504C01;
constexpr int bytesPerPixel = 3;

[[noreturn]] void ThrowReadFailure() {
    throw Exception(QStringLiteral("Failed to read ImageList data from stream"));
}

qint64 PictureBytes(TSize size) {
    return qint64(size.cx) * size.cy * bytesPerPixel;
}

bool ValidSize(TSize size) {
    return size.cx > 0 && size.cy > 0 && size.cx <= TiPlotImageList::MaxImageSize &&
           size.cy <= TiPlotImageList::MaxImageSize;
}

QByteArray PixelBytes(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    bytes.reserve(rgb.width() * rgb.height() * bytesPerPixel);
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                     qsizetype(rgb.width()) * bytesPerPixel);
    return bytes;
}

QImage PictureFromBytes(const QByteArray& bytes, TSize size) {
    QImage rgb(size.cx, size.cy, QImage::Format_RGB888);
    if (rgb.isNull()) ThrowReadFailure();
    const qsizetype row = qsizetype(size.cx) * bytesPerPixel;
    for (int y = 0; y < size.cy; ++y)
        std::copy_n(bytes.constData() + y * row, row, reinterpret_cast<char*>(rgb.scanLine(y)));
    return rgb.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TiPlotImageList::TiPlotImageList() = default;

TiPlotImageList::~TiPlotImageList() = default;

void TiPlotImageList::Clear() {
    images_.clear();
}

void TiPlotImageList::AddMasked(const QImage& Picture, TColor MaskColor) {
    const TSize given{Picture.width(), Picture.height()};
    if (given.cx <= 0 || given.cy <= 0) throw Exception(QStringLiteral("Image is empty"));
    if (!Empty()) {
        const bool bothSmaller = given.cx < size_.cx && given.cy < size_.cy;
        const bool bothLarger = given.cx > size_.cx && given.cy > size_.cy;
        if (!bothSmaller && !bothLarger && given.cx != size_.cx && given.cy != size_.cy)
            throw Exception(QStringLiteral("Image Width and Height must be the same as other "
                                           "images, or both smaller, or both larger"));
    } else {
        size_ = given;
    }
    Append(Fitted(Picture, MaskColor), MaskColor);
}

QImage TiPlotImageList::Fitted(const QImage& Picture, TColor MaskColor) const {
    QImage fitted(size_.cx, size_.cy, QImage::Format_RGB32);
    if (fitted.isNull()) throw Exception(QStringLiteral("Out of memory"));
    fitted.fill(ToQColor(MaskColor));
    QPainter painter(&fitted);
    painter.drawImage(size_.cx / 2 - Picture.width() / 2, size_.cy / 2 - Picture.height() / 2,
                      Picture.convertToFormat(QImage::Format_RGB32));
    return fitted;
}

void TiPlotImageList::Append(const QImage& Picture, TColor MaskColor) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetImage(Picture);
    images_.push_back({std::move(bitmap), ColorToRGB(MaskColor)});
}

QImage TiPlotImageList::Picture(int Index) const {
    if (Index < 0 || Index >= Count()) return {};
    return images_[size_t(Index)].Picture->Image();
}

QImage TiPlotImageList::Mask(int Index) const {
    if (Index < 0 || Index >= Count()) return {};
    const TEntry& entry = images_[size_t(Index)];
    return entry.Picture->Image().createMaskFromColor(ToQColor(entry.MaskColor).rgb(),
                                                      Qt::MaskInColor);
}

void TiPlotImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const {
    if (Index < 0 || Index >= Count()) return;
    const TEntry& entry = images_[size_t(Index)];
    if (Enabled) {
        Canvas.DrawTransparent(X, Y, *entry.Picture, entry.MaskColor);
        return;
    }
    Canvas.DrawTransparent(X, Y, *GrayedPicture(*entry.Picture, entry.MaskColor), entry.MaskColor);
}

QByteArray TiPlotImageList::WriteToStream() const {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    const bool writable = ValidSize(size_) && Count() <= MaxCount;
    if (writable) {
        stream << streamMagic << qint32(size_.cx) << qint32(size_.cy) << qint32(Count());
        for (const TEntry& entry : images_) {
            const QByteArray pixels = PixelBytes(entry.Picture->Image());
            stream << quint32(entry.MaskColor);
            stream.writeRawData(pixels.constData(), int(pixels.size()));
        }
    }
    if (!writable || stream.status() != QDataStream::Ok)
        throw Exception(QStringLiteral("Failed to write ImageList data to stream"));
    return bytes;
}

void TiPlotImageList::ReadFromStream(const QByteArray& Bytes) {
    Clear();
    QDataStream stream(Bytes);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    qint32 width = 0, height = 0, count = 0;
    stream >> magic >> width >> height >> count;
    const TSize size{width, height};
    if (stream.status() != QDataStream::Ok || magic != streamMagic || !ValidSize(size) ||
        count < 0 || count > MaxCount)
        ThrowReadFailure();
    // Every byte is accounted for before anything is allocated.
    const qint64 header = 4 * 4;
    if (Bytes.size() - header != qint64(count) * (4 + PictureBytes(size))) ThrowReadFailure();
    std::vector<std::pair<QImage, TColor>> pictures;
    QByteArray pixels(qsizetype(PictureBytes(size)), Qt::Uninitialized);
    for (qint32 i = 0; i < count; ++i) {
        quint32 maskColor = 0;
        stream >> maskColor;
        if (stream.readRawData(pixels.data(), int(pixels.size())) != pixels.size())
            ThrowReadFailure();
        pictures.emplace_back(PictureFromBytes(pixels, size), ColorToRGB(TColor(maskColor)));
    }
    size_ = size;
    for (const auto& [picture, maskColor] : pictures)
        Append(picture, maskColor);
}

QString TiPlotImageList::ToText(const QByteArray& Bytes) {
    return QString::fromLatin1(Bytes.toBase64());
}

QByteArray TiPlotImageList::FromText(const QString& Text) {
    const auto decoded = QByteArray::fromBase64Encoding(Text.trimmed().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) ThrowReadFailure();
    return *decoded;
}
