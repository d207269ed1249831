#include "plot/iPlotToolBarImageList.h"

#include "platform/Bitmap.h"
#include "plot/iPlotToolBarImages.h"

std::unique_ptr<TBitmap> GrayedPicture(const TBitmap& Image, TColor MaskColor) {
    const QImage source = Image.Image();
    const QRgb mask = ToQColor(MaskColor).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    auto dark = [&source, mask](int x, int y) {
        if (x < 0 || y < 0 || x >= source.width() || y >= source.height()) return false;
        const QRgb pixel = source.pixel(x, y);
        return pixel != mask && qGray(pixel) < 192;
    };
    QImage result(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            result.setPixel(x, y, dark(x, y) ? shadow : dark(x - 1, y - 1) ? highlight : mask);
    auto grayed = std::make_unique<TBitmap>();
    grayed->SetImage(result);
    return grayed;
}

TiPlotToolBarImageList::TiPlotToolBarImageList() = default;

TiPlotToolBarImageList::~TiPlotToolBarImageList() = default;

int TiPlotToolBarImageList::Add(const QString& ResourceName) {
    std::unique_ptr<TBitmap> image = CreateToolBarImage(ResourceName);
    if (!image) return -1;
    std::unique_ptr<TBitmap> grayed = GrayedPicture(*image, ToolBarImageMaskColor);
    QImage shown = TCanvas::TransparentImage(*image, ToolBarImageMaskColor);
    QImage grayedShown = TCanvas::TransparentImage(*grayed, ToolBarImageMaskColor);
    images_.push_back(
        {std::move(image), std::move(grayed), std::move(shown), std::move(grayedShown)});
    return Count() - 1;
}

void TiPlotToolBarImageList::Clear() {
    images_.clear();
}

const TBitmap* TiPlotToolBarImageList::Image(int Index) const {
    return Index >= 0 && Index < Count() ? images_[size_t(Index)].Image.get() : nullptr;
}

const TBitmap* TiPlotToolBarImageList::GrayedImage(int Index) const {
    return Index >= 0 && Index < Count() ? images_[size_t(Index)].Grayed.get() : nullptr;
}

void TiPlotToolBarImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const {
    if (Index < 0 || Index >= Count()) return;
    const TEntry& entry = images_[size_t(Index)];
    Canvas.DrawImage(X, Y, Enabled ? entry.Shown : entry.GrayedShown);
}
