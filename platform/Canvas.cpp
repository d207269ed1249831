#include "platform/Canvas.h"

#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "platform/TextLayout.h"

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() = default;

void TCanvas::ResetState() {
    static const TPen pen;
    static const TBrush brush;
    static const TFont font;
    pen_.Assign(pen);
    brush_.Assign(brush);
    font_.Assign(font);
    penPos_ = {};
    windowOrigin_ = {};
    clip_.reset();
    saved_.clear();
    DoStateChanged();
}

void TCanvas::SetPen(const TPen* value) {
    if (value) pen_.Assign(*value);
}

void TCanvas::SetBrush(const TBrush* value) {
    if (value) brush_.Assign(*value);
}

void TCanvas::SetFont(const TFont* value) {
    if (value) font_.Assign(*value);
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    DoLine(penPos_, {x, y});
    penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() >= 2) DoPolyline(points);
}

void TCanvas::Lines(std::span<const TPoint> ends) {
    if (ends.size() >= 2) DoLines(ends.first(ends.size() & ~std::size_t(1)));
}

void TCanvas::DoLines(std::span<const TPoint> ends) {
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
        DoPolyline(ends.subspan(i, 2));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (!points.empty()) DoPolygon(points);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Rectangle(Rect(left, top, right, bottom));
}

void TCanvas::Rectangle(const TRect& r) {
    const TRect normal = NormalizedRect(r);
    if (!normal.IsEmpty()) DoRectangle(normal);
}

void TCanvas::FillRect(const TRect& r) {
    if (!r.IsEmpty()) DoFillRect(r);
}

void TCanvas::FrameRect(const TRect& r) {
    if (!r.IsEmpty()) DoFrameRect(r);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Ellipse(Rect(left, top, right, bottom));
}

void TCanvas::Ellipse(const TRect& r) {
    const TRect normal = NormalizedRect(r);
    if (!normal.IsEmpty()) DoEllipse(normal);
}

// Rectangles that need no normalizing (all that are not empty) go to DoEllipses in runs, the
// others one by one, so that nothing is copied.
void TCanvas::Ellipses(std::span<const TRect> rects) {
    std::size_t first = 0;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (!rects[i].IsEmpty()) continue;
        if (i > first) DoEllipses(rects.subspan(first, i - first));
        Ellipse(rects[i]);
        first = i + 1;
    }
    if (rects.size() > first) DoEllipses(rects.subspan(first));
}

void TCanvas::DoEllipses(std::span<const TRect> rects) {
    for (const TRect& r : rects)
        DoEllipse(r);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const TRect normal = NormalizedRect(Rect(x1, y1, x2, y2));
    if (!normal.IsEmpty()) DoArc(normal, {x3, y3}, {x4, y4});
}

TColor TCanvas::Pixels(int x, int y) const {
    return PtVisible(x, y) ? DoGetPixel(x, y) : clNone;
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (PtVisible(x, y)) DoSetPixel(x, y, color);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    DoTextOut(x, y, text);
    penPos_ = {x + TextWidth(text), y};
}

TSize TCanvas::TextExtent(const QString& text) const {
    return DoTextExtent(text);
}

int TCanvas::TextWidth(const QString& text) const {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const QString& text) const {
    return TextExtent(text).cy;
}

int TCanvas::DrawText(QString& text, TRect& r, TTextFormat format) {
    int height = 0;
    const std::vector<TTextLine> lines = LayoutText(text, r, format, height);
    if (!(format & tfCalcRect)) DoDrawText(r, format, lines);
    return height;
}

int TCanvas::DrawText(const QString& text, TRect& r, TTextFormat format) {
    QString copy = text;
    return DrawText(copy, r, format);
}

void TCanvas::DrawEdge(const TRect& r, TEdgeStyle style) {
    if (!r.IsEmpty()) DoDrawEdge(r, style);
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (!r.IsEmpty()) DoDrawFocusRect(r);
}

void TCanvas::InvertRect(const TRect& r) {
    if (!r.IsEmpty()) DoInvertRect(r);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (!bitmap.Empty()) DoDraw(x, y, bitmap.PaintingImage());
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bitmap, TColor transparentColor) {
    if (!bitmap.Empty()) DoDraw(x, y, TransparentImage(bitmap, transparentColor));
}

QImage TCanvas::TransparentImage(const TBitmap& bitmap, TColor transparentColor) {
    if (bitmap.Empty()) return QImage();
    QImage image = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
    image.setAlphaChannel(
        image.createMaskFromColor(ToQColor(transparentColor).rgb(), Qt::MaskOutColor));
    return image;
}

void TCanvas::DrawImage(int x, int y, const QImage& image) {
    if (!image.isNull()) DoDraw(x, y, image);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    if (!bitmap.Empty() && !r.IsEmpty()) DoStretchDraw(r, bitmap.PaintingImage());
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    if (dest.IsEmpty() || sourceRect.IsEmpty()) return;
    DoCopyRect(dest, source.CopyImage(sourceRect), sourceRect);
}

void TCanvas::Draw(int x, int y, const TMetafile& metafile) {
    StretchDraw(Bounds(x, y, metafile.Width(), metafile.Height()), metafile);
}

void TCanvas::StretchDraw(const TRect& r, const TMetafile& metafile) {
    if (!metafile.Empty() && !r.IsEmpty()) DoPlayMetafile(r, metafile);
}

void TCanvas::IntersectClipRect(const TRect& r) {
    const TRect device = OffsetRect(NormalizedRect(r), -windowOrigin_.X, -windowOrigin_.Y);
    clip_ = clip_ ? IntersectRect(*clip_, device) : device;
    DoStateChanged();
}

TRect TCanvas::ClipRect() const {
    const TSize size = SurfaceSize();
    const TRect device = clip_ ? *clip_ : Rect(0, 0, size.cx, size.cy);
    return OffsetRect(device, windowOrigin_.X, windowOrigin_.Y);
}

void TCanvas::SetWindowOrigin(const TPoint& value) {
    windowOrigin_ = value;
    DoStateChanged();
}

void TCanvas::SaveState() {
    TState state{std::make_unique<TPen>(), std::make_unique<TBrush>(), std::make_unique<TFont>(),
                 clip_, windowOrigin_};
    state.Pen->Assign(pen_);
    state.Brush->Assign(brush_);
    state.Font->Assign(font_);
    saved_.push_back(std::move(state));
}

void TCanvas::RestoreState() {
    if (saved_.empty()) return;
    const TState state = std::move(saved_.back());
    saved_.pop_back();
    pen_.Assign(*state.Pen);
    brush_.Assign(*state.Brush);
    font_.Assign(*state.Font);
    clip_ = state.Clip;
    windowOrigin_ = state.WindowOrigin;
    DoStateChanged();
}

bool TCanvas::PtVisible(int x, int y) const {
    const TPoint device = ToDevice(x, y);
    const TSize size = SurfaceSize();
    return Rect(0, 0, size.cx, size.cy).Contains(device) && (!clip_ || clip_->Contains(device));
}

QImage TCanvas::CopyImage(const TRect&) const {
    return QImage();
}

TPoint TCanvas::ToDevice(int x, int y) const {
    return {x - windowOrigin_.X, y - windowOrigin_.Y};
}

std::vector<TTextLine> TCanvas::LayoutText(QString& text, TRect& r, TTextFormat format,
                                           int& height) const {
    const TTextLayout layout([this](const QString& s) { return DoTextExtent(s).cx; },
                             DoTextExtent(QString()).cy, DoTextExtent(QStringLiteral("x")).cx);
    return layout.Layout(text, r, format, height);
}
