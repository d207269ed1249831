// The canvas on a Qt paint device: an image, a widget (inside its paint event, at its device
// pixel ratio), an SVG generator (the metafile) or a printer. Antialiasing is off, so the
// geometry is exact.
#pragma once

#include "platform/Canvas.h"
#include "platform/FontMeasures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QImage;
class QPrinter;
class QSvgGenerator;
class QWidget;

class TPainterCanvas : public TCanvas {
public:
    // The painter begins on the first drawing; EndPaint before the image is read or replaced
    // elsewhere.
    explicit TPainterCanvas(QImage& image);
    explicit TPainterCanvas(QWidget& widget);
    // At 96 dpi, so that the picture's physical size matches the screen's.
    explicit TPainterCanvas(QSvgGenerator& generator);
    // In the printer's device pixels, as the printer reports them in PixelsPerInch.
    explicit TPainterCanvas(QPrinter& printer);
    // Through a painter that is already active (a printer's page, a paint event); its
    // transform and clip are the canvas's device, and they come back when the canvas goes.
    explicit TPainterCanvas(QPainter& painter, bool metafile = false);
    ~TPainterCanvas() override;

    void EndPaint();
    // The active painter with the canvas's clip and origin applied, for drawing that the
    // canvas does not offer.
    QPainter& Painter();
    int PixelsPerInch() const;

    TSize SurfaceSize() const override;
    bool IsMetafile() const override { return metafile_; }
    QImage CopyImage(const TRect& r) const override;

protected:
    void DoLine(const TPoint& from, const TPoint& to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoLines(std::span<const TPoint> ends) override;
    void DoPolygon(std::span<const TPoint> points) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoFrameRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoEllipses(std::span<const TRect> rects) override;
    void DoArc(const TRect& r, const TPoint& start, const TPoint& end) override;
    TColor DoGetPixel(int x, int y) const override;
    void DoSetPixel(int x, int y, TColor color) override;
    void DoTextOut(int x, int y, const QString& text) override;
    TSize DoTextExtent(const QString& text) const override;
    void DoDrawText(const TRect& r, TTextFormat format,
                    const std::vector<TTextLine>& lines) override;
    void DoDrawEdge(const TRect& r, TEdgeStyle style) override;
    void DoDrawFocusRect(const TRect& r) override;
    void DoInvertRect(const TRect& r) override;
    void DoDraw(int x, int y, const QImage& image) override;
    void DoStretchDraw(const TRect& r, const QImage& image) override;
    void DoCopyRect(const TRect& dest, const QImage& image, const TRect& sourceRect) override;
    void DoPlayMetafile(const TRect& r, const TMetafile& metafile) override;
    void DoStateChanged() override;

private:
    TPainterCanvas(QPaintDevice& device, QImage* image, bool metafile);

    // Begins the painter when needed; false when there is nothing to paint on.
    bool Ready();
    void ApplyState();
    TRect InsideFrame(const TRect& r) const;
    // The image pixel under the top-left of logical pixel (x, y).
    QPoint ImagePixel(int x, int y) const;
    void UsePen();
    void UseBrush();
    void UseFill(TColor color);
    void UseMode();
    void DrawTextLine(const TTextLine& line, const QPoint& origin);
    // The Qt objects of the current pen, brush and font, rebuilt only when what they are made
    // of changed, so that drawing allocates nothing. Pens and brushes are told apart by their
    // resolved colour, since a system colour can be set anew between drawings; the font by its
    // shape, looked at only after a change notification.
    const QPen& CurrentQPen();
    const QBrush& CurrentQBrush();
    const QPen& CurrentTextPen();
    const QFont& CurrentQFont() const;
    void WatchFont();
    const QPolygon& ToPolygon(std::span<const TPoint> points);

    struct TPenKey {
        TColor Color = clNone;
        int Width = -1;
        TPenStyle Style = psSolid;
        bool operator==(const TPenKey&) const = default;
    };
    static QPen MakeQPen(const TPenKey& key);
    const QPainterPath& ArcPath(const QRectF& outline, double start, double span);
    struct TBrushKey {
        TColor Color = clNone;
        TBrushStyle Style = bsSolid;
        bool operator==(const TBrushKey&) const = default;
    };

    QPaintDevice& device_;
    QImage* image_;
    bool metafile_;
    QPainter ownPainter_;
    QPainter* painter_;
    bool external_ = false;
    bool restoreExternal_ = false;
    QTransform baseTransform_;
    bool baseClipping_ = false;
    QRegion baseClip_;
    struct TKeptPen {
        TPenKey Key;
        QPen Pen;
    };
    std::array<TKeptPen, 4> pens_;
    std::size_t nextPen_ = 0;
    struct TKeptArc {
        QRectF Outline;
        double Start = 0;
        double Span = -1;
        QPainterPath Path;
    };
    std::array<TKeptArc, 4> arcs_;
    std::size_t nextArc_ = 0;
    QBrush qtBrush_;
    TBrushKey brushKey_;
    QPen qtTextPen_;
    TColor textRGB_ = clNone;
    mutable TFontMeasures fontMeasures_;
    mutable bool fontStale_ = true;
    void DrawEllipseOutline(const TRect& outline);
    // A small ellipse in copy mode, with a thin solid or clear pen and a solid or clear brush,
    // is drawn once into a stamp and placed wherever it lies on an unscaled image, several
    // times faster than the toolkit draws an ellipse (a plot's markers are thousands of them).
    // The toolkit's own ellipse of a size may differ by a pixel from one place to another; the
    // stamps keep every copy alike.
    bool EllipseStampable(const TRect& r) const;
    static constexpr int MaxStampSize = 64;
    static constexpr int StampMargin = 2;
    // An opaque stamp's pixels as runs of one colour along a row, from its top-left.
    struct TStampRun {
        int Y;
        int X;
        int Length;
        QRgb Color;
    };
    struct TKeptStamp {
        int Width = 0;
        int Height = 0;
        TPenKey Pen;
        TBrushKey Brush;
        QImage Image;
        // Every pixel is opaque or transparent: Runs hold all the opaque ones.
        bool Opaque = false;
        std::vector<TStampRun> Runs;
    };
    // Empty when a pixel is neither opaque nor transparent.
    static std::optional<std::vector<TStampRun>> OpaqueRuns(const QImage& stamp);
    const TKeptStamp& EllipseStamp(int width, int height);
    const TKeptStamp* StampFor(const TRect& outline);
    // The image's pixels for direct writing, Stride pixels a row, within Area, at painter
    // coordinates moved by Move.
    struct TPixelTarget {
        QRgb* Bits;
        qsizetype Stride;
        QRect Area;
        QPoint Move;
    };
    std::optional<TPixelTarget> DirectTarget();
    void PlaceStamp(const TKeptStamp& stamp, const QPoint& at,
                    const std::optional<TPixelTarget>& target);
    // Found again whenever the canvas sets the painter's state: the move from painter to
    // image pixels when it is whole pixels, and the image pixels that may then be written
    // directly, bypassing the painter (a 32-bit image under the canvas's own clip only, at
    // full opacity).
    void FindPixelMove();
    std::optional<QPoint> pixelMove_;
    std::optional<QRect> directArea_;
    std::array<TKeptStamp, 4> stamps_;
    std::size_t nextStamp_ = 0;
    QPolygon polygon_;
    // Vertical thin lines as the rows Top..Bottom - 1 of column X.
    struct TColumnFill {
        int X;
        int Top;
        int Bottom;
    };
    void FillColumns(const QColor& color);
    // Kept between calls, so that a trace's lines allocate nothing once it has drawn.
    std::vector<QLine> lines_;
    std::vector<TColumnFill> columns_;
};
