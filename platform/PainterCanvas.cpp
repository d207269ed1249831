#include "platform/PainterCanvas.h"

#include "platform/FontSubstitution.h"
#include "platform/Metafile.h"

#include <QFontMetrics>
#include <QImage>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QPainter::CompositionMode ModeComposition(TPenMode mode) {
    switch (mode) {
    case pmBlack:
        return QPainter::RasterOp_ClearDestination;
    case pmWhite:
        return QPainter::RasterOp_SetDestination;
    case pmNop:
        return QPainter::CompositionMode_Destination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmCopy:
        return QPainter::CompositionMode_SourceOver;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// The window system's cosmetic dash patterns, in pixels.
QList<qreal> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// The rectangle covering pixels Left..Right-1 as the toolkit's outline rectangle, whose
// right and bottom edges are drawn.
QRect OutlineRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

// The toolkit's arc angles are parametric on the ellipse; the window system's end points
// name rays from the centre, which meet a flat ellipse at a different parameter.
double RayAngle(const QRectF& bounds, const TPoint& p) {
    const QPointF c = bounds.center();
    const double up = -(p.Y - c.y());
    const double right = p.X - c.x();
    return std::atan2(bounds.width() * up, bounds.height() * right) * 180.0 / std::numbers::pi;
}

struct TEdgeColors {
    TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};

TEdgeColors EdgeColors(TEdgeStyle style) {
    if (style == TEdgeStyle::Raised) return {cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
    return {clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
}

} // namespace

TPainterCanvas::TPainterCanvas(QPaintDevice& device, QImage* image, bool metafile)
    : device_(device), image_(image), metafile_(metafile), painter_(&ownPainter_) {
    WatchFont();
}

TPainterCanvas::TPainterCanvas(QPainter& painter, bool metafile)
    : device_(*painter.device()),
      image_(device_.devType() == QInternal::Image ? static_cast<QImage*>(&device_) : nullptr),
      metafile_(metafile), painter_(&painter), external_(true) {
    WatchFont();
    if (!painter.isActive()) return;
    painter.save();
    restoreExternal_ = true;
    baseTransform_ = painter.worldTransform();
    baseClipping_ = painter.hasClipping();
    baseClip_ = painter.clipRegion();
    ApplyState();
}

TPainterCanvas::TPainterCanvas(QImage& image) : TPainterCanvas(image, &image, false) {}

TPainterCanvas::TPainterCanvas(QWidget& widget) : TPainterCanvas(widget, nullptr, false) {}

TPainterCanvas::TPainterCanvas(QSvgGenerator& generator)
    : TPainterCanvas(generator, nullptr, true) {
    generator.setResolution(TFont::PixelsPerInch);
}

TPainterCanvas::TPainterCanvas(QPrinter& printer) : TPainterCanvas(printer, nullptr, false) {}

TPainterCanvas::~TPainterCanvas() {
    Font()->OnChange = nullptr;
    if (restoreExternal_ && painter_->isActive())
        painter_->restore();
    else
        EndPaint();
}

void TPainterCanvas::EndPaint() {
    if (!external_ && ownPainter_.isActive()) ownPainter_.end();
}

bool TPainterCanvas::Ready() {
    if (painter_->isActive()) return true;
    if (external_ || (image_ && image_->isNull())) return false;
    if (!ownPainter_.begin(&device_)) return false;
    ApplyState();
    return true;
}

QPainter& TPainterCanvas::Painter() {
    Ready();
    return *painter_;
}

int TPainterCanvas::PixelsPerInch() const {
    return device_.devType() == QInternal::Printer ? device_.logicalDpiX() : Font()->PixelsPerInch;
}

TSize TPainterCanvas::SurfaceSize() const {
    if (image_) return LogicalSize(*image_);
    return {device_.width(), device_.height()};
}

QImage TPainterCanvas::CopyImage(const TRect& r) const {
    if (!image_ || image_->isNull()) return QImage();
    const TPoint topLeft = ToDevice(r.Left, r.Top);
    const QRectF logical(
        baseTransform_.mapRect(QRectF(topLeft.X, topLeft.Y, r.Width(), r.Height())));
    const qreal ratio = image_->devicePixelRatio();
    QImage result =
        image_->copy(QRectF(logical.topLeft() * ratio, logical.size() * ratio).toRect());
    result.setDevicePixelRatio(ratio);
    return result;
}

QPoint TPainterCanvas::ImagePixel(int x, int y) const {
    const TPoint p = ToDevice(x, y);
    const QPointF pixel = baseTransform_.map(QPointF(p.X, p.Y)) * image_->devicePixelRatio();
    return QPoint(int(std::floor(pixel.x())), int(std::floor(pixel.y())));
}

void TPainterCanvas::ApplyState() {
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setWorldTransform(baseTransform_);
    if (baseClipping_)
        painter_->setClipRegion(baseClip_);
    else
        painter_->setClipping(false);
    if (const std::optional<TRect> clip = DeviceClip())
        painter_->setClipRect(ToQRect(*clip), baseClipping_ ? Qt::IntersectClip : Qt::ReplaceClip);
    painter_->translate(-WindowOrigin().X, -WindowOrigin().Y);
    FindPixelMove();
}

void TPainterCanvas::DoStateChanged() {
    if (painter_->isActive()) ApplyState();
}

void TPainterCanvas::UseMode() {
    painter_->setCompositionMode(ModeComposition(Pen()->Mode()));
}

void TPainterCanvas::UsePen() {
    painter_->setPen(CurrentQPen());
}

// Width 0 and 1 are the thinnest line, which leaves out its end point; wider pens draw round
// ends and joins, and only the thinnest pen draws dashes. A control paints with a few pens in
// turn, so the last ones made are kept: a pen made anew allocates.
const QPen& TPainterCanvas::CurrentQPen() {
    const TPen& pen = *Pen();
    const TPenKey key{ColorToRGB(pen.Color()), pen.Width(), pen.Style()};
    for (TKeptPen& kept : pens_)
        if (kept.Key == key) return kept.Pen;
    TKeptPen& kept = pens_[nextPen_];
    nextPen_ = (nextPen_ + 1) % pens_.size();
    kept.Key = key;
    kept.Pen = MakeQPen(key);
    return kept.Pen;
}

QPen TPainterCanvas::MakeQPen(const TPenKey& key) {
    if (key.Style == psClear) return QPen(Qt::NoPen);
    QPen made(ToQColor(key.Color));
    if (key.Width <= 1) {
        made.setWidth(0);
        made.setCapStyle(Qt::FlatCap);
        const QList<qreal> dashes = DashPattern(key.Style);
        if (!dashes.isEmpty()) made.setDashPattern(dashes);
    } else {
        made.setWidth(key.Width);
        made.setCapStyle(Qt::RoundCap);
        made.setJoinStyle(Qt::RoundJoin);
    }
    return made;
}

void TPainterCanvas::UseBrush() {
    painter_->setBrush(CurrentQBrush());
}

const QBrush& TPainterCanvas::CurrentQBrush() {
    const TBrushKey key{ColorToRGB(Brush()->Color()), Brush()->Style()};
    if (key == brushKey_) return qtBrush_;
    brushKey_ = key;
    qtBrush_ = QBrush(ToQColor(key.Color), QtBrushStyle(key.Style));
    return qtBrush_;
}

const QPen& TPainterCanvas::CurrentTextPen() {
    const TColor rgb = ColorToRGB(Font()->Color());
    if (rgb != textRGB_) {
        textRGB_ = rgb;
        qtTextPen_ = QPen(ToQColor(rgb));
    }
    return qtTextPen_;
}

const QFont& TPainterCanvas::CurrentQFont() const {
    if (fontStale_) {
        fontStale_ = false;
        fontMeasures_.Select(FontShape(*Font()));
    }
    return fontMeasures_.Font();
}

void TPainterCanvas::WatchFont() {
    Font()->OnChange = [this](QObject*) { fontStale_ = true; };
}

const QPolygon& TPainterCanvas::ToPolygon(std::span<const TPoint> points) {
    polygon_.clear();
    for (const TPoint& p : points)
        polygon_ << ToQPoint(p);
    return polygon_;
}

void TPainterCanvas::UseFill(TColor color) {
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(ToQColor(color));
}

void TPainterCanvas::DoLine(const TPoint& from, const TPoint& to) {
    if (from == to || !Ready()) return;
    UsePen();
    UseMode();
    painter_->drawLine(ToQPoint(from), ToQPoint(to));
}

void TPainterCanvas::DoPolyline(std::span<const TPoint> points) {
    if (!Ready()) return;
    UsePen();
    UseMode();
    if (Pen()->Width() > 1) {
        painter_->drawPolyline(ToPolygon(points));
        return;
    }
    // Segment by segment, so that only the last point is left out; the dashes run on from
    // one segment into the next, counted in pixels along the major axis.
    const bool dashed = Pen()->Style() != psSolid && Pen()->Style() != psInsideFrame;
    QPen pen = painter_->pen();
    qreal dashOffset = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        const TPoint& from = points[i - 1];
        const TPoint& to = points[i];
        if (from == to) continue;
        if (dashed) {
            pen.setDashOffset(dashOffset);
            painter_->setPen(pen);
        }
        painter_->drawLine(ToQPoint(from), ToQPoint(to));
        dashOffset += std::max(std::abs(double(to.X) - from.X), std::abs(double(to.Y) - from.Y));
    }
}

// On an image a thin solid pen in copy mode draws the same pixels whether the lines go to the
// painter one by one or in one call, which saves its per-call state checks. In one call the
// painter skips a pixel that the previous line already drew, which only a raster mode would
// show; so those, dashes, wide pens and other devices take a two-point polyline each.
void TPainterCanvas::DoLines(std::span<const TPoint> ends) {
    const bool solid = Pen()->Style() == psSolid || Pen()->Style() == psInsideFrame;
    if (!image_ || !solid || Pen()->Width() > 1 || Pen()->Mode() != pmCopy) {
        TCanvas::DoLines(ends);
        return;
    }
    if (!Ready()) return;
    UsePen();
    UseMode();
    // A vertical thin line covers its column from the upper end down to the row above the lower
    // end, whichever end it starts at. Without scaling that column is filled directly, which
    // the toolkit does several times faster than it steps along a line; the colour is opaque
    // and the mode copy, so the order of fills and lines changes no pixel.
    const bool fillVertical = painter_->deviceTransform().type() <= QTransform::TxTranslate;
    const QColor color = painter_->pen().color();
    lines_.clear();
    columns_.clear();
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
        const TPoint& from = ends[i];
        const TPoint& to = ends[i + 1];
        if (from == to) continue;
        if (fillVertical && from.X == to.X)
            columns_.push_back({from.X, std::min(from.Y, to.Y), std::max(from.Y, to.Y)});
        else
            lines_.emplace_back(ToQPoint(from), ToQPoint(to));
    }
    FillColumns(color);
    painter_->drawLines(lines_.data(), int(lines_.size()));
}

// The toolkit fills a rectangle row by row, a call per row: neighbouring columns are filled
// as one rectangle over the rows they share and each on its own over the rest, so that a
// dense trace, whose columns mostly overlap, costs a call per row of a group, not of a column.
void TPainterCanvas::FillColumns(const QColor& color) {
    for (std::size_t first = 0, end = 0; first < columns_.size(); first = end) {
        int top = columns_[first].Top;
        int bottom = columns_[first].Bottom;
        for (end = first + 1; end < columns_.size(); ++end) {
            const TColumnFill& next = columns_[end];
            if (next.X != columns_[end - 1].X + 1) break;
            const int shared = std::min(bottom, next.Bottom) - std::max(top, next.Top);
            // Joining adds rows of their own to the columns already grouped and saves the
            // shared rows of the new one.
            if (shared <= 0 || int64_t(bottom - top - shared) * int64_t(end - first) > shared)
                break;
            top = std::max(top, next.Top);
            bottom = std::min(bottom, next.Bottom);
        }
        painter_->fillRect(QRect(columns_[first].X, top, int(end - first), bottom - top), color);
        for (std::size_t i = first; i < end; ++i) {
            const TColumnFill& column = columns_[i];
            if (column.Top < top)
                painter_->fillRect(QRect(column.X, column.Top, 1, top - column.Top), color);
            if (column.Bottom > bottom)
                painter_->fillRect(QRect(column.X, bottom, 1, column.Bottom - bottom), color);
        }
    }
}

void TPainterCanvas::DoPolygon(std::span<const TPoint> points) {
    if (!Ready()) return;
    UsePen();
    UseBrush();
    UseMode();
    painter_->drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

TRect TPainterCanvas::InsideFrame(const TRect& r) const {
    if (Pen()->Style() != psInsideFrame || Pen()->Width() <= 1) return r;
    const int inset = Pen()->Width() / 2;
    return InflateRect(r, -inset, -inset);
}

void TPainterCanvas::DoRectangle(const TRect& r) {
    if (!Ready()) return;
    const TRect frame = InsideFrame(r);
    const bool outlined = Pen()->Style() != psClear;
    UseMode();
    if (Brush()->Style() != bsClear) {
        // A thin outline is drawn over no fill, so raster modes meet each pixel once; a clear
        // pen leaves the whole rectangle to the brush.
        const bool thin = outlined && Pen()->Width() <= 1;
        painter_->setPen(Qt::NoPen);
        UseBrush();
        painter_->drawRect(ToQRect(thin ? InflateRect(frame, -1, -1) : frame));
    }
    if (!outlined) return;
    UsePen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(OutlineRect(frame));
}

void TPainterCanvas::DoFillRect(const TRect& r) {
    if (!Ready() || Brush()->Style() == bsClear) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setPen(Qt::NoPen);
    UseBrush();
    painter_->drawRect(ToQRect(r));
}

void TPainterCanvas::DoFrameRect(const TRect& r) {
    if (!Ready() || Brush()->Style() == bsClear) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    UseFill(Brush()->Color());
    painter_->drawRect(QRect(r.Left, r.Top, r.Width(), 1));
    painter_->drawRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1));
    painter_->drawRect(QRect(r.Left, r.Top, 1, r.Height()));
    painter_->drawRect(QRect(r.Right - 1, r.Top, 1, r.Height()));
}

void TPainterCanvas::DoEllipse(const TRect& r) {
    DoEllipses(std::span<const TRect>(&r, 1));
}

// Ellipses of one size share a stamp, looked up once per run of that size; the image is made
// writable once for all of them.
void TPainterCanvas::DoEllipses(std::span<const TRect> rects) {
    if (!Ready()) return;
    const std::optional<TPixelTarget> target = DirectTarget();
    const TKeptStamp* stamp = nullptr;
    for (const TRect& r : rects) {
        const TRect outline = InsideFrame(r);
        if (!stamp || stamp->Width != outline.Width() || stamp->Height != outline.Height())
            stamp = StampFor(outline);
        if (stamp)
            PlaceStamp(*stamp, QPoint(outline.Left - StampMargin, outline.Top - StampMargin),
                       target);
        else
            DrawEllipseOutline(outline);
    }
}

void TPainterCanvas::DrawEllipseOutline(const TRect& outline) {
    UsePen();
    UseBrush();
    UseMode();
    painter_->drawEllipse(OutlineRect(outline));
}

// Null when the ellipse cannot be stamped or its stamp could not be made: the toolkit draws
// it then.
const TPainterCanvas::TKeptStamp* TPainterCanvas::StampFor(const TRect& outline) {
    if (!EllipseStampable(outline)) return nullptr;
    const TKeptStamp& stamp = EllipseStamp(outline.Width(), outline.Height());
    return stamp.Image.isNull() ? nullptr : &stamp;
}

// Such an ellipse is drawn by whole pixels of opaque colour, so the stamp's transparent rest
// leaves what lies below as the ellipse would.
bool TPainterCanvas::EllipseStampable(const TRect& r) const {
    const TPenStyle pen = Pen()->Style();
    const TBrushStyle brush = Brush()->Style();
    return pixelMove_ && Pen()->Mode() == pmCopy && Pen()->Width() <= 1 &&
           (pen == psSolid || pen == psInsideFrame || pen == psClear) &&
           (brush == bsSolid || brush == bsClear) && r.Width() <= MaxStampSize &&
           r.Height() <= MaxStampSize;
}

void TPainterCanvas::FindPixelMove() {
    pixelMove_.reset();
    directArea_.reset();
    const QTransform device = painter_->deviceTransform();
    if (!image_ || device.type() > QTransform::TxTranslate ||
        device.dx() != std::floor(device.dx()) || device.dy() != std::floor(device.dy()))
        return;
    pixelMove_ = QPoint(int(device.dx()), int(device.dy()));
    const QImage::Format format = image_->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
         format != QImage::Format_ARGB32_Premultiplied) ||
        baseClipping_ || painter_->opacity() != 1)
        return;
    directArea_ = image_->rect();
    // The clip is set under the base transform, which a whole-pixel move leaves a move too.
    if (const std::optional<TRect> clip = DeviceClip())
        *directArea_ &=
            ToQRect(*clip).translated(int(baseTransform_.dx()), int(baseTransform_.dy()));
}

std::optional<std::vector<TPainterCanvas::TStampRun>>
TPainterCanvas::OpaqueRuns(const QImage& stamp) {
    std::vector<TStampRun> runs;
    for (int y = 0; y < stamp.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(stamp.constScanLine(y));
        for (int x = 0, end = 0; x < stamp.width(); x = end) {
            end = x + 1;
            const int alpha = qAlpha(row[x]);
            if (alpha == 0) continue;
            if (alpha != 255) return std::nullopt;
            while (end < stamp.width() && row[end] == row[x])
                ++end;
            runs.push_back({y, x, end - x, row[x]});
        }
    }
    return runs;
}

const TPainterCanvas::TKeptStamp& TPainterCanvas::EllipseStamp(int width, int height) {
    const TPenKey pen{ColorToRGB(Pen()->Color()), Pen()->Width(), Pen()->Style()};
    const TBrushKey brush{ColorToRGB(Brush()->Color()), Brush()->Style()};
    for (const TKeptStamp& kept : stamps_)
        if (kept.Width == width && kept.Height == height && kept.Pen == pen && kept.Brush == brush)
            return kept;
    TKeptStamp& kept = stamps_[nextStamp_];
    nextStamp_ = (nextStamp_ + 1) % stamps_.size();
    kept = {width,
            height,
            pen,
            brush,
            QImage(width + 2 * StampMargin, height + 2 * StampMargin,
                   QImage::Format_ARGB32_Premultiplied),
            false,
            {}};
    if (kept.Image.isNull()) return kept;
    kept.Image.fill(Qt::transparent);
    {
        QPainter stamp(&kept.Image);
        stamp.setPen(CurrentQPen());
        stamp.setBrush(CurrentQBrush());
        stamp.drawEllipse(OutlineRect(Bounds(StampMargin, StampMargin, width, height)));
    }
    if (std::optional<std::vector<TStampRun>> runs = OpaqueRuns(kept.Image)) {
        kept.Opaque = true;
        kept.Runs = std::move(*runs);
    }
    return kept;
}

// An image shared with a copy is left to the painter, which detaches it.
std::optional<TPainterCanvas::TPixelTarget> TPainterCanvas::DirectTarget() {
    if (!directArea_ || !image_->isDetached()) return std::nullopt;
    return TPixelTarget{reinterpret_cast<QRgb*>(image_->bits()),
                        image_->bytesPerLine() / qsizetype(sizeof(QRgb)), *directArea_,
                        *pixelMove_};
}

// Opaque pixels replace what lies below whatever the image's 32-bit format, so they are
// written straight into it: a small stamp has far fewer pixels than the toolkit's image
// drawing costs per call, and a plot places thousands.
void TPainterCanvas::PlaceStamp(const TKeptStamp& stamp, const QPoint& at,
                                const std::optional<TPixelTarget>& target) {
    if (!stamp.Opaque || !target) {
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_->drawImage(at, stamp.Image);
        return;
    }
    const QPoint origin = at + target->Move;
    const QRect& area = target->Area;
    const bool inside = area.contains(QRect(origin, stamp.Image.size()));
    for (const TStampRun& run : stamp.Runs) {
        const int y = origin.y() + run.Y;
        int from = origin.x() + run.X;
        int to = from + run.Length;
        if (!inside) {
            from = std::max(from, area.left());
            to = std::min(to, area.right() + 1);
            if (y < area.top() || y > area.bottom() || from >= to) continue;
        }
        QRgb* const row = target->Bits + y * target->Stride;
        std::fill(row + from, row + to, run.Color);
    }
}

void TPainterCanvas::DoArc(const TRect& r, const TPoint& start, const TPoint& end) {
    if (!Ready()) return;
    const QRect bounds = OutlineRect(r);
    const double from = RayAngle(bounds, start);
    double span = RayAngle(bounds, end) - from;
    while (span <= 0)
        span += 360;
    UsePen();
    painter_->setBrush(Qt::NoBrush);
    UseMode();
    painter_->strokePath(ArcPath(QRectF(bounds).normalized(), double(std::lround(from * 16)) / 16,
                                 double(std::lround(span * 16)) / 16),
                         painter_->pen());
}

// QPainter::drawArc builds a path and its stroking form anew each time; an arc drawn again, as
// in a repaint of an unchanged control, reuses both.
const QPainterPath& TPainterCanvas::ArcPath(const QRectF& outline, double start, double span) {
    for (TKeptArc& kept : arcs_)
        if (kept.Outline == outline && kept.Start == start && kept.Span == span) return kept.Path;
    TKeptArc& kept = arcs_[nextArc_];
    nextArc_ = (nextArc_ + 1) % arcs_.size();
    kept.Outline = outline;
    kept.Start = start;
    kept.Span = span;
    kept.Path.clear();
    kept.Path.arcMoveTo(outline, start);
    kept.Path.arcTo(outline, start, span);
    return kept.Path;
}

TColor TPainterCanvas::DoGetPixel(int x, int y) const {
    if (!image_ || image_->isNull()) return clNone;
    const QPoint device = ImagePixel(x, y);
    if (!image_->rect().contains(device)) return clNone;
    return FromQColor(QColor(image_->pixel(device)));
}

void TPainterCanvas::DoSetPixel(int x, int y, TColor color) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TPainterCanvas::DoTextOut(int x, int y, const QString& text) {
    if (!Ready()) return;
    const TTextLine line{text, {x, y}, TextWidth(text), -1};
    DrawTextLine(line, QPoint(x, y));
}

TSize TPainterCanvas::DoTextExtent(const QString& text) const {
    CurrentQFont();
    return {fontMeasures_.Width(text), fontMeasures_.Cell().Height};
}

void TPainterCanvas::DoDrawText(const TRect& r, TTextFormat format,
                                const std::vector<TTextLine>& lines) {
    if (!Ready()) return;
    painter_->save();
    if (!(format & tfNoClip)) painter_->setClipRect(ToQRect(r), Qt::IntersectClip);
    for (const TTextLine& line : lines)
        DrawTextLine(line, ToQPoint(r.TopLeft()));
    painter_->restore();
}

// The text cell's top-left is the line position; an escapement turns the cell
// counter-clockwise around the origin given.
void TPainterCanvas::DrawTextLine(const TTextLine& line, const QPoint& origin) {
    const QFont& font = CurrentQFont();
    const QFontMetrics metrics(font);
    painter_->save();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (const int escapement = Font()->Orientation(); escapement != 0) {
        painter_->translate(origin);
        painter_->rotate(-double(escapement) / 10.0);
        painter_->translate(-origin);
    }
    const TFontCell fontCell = fontMeasures_.Cell();
    const QRect cell(line.Position.X, line.Position.Y, line.Width, fontCell.Height);
    if (Brush()->Style() != bsClear) painter_->fillRect(cell, ToQColor(Brush()->Color()));
    painter_->setFont(font);
    painter_->setPen(CurrentTextPen());
    const int baseline = cell.top() + fontCell.Ascent;
    painter_->drawText(QPoint(cell.left(), baseline), line.Text);
    if (line.UnderlineIndex >= 0) {
        const int left =
            cell.left() + metrics.horizontalAdvance(line.Text.left(line.UnderlineIndex));
        const int width = metrics.horizontalAdvance(line.Text.at(line.UnderlineIndex));
        painter_->fillRect(
            QRect(left, baseline + metrics.underlinePos(), width, std::max(1, metrics.lineWidth())),
            ToQColor(Font()->Color()));
    }
    painter_->restore();
}

// Each ring: the top and left sides in the first colour, the bottom and right sides (with
// both far corners) in the second.
void TPainterCanvas::DoDrawEdge(const TRect& r, TEdgeStyle style) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const TEdgeColors colors = EdgeColors(style);
    const auto ring = [this](const TRect& ringRect, TColor topLeft, TColor bottomRight) {
        if (ringRect.IsEmpty()) return;
        const QColor light = ToQColor(topLeft);
        const QColor dark = ToQColor(bottomRight);
        painter_->fillRect(QRect(ringRect.Left, ringRect.Top, ringRect.Width() - 1, 1), light);
        painter_->fillRect(QRect(ringRect.Left, ringRect.Top, 1, ringRect.Height() - 1), light);
        painter_->fillRect(QRect(ringRect.Left, ringRect.Bottom - 1, ringRect.Width(), 1), dark);
        painter_->fillRect(QRect(ringRect.Right - 1, ringRect.Top, 1, ringRect.Height()), dark);
    };
    ring(r, colors.OuterTopLeft, colors.OuterBottomRight);
    ring(InflateRect(r, -1, -1), colors.InnerTopLeft, colors.InnerBottomRight);
}

// Every other pixel of the frame, counted from the top-left corner, is inverted once; a
// corner shared by two sides is not inverted twice. Only the pixels on the device are visited,
// so a frame far larger than the picture costs no more than one that fits it.
void TPainterCanvas::DoDrawFocusRect(const TRect& r) {
    if (!Ready()) return;
    const QPaintDevice* device = painter_->device();
    const QRect visible = painter_->combinedTransform().inverted().mapRect(
        QRect(0, 0, device->width(), device->height()));
    const int left = std::max(r.Left, visible.left());
    const int right = std::min(r.Right, visible.right() + 1);
    const int top = std::max(r.Top + 1, visible.top());
    const int bottom = std::min(r.Bottom - 1, visible.bottom() + 1);
    painter_->save();
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
    const auto dot = [&](int x, int y) {
        if ((x - r.Left + y - r.Top) % 2 == 0) painter_->fillRect(x, y, 1, 1, Qt::black);
    };
    const auto row = [&](int y) {
        if (y < visible.top() || y > visible.bottom()) return;
        for (int x = left; x < right; ++x)
            dot(x, y);
    };
    const auto column = [&](int x) {
        if (x < visible.left() || x > visible.right()) return;
        for (int y = top; y < bottom; ++y)
            dot(x, y);
    };
    if (r.Right > r.Left) {
        row(r.Top);
        if (r.Bottom - 1 != r.Top) row(r.Bottom - 1);
    }
    column(r.Left);
    if (r.Right - 1 != r.Left) column(r.Right - 1);
    painter_->restore();
}

void TPainterCanvas::DoInvertRect(const TRect& r) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_->fillRect(ToQRect(r), Qt::black);
}

void TPainterCanvas::DoDraw(int x, int y, const QImage& image) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->drawImage(QPoint(x, y), image);
}

void TPainterCanvas::DoStretchDraw(const TRect& r, const QImage& image) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->drawImage(ToQRect(r), image);
}

void TPainterCanvas::DoCopyRect(const TRect& dest, const QImage& image, const TRect&) {
    if (image.isNull() || !Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->drawImage(ToQRect(dest), image);
}

void TPainterCanvas::DoPlayMetafile(const TRect& r, const TMetafile& metafile) {
    if (!Ready()) return;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QSvgRenderer renderer(metafile.Data());
    renderer.render(painter_, QRectF(ToQRect(r)));
}
